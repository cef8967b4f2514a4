#pragma once

// A recording stand-in for the editor's object entry points, used by the tests of the primitive
// mirrors. Every call is recorded as one line "Name(argument,argument,...)" (Name without the
// PcbApi_ prefix); a pointer argument shows the value it points at when the call arrives, so a
// write shows what the caller sent, in argument order. Strings show as 'text', byte blocks as
// [size]=byte when every byte is the same, else [size]~sum of the bytes.
//
// A reading call (mode 1, or a query without a mode) fills its pointer arguments with stamps: a
// counter that starts at 1 after a reset and grows by one per filled argument, across calls.
// Integers get the stamp (cut to their width), doubles the stamp + 0.5, strings "S" and the stamp,
// byte blocks the stamp in every byte. A field holding stamp k was the k-th one the editor filled.
//
// Not exported, so that callers take the default of a missing entry point: PcbApi_QueryManualFromTo
// (default status 1) and PcbApi_QueryViolation (default status 0).

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

struct TObjectsEditor {
  std::vector<std::string> Calls;
  int Stamp = 0;  // the last stamp handed out
  // The result an entry point returns, by name without the prefix; 0 when not listed.
  std::map<std::string, int32_t> Results;
  // PcbApi_GetObjectIdFromObjectHandle: the kind id of a handle, 0 when not listed.
  std::map<uint32_t, uint32_t> Kinds;
  // PcbApi_QueryComponent_GetObjectAt: how many children of a kind a component has. Child i of
  // kind k of component c has the handle c * 1000 + k * 100 + i.
  std::map<std::pair<uint32_t, uint8_t>, int> ChildCounts;
  // PcbApi_GetMemberFromClassAt: the members of every class.
  std::vector<std::string> ClassMembers;
  // PcbApi_GetDesignatorDisplayString: the text handed out (up to 255 characters).
  std::string DisplayString;
  // PcbApi_References_Count: the count a read hands out.
  int32_t ReferenceCount = 0;

  void Reset() { *this = TObjectsEditor{}; }
};

using RecordingObjects_State_Fn = TObjectsEditor* (*)();
