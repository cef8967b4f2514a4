#pragma once

// Recognises power and ground nets by their names, as designers usually name them: GND, AGND,
// VSS, 0V for ground; VCC, VDD, VBUS, +5V, 3V3, +1V8 for power. A hierarchical name is judged by
// its last part (`/power/+3V3` is power).

#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace Tarnix {

enum class TSupplyKind { Signal, Power, Ground };

TSupplyKind SupplyKindOfName(std::string_view netName);

// The names of the kind among the nets, joined by single spaces as the placer's options hold
// them, at most Capacity characters; names that hold a blank cannot be listed and are left out,
// and so are names past the capacity. Left holds the names left out.
std::string SupplyNetList(const std::vector<std::string>& netNames, TSupplyKind kind,
                          size_t capacity, std::vector<std::string>& left);

// The names of a list of nets separated by blanks, as the placer's options hold them.
std::set<std::string> NetNamesOfList(const std::string& blankSeparated);

}  // namespace Tarnix
