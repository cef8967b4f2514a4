// The form's answers to the platform's form automation messages: a description of every control,
// and a control set by name as a user would set it.

#include <platform_host.h>

#include <algorithm>
#include <cctype>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/Forms.h"

namespace {

std::string LowerCase(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

// The state a check box value asks for; none for a value that is neither.
std::optional<bool> CheckedFromValue(std::string_view value) {
  const std::string lower = LowerCase(value);
  for (const char* on : {"on", "checked", "true", "yes", "1"}) {
    if (lower == on) {
      return true;
    }
  }
  for (const char* off : {"off", "unchecked", "false", "no", "0"}) {
    if (lower == off) {
      return false;
    }
  }
  return std::nullopt;
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start <= text.size()) {
    const size_t end = text.find('\n', start);
    if (end == std::string_view::npos) {
      lines.emplace_back(text.substr(start));
      break;
    }
    lines.emplace_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string joined;
  for (size_t i = 0; i < lines.size(); ++i) {
    joined += (i == 0 ? "" : "\n") + lines[i];
  }
  return joined;
}

PlatformControlDescription Describe(const TControl& control) {
  PlatformControlDescription described;
  described.Name = control.Name();
  described.Parent = control.Parent() != nullptr ? control.Parent()->Name() : std::string();
  described.Caption = control.Caption();
  described.Enabled = control.Enabled();
  described.Visible = control.Showing();
  described.Bounds = control.FormRect();
  if (dynamic_cast<const TButton*>(&control) != nullptr) {
    described.Kind = PlatformControlKind::Button;
  } else if (const auto* check = dynamic_cast<const TCheckBox*>(&control)) {
    described.Kind = PlatformControlKind::CheckBox;
    described.Checked = check->Checked();
    described.Value = check->Checked() ? "on" : "off";
  } else if (const auto* edit = dynamic_cast<const TEdit*>(&control)) {
    described.Kind = PlatformControlKind::Edit;
    described.Value = edit->Text();
  } else if (const auto* memo = dynamic_cast<const TMemo*>(&control)) {
    described.Kind = PlatformControlKind::Memo;
    described.Value = JoinLines(memo->Lines());
  } else if (dynamic_cast<const TLabel*>(&control) != nullptr) {
    described.Kind = PlatformControlKind::Label;
  } else if (dynamic_cast<const TGroupBox*>(&control) != nullptr) {
    described.Kind = PlatformControlKind::GroupBox;
  } else if (dynamic_cast<const TPanel*>(&control) != nullptr) {
    described.Kind = PlatformControlKind::Panel;
  }
  return described;
}

}  // namespace

void TForm::DescribeControls(PlatformFormDescription& description) const {
  description = PlatformFormDescription{};
  description.Caption = CaptionText;
  description.ClientWidth = ClientWidth();
  description.ClientHeight = ClientHeight();
  // Controls are made after their parents, so the order of making lists parents first.
  for (const auto& component : Owned) {
    if (const auto* control = dynamic_cast<const TControl*>(component.get())) {
      description.Controls.push_back(Describe(*control));
    }
  }
}

bool TForm::SetControl(const PlatformControlSetting& setting) {
  if (setting.Name == nullptr) {
    return false;
  }
  auto* control = Find<TControl>(setting.Name);
  if (control == nullptr || !control->Showing() || !control->Enabled()) {
    return false;
  }
  const std::string_view value = setting.Value != nullptr ? setting.Value : "";
  if (auto* button = dynamic_cast<TButton*>(control)) {
    button->Click();
    return true;
  }
  if (auto* check = dynamic_cast<TCheckBox*>(control)) {
    const std::optional<bool> checked = CheckedFromValue(value);
    if (!checked) {
      return false;
    }
    if (check->Checked() != *checked) {
      check->Click();  // as the user would: the check box's handler runs
    }
    return true;
  }
  if (auto* edit = dynamic_cast<TEdit*>(control)) {
    edit->SetText(std::string(value));
    return true;
  }
  if (auto* memo = dynamic_cast<TMemo*>(control); memo != nullptr && !memo->ReadOnly) {
    memo->SetLines(SplitLines(value));
    return true;
  }
  return false;
}
