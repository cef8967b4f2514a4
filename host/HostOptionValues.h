#pragma once

// The values of autoplace's options that CLI11 cannot judge by their type alone: each reader
// gives the value, or nothing with a short message that does not echo a huge number back.

#include <cstdint>
#include <optional>
#include <string>

// A seed: a whole number from 0 to 4294967295, digits only.
std::optional<uint32_t> ReadSeed(const std::string& text, std::string& error);

// Seconds to run: a finite number above 0 whose milliseconds fit the 32-bit timer.
std::optional<double> ReadStopAfter(const std::string& text, std::string& error);

// Why a CONTROL=VALUE of --set makes no sense for its control, or nothing: lengths must read as
// lengths within the dialog's limit (a grid above 0, clearances not below 0), net lists must fit
// their 255 characters. Check boxes and unknown controls are judged by the dialog itself.
std::optional<std::string> SettingFault(const std::string& setting);
