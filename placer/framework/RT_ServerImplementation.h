#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <windows.h>

#include "framework/ComObjects.h"
#include "framework/RT_ClientServerInterface.h"

// The base classes that make the plug-in a server of the host: the server module with its command
// launcher and process control, documents, and the views that show a form inside a frame of the
// host. The plug-in's own module, document and view derive from them.
//
// Every operation that the host calls returns a status and never lets an exception out: an
// exception inside becomes E_UNEXPECTED (CallAtHostBoundary). Texts are single-byte inside the
// plug-in and wide at the host interfaces (WidenText / NarrowText keep every byte).
//
// Two-phase creation. A module calls RegisterCommands and CreateLauncher while it is being set up,
// and a document calls CreateViews; in C++ a virtual call from a constructor reaches only the class
// being constructed, never a descendant. So modules and documents are created only with
// CreateServerModule and CreateServerDocument: these construct the object completely, then finish
// the setup (AfterConstruction), where the virtual calls reach the descendant's overrides.

class TServerModule;
class TServerDocument;
class TServerDocumentEditorView;

// ----------------------------------------------------------------------------------------------
// Process-wide state

// The module of this library: the most recently set-up module, null before and after its life.
// Not a counted reference: whoever keeps it takes a TComPtr of their own.
TServerModule* GetServerModule();

// The application window of the library: the host's main window once a module with a client is
// set up, so that the library's windows belong to the host. Null otherwise.
HWND GetApplicationWindow();
void SetApplicationWindow(HWND window);

// The library's idle processing, run by IServerModule::Idle after it has poked the message queue.
// The form library installs it; an empty handler does nothing. Returns the handler it replaces.
using TIdleHandler = std::function<void()>;
TIdleHandler SetApplicationIdleHandler(TIdleHandler handler);

// Clears the host's status panels 1, 2 and 3 (nothing without a client).
void ClearStatusPanels();

// ----------------------------------------------------------------------------------------------
// Commands

// Runs a command: the context is the interface that the host hands over with the command (a
// document view for most commands, possibly null), the parameters a zero-terminated parameter
// string (never null; an absent string arrives empty).
using TCommandProc = std::function<void(IUnknown* context, const char* parameters)>;
// Adjusts the state of a command, which arrives with the defaults of TCommandState.
using TCommandStateProc = std::function<void(TCommandState& state)>;

struct TCommandHandler {
  TCommandProc Handler;
  TCommandStateProc StateHandler;  // optional
};

// Orders command names without regard to the case of the ASCII letters.
struct TCommandNameLess {
  bool operator()(const std::string& a, const std::string& b) const;
};

// The module's command table: names sorted and compared without regard to case.
class TCommandLauncher : public TInterfacedObject<ICommandLauncher> {
 public:
  explicit TCommandLauncher(std::string moduleName);

  // Adds a command. A name already in the table (in any case) keeps its first handlers; returns
  // whether this one was added.
  bool AddCommand(std::string_view name, TCommandProc handler,
                  TCommandStateProc stateHandler = nullptr);
  // The handlers of a command, null when the table lacks it.
  const TCommandHandler* FindCommand(std::string_view name) const;
  std::size_t CommandCount() const { return Commands.size(); }
  const std::string& GetModuleName() const { return ModuleName; }

  // Runs the command's handler, then the after-command step: the client's current view's
  // AfterCommand, or, with no current view, clearing status panels 1 to 3. An unknown command
  // does nothing. A handler that raises skips the after-command step (status E_UNEXPECTED).
  HRESULT STDMETHODCALLTYPE LaunchCommand(const wchar_t* command, const char* parameters,
                                          int32_t reserved, IUnknown* context) override;
  // Sets the defaults of TCommandState, then lets the command's state handler adjust them.
  HRESULT STDMETHODCALLTYPE GetCommandState(const wchar_t* command, TCommandState* state) override;

 private:
  std::string ModuleName;
  std::map<std::string, TCommandHandler, TCommandNameLess> Commands;
};

// A counter for the host's process control, initially 0. It wraps around at the ends of the
// 32-bit range.
class TProcessControl : public TInterfacedObject<IProcessControl> {
 public:
  int32_t Count() const { return ProcessCount; }

