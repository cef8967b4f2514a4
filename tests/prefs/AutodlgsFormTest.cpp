// The preferences form: its controls, and the dialog window it is made as.

#include <string>
#include <vector>

#include "PrefsFixture.h"
#include "framework/FakeClient.h"
#include "framework/HostStatus.h"
#include "prefs/Autodlgs.h"

namespace {

using AutodlgsFormTest = PrefsTest;

enum class Kind { Button, CheckBox, Edit, Label, GroupBox, Panel, Memo };

struct ControlRow {
  const char* Name;
  Kind ControlKind;
  const char* Parent;  // "" = the form
  const char* Caption;
  RECT Bounds;  // left, top, right, bottom in the parent
};

bool IsKind(TControl& control, Kind kind) {
  switch (kind) {
    case Kind::Button:
      return dynamic_cast<TButton*>(&control) != nullptr;
    case Kind::CheckBox:
      return dynamic_cast<TCheckBox*>(&control) != nullptr;
    case Kind::Edit:
      return dynamic_cast<TEdit*>(&control) != nullptr;
    case Kind::Label:
      return dynamic_cast<TLabel*>(&control) != nullptr;
    case Kind::GroupBox:
      return dynamic_cast<TGroupBox*>(&control) != nullptr;
    case Kind::Panel:
      return dynamic_cast<TPanel*>(&control) != nullptr;
    case Kind::Memo:
      return dynamic_cast<TMemo*>(&control) != nullptr;
  }
  return false;
}

RECT At(int left, int top, int width, int height) {
  return {left, top, left + width, top + height};
}

TEST_F(AutodlgsFormTest, TheFormHasEveryControlInItsPlace) {
  const ControlRow rows[] = {
      {"Ok", Kind::Button, "", "OK", At(299, 297, 75, 25)},
      {"Cancel", Kind::Button, "", "Cancel", At(379, 297, 75, 25)},
      {"TeThemeTabControl1", Kind::Panel, "", "", At(8, 8, 446, 282)},
      {"GroupBox6", Kind::GroupBox, "TeThemeTabControl1", " &Options ", At(14, 9, 166, 161)},
      {"GroupComponents", Kind::CheckBox, "GroupBox6", "Group Components", At(19, 24, 141, 17)},
      {"RotateComponents", Kind::CheckBox, "GroupBox6", "Rotate Components ", At(19, 48, 133, 17)},
      {"AutomaticPCBUpdate", Kind::CheckBox, "GroupBox6", "Automatic PCB Update",
       At(19, 71, 145, 17)},
      {"Label1", Kind::Label, "GroupBox6", " &Placement Grid ", At(11, 117, 97, 13)},
      {"PlacementGrid", Kind::Edit, "GroupBox6", "", At(97, 114, 56, 21)},
      {"GroupBox7", Kind::GroupBox, "TeThemeTabControl1", " Power Nets ", At(190, 9, 242, 80)},
      {"Label3", Kind::Label, "GroupBox7", "PWR", At(6, 27, 31, 13)},
      {"PowerNets", Kind::Edit, "GroupBox7", "", At(43, 23, 187, 21)},
      {"Label4", Kind::Label, "GroupBox7", "GND", At(7, 54, 31, 13)},
      {"GroundNets", Kind::Edit, "GroupBox7", "", At(43, 51, 187, 21)},
      {"GroupBox1", Kind::GroupBox, "TeThemeTabControl1", " Clearances ", At(190, 95, 242, 74)},
      {"Label2", Kind::Label, "GroupBox1", "Small Components", At(9, 21, 115, 13)},
      {"SmallComponents", Kind::Edit, "GroupBox1", "", At(112, 17, 118, 21)},
      {"Label5", Kind::Label, "GroupBox1", "Large Components", At(10, 47, 114, 13)},
      {"LargeComponents", Kind::Edit, "GroupBox1", "", At(112, 45, 118, 21)},
      {"GroupBox9", Kind::GroupBox, "TeThemeTabControl1", " Info ", At(14, 175, 418, 90)},
      {"Memo1", Kind::Memo, "GroupBox9", "", At(11, 20, 398, 65)},
  };
  TAutoPreferences dialog(Board);
  EXPECT_EQ(dialog.Caption(), "Autoplace Preferences");
  EXPECT_EQ(dialog.ClientWidth(), 464);
  EXPECT_EQ(dialog.ClientHeight(), 329);
  EXPECT_EQ(dialog.Font.Name, "helv");
  EXPECT_EQ(dialog.Font.Height, -11);
  EXPECT_EQ(dialog.Components().size(), std::size(rows));
  for (const ControlRow& row : rows) {
    SCOPED_TRACE(row.Name);
    auto* control = dialog.Find<TControl>(row.Name);
    ASSERT_NE(control, nullptr);
    EXPECT_TRUE(IsKind(*control, row.ControlKind));
    EXPECT_EQ(control->Parent() != nullptr ? control->Parent()->Name() : "", row.Parent);
    EXPECT_EQ(control->Caption(), row.Caption);
    const RECT bounds = control->BoundsRect();
    EXPECT_EQ(bounds.left, row.Bounds.left);
    EXPECT_EQ(bounds.top, row.Bounds.top);
    EXPECT_EQ(bounds.right, row.Bounds.right);
    EXPECT_EQ(bounds.bottom, row.Bounds.bottom);
  }

  auto* ok = dialog.Find<TButton>("Ok");
  auto* cancel = dialog.Find<TButton>("Cancel");
  EXPECT_TRUE(ok->Default && !ok->Cancel && ok->ModalResult == mrOk);
  EXPECT_TRUE(cancel->Cancel && !cancel->Default && cancel->ModalResult == mrCancel);

  auto* memo = dialog.Find<TMemo>("Memo1");
  EXPECT_TRUE(memo->ReadOnly);
  EXPECT_FALSE(memo->Border);
  EXPECT_EQ(memo->Color(), clBtnFace);
  EXPECT_EQ(memo->Font.Name, "Arial");
  EXPECT_EQ(memo->Font.Height, -12);
  EXPECT_EQ(memo->Lines(),
            (std::vector<std::string>{
                "It is important to specify large power nets by entering their names in ",
                "PWR and GND edit boxes. Unspecified large power nets serverly slow ",
                "down the autoplacment process. ", "eg :   PWR:  VCC +12 +5     GND: GND -12 "}));
  EXPECT_EQ(dialog.Find<TLabel>("Label3")->Font.Name, "helv");
}

// The creation parameters as the dialog makes them.
class TInspectedPreferences : public TAutoPreferences {
 public:
  using TAutoPreferences::TAutoPreferences;
  TCreateParams Params() {
    TCreateParams params;
    CreateParams(params);
    return params;
  }
};

class TDialogParentClient : public TFakeClient {
 public:
  HRESULT STDMETHODCALLTYPE GetDialogParent(HWND* window) override {
    *window = Parent;
    return Status;
  }
  HWND Parent = nullptr;
  HRESULT Status = S_OK;
};

HWND MakeTopLevelWindow(const char* className) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = &DefWindowProcA;
  windowClass.lpszClassName = className;
  RegisterClassA(&windowClass);
  return CreateWindowExA(0, className, "", 0, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
}

TEST_F(AutodlgsFormTest, TheDialogIsAModalPopUpOwnedByTheHostsDialogParentOrMainWindow) {
  TInspectedPreferences dialog(Board);
  // Without a client or a main window it stands alone.
  TCreateParams params = dialog.Params();
  EXPECT_EQ(params.Style, 0x80CC0080u);
  EXPECT_EQ(params.ExStyle & 0x400u, 0x400u);
  EXPECT_EQ(params.WndParent, nullptr);

  auto client = MakeComObject<TDialogParentClient>();
  TClientScope scope(client.Get());
  client->Parent = MakeTopLevelWindow("HostDialogParent");
  EXPECT_EQ(dialog.Params().WndParent, client->Parent);
  EXPECT_EQ(GetParent(dialog.Handle()), client->Parent);
  dialog.DestroyHandle();

  const HWND mainWindow = MakeTopLevelWindow(HostMainWindowClassName);
  EXPECT_EQ(dialog.Params().WndParent, mainWindow);

  // A host that fails the call fails the dialog's making.
  client->Status = E_FAIL;
  EXPECT_THROW(dialog.Params(), EHostCallFailed);
}

}  // namespace
