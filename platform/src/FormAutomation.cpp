// The sending side of form automation; the form library answers the messages.

#include <platform_host.h>

const char* PlatformControlKindName(PlatformControlKind kind) {
  switch (kind) {
    case PlatformControlKind::Button:
      return "button";
    case PlatformControlKind::CheckBox:
      return "check box";
    case PlatformControlKind::Edit:
      return "edit";
    case PlatformControlKind::Label:
      return "label";
    case PlatformControlKind::GroupBox:
      return "group box";
    case PlatformControlKind::Memo:
      return "memo";
    case PlatformControlKind::Panel:
      return "panel";
    case PlatformControlKind::Other:
      break;
  }
  return "control";
}

bool PlatformDescribeForm(HWND form, PlatformFormDescription& description) {
  if (form == nullptr || !IsWindow(form)) {
    return false;
  }
  return SendMessageA(form, WM_PLATFORM_DESCRIBEFORM, 0, reinterpret_cast<LPARAM>(&description)) !=
         0;
}

bool PlatformSetControl(HWND form, const char* name, const char* value) {
  if (form == nullptr || name == nullptr || !IsWindow(form)) {
    return false;
  }
  PlatformControlSetting setting{name, value};
  return SendMessageA(form, WM_PLATFORM_SETCONTROL, 0, reinterpret_cast<LPARAM>(&setting)) != 0;
}
