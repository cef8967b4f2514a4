#pragma once

#include <cstdint>
#include <string>

#include <windows.h>

#include "framework/ComObjects.h"
#include "framework/HostStatus.h"

// The interfaces between the host application and its servers (this plug-in among them). The host
// holds the plug-in's module, documents and views through these interfaces, and the plug-in reaches
// the host through IClient and the interfaces it hands out.
//
// Conventions, for both sides:
// - Every operation returns a status: S_OK (0) on success, a negative status on failure. An
// operation
//   implemented by the plug-in returns E_UNEXPECTED when an exception reached it
//   (CallAtHostBoundary); a caller in the plug-in raises on a negative status (CheckStatus).
// - Results come back through out-parameters, which the caller provides (never null); an interface
//   result is a new reference that the caller releases (pass TComPtr::Put()), null for "none".
// - Names and texts are wide strings: `const wchar_t*` going in (null reads as empty),
// `std::wstring*`
//   coming out. The plug-in's single-byte texts cross with WidenText / NarrowText (TextHelpers.h),
//   which keep every byte.
// - Parameter strings (commands, host processes) are single-byte zero-terminated strings in the
//   format of Rt_Param.h, because they are buffers that the callee may rewrite within a capacity.

struct IClient;
struct IServerModule;
struct IServerDocument;
struct IServerDocumentView;

// ----------------------------------------------------------------------------------------------
// Host side

// Progress codes, sent to the status bar in place of a panel index (see Rt_forms.h). A progress
// shows as: Show, Title (with the title), one Step per percent done, Finish, Hide.
constexpr int32_t ProgressCodeShow = -3;
constexpr int32_t ProgressCodeTitle = -5;
constexpr int32_t ProgressCodeStep = -7;
constexpr int32_t ProgressCodeFinish = -6;
constexpr int32_t ProgressCodeHide = -4;

// The host's status bar. Indices 1 to 3 are its text panels; negative indices are progress codes.
struct IStatusBar : IUnknown {
  static constexpr GUID Iid = MakeGuid("{501F21CC-546A-46F1-BB1C-93903F0C18FA}");

  virtual HRESULT STDMETHODCALLTYPE SetStatusText(int32_t index, const wchar_t* text) = 0;
};

// The host's registry of open documents. The framework registers each of its documents with the
// values 10000 and 1, whose meaning is the host's.
struct IDocumentRegistry : IUnknown {
  static constexpr GUID Iid = MakeGuid("{74084AB3-2DE6-4F51-9BD9-DC7A547D20FA}");

  virtual HRESULT STDMETHODCALLTYPE RegisterDocument(IServerDocument* document, int32_t category,
                                                     int32_t flags, int32_t* registrationId) = 0;
  virtual HRESULT STDMETHODCALLTYPE UnregisterDocument(int32_t registrationId) = 0;
};

// Notification codes that the framework broadcasts about its documents.
constexpr int32_t DocumentNotificationFileNameChanged = 4;  // text: the old file name
constexpr int32_t DocumentNotificationModifiedChanged = 11;

// The host application as its servers see it.
struct IClient : IUnknown {
  static constexpr GUID Iid = MakeGuid("{4C11EF71-6297-4E2B-90D1-7F5F1A9E2ADE}");

  // Called right before OpenDocument.
  virtual HRESULT STDMETHODCALLTYPE BeforeOpenDocument() = 0;
  // Opens (or finds open) the document of that kind and file; a document of a server's own kind is
  // created through that server's IServerModule::CreateDocument.
  virtual HRESULT STDMETHODCALLTYPE OpenDocument(const wchar_t* kind, const wchar_t* fileName,
                                                 IServerDocument** document) = 0;
  // Called right after OpenDocument; the framework passes -1.
  virtual HRESULT STDMETHODCALLTYPE AfterOpenDocument(int32_t value) = 0;
  // Whether the server of that document kind ("PCB") is loaded.
  virtual HRESULT STDMETHODCALLTYPE ServerAvailable(const wchar_t* kind, bool* available) = 0;
  // The open document of that file, or null.
  virtual HRESULT STDMETHODCALLTYPE GetDocumentByPath(const wchar_t* fileName,
                                                      IServerDocument** document) = 0;
  // A document's run has ended (once at the end of every placement run).
  virtual HRESULT STDMETHODCALLTYPE DocumentRunEnded(IServerDocument* document) = 0;
  // Tells every server about a change of a document; `text` carries what the code needs (the old
  // file name for DocumentNotificationFileNameChanged), null otherwise.
  virtual HRESULT STDMETHODCALLTYPE BroadcastNotification(int32_t code, IServerDocument* document,
                                                          const wchar_t* text) = 0;
  // The window that the plug-in's windows belong to.
  virtual HRESULT STDMETHODCALLTYPE GetMainWindowHandle(HWND* window) = 0;
  // The parent window of the plug-in's dialogs.
  virtual HRESULT STDMETHODCALLTYPE GetDialogParent(HWND* window) = 0;
  // The focused document view, or null.
  virtual HRESULT STDMETHODCALLTYPE GetCurrentView(IServerDocumentView** view) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetStatusBar(IStatusBar** statusBar) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetDocumentRegistry(IDocumentRegistry** registry) = 0;
  // True: the forms of closed views are freed at once rather than through the message loop.
  virtual HRESULT STDMETHODCALLTYPE FreeFormsAtOnce(bool* freeAtOnce) = 0;
};

