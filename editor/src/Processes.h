#pragma once

// The editor's processes, run by name on the current board with a parameter text of the form
// "Name=Value|Name=Value" (names and values trimmed of blanks and control characters, compared
// without regard to the case of ASCII letters).
//
//   "PCB:Netlist"  "Optimize=All"   recomputes the connections of the board
//   "PCB:Zoom"     "Action=Redraw"  redraws the board

#include <cstdint>
#include <string_view>

namespace Tarnix {

// 0 when the process ran; nonzero for an unknown process, a parameter value it does not know, or
// when no board is current.
int32_t RunProcess(std::string_view process, std::string_view parameters);

}  // namespace Tarnix
