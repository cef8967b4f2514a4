#pragma once

// The example boards, built from small circuits.
//
// - Small: a microcontroller with an EEPROM, crystal, reset, two LEDs and two headers (20 parts).
// - Realistic: a microcontroller on an external bus with two memories (close enough to be grouped),
//   bus buffers to a header, shift registers driving two headers, six analog input stages, LEDs,
//   supplies with decoupling capacitors on both sides, locked connectors and mounting holes in
//   keep-out areas (150 parts).
// - Sized: a board of exactly N parts (N >= 20) for benchmarks: the realistic board, or the small
//   one below 150 parts, with more analog stages and LEDs.
// - Scale cases, the realistic board with one extreme added: SpareNets nets that no pad uses, a
//   signal net of Pins pins (headers of 100 pins), or one part of at least Pads pads.

#include <string>

#include "BoardBuilder.h"

TBoardBuilder SmallBoard();
TBoardBuilder RealisticBoard();
TBoardBuilder SizedBoard(int parts);
TBoardBuilder ManyNetsBoard(int spareNets);
TBoardBuilder WideNetBoard(int pins);
TBoardBuilder BigPartBoard(int pads);
