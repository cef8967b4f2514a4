#pragma once

// A recording stand-in for the editor's board, layer and system-option entry points. Every call is
// recorded with its arguments; a pointer argument is recorded as the value it points at when the
// call arrives, so that a write shows what the caller sent, in argument order.
//
// A reading call (mode 1, or a getter without a mode) fills every pointer argument with a stamp of
// its position in the argument list (counted from 1, the mode included): integers get the
// position, doubles the position + 0.25, strings "P" and the position, byte blocks the position
// in every byte. A field that holds the stamp of argument k after a read was exchanged as
// argument k.
//
// Not exported, so that callers take the default of a missing entry point:
// PcbApi_QueryBoardSplitPlaneMode and PcbApi_QuerySystemOptionsProtection.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct TRecordedCall {
  std::string Name;                    // without the PcbApi_ prefix
  std::vector<std::string> Arguments;  // every argument, pointers as the value they point at
  std::string Key;                     // Name(the arguments that are not pointers)
};

struct TRecordingEditor {
  std::vector<TRecordedCall> Calls;
  // The result an entry point returns, by name without the prefix; 0 when not listed.
  std::map<std::string, int32_t> Results;
};

using RecordingEditor_State_Fn = TRecordingEditor* (*)();
