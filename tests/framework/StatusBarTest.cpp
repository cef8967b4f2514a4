#include <gtest/gtest.h>

#include <vector>

#include "FakeClient.h"
#include "framework/Rt_forms.h"

namespace {

class StatusBar : public testing::Test {
 protected:
  ~StatusBar() override { EndProgress(); }

  // The step codes sent by each of `steps` steps.
  std::vector<int> StepCodesPerStep(int steps) {
    std::vector<int> perStep;
    for (int i = 0; i < steps; ++i) {
      const int before = Bar().CountOf(ProgressCodeStep);
      StepProgress();
      perStep.push_back(Bar().CountOf(ProgressCodeStep) - before);
    }
    return perStep;
  }

  TRecordingStatusBar& Bar() { return *Client->StatusBar; }

  TComPtr<TFakeClient> Client = MakeComObject<TFakeClient>();
  TClientScope Scope{Client.Get()};
};

TEST_F(StatusBar, ProgressOfThreeStepsSendsOneCodePerPercentGained) {
  BeginProgress("Sorting pins...", 3);
  EXPECT_EQ(Bar().Calls, (std::vector<TStatusCall>{{ProgressCodeShow, L""},
                                                   {ProgressCodeTitle, L"Sorting pins..."}}));
  EXPECT_EQ(StepCodesPerStep(4), (std::vector<int>{33, 34, 33, 0}));  // 33, 67, 100, 100 percent
  Bar().Calls.clear();
  EndProgress();
  EXPECT_EQ(Bar().Calls,
            (std::vector<TStatusCall>{{ProgressCodeFinish, L""}, {ProgressCodeHide, L""}}));
}

TEST_F(StatusBar, ProgressOfNoStepsIsCompleteAtTheFirstStep) {
  BeginProgress("Finding connective group...", 0);
  EXPECT_EQ(StepCodesPerStep(3), (std::vector<int>{100, 0, 0}));
}

TEST_F(StatusBar, StepsAndEndOutsideAProgressSendNothing) {
  StepProgress();
  EndProgress();
  BeginProgress("Once", 2);
  EndProgress();
  Bar().Calls.clear();
  StepProgress();
  EndProgress();
  EXPECT_TRUE(Bar().Calls.empty());
}

TEST_F(StatusBar, PanelTextsReachTheHostWithEveryByte) {
  SetStatusPanelText(2,
                     "Grouping U\xC4"
                     "1...");
  EXPECT_EQ(Bar().Calls, (std::vector<TStatusCall>{{2, L"Grouping U\u00C41..."}}));
}

TEST(StatusBarWithoutClient, DoesNothing) {
  BeginProgress("Alone", 1);
  StepProgress();
  EndProgress();
  SetStatusPanelText(2, "nobody sees this");
  EXPECT_FALSE(GetClient());
}

}  // namespace
