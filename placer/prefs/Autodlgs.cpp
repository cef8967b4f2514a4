#include "prefs/Autodlgs.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "engine/PlacerBoard.h"
#include "pcb/PCBProcsUnits.h"
#include "pcb/PcbApi.h"

namespace {

// Pop-up, caption, system menu, sizing frame and modal frame.
constexpr DWORD StateDialogStyle = 0x80CC0080u;

// Lengths typed into the dialog are held to +-99999 mil.
constexpr int32_t LengthLimit = 999990000;
constexpr size_t MaxEditText = 255;
constexpr size_t MaxNetListLength = 255;

const TFont DialogFont{"helv", -11};
const TFont InfoFont{"Arial", -12};

const std::vector<std::string> InfoLines = {
    "It is important to specify large power nets by entering their names in ",
    "PWR and GND edit boxes. Unspecified large power nets serverly slow ",
    "down the autoplacment process. ",
    "eg :   PWR:  VCC +12 +5     GND: GND -12 ",
};

template <class T>
T& Placed(T& control, int left, int top, int width, int height) {
  control.SetBounds(left, top, width, height);
  return control;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TStateDialog

bool TStateDialog::RunDialog() {
  SetState_AllControls();
  if (ShowModal() != mrOk) {
    return false;
  }
  GetState_AllControls();
  return true;
}

void TStateDialog::CreateParams(TCreateParams& params) {
  TServerDialog::CreateParams(params);
  params.Style = StateDialogStyle | (params.Style & WS_VISIBLE);
  if (HWND mainWindow = FindWindowA(HostMainWindowClassName, nullptr)) {
    params.WndParent = mainWindow;
  }
}

// ---------------------------------------------------------------------------------------------
// TAutoPreferences

TAutoPreferences::TAutoPreferences(uint32_t boardHandle)
    : BoardMirror(std::make_unique<TBoard>(boardHandle)) {
  BoardMirror->Sync(PcbApi_ModeRead);
  BuildForm();
}

TAutoPreferences::~TAutoPreferences() {
  BoardMirror.reset();  // the mirror goes first, then the form
}

void TAutoPreferences::BuildForm() {
  SetCaption("Autoplace Preferences");
  SetClientSize(464, 329);
  SetBorderStyle(TFormBorderStyle::Dialog);
  SetColor(clBtnFace);
  Font = DialogFont;

  auto& ok = Placed(Add<TButton>(nullptr, "Ok"), 299, 297, 75, 25);
  ok.SetCaption("OK");
  ok.Default = true;
  ok.ModalResult = mrOk;
  ok.OnClick = [this](TButton&) { OkClick(); };
  auto& cancel = Placed(Add<TButton>(nullptr, "Cancel"), 379, 297, 75, 25);
  cancel.SetCaption("Cancel");
  cancel.Cancel = true;
  cancel.ModalResult = mrCancel;
  cancel.OnClick = [this](TButton&) { CancelClick(); };

  auto& tabs = Placed(Add<TPanel>(nullptr, "TeThemeTabControl1"), 8, 8, 446, 282);

  auto& options = Placed(Add<TGroupBox>(&tabs, "GroupBox6"), 14, 9, 166, 161);
  options.SetCaption(" &Options ");
  Placed(Add<TCheckBox>(&options, "GroupComponents"), 19, 24, 141, 17)
      .SetCaption("Group Components");
  Placed(Add<TCheckBox>(&options, "RotateComponents"), 19, 48, 133, 17)
      .SetCaption("Rotate Components ");
  Placed(Add<TCheckBox>(&options, "AutomaticPCBUpdate"), 19, 71, 145, 17)
      .SetCaption("Automatic PCB Update");
  Placed(Add<TLabel>(&options, "Label1"), 11, 117, 97, 13).SetCaption(" &Placement Grid ");
  Placed(Add<TEdit>(&options, "PlacementGrid"), 97, 114, 56, 21);

  auto& supplies = Placed(Add<TGroupBox>(&tabs, "GroupBox7"), 190, 9, 242, 80);
  supplies.SetCaption(" Power Nets ");
  Placed(Add<TLabel>(&supplies, "Label3"), 6, 27, 31, 13).SetCaption("PWR");
  Placed(Add<TEdit>(&supplies, "PowerNets"), 43, 23, 187, 21);
  Placed(Add<TLabel>(&supplies, "Label4"), 7, 54, 31, 13).SetCaption("GND");
  Placed(Add<TEdit>(&supplies, "GroundNets"), 43, 51, 187, 21);

  auto& clearances = Placed(Add<TGroupBox>(&tabs, "GroupBox1"), 190, 95, 242, 74);
  clearances.SetCaption(" Clearances ");
  Placed(Add<TLabel>(&clearances, "Label2"), 9, 21, 115, 13).SetCaption("Small Components");
  Placed(Add<TEdit>(&clearances, "SmallComponents"), 112, 17, 118, 21);
  Placed(Add<TLabel>(&clearances, "Label5"), 10, 47, 114, 13).SetCaption("Large Components");
  Placed(Add<TEdit>(&clearances, "LargeComponents"), 112, 45, 118, 21);

  auto& info = Placed(Add<TGroupBox>(&tabs, "GroupBox9"), 14, 175, 418, 90);
  info.SetCaption(" Info ");
  auto& memo = Placed(Add<TMemo>(&info, "Memo1"), 11, 20, 398, 65);

  // The controls take the form's font, except the info text, which has its own.
  for (const auto& component : Components()) {
    if (auto* control = dynamic_cast<TControl*>(component.get())) {
      control->Font = DialogFont;
    }
  }
  memo.ReadOnly = true;
  memo.Border = false;
  memo.SetColor(clBtnFace);
  memo.Font = InfoFont;
  memo.SetLines(InfoLines);
}

void TAutoPreferences::OkClick() {
  SetModalResult(mrOk);
}

void TAutoPreferences::CancelClick() {
  SetModalResult(mrCancel);
}

void TAutoPreferences::SetState_AllControls() {
  const TBoard& board = *BoardMirror;
  const uint8_t unit = board.DisplayUnitImperial;
  Find<TEdit>("PlacementGrid")->SetText(FormatLength(board.PlacementGrid, unit));
  Find<TEdit>("PowerNets")->SetText(board.PowerNets);
  Find<TEdit>("GroundNets")->SetText(board.GroundNets);
  Find<TCheckBox>("RotateComponents")->SetChecked(board.RotateComponents);
  Find<TCheckBox>("GroupComponents")->SetChecked(board.GroupComponents);
  Find<TEdit>("LargeComponents")->SetText(FormatLength(board.LargeComponentClearance, unit));
  Find<TEdit>("SmallComponents")->SetText(FormatLength(board.SmallComponentClearance, unit));
  Find<TCheckBox>("RotateComponents")->SetEnabled(true);
}

void TAutoPreferences::GetState_AllControls() {
  TBoard& board = *BoardMirror;
  board.PlacementGrid = ReadLength("PlacementGrid");
  board.PowerNets = Find<TEdit>("PowerNets")->Text().substr(0, MaxNetListLength);
  board.GroundNets = Find<TEdit>("GroundNets")->Text().substr(0, MaxNetListLength);
  board.RotateComponents = Find<TCheckBox>("RotateComponents")->Checked();
  board.GroupComponents = Find<TCheckBox>("GroupComponents")->Checked();
  board.LargeComponentClearance = ReadLength("LargeComponents");
  board.SmallComponentClearance = ReadLength("SmallComponents");
  board.Sync(PcbApi_ModeWrite);
}

int32_t TAutoPreferences::ReadLength(const char* editName) const {
  const std::string& text = Find<TEdit>(editName)->Text();
  // A bare number is in the board's display unit; the board's own flag is left as it is.
  uint8_t unit = BoardMirror->DisplayUnitImperial;
  int32_t value = 0;
  ParseLength(std::string_view(text).substr(0, MaxEditText), value, unit);
  return std::clamp(value, -LengthLimit, LengthLimit);
}

// ---------------------------------------------------------------------------------------------

bool ShowAutoplacePreferences(uint32_t boardHandle) {
  TAutoPreferences dialog(boardHandle);
  return dialog.RunDialog();
}
