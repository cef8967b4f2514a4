// The options shown in the controls, read back from them, and written to the board on OK only.

#include <string>

#include "PrefsFixture.h"
#include "pcb/PCBProcsUnits.h"
#include "prefs/Autodlgs.h"

namespace {

using AutodlgsStateTest = PrefsTest;

constexpr uint8_t Imperial = 1;
constexpr uint8_t Metric = 0;

TEST_F(AutodlgsStateTest, TheControlsShowTheBoardsOptionsInItsDisplayUnit) {
  struct Case {
    uint8_t Unit;
    int32_t Grid, Small, Large;
    const char *GridText, *SmallText, *LargeText;
  };
  const Case cases[] = {
      {Imperial, 250000, 200000, 125000, "25mil", "20mil", "12.5mil"},
      {Metric, 250000, 0, 125000, "0.635mm", "0mm", "0.3175mm"},
      {Imperial, 1, 999990000, 10, "0mil", "99999mil", "0.001mil"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.GridText);
    ChangeBoard([&](TBoard& board) {
      board.DisplayUnitImperial = c.Unit;
      board.PlacementGrid = c.Grid;
      board.SmallComponentClearance = c.Small;
      board.LargeComponentClearance = c.Large;
      board.PowerNets = "VCC +5";
      board.GroundNets = "GND";
      board.RotateComponents = c.Unit == Imperial;
      board.GroupComponents = c.Unit != Imperial;
    });
    TAutoPreferences dialog(Board);
    dialog.Find<TCheckBox>("RotateComponents")->SetEnabled(false);
    dialog.Find<TCheckBox>("AutomaticPCBUpdate")->SetChecked(true);
    dialog.SetState_AllControls();

    EXPECT_EQ(dialog.Find<TEdit>("PlacementGrid")->Text(), c.GridText);
    EXPECT_EQ(dialog.Find<TEdit>("SmallComponents")->Text(), c.SmallText);
    EXPECT_EQ(dialog.Find<TEdit>("LargeComponents")->Text(), c.LargeText);
    EXPECT_EQ(dialog.Find<TEdit>("PowerNets")->Text(), "VCC +5");
    EXPECT_EQ(dialog.Find<TEdit>("GroundNets")->Text(), "GND");
    EXPECT_EQ(dialog.Find<TCheckBox>("RotateComponents")->Checked(), c.Unit == Imperial);
    EXPECT_EQ(dialog.Find<TCheckBox>("GroupComponents")->Checked(), c.Unit != Imperial);
    EXPECT_TRUE(dialog.Find<TCheckBox>("RotateComponents")->Enabled());
    EXPECT_TRUE(dialog.Find<TCheckBox>("AutomaticPCBUpdate")->Checked());  // bound to nothing
  }
}

TEST_F(AutodlgsStateTest, LengthsAreReadInTheirUnitAndHeldWithinTheLimit) {
  struct Case {
    uint8_t Unit;
    std::string Text;
    int32_t Stored;
  };
  const Case cases[] = {
      {Imperial, "20mil", 200000},
      {Imperial, "20", 200000},
      {Metric, "12.5", 4921260},  // a bare number in the board's unit
      {Metric, "10 MIL", 100000},
      {Imperial, "1mm", 393701},
      {Imperial, "150000mil", 999990000},
      {Imperial, "-150000mil", -999990000},
      {Metric, "100000", 999990000},
      {Imperial, "abc", 0},  // not a length: stored as the parser reads it
      {Imperial, "", 0},
      {Imperial, std::string(254, ' ') + "25mil", 20000},  // only 255 characters are read: "2"
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Text);
    ChangeBoard([&](TBoard& board) { board.DisplayUnitImperial = c.Unit; });
    TAutoPreferences dialog(Board);
    dialog.SetState_AllControls();
    for (const char* edit : {"PlacementGrid", "SmallComponents", "LargeComponents"}) {
      dialog.Find<TEdit>(edit)->SetText(c.Text);
    }
    dialog.GetState_AllControls();

    EXPECT_EQ(dialog.Board().PlacementGrid, c.Stored);
    EXPECT_EQ(dialog.Board().SmallComponentClearance, c.Stored);
    EXPECT_EQ(dialog.Board().LargeComponentClearance, c.Stored);
    const auto board = ReadBoard();
    if (c.Stored > 0) {  // the editor itself refuses a grid below 1 and negative clearances
      EXPECT_EQ(board->PlacementGrid, c.Stored);
      EXPECT_EQ(board->SmallComponentClearance, c.Stored);
      EXPECT_EQ(board->LargeComponentClearance, c.Stored);
    }
    EXPECT_EQ(board->DisplayUnitImperial, c.Unit);  // a typed unit leaves the board's alone
  }
}

