// A host driving a modal form through the platform's automation messages, knowing only its window.

#include <string>
#include <vector>

#include "UiFixture.h"

namespace {

using FormAutomationTest = UiTest;

// A small dialog: an option group with a check box and an edit, a note, and OK and Cancel.
struct TSmallDialog {
  TSmallDialog() {
    Form.SetCaption("Options");
    Form.SetClientSize(200, 120);
    Group.SetBounds(10, 10, 180, 70);
    Group.SetCaption(" Options ");
    Check.SetBounds(5, 20, 100, 17);
    Check.SetCaption("Rotate");
    Check.OnClick = [this](TCheckBox&) { ++CheckClicks; };
    Grid.SetBounds(5, 45, 60, 21);
    Grid.SetText("20mil");
    Grid.SetMaxLength(8);
    Note.SetLines({"first", "second"});
    Note.ReadOnly = true;
    Ok.SetCaption("OK");
    Ok.ModalResult = mrOk;
    Cancel.ModalResult = mrCancel;
  }

  TForm Form;
  TGroupBox& Group = Form.Add<TGroupBox>(nullptr, "Group");
  TCheckBox& Check = Form.Add<TCheckBox>(&Group, "Rotate");
  TEdit& Grid = Form.Add<TEdit>(&Group, "Grid");
  TMemo& Note = Form.Add<TMemo>(nullptr, "Note");
  TLabel& Label = Form.Add<TLabel>(nullptr, "Label");
  TButton& Ok = Form.Add<TButton>(nullptr, "Ok");
  TButton& Cancel = Form.Add<TButton>(nullptr, "Cancel");
  int CheckClicks = 0;
};

const PlatformControlDescription* Named(const PlatformFormDescription& form,
                                        const std::string& name) {
  for (const PlatformControlDescription& control : form.Controls) {
    if (control.Name == name) {
      return &control;
    }
  }
  return nullptr;
}

TEST_F(FormAutomationTest, AFormDescribesEveryControlWithItsKindParentAndValue) {
  TSmallDialog dialog;
  dialog.Check.SetChecked(true);
  dialog.Cancel.SetEnabled(false);
  PlatformFormDescription described;
  described.Controls.resize(3);  // what the caller held before is replaced
  ASSERT_TRUE(PlatformDescribeForm(dialog.Form.Handle(), described));

  EXPECT_EQ(described.Caption, "Options");
  EXPECT_EQ(described.ClientWidth, 200);
  ASSERT_EQ(described.Controls.size(), 7u);
  EXPECT_EQ(described.Controls[0].Name, "Group");  // in the order made: parents first
  EXPECT_EQ(described.Controls[0].Kind, PlatformControlKind::GroupBox);

  const PlatformControlDescription* check = Named(described, "Rotate");
  ASSERT_NE(check, nullptr);
  EXPECT_EQ(check->Kind, PlatformControlKind::CheckBox);
  EXPECT_EQ(check->Parent, "Group");
  EXPECT_EQ(check->Caption, "Rotate");
  EXPECT_TRUE(check->Checked);
  EXPECT_EQ(check->Value, "on");
  EXPECT_TRUE(SameRect(check->Bounds, {15, 30, 115, 47}));

  EXPECT_EQ(Named(described, "Grid")->Value, "20mil");
  EXPECT_EQ(Named(described, "Grid")->Kind, PlatformControlKind::Edit);
  EXPECT_EQ(Named(described, "Note")->Value, "first\nsecond");
  EXPECT_EQ(Named(described, "Label")->Kind, PlatformControlKind::Label);
  EXPECT_EQ(Named(described, "Ok")->Kind, PlatformControlKind::Button);
  EXPECT_EQ(Named(described, "Ok")->Parent, "");
  EXPECT_FALSE(Named(described, "Cancel")->Enabled);
  EXPECT_STREQ(PlatformControlKindName(PlatformControlKind::CheckBox), "check box");
}

TEST_F(FormAutomationTest, SettingControlsByNameActsAsTheUserWouldOrFailsWithoutChange) {
  TSmallDialog dialog;
  const HWND form = dialog.Form.Handle();

  struct Case {
    const char* Name;
    const char* Value;
    bool Accepted;
  };
  const Case cases[] = {
      {"Grid", "25mil", true},    {"Rotate", "ON", true},  {"Rotate", "checked", true},
      {"Rotate", "maybe", false}, {"Note", "x", false},    {"Label", "x", false},
      {"Group", "x", false},      {"Missing", "x", false}, {"grid", "1mm", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PlatformSetControl(form, c.Name, c.Value), c.Accepted) << c.Name << "=" << c.Value;
  }
  EXPECT_EQ(dialog.Grid.Text(), "25mil");
  EXPECT_TRUE(dialog.Check.Checked());
  EXPECT_EQ(dialog.CheckClicks, 1);  // the second "on" changed nothing
  EXPECT_EQ(dialog.Note.Lines(), (std::vector<std::string>{"first", "second"}));

  // The edit's limit holds, a null value is empty, a writable memo takes lines.
  EXPECT_TRUE(PlatformSetControl(form, "Grid", "123456789012"));
  EXPECT_EQ(dialog.Grid.Text(), "12345678");
  EXPECT_TRUE(PlatformSetControl(form, "Grid", nullptr));
  EXPECT_EQ(dialog.Grid.Text(), "");
  dialog.Note.ReadOnly = false;
  EXPECT_TRUE(PlatformSetControl(form, "Note", "a\n\nb"));
  EXPECT_EQ(dialog.Note.Lines(), (std::vector<std::string>{"a", "", "b"}));

  // Disabled or hidden controls are out of reach, as for a user.
  dialog.Check.SetEnabled(false);
  EXPECT_FALSE(PlatformSetControl(form, "Rotate", "off"));
  dialog.Group.SetVisible(false);
  EXPECT_FALSE(PlatformSetControl(form, "Grid", "1mil"));
  EXPECT_TRUE(dialog.Check.Checked());
  EXPECT_EQ(dialog.Grid.Text(), "");
}

TEST_F(FormAutomationTest, AModalHandlerFillsTheFormAndPressesItsButton) {
  TSmallDialog dialog;
  std::vector<std::string> seen;
  PlatformSetModalHandler([&](HWND form) {
    PlatformFormDescription described;
    PlatformDescribeForm(form, described);
    for (const PlatformControlDescription& control : described.Controls) {
      seen.push_back(control.Name);
    }
    PlatformSetControl(form, "Grid", "50mil");
    PlatformSetControl(form, "Ok", "");
    return PlatformGetModalResult(form);
  });
  EXPECT_EQ(dialog.Form.ShowModal(), mrOk);
  EXPECT_EQ(dialog.Grid.Text(), "50mil");
  EXPECT_EQ(seen.size(), 7u);
}

TEST_F(FormAutomationTest, WindowsThatAreNoFormsDoNotAnswer) {
  PlatformFormDescription described;
  EXPECT_FALSE(PlatformDescribeForm(nullptr, described));
  EXPECT_FALSE(PlatformSetControl(nullptr, "Ok", ""));
  WNDCLASSA plain{};
  plain.lpfnWndProc = &DefWindowProcA;
  plain.lpszClassName = "PlainWindow";
  RegisterClassA(&plain);
  HWND window =
      CreateWindowExA(0, "PlainWindow", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  EXPECT_FALSE(PlatformDescribeForm(window, described));
  EXPECT_FALSE(PlatformSetControl(window, "Ok", ""));
  DestroyWindow(window);

  TSmallDialog dialog;
  const HWND form = dialog.Form.Handle();
  EXPECT_FALSE(PlatformSetControl(form, nullptr, "x"));
  EXPECT_EQ(SendMessageA(form, WM_PLATFORM_DESCRIBEFORM, 0, 0), 0);
  EXPECT_EQ(SendMessageA(form, WM_PLATFORM_SETCONTROL, 0, 0), 0);
}

}  // namespace
