#include "framework/Rt_forms.h"

#include <cmath>
#include <string>

#include "framework/ClientProcs.h"
#include "framework/TextHelpers.h"

namespace {

struct TProgressState {
  bool Active = false;
  int64_t Total = 0;
  int64_t Steps = 0;
  int64_t LastPercent = 0;
};

TProgressState Progress;

void SendStatusText(int32_t index, const std::wstring& text) {
  const TComPtr<IClient> client = GetClient();
  if (!client) {
    return;
  }
  TComPtr<IStatusBar> statusBar;
  CheckStatus(client->GetStatusBar(statusBar.Put()));
  if (statusBar) {
    CheckStatus(statusBar->SetStatusText(index, text.c_str()));
  }
}

int64_t PercentDone(int64_t steps, int64_t total) {
  if (total == 0) {
    return 100;
  }
  const double percent =
      std::nearbyint(static_cast<double>(steps) * 100.0 / static_cast<double>(total));
  if (percent >= 100.0) {
    return 100;
  }
  return percent <= 0.0 ? 0 : static_cast<int64_t>(percent);  // a negative total gains nothing
}

}  // namespace

void SetStatusPanelText(int32_t index, std::string_view text) {
  SendStatusText(index, WidenText(text));
}

void BeginProgress(std::string_view title, int64_t total) {
  SendStatusText(ProgressCodeShow, L"");
  SendStatusText(ProgressCodeTitle, WidenText(title));
  Progress = TProgressState{true, total, 0, 0};
}

void StepProgress() {
  if (!Progress.Active) {
    return;
  }
  ++Progress.Steps;
  const int64_t percent = PercentDone(Progress.Steps, Progress.Total);
  const int64_t gained = percent - Progress.LastPercent;
  Progress.LastPercent = percent;
  for (int64_t i = 0; i < gained; ++i) {
    SendStatusText(ProgressCodeStep, L"");
  }
}

void EndProgress() {
  if (!Progress.Active) {
    return;
  }
  Progress.Active = false;
  SendStatusText(ProgressCodeFinish, L"");
  SendStatusText(ProgressCodeHide, L"");
}