// Runs host processes by name ("PCB:Netlist"); queried from the client.
struct IProcessLauncher : IUnknown {
  static constexpr GUID Iid = MakeGuid("{8452C443-703F-4881-B7AC-C33550794AA6}");

  // `processName` is "<server>:<process>". `parameters` is a zero-terminated parameter string in a
  // buffer of capacity + 1 bytes, which the process may rewrite within that capacity.
  virtual HRESULT STDMETHODCALLTYPE RunProcess(const wchar_t* processName, char* parameters,
                                               int32_t capacity, int32_t flags) = 0;
};

// ----------------------------------------------------------------------------------------------
// Server side: modules, command launchers, documents and views

// A counter that the module keeps for the host's process control; starts at 0.
struct IProcessControl : IUnknown {
  static constexpr GUID Iid = MakeGuid("{BAF46BDA-19A1-4848-BFAC-2BEC078C8911}");

  virtual HRESULT STDMETHODCALLTYPE GetProcessCount(int32_t* count) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetProcessCount(int32_t count) = 0;
  virtual HRESULT STDMETHODCALLTYPE IncrementProcessCount() = 0;
  virtual HRESULT STDMETHODCALLTYPE DecrementProcessCount() = 0;
};

// The state of a command for the host's menus and buttons. GetCommandState starts from these values
// (the first and third -1, the others 0) before a command's state handler adjusts them.
struct TCommandState {
  int32_t Enabled = -1;
  int32_t Checked = 0;
  int32_t Visible = -1;
  int32_t ImageIndex = 0;
};

// The module's table of commands.
struct ICommandLauncher : IUnknown {
  static constexpr GUID Iid = MakeGuid("{B3F5F50A-C728-462B-8C35-0AF07AEFE6D5}");

  // Runs the command's handler with the context (a document view for most commands) and the
  // zero-terminated parameter string; an unknown command does nothing. `reserved` is not used.
  virtual HRESULT STDMETHODCALLTYPE LaunchCommand(const wchar_t* command, const char* parameters,
                                                  int32_t reserved, IUnknown* context) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetCommandState(const wchar_t* command,
                                                    TCommandState* state) = 0;
};

// A server module, the object that the plug-in's ServerFactory hands to the host.
struct IServerModule : IUnknown {
  static constexpr GUID Iid = MakeGuid("{CF7702C4-5044-49E3-BE46-37B9F8FB8203}");

  // Creates a document of this server's kind and adds it to the module's documents.
  virtual HRESULT STDMETHODCALLTYPE CreateDocument(const wchar_t* kind, const wchar_t* fileName,
                                                   IServerDocument** document) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetModuleName(std::wstring* name) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetClient(IClient** client) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetDocumentCount(int32_t* count) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetDocument(int32_t index, IServerDocument** document) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetCommandLauncher(ICommandLauncher** launcher) = 0;
  // Gives the plug-in's message processing a turn while the host is idle.
  virtual HRESULT STDMETHODCALLTYPE Idle() = 0;
};

// The module's settings (a list of texts; empty for the placer).
struct IServerModuleSettings : IUnknown {
  static constexpr GUID Iid = MakeGuid("{BE30C541-D184-4491-8698-0B86B4A23B6A}");

