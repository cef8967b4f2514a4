#include "SaveSteps.h"

#include <utility>

namespace Tarnix {

namespace {

TSaveObserver& SaveObserver() {
  static TSaveObserver observer;
  return observer;
}

}  // namespace

bool SaveStopsAt(TSaveStep step) {
  const TSaveObserver& observer = SaveObserver();
  return observer && observer(step);
}

void SetSaveObserver(TSaveObserver observer) {
  SaveObserver() = std::move(observer);
}

}  // namespace Tarnix
