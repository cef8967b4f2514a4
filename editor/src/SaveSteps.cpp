#include "SaveSteps.h"

#include <utility>

namespace Tarnix {

namespace {

TSaveObserver& SaveObserver() {
  static TSaveObserver observer;
  return observer;
}

int& StopsHeld() {
  static int held = 0;
  return held;
}

}  // namespace

bool SaveStopsAt(TSaveStep step) {
  const TSaveObserver& observer = SaveObserver();
  const bool stop = observer && observer(step);
  return stop && StopsHeld() == 0;
}

TSaveStopsHeld::TSaveStopsHeld() {
  ++StopsHeld();
}

TSaveStopsHeld::~TSaveStopsHeld() {
  --StopsHeld();
}

void SetSaveObserver(TSaveObserver observer) {
  SaveObserver() = std::move(observer);
}

}  // namespace Tarnix
