#include <string>
#include <vector>

#include "UiFixture.h"

namespace {

using ControlsTest = UiTest;

TEST_F(ControlsTest, ACheckBoxTogglesOnlyByAnEnabledClick) {
  TForm form;
  TCheckBox& box = form.Add<TCheckBox>(nullptr, "RotateComponents");
  std::vector<bool> clicked;
  box.OnClick = [&](TCheckBox& sender) { clicked.push_back(sender.Checked()); };

  box.SetChecked(true);  // set by the program: no click
  EXPECT_TRUE(box.Checked());
  box.Click();
  box.Click();
  EXPECT_EQ(clicked, (std::vector<bool>{false, true}));

  box.SetEnabled(false);
  box.Click();
  EXPECT_TRUE(box.Checked());
  EXPECT_EQ(clicked.size(), 2u);
}

TEST_F(ControlsTest, AnEditKeepsAtMostItsMaximumLength) {
  TForm form;
  TEdit& edit = form.Add<TEdit>(nullptr, "PowerNets");
  edit.SetText(std::string(300, 'V'));
  EXPECT_EQ(edit.Text().size(), 300u);  // no limit by default
  edit.SetMaxLength(255);
  EXPECT_EQ(edit.Text(), std::string(255, 'V'));
  edit.SetText("VCC +12 +5");
  EXPECT_EQ(edit.Text(), "VCC +12 +5");
  edit.SetMaxLength(3);
  EXPECT_EQ(edit.Text(), "VCC");
  edit.SetMaxLength(0);
  edit.SetText(std::string(400, 'G'));
  EXPECT_EQ(edit.Text().size(), 400u);
}

TEST_F(ControlsTest, AButtonSetsTheFormsResultBeforeItsHandlerRuns) {
  TForm form;
  TButton& ok = form.Add<TButton>(nullptr, "Ok");
  ok.ModalResult = mrOk;
  int resultSeen = -1;
  ok.OnClick = [&](TButton&) { resultSeen = form.ModalResult(); };
  ok.Click();
  EXPECT_EQ(resultSeen, mrOk);

  TButton& plain = form.Add<TButton>(nullptr, "Plain");  // no result: leaves the form's alone
  plain.Click();
  EXPECT_EQ(form.ModalResult(), mrOk);
}

TEST_F(ControlsTest, AMemoKeepsItsLines) {
  TForm form;
  TMemo& memo = form.Add<TMemo>(nullptr, "Memo1");
  memo.SetLines({"first ", "second"});
  EXPECT_EQ(memo.Lines().size(), 2u);
  EXPECT_EQ(memo.Text(), "first \r\nsecond\r\n");
}

TEST_F(ControlsTest, ATimerTicksFromTheMessageLoopOnlyWhileEnabled) {
  TForm form;
  TTimer& timer = form.Add<TTimer>("MainTimer");
  timer.SetEnabled(false);
  timer.SetInterval(10);
  int ticks = 0;
  timer.SetOnTimer([&](TTimer&) { ++ticks; });
  form.Handle();
  Sleep(30);
  PumpWaiting();
  EXPECT_EQ(ticks, 0);

  timer.SetEnabled(true);
  EXPECT_TRUE(PumpUntil([&] { return ticks >= 2; }));

  timer.SetEnabled(false);
  const int stopped = ticks;
  Sleep(30);
  PumpWaiting();
  EXPECT_EQ(ticks, stopped);
}

TEST_F(ControlsTest, ATimerEnabledBeforeTheWindowStartsWithItAndAgainWithANewOne) {
  TForm form;
  TTimer& timer = form.Add<TTimer>("MainTimer");
  timer.SetInterval(10);
  int ticks = 0;
  timer.SetOnTimer([&](TTimer&) { ++ticks; });
  form.Show();
  EXPECT_TRUE(PumpUntil([&] { return ticks >= 1; }));

  form.DestroyHandle();  // the platform drops the window's timers
  form.Handle();
  const int before = ticks;
  EXPECT_TRUE(PumpUntil([&] { return ticks > before; }));
}

}  // namespace