  HRESULT STDMETHODCALLTYPE GetProcessCount(int32_t* count) override;
  HRESULT STDMETHODCALLTYPE SetProcessCount(int32_t count) override;
  HRESULT STDMETHODCALLTYPE IncrementProcessCount() override;
  HRESULT STDMETHODCALLTYPE DecrementProcessCount() override;

 private:
  int32_t ProcessCount = 0;
};

// ----------------------------------------------------------------------------------------------
// The server module

// Creates a module of class TModule (a descendant of TServerModule) and sets it up: see
// TServerModule::AfterConstruction. A failure on the way frees the module and raises.
template <class TModule, class... Args>
TComPtr<TModule> CreateServerModule(Args&&... args);

class TServerModule
    : public TInterfacedObject<IServerModule, IServerModuleSettings, IServerModuleProcessControl> {
 public:
  // Keeps the name and the client; the setup follows in AfterConstruction.
  TServerModule(std::string name, IClient* client);
  // Tells its documents that it is gone and frees its lists, launcher and process control. When
  // it is the module of the process, clears that, the process-wide client and the application
  // window.
  ~TServerModule() override;

  const std::string& ModuleName() const { return Name; }
  const TComPtr<IClient>& ModuleClient() const { return Client; }
  const std::vector<TComPtr<TServerDocument>>& ModuleDocuments() const { return Documents; }
  const std::vector<TComPtr<IServerView>>& ModuleViews() const { return Views; }
  TCommandLauncher& CommandLauncher() const { return *Launcher; }
  TProcessControl& ProcessCounter() const { return *ProcessControl; }
  const std::vector<std::string>& ModuleSettings() const { return Settings; }

  // IServerModule. CreateDocument calls the virtual CreateDocument below and appends the new
  // document to the module's documents; a null result fails with E_FAIL.
  HRESULT STDMETHODCALLTYPE CreateDocument(const wchar_t* kind, const wchar_t* fileName,
                                           IServerDocument** document) override;
  HRESULT STDMETHODCALLTYPE GetModuleName(std::wstring* name) override;
  HRESULT STDMETHODCALLTYPE GetClient(IClient** client) override;
  HRESULT STDMETHODCALLTYPE GetDocumentCount(int32_t* count) override;
  // An index outside 0 .. count - 1 gives E_INVALIDARG and null.
  HRESULT STDMETHODCALLTYPE GetDocument(int32_t index, IServerDocument** document) override;
  HRESULT STDMETHODCALLTYPE GetCommandLauncher(ICommandLauncher** launcher) override;
  // If a message is waiting, posts WM_USER to the application window; then runs the library's
  // idle processing (SetApplicationIdleHandler).
  HRESULT STDMETHODCALLTYPE Idle() override;

  // IServerModuleSettings
  HRESULT STDMETHODCALLTYPE GetSettingCount(int32_t* count) override;
  HRESULT STDMETHODCALLTYPE GetSetting(int32_t index, std::wstring* setting) override;

  // IServerModuleProcessControl
  HRESULT STDMETHODCALLTYPE GetProcessControl(IProcessControl** control) override;

 protected:
  // Creates a document of this server for the host (usually with CreateServerDocument). A
  // descendant that overrides it hides the host's overload above in its own scope; the host calls
  // that through IServerModule, and a descendant that wants it by name adds
  // `using TServerModule::CreateDocument;`.
  virtual TComPtr<TServerDocument> CreateDocument(const std::string& kind,
                                                  const std::string& fileName) = 0;
  // Adds the module's commands to the launcher; none in the base.
  virtual void RegisterCommands() {}
  // Creates the command launcher, named after the module.
  virtual TComPtr<TCommandLauncher> CreateLauncher();

  TComPtr<IClient> Client;
  std::vector<TComPtr<TServerDocument>> Documents;
  std::vector<TComPtr<IServerView>> Views;  // further views of the module
  std::string Name;
  TComPtr<TCommandLauncher> Launcher;
  TComPtr<TProcessControl> ProcessControl;
  std::vector<std::string> Settings;

 private:
  template <class TModule, class... Args>
  friend TComPtr<TModule> CreateServerModule(Args&&... args);

  // The setup: makes the client and this module the process's, creates the launcher and the
  // process control, registers the commands and adopts the host's main window as the application
  // window.
  void AfterConstruction();
};

template <class TModule, class... Args>
TComPtr<TModule> CreateServerModule(Args&&... args) {
  TComPtr<TModule> module = MakeComObject<TModule>(std::forward<Args>(args)...);
  static_cast<TServerModule&>(*module).AfterConstruction();
  return module;
}

