#include "SupplyNets.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <sstream>

namespace Tarnix {

namespace {

std::string UpperLeaf(std::string_view name) {
  const size_t slash = name.rfind('/');
  if (slash != std::string_view::npos)
    name.remove_prefix(slash + 1);
  std::string upper(name);
  for (char& c : upper)
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// A voltage written the way rails are named: 5V, 3V3, 3.3V, 12V0, 1.8V.
bool IsVoltage(std::string_view text) {
  if (text.empty() || !IsDigit(text.front()))
    return false;
  const size_t v = text.find('V');
  if (v == std::string_view::npos || text.find('V', v + 1) != std::string_view::npos)
    return false;
  const std::string_view before = text.substr(0, v), after = text.substr(v + 1);
  const auto digitsOrPoint = [](std::string_view part) {
    return std::all_of(part.begin(), part.end(), [](char c) { return IsDigit(c) || c == '.'; });
  };
  return digitsOrPoint(before) && std::all_of(after.begin(), after.end(), IsDigit) &&
         (after.empty() || before.find('.') == std::string_view::npos);
}

bool StartsWithAny(std::string_view text, std::initializer_list<std::string_view> prefixes) {
  return std::any_of(prefixes.begin(), prefixes.end(),
                     [&](std::string_view prefix) { return text.starts_with(prefix); });
}

bool IsGroundName(std::string_view name) {
  constexpr std::array<std::string_view, 7> exact = {"0V",   "VSS",   "VSSA",  "VSSIO",
                                                     "-VIN", "EARTH", "GROUND"};
  if (std::find(exact.begin(), exact.end(), name) != exact.end())
    return true;
  // GND, GNDA, GNDPWR, GND_ISO, AGND, DGND, PGND, SGND, CHASSIS_GND ...
  return name.starts_with("GND") || name.ends_with("GND");
}

// A rail's name qualified by what makes it a signal: VBUS_DET, VCC_SENSE-ERROR*, VPP_ON, /RESET#.
bool IsSignalOfRail(std::string_view name) {
  if (name.ends_with('*') || name.find('#') != std::string_view::npos)
    return true;
  constexpr std::array<std::string_view, 18> words = {
      "ON", "OFF", "EN",   "ENABLE", "SENSE",  "SNS", "ERROR", "ERR", "FAULT",
      "OK", "PG",  "GOOD", "DET",    "DETECT", "MON", "CTRL",  "SW",  "MCLR"};
  size_t start = 0;
  bool first = true;
  while (start <= name.size()) {
    const size_t end = std::min(name.find_first_of("_-./ ", start), name.size());
    const std::string_view word = name.substr(start, end - start);
    if (!first && std::find(words.begin(), words.end(), word) != words.end())
      return true;
    first = false;
    start = end + 1;
  }
  return false;
}

bool IsPowerName(std::string_view name) {
  if (name.size() > 1 && name.starts_with('+') && IsDigit(name[1]))
    return true;  // +5V, +3V3, +5VA, +12
  if ((name.starts_with('+') || name.starts_with('-')) && name.size() > 1)
    return IsVoltage(name.substr(1)) || StartsWithAny(name.substr(1), {"VCC", "VDD", "VIN"});
  if (IsVoltage(name))
    return true;
  return StartsWithAny(name, {"VCC", "VDD", "VBUS", "VBAT", "VIN", "V_USB", "VUSB", "VPP", "VAA",
                              "VEE", "AVCC", "AVDD", "DVCC", "DVDD", "PWR_"});
}

}  // namespace

TSupplyKind SupplyKindOfName(std::string_view netName) {
  const std::string name = UpperLeaf(netName);
  if (IsSignalOfRail(name))
    return TSupplyKind::Signal;
  if (IsGroundName(name))
    return TSupplyKind::Ground;
  if (IsPowerName(name))
    return TSupplyKind::Power;
  return TSupplyKind::Signal;
}

std::string SupplyNetList(const std::vector<std::string>& netNames, TSupplyKind kind,
                          size_t capacity, std::vector<std::string>& left) {
  std::string list;
  for (const std::string& name : netNames) {
    if (name.empty() || SupplyKindOfName(name) != kind)
      continue;
    const bool blank = name.find_first_of(" \t\r\n") != std::string::npos;
    const size_t needed = list.size() + (list.empty() ? 0 : 1) + name.size();
    if (blank || needed > capacity) {
      left.push_back(name);
      continue;
    }
    list += (list.empty() ? "" : " ") + name;
  }
  return list;
}

std::set<std::string> NetNamesOfList(const std::string& blankSeparated) {
  std::set<std::string> names;
  std::istringstream words(blankSeparated);
  for (std::string word; words >> word;)
    names.insert(word);
  return names;
}

}  // namespace Tarnix