  virtual HRESULT STDMETHODCALLTYPE GetSettingCount(int32_t* count) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetSetting(int32_t index, std::wstring* setting) = 0;
};

// Access to the module's process control.
struct IServerModuleProcessControl : IUnknown {
  static constexpr GUID Iid = MakeGuid("{37898B64-0BA4-498D-8C2F-9355A98BAA40}");

  virtual HRESULT STDMETHODCALLTYPE GetProcessControl(IProcessControl** control) = 0;
};

// A document of a server (this plug-in's, or another server's such as the PCB editor's).
struct IServerDocument : IUnknown {
  static constexpr GUID Iid = MakeGuid("{AFC2251E-CC50-4C65-B58F-4C87F5F19584}");

  virtual HRESULT STDMETHODCALLTYPE GetFileName(std::wstring* fileName) = 0;
  // Replaces the name and broadcasts DocumentNotificationFileNameChanged with the old name, unless
  // the old or the new name has the extension ".$$$".
  virtual HRESULT STDMETHODCALLTYPE SetFileName(const wchar_t* fileName) = 0;
  // The document kind, "PCB" for PCB documents, "Placer" for this plug-in's.
  virtual HRESULT STDMETHODCALLTYPE GetKind(std::wstring* kind) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetModified(bool* modified) = 0;
  // A change broadcasts DocumentNotificationModifiedChanged for the document.
  virtual HRESULT STDMETHODCALLTYPE SetModified(bool modified) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetViewCount(int32_t* count) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetView(int32_t index, IServerDocumentView** view) = 0;
  virtual HRESULT STDMETHODCALLTYPE AddView(IServerDocumentView* view) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetOwnerModule(IServerModule** module) = 0;
};

// Loading and saving a document's file; a document without file content reports success for both.
struct IServerDocumentStorage : IUnknown {
  static constexpr GUID Iid = MakeGuid("{5B4D5A6D-FA00-4B8D-A515-D5EE859192DC}");

  virtual HRESULT STDMETHODCALLTYPE LoadFromFile() = 0;
  virtual HRESULT STDMETHODCALLTYPE SaveToFile(const wchar_t* fileName) = 0;
};

// The host's frame in which a view shows its form.
struct IExternalFormFrame : IUnknown {
  static constexpr GUID Iid = MakeGuid("{1F9AF81E-E357-4D26-9325-14B754B9AA4A}");

  virtual HRESULT STDMETHODCALLTYPE GetFrameWindowHandle(HWND* window) = 0;
};

// A form that a view embeds into a frame of the host.
struct IExternalForm : IUnknown {
  static constexpr GUID Iid = MakeGuid("{85961389-4EF1-4825-837C-ACB084EAD26D}");

  // Hands the view its frame; null clears it (the form's window is destroyed, the form hidden and
  // its parent cleared).
  virtual HRESULT STDMETHODCALLTYPE SetFrame(IExternalFormFrame* frame) = 0;
  // Shows the form inside the frame's window.
  virtual HRESULT STDMETHODCALLTYPE ShowInFrame() = 0;
  virtual HRESULT STDMETHODCALLTYPE HideForm() = 0;
};

// A view of a server.
struct IServerView : IUnknown {
  static constexpr GUID Iid = MakeGuid("{E41CD335-2DA9-45DA-84BB-7A2065F0E107}");

  virtual HRESULT STDMETHODCALLTYPE GetViewName(std::wstring* name) = 0;
  // Runs after every command launched while this view is current (an editor form clears status
  // panels 1 to 3).
  virtual HRESULT STDMETHODCALLTYPE AfterCommand() = 0;
};

// Help for a view.
struct IServerViewHelp : IUnknown {
  static constexpr GUID Iid = MakeGuid("{A5CD292C-1BC2-415F-8E8D-3135940B1263}");

  virtual HRESULT STDMETHODCALLTYPE GetHelpContext(int32_t* helpContext) = 0;
};

// A view of a document.
struct IServerDocumentView : IServerView {
  static constexpr GUID Iid = MakeGuid("{CBB0773D-D227-45E6-8479-0C6BB13DC8D3}");
  using TBaseInterface = IServerView;

  virtual HRESULT STDMETHODCALLTYPE GetOwnerDocument(IServerDocument** document) = 0;
  // The window of the view's form.
  virtual HRESULT STDMETHODCALLTYPE GetWindowHandle(HWND* window) = 0;
};