// ----------------------------------------------------------------------------------------------
// Documents

// Creates a document of class TDocument (a descendant of TServerDocument) for (module, file name,
// kind, ...) and sets it up: see TServerDocument::AfterConstruction. A failure on the way frees
// the document (which unregisters it again) and raises.
template <class TDocument, class... Args>
TComPtr<TDocument> CreateServerDocument(Args&&... args);

// A document of this server. It holds its views; it refers to its module without a counted
// reference (the module holds its documents), and the module tells it when it goes.
class TServerDocument : public TInterfacedObject<IServerDocument, IServerDocumentStorage> {
 public:
  // Registration id before (or without) registration.
  static constexpr int32_t NotRegistered = -1;
  // The file handle of a document whose file is not open.
  static constexpr intptr_t ClosedFileHandle = -1;

  TServerDocument(TServerModule* module, std::string fileName, std::string kind);
  // Unregisters the document from the host's registry it was registered with, tells its views
  // that it is gone and frees the view list.
  ~TServerDocument() override;

  const std::string& DocumentFileName() const { return FileName; }
  const std::string& DocumentKind() const { return Kind; }
  bool IsModified() const { return Modified; }
  // Null once the module is gone.
  TServerModule* OwnerModule() const { return Module; }
  const std::vector<TComPtr<IServerDocumentView>>& DocumentViews() const { return Views; }
  int32_t GetRegistrationId() const { return RegistrationId; }

  // IServerDocument
  HRESULT STDMETHODCALLTYPE GetFileName(std::wstring* fileName) override;
  HRESULT STDMETHODCALLTYPE SetFileName(const wchar_t* fileName) override;
  HRESULT STDMETHODCALLTYPE GetKind(std::wstring* kind) override;
  HRESULT STDMETHODCALLTYPE GetModified(bool* modified) override;
  HRESULT STDMETHODCALLTYPE SetModified(bool modified) override;
  HRESULT STDMETHODCALLTYPE GetViewCount(int32_t* count) override;
  // An index outside 0 .. count - 1 gives E_INVALIDARG and null.
  HRESULT STDMETHODCALLTYPE GetView(int32_t index, IServerDocumentView** view) override;
  // A null view gives E_POINTER.
  HRESULT STDMETHODCALLTYPE AddView(IServerDocumentView* view) override;
  HRESULT STDMETHODCALLTYPE GetOwnerModule(IServerModule** module) override;

  // IServerDocumentStorage
  HRESULT STDMETHODCALLTYPE LoadFromFile() override;
  HRESULT STDMETHODCALLTYPE SaveToFile(const wchar_t* fileName) override;

 protected:
  // Creates the document's views and adds them with AddView; called once at the end of the setup.
  virtual void CreateViews() = 0;
  // A change of the modified state is stored and broadcast (DocumentNotificationModifiedChanged);
  // setting the current state does nothing.
  virtual void DoSetModified(bool modified);
  // Replaces the file name and broadcasts DocumentNotificationFileNameChanged with the old name,
  // unless the old or the new name has the extension ".$$$" (a temporary file).
  virtual void DoSetFileName(std::string fileName);
  // Reading and writing the document's file content; none in the base, which succeeds. A failure
  // raises.
  virtual void DoLoadFromFile() {}
  virtual void DoSaveToFile(const std::string& /*fileName*/) {}

  std::string FileName;
  std::string Kind;
  bool Modified = false;
  TServerModule* Module;  // not counted; null once the module is gone
  std::vector<TComPtr<IServerDocumentView>> Views;
  int32_t RegistrationId = NotRegistered;
  intptr_t FileHandle = ClosedFileHandle;

 private:
  friend class TServerModule;
  template <class TDocument, class... Args>
  friend TComPtr<TDocument> CreateServerDocument(Args&&... args);

  // The setup: registers the document with the host's document registry (10000, 1), keeping the
  // id, then calls CreateViews. Runs on the complete object, so the host sees it whole.
  void AfterConstruction();
  void RegisterWithHost();
  void ForgetModule() { Module = nullptr; }

  // The registry the document was registered with, for unregistering it there.
  TComPtr<IDocumentRegistry> Registry;
};

