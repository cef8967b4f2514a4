#include "HostOptionValues.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

namespace {

constexpr double MillisecondsLimit = 4294967296.0;  // 2^32
constexpr double LengthLimitMils = 99999.0;         // what the dialog keeps at most
constexpr double MilsPerMillimetre = 1.0 / 0.0254;
constexpr size_t NetListCapacity = 255;

// The whole text as a number; nothing for text that is not one.
std::optional<double> WholeNumber(const std::string& text) {
  if (text.empty() || std::isspace(static_cast<unsigned char>(text.front())))
    return std::nullopt;
  char* end = nullptr;
  const double number = std::strtod(text.c_str(), &end);
  if (end != text.c_str() + text.size())
    return std::nullopt;
  return number;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// A length as the dialog's edits take it, in mil: a decimal number with an optional unit "mil" or
// "mm" in any case, blanks around them.
std::optional<double> LengthMils(const std::string& text) {
  size_t at = text.find_first_not_of(' ');
  if (at == std::string::npos)
    return std::nullopt;
  const size_t start = at;
  if (text[at] == '+' || text[at] == '-')
    ++at;
  size_t digits = 0;
  for (; at < text.size() && IsDigit(text[at]); ++at)
    ++digits;
  if (at < text.size() && text[at] == '.')
    for (++at; at < text.size() && IsDigit(text[at]); ++at)
      ++digits;
  if (digits == 0)
    return std::nullopt;
  const double number = std::strtod(text.substr(start, at - start).c_str(), nullptr);
  std::string unit;
  for (; at < text.size(); ++at)
    if (text[at] != ' ')
      unit.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(text[at]))));
  if (unit == "mm")
    return number * MilsPerMillimetre;
  if (unit.empty() || unit == "mil")
    return number;
  return std::nullopt;
}

}  // namespace

std::optional<uint32_t> ReadSeed(const std::string& text, std::string& error) {
  const bool digits = !text.empty() && text.size() <= 10 &&
                      text.find_first_not_of("0123456789") == std::string::npos;
  if (digits && std::stoull(text) <= UINT32_MAX)
    return static_cast<uint32_t>(std::stoull(text));
  error = "--seed: expected a whole number from 0 to 4294967295";
  return std::nullopt;
}

std::optional<double> ReadStopAfter(const std::string& text, std::string& error) {
  const auto seconds = WholeNumber(text);
  if (seconds && std::isfinite(*seconds) && *seconds > 0 && *seconds * 1000.0 < MillisecondsLimit)
    return seconds;
  error = "--stop-after: expected seconds above 0 and below 4294967.296";
  return std::nullopt;
}

std::optional<std::string> SettingFault(const std::string& setting) {
  const size_t equals = setting.find('=');
  const std::string control = setting.substr(0, equals);
  const std::string value = setting.substr(equals + 1);
  const bool grid = control == "PlacementGrid";
  if (grid || control == "SmallComponents" || control == "LargeComponents") {
    const auto mils = LengthMils(value);
    if (!mils)
      return "--set " + control + ": expected a length such as 20, 20mil or 0.5mm";
    // A grid that rounds to 0 units would be no grid.
    if (*mils > LengthLimitMils || *mils < 0 || (grid && *mils * 1e4 < 0.5))
      return "--set " + control + ": expected a length " + (grid ? "above 0" : "of at least 0") +
             " and at most 99999 mil";
    return std::nullopt;
  }
  if ((control == "PowerNets" || control == "GroundNets") && value.size() > NetListCapacity)
    return "--set " + control + ": longer than 255 characters";
  return std::nullopt;
}