TEST_F(AutodlgsStateTest, ShownValuesEnteredAgainUnchangedStoreTheSameOptions) {
  ChangeBoard([](TBoard& board) {
    board.DisplayUnitImperial = Imperial;
    board.PlacementGrid = MilsToCoord(25);
    board.SmallComponentClearance = MilsToCoord(20);
    board.LargeComponentClearance = MilsToCoord(12.345);
    board.PowerNets = "VCC +12 +5";
    board.GroundNets = "GND -12";
    board.RotateComponents = true;
    board.ExtraPlacerFlag1 = true;
  });
  TAutoPreferences dialog(Board);
  dialog.SetState_AllControls();
  EXPECT_EQ(dialog.Find<TEdit>("SmallComponents")->Text(), "20mil");
  dialog.GetState_AllControls();

  const auto board = ReadBoard();
  EXPECT_EQ(board->PlacementGrid, MilsToCoord(25));
  EXPECT_EQ(board->SmallComponentClearance, MilsToCoord(20));
  EXPECT_EQ(board->LargeComponentClearance, MilsToCoord(12.345));
  EXPECT_EQ(board->PowerNets, "VCC +12 +5");
  EXPECT_EQ(board->GroundNets, "GND -12");
  EXPECT_TRUE(board->RotateComponents);
  EXPECT_FALSE(board->GroupComponents);
  EXPECT_TRUE(board->ExtraPlacerFlag1);  // carried unchanged
}

TEST_F(AutodlgsStateTest, NetListsAreCutTo255Characters) {
  TAutoPreferences dialog(Board);
  dialog.SetState_AllControls();
  const std::string longList = std::string(250, 'N') + " VCCAUX";
  dialog.Find<TEdit>("PowerNets")->SetText(longList);
  dialog.Find<TEdit>("GroundNets")->SetText(longList);
  dialog.GetState_AllControls();

  EXPECT_EQ(dialog.Board().PowerNets, longList.substr(0, 255));
  const auto board = ReadBoard();
  EXPECT_EQ(board->PowerNets, longList.substr(0, 255));
  EXPECT_EQ(board->GroundNets, longList.substr(0, 255));
}

// While the dialog is open, something else changes the board; the dialog's edits and how it is
// left decide what the board holds afterwards.
TEST_F(AutodlgsStateTest, OkWritesTheDialogsOptionsAndCancelEscapeOrClosingWriteNothing) {
  struct Case {
    const char* How;
    UINT Message;
    WPARAM Key;
    bool Confirmed;
  };
  const Case cases[] = {
      {"Ok", 0, 0, true},
      {"Cancel", 0, 0, false},
      {"Enter", WM_KEYDOWN, VkReturn, true},
      {"Escape", WM_KEYDOWN, VkEscape, false},
      {"system menu close", WM_CLOSE, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.How);
    ChangeBoard([](TBoard& board) {
      board.PowerNets = "VCC";
      board.GroundNets = "GND";
      board.SmallComponentClearance = MilsToCoord(10);
    });
    AnswerModalForms([&](HWND form) {
      auto* dialog = dynamic_cast<TAutoPreferences*>(TForm::FromHandle(form));
      ASSERT_NE(dialog, nullptr);
      EXPECT_EQ(dialog->Find<TEdit>("PowerNets")->Text(), "VCC");  // filled before the run
      dialog->Find<TEdit>("SmallComponents")->SetText("30mil");
      ChangeBoard([](TBoard& board) { board.GroundNets = "CHANGED"; });
      if (c.Message != 0) {
        SendMessageA(form, c.Message, c.Key, 0);
      } else {
        dialog->Find<TButton>(c.How)->Click();
      }
    });
    EXPECT_EQ(ShowAutoplacePreferences(Board), c.Confirmed);

    const auto board = ReadBoard();
    EXPECT_EQ(board->SmallComponentClearance, MilsToCoord(c.Confirmed ? 30 : 10));
    // Confirming writes every option back as the dialog read it, also those left unchanged.
    EXPECT_EQ(board->GroundNets, c.Confirmed ? "GND" : "CHANGED");
    EXPECT_EQ(board->PowerNets, "VCC");
  }
}

TEST_F(AutodlgsStateTest, AScriptedRunSetsTheGridTicksGroupingAndPressesOk) {
  ChangeBoard([](TBoard& board) {
    board.DisplayUnitImperial = Metric;
    board.GroupComponents = false;
  });
  std::string shownGrid;
  AnswerModalForms([&](HWND form) {
    PlatformFormDescription described;
    ASSERT_TRUE(PlatformDescribeForm(form, described));
    EXPECT_EQ(described.Caption, "Autoplace Preferences");
    for (const PlatformControlDescription& control : described.Controls) {
      if (control.Name == "PlacementGrid") {
        shownGrid = control.Value;
      }
    }
    EXPECT_TRUE(PlatformSetControl(form, "PlacementGrid", "25mil"));
    EXPECT_TRUE(PlatformSetControl(form, "GroupComponents", "on"));
    EXPECT_TRUE(PlatformSetControl(form, "Ok", ""));
  });
  EXPECT_TRUE(ShowAutoplacePreferences(Board));

  EXPECT_EQ(shownGrid, "0.508mm");  // the editor's default grid of 20 mil
  const auto board = ReadBoard();
  EXPECT_EQ(board->PlacementGrid, MilsToCoord(25));
  EXPECT_TRUE(board->GroupComponents);
  EXPECT_EQ(board->DisplayUnitImperial, Metric);
}

}  // namespace