template <class TDocument, class... Args>
TComPtr<TDocument> CreateServerDocument(Args&&... args) {
  TComPtr<TDocument> document = MakeComObject<TDocument>(std::forward<Args>(args)...);
  static_cast<TServerDocument&>(*document).AfterConstruction();
  return document;
}

// ----------------------------------------------------------------------------------------------
// Views

// What a view needs from the form it shows. The form library implements it. The view neither
// creates nor frees its form: how a form is released with its view is the form library's.
class TEmbeddedForm {
 public:
  virtual ~TEmbeddedForm() = default;

  // The form's own window; null while it has none.
  virtual HWND GetFormWindow() const = 0;
  // Makes `parent` the form's parent window and shows the form there, keeping its position and
  // size.
  virtual void ShowInParent(HWND parent) = 0;
  virtual void Hide() = 0;
  // The host took its frame away: the form's window is destroyed, the form hidden and its parent
  // cleared.
  virtual void ReleaseFromFrame() = 0;
  // The view that shows this form; null unlinks it.
  virtual void SetView(TServerDocumentEditorView* view) = 0;
};

// The root of the views: a form shown inside the host's frame. Without a form the frame
// operations only keep the frame.
class TExternalForm : public TInterfacedObject<IExternalForm> {
 public:
  explicit TExternalForm(TEmbeddedForm* form) : Form(form) {}

  TEmbeddedForm* GetForm() const { return Form; }
  const TComPtr<IExternalFormFrame>& GetFrame() const { return Frame; }
  // Forgets the form, for a form that goes before its view: the view no longer reaches it.
  void DetachForm() { Form = nullptr; }

  // Keeps the frame; a null frame clears it and releases the form from it.
  HRESULT STDMETHODCALLTYPE SetFrame(IExternalFormFrame* frame) override;
  // Shows the form inside the frame's window (nothing without frame or form).
  HRESULT STDMETHODCALLTYPE ShowInFrame() override;
  HRESULT STDMETHODCALLTYPE HideForm() override;

 protected:
  TEmbeddedForm* Form;  // not owned; null when the view has no form
  TComPtr<IExternalFormFrame> Frame;
};

// A named view.
class TAbstractServerView
    : public TInterfacedExtension<TExternalForm, IServerView, IServerViewHelp> {
 public:
  TAbstractServerView(std::string viewName, TEmbeddedForm* form);

  const std::string& ViewName() const { return Name; }

  // IServerView
  HRESULT STDMETHODCALLTYPE GetViewName(std::wstring* name) override;
  HRESULT STDMETHODCALLTYPE AfterCommand() override;

  // IServerViewHelp: the view's help context, 0 unless a descendant sets one.
  HRESULT STDMETHODCALLTYPE GetHelpContext(int32_t* helpContext) override;

 protected:
  // What runs after every command launched while this view is current; nothing in the base.
  virtual void DoAfterCommand() {}

  std::string Name;
  int32_t HelpContext = 0;
};

// A view of a document. It refers to its document without a counted reference (the document
// holds its views), and the document tells it when it goes.
class TServerDocView : public TInterfacedExtension<TAbstractServerView, IServerDocumentView> {
 public:
  TServerDocView(std::string viewName, TEmbeddedForm* form, TServerDocument* document);

  // Null once the document is gone.
  TServerDocument* OwnerDocument() const { return Document; }

  // IServerView, reached through IServerDocumentView as well.
  HRESULT STDMETHODCALLTYPE GetViewName(std::wstring* name) override;
  HRESULT STDMETHODCALLTYPE AfterCommand() override;

  // IServerDocumentView. The owner document is null once it is gone; the window handle is the
  // form's own window, null without a form.
  HRESULT STDMETHODCALLTYPE GetOwnerDocument(IServerDocument** document) override;
  HRESULT STDMETHODCALLTYPE GetWindowHandle(HWND* window) override;

 protected:
  TServerDocument* Document;

 private:
  friend class TServerDocument;
  void ForgetDocument() { Document = nullptr; }
};

// The view of a document's editor form: view and form know each other for the view's life. After
// every command it clears status panels 1, 2 and 3.
class TServerDocumentEditorView : public TServerDocView {
 public:
  TServerDocumentEditorView(std::string viewName, TEmbeddedForm* form, TServerDocument* document);
  ~TServerDocumentEditorView() override;

 protected:
  void DoAfterCommand() override;
};
