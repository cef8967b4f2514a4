#pragma once

// The form bases of the server framework: a form with a help context, the form that a document
// view shows inside a frame of the host, and the base of modal dialogs.
//
// A view form belongs to the framework, not to its view: it is made with CreateViewForm, linked
// to its view, and released when the view unlinks it (the view's end). The client decides how:
// at once when FreeFormsAtOnce answers true, otherwise through the message loop, where a hidden
// window of the framework frees it on the private message ReleaseFormsMessage. A form whose own
// message handler is still running (a placement runs inside one) is never freed under it: its
// release waits until the handler has returned.

#include <cstdint>
#include <memory>
#include <utility>

#include <windows.h>

#include "framework/RT_ServerImplementation.h"
#include "ui/Forms.h"

// The private message that frees the view forms waiting for their release.
inline constexpr UINT ReleaseFormsMessage = 45089;

class TFormWithHelp : public TForm {
 public:
  int32_t HelpContext = 0;
};

class TServerViewForm : public TFormWithHelp, public TEmbeddedForm {
 public:
  TServerViewForm();
  ~TServerViewForm() override;

  // The view that shows this form; null before it is linked and after it let go.
  TServerDocumentEditorView* View() const { return LinkedView; }
  // Whether the form's own message handler is running.
  bool InMessageHandler() const { return HandlerDepth > 0; }

  // TEmbeddedForm
  HWND GetFormWindow() const override;
  void ShowInParent(HWND parent) override;
  void Hide() override { TForm::Hide(); }
  void ReleaseFromFrame() override;
  // Linking keeps the view; unlinking (null) after a link releases the form.
  void SetView(TServerDocumentEditorView* view) override;

 protected:
  void WndProc(TMessage& message) override;

 private:
  TServerDocumentEditorView* LinkedView = nullptr;
  bool WasLinked = false;
  int32_t HandlerDepth = 0;
};

// The editor form of a document view.
class TServerEditorForm : public TServerViewForm {
 public:
  // What runs after a command launched while this form's view is current: clears the host's
  // status panels 1, 2 and 3.
  virtual void AfterCommand();
};

// Makes a view form of class TViewForm and hands it to the framework, which frees it when its
// view lets it go (or when the process ends). The reference stays valid until then.
void AdoptViewForm(std::unique_ptr<TServerViewForm> form);
template <class TViewForm, class... Args>
TViewForm& CreateViewForm(Args&&... args) {
  auto form = std::make_unique<TViewForm>(std::forward<Args>(args)...);
  TViewForm& made = *form;
  AdoptViewForm(std::move(form));
  return made;
}

// How many view forms are waiting for their release through the message loop.
std::size_t PendingFormReleases();
// How many view forms the framework holds (linked or waiting for release).
std::size_t LiveViewForms();

// The base of modal dialogs: a window with the context-help extended style, whose parent is the
// client's dialog parent window.
class TServerDialog : public TFormWithHelp {
 protected:
  void CreateParams(TCreateParams& params) override;
};
