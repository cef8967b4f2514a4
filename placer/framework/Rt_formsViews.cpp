#include "framework/Rt_formsViews.h"

#include <algorithm>
#include <vector>

#include "framework/ClientProcs.h"
#include "framework/HostStatus.h"

// The view forms of the framework and their release with their views.

namespace {

constexpr const char* ReleaseWindowClassName = "TPlacerFormRelease";
// The extended style that gives a dialog's caption its help button.
constexpr DWORD ContextHelpExStyle = 0x00000400L;

struct TViewForms {
  std::vector<std::unique_ptr<TServerViewForm>> Live;
  std::vector<TServerViewForm*> Pending;  // in Live, waiting for ReleaseFormsMessage
  HWND ReleaseWindow = nullptr;

  ~TViewForms() {
    Pending.clear();
    Live.clear();
    if (ReleaseWindow != nullptr) {
      DestroyWindow(ReleaseWindow);
    }
  }
};

TViewForms& ViewForms() {
  static TViewForms forms;
  return forms;
}

// Frees the waiting forms whose handlers have returned; a busy one asks again when it is done.
void FreePendingForms() {
  TViewForms& forms = ViewForms();
  std::vector<std::unique_ptr<TServerViewForm>> freed;
  for (auto pending = forms.Pending.begin(); pending != forms.Pending.end();) {
    TServerViewForm* form = *pending;
    if (form->InMessageHandler()) {
      ++pending;
      continue;
    }
    pending = forms.Pending.erase(pending);
    auto live = std::find_if(forms.Live.begin(), forms.Live.end(),
                             [form](const auto& held) { return held.get() == form; });
    if (live != forms.Live.end()) {
      freed.push_back(std::move(*live));
      forms.Live.erase(live);
    }
  }
  // The forms go here, after the lists are consistent again.
}

LRESULT CALLBACK ReleaseWindowProcedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == ReleaseFormsMessage) {
    FreePendingForms();
    return 0;
  }
  return DefWindowProcA(window, msg, wParam, lParam);
}

HWND ReleaseWindow() {
  TViewForms& forms = ViewForms();
  if (forms.ReleaseWindow == nullptr) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &ReleaseWindowProcedure;
    windowClass.lpszClassName = ReleaseWindowClassName;
    RegisterClassA(&windowClass);
    forms.ReleaseWindow = CreateWindowExA(0, ReleaseWindowClassName, "", 0, 0, 0, 0, 0, nullptr,
                                          nullptr, nullptr, nullptr);
  }
  return forms.ReleaseWindow;
}

void PostRelease() {
  PostMessageA(ReleaseWindow(), ReleaseFormsMessage, 0, 0);
}

bool ClientFreesFormsAtOnce() {
  const TComPtr<IClient> client = GetClient();
  bool atOnce = false;
  if (client) {
    CheckStatus(client->FreeFormsAtOnce(&atOnce));
  }
  return atOnce;
}

void ReleaseViewForm(TServerViewForm& form) {
  TViewForms& forms = ViewForms();
  if (std::find(forms.Pending.begin(), forms.Pending.end(), &form) != forms.Pending.end()) {
    return;
  }
  forms.Pending.push_back(&form);
  if (ClientFreesFormsAtOnce() && !form.InMessageHandler()) {
    FreePendingForms();
    return;
  }
  form.Hide();
  if (!form.InMessageHandler()) {
    PostRelease();
  }
}

bool IsPendingRelease(const TServerViewForm& form) {
  const auto& pending = ViewForms().Pending;
  return std::find(pending.begin(), pending.end(), &form) != pending.end();
}

}  // namespace

void AdoptViewForm(std::unique_ptr<TServerViewForm> form) {
  if (form) {
    ViewForms().Live.push_back(std::move(form));
  }
}

std::size_t PendingFormReleases() {
  return ViewForms().Pending.size();
}

std::size_t LiveViewForms() {
  return ViewForms().Live.size();
}

// ----------------------------------------------------------------------------------------------

TServerViewForm::TServerViewForm() {
  SetBorderStyle(TFormBorderStyle::None);
}

TServerViewForm::~TServerViewForm() = default;

HWND TServerViewForm::GetFormWindow() const {
  // The window is made on demand, as the host expects a view's window to exist once asked for.
  return const_cast<TServerViewForm*>(this)->Handle();
}

void TServerViewForm::ShowInParent(HWND parent) {
  const int left = Left();
  const int top = Top();
  const int width = ClientWidth();
  const int height = ClientHeight();
  SetParentWindow(parent);
  SetBounds(left, top, width, height);
  Show();
}

void TServerViewForm::ReleaseFromFrame() {
  DestroyHandle();
  TForm::Hide();
  SetParentWindow(nullptr);
}

void TServerViewForm::SetView(TServerDocumentEditorView* view) {
  LinkedView = view;
  if (view != nullptr) {
    WasLinked = true;
  } else if (WasLinked) {
    ReleaseViewForm(*this);
  }
}

void TServerViewForm::WndProc(TMessage& message) {
  ++HandlerDepth;
  try {
    TFormWithHelp::WndProc(message);
  } catch (...) {
    --HandlerDepth;
    throw;
  }
  --HandlerDepth;
  if (HandlerDepth == 0 && IsPendingRelease(*this)) {
    PostRelease();
  }
}

void TServerEditorForm::AfterCommand() {
  ClearStatusPanels();
}

// ----------------------------------------------------------------------------------------------

void TServerDialog::CreateParams(TCreateParams& params) {
  TFormWithHelp::CreateParams(params);
  params.ExStyle |= ContextHelpExStyle;
  if (const TComPtr<IClient> client = GetClient()) {
    HWND parent = nullptr;
    CheckStatus(client->GetDialogParent(&parent));
    params.WndParent = parent;
  }
}
