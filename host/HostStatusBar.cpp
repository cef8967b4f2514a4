#include "HostStatusBar.h"

#include "HostText.h"

namespace {

// Plain lines (not a terminal) come at most this often, except for titles.
constexpr auto LineInterval = std::chrono::seconds(1);

}  // namespace

HRESULT THostStatusBar::SetStatusText(int32_t index, const wchar_t* text) {
  const std::string value = text != nullptr ? Narrow(text) : std::string();
  LastTextAt = std::chrono::steady_clock::now();
  switch (index) {
    case ProgressCodeShow:
    case ProgressCodeHide:
      return S_OK;
    case ProgressCodeTitle:
      ProgressTitle = value;
      Show(value, true);
      return S_OK;
    case ProgressCodeStep:
      Show(ProgressTitle + " " + value + "%", false);
      return S_OK;
    case ProgressCodeFinish:
      Show(ProgressTitle + " 100%", false);
      return S_OK;
    default:
      break;
  }
  if (index < 0) {
    return S_OK;  // a code this host does not show
  }
  Panels[index] = value;
  Show(value, false);
  return S_OK;
}

void THostStatusBar::Show(const std::string& line, bool important) {
  switch (Output) {
    case TProgressOutput::Quiet:
      return;
    case TProgressOutput::Terminal: {
      // Rewrite the line in place; blanks wipe what a longer line left.
      const size_t wipe = Shown.size() > line.size() ? Shown.size() - line.size() : 0;
      std::fprintf(Stream, "\r%s%s", line.c_str(), std::string(wipe, ' ').c_str());
      std::fflush(Stream);
      Shown = line;
      return;
    }
    case TProgressOutput::Lines: {
      const auto now = std::chrono::steady_clock::now();
      if (!important && now - LastLine < LineInterval) {
        return;
      }
      LastLine = now;
      std::fprintf(Stream, "%s\n", line.c_str());
      std::fflush(Stream);
      return;
    }
  }
}

void THostStatusBar::EndLine() {
  if (Output == TProgressOutput::Terminal && !Shown.empty()) {
    std::fprintf(Stream, "\n");
    std::fflush(Stream);
    Shown.clear();
  }
}

std::string THostStatusBar::Panel(int32_t index) const {
  const auto found = Panels.find(index);
  return found != Panels.end() ? found->second : std::string();
}
