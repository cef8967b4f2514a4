#include "Processes.h"

#include <optional>
#include <string>

#include "Editor.h"
#include "FieldIo.h"

namespace Tarnix {

namespace {

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ')
    text.remove_prefix(1);
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ')
    text.remove_suffix(1);
  return text;
}

bool SameText(std::string_view a, std::string_view b) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
  if (a.size() != b.size())
    return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (lower(a[i]) != lower(b[i]))
      return false;
  return true;
}

// The value of the first parameter of that name.
std::optional<std::string_view> Parameter(std::string_view parameters, std::string_view name) {
  while (true) {
    const size_t end = parameters.find('|');
    const std::string_view pair = parameters.substr(0, end);
    if (const size_t equals = pair.find('='); equals != std::string_view::npos)
      if (SameText(Trimmed(pair.substr(0, equals)), name))
        return Trimmed(pair.substr(equals + 1));
    if (end == std::string_view::npos)
      return std::nullopt;
    parameters.remove_prefix(end + 1);
  }
}

bool HasValue(std::string_view parameters, std::string_view name, std::string_view value) {
  const auto found = Parameter(parameters, name);
  return found && SameText(*found, value);
}

}  // namespace

int32_t RunProcess(std::string_view process, std::string_view parameters) {
  TBoard* board = Editor().BoardOf(Editor().Current());
  if (board == nullptr)
    return StatusFailed;
  if (SameText(process, "PCB:Netlist")) {
    if (!HasValue(parameters, "Optimize", "All"))
      return StatusFailed;
    return board->RecomputeConnections() ? StatusOk : StatusFailed;
  }
  if (SameText(process, "PCB:Zoom")) {
    if (!HasValue(parameters, "Action", "Redraw"))
      return StatusFailed;
    ++board->RedrawCount;
    return StatusOk;
  }
  return StatusFailed;
}

}  // namespace Tarnix
