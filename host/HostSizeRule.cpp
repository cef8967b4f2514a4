#include "HostSizeRule.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// From this many parts both efforts are at their floors.
constexpr int FloorParts =
    static_cast<int>(FullEffortParts * DefaultRefineEffort / LeastScaledRefineEffort);

std::string InPlaceOf(const char* what, double chosen, double standard) {
  char text[128];
  std::snprintf(text, sizeof text, "%s %.3g in place of %g", what, chosen, standard);
  return text;
}

}  // namespace

TDefaultEfforts DefaultEffortsFor(int movableParts) {
  if (movableParts <= FullEffortParts)
    return {DefaultEffort, DefaultRefineEffort};
  const double share = static_cast<double>(FullEffortParts) / movableParts;
  return {std::max(LeastScaledEffort, DefaultEffort * share),
          std::max(LeastScaledRefineEffort, DefaultRefineEffort * share)};
}

std::string ApplyDefaultEfforts(THostOptions& options, int movableParts) {
  if (options.Specified || movableParts <= FullEffortParts)
    return "";
  const TDefaultEfforts efforts = DefaultEffortsFor(movableParts);
  std::vector<std::string> chosen;
  if (!options.RefineEffortGiven) {
    options.RefineEffort = efforts.RefineEffort;
    if (options.Polish)
      chosen.push_back(InPlaceOf("polish effort", efforts.RefineEffort, DefaultRefineEffort));
  }
  if (!options.EffortGiven) {
    options.Effort = options.Refine ? options.RefineEffort : efforts.Effort;
    if (!options.Refine || !options.RefineEffortGiven)
      chosen.insert(chosen.begin(),
                    InPlaceOf("effort", options.Effort,
                              options.Refine ? DefaultRefineEffort : DefaultEffort));
  }
  if (chosen.empty())
    return "";
  char text[512];
  std::snprintf(text, sizeof text,
                "%s for %d movable parts (more than %d): the moves shrink as the board grows, so "
                "that from about %d parts a run takes about 1.5 times the standard run rather "
                "than hours; --effort and --refine-effort set them",
                (chosen.size() > 1 ? chosen[0] + " and " + chosen[1] : chosen[0]).c_str(),
                movableParts, FullEffortParts, FloorParts);
  return text;
}
