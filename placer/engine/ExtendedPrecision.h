#pragma once

// The cost sum, the acceptance test and the cooling are computed in long double. On x86 targets
// that is the x87 unit, whose precision control the host process owns: a host may have set it to
// double precision, which would round those results differently and place the same board
// differently from the same seed. A TExtendedPrecision holds the full 64-bit mantissa for its
// lifetime and gives the host its own setting back afterwards.

#include <cstdint>

#if (defined(__i386__) || defined(__x86_64__)) && (defined(__GNUC__) || defined(__clang__))
#define PLACER_X87_CONTROL 1
#endif

// The x87 control word; 0 where there is none to read.
inline uint16_t X87ControlWord() {
#ifdef PLACER_X87_CONTROL
  uint16_t word = 0;
  __asm__ volatile("fnstcw %0" : "=m"(word));
  return word;
#else
  return 0;
#endif
}

inline void SetX87ControlWord([[maybe_unused]] uint16_t word) {
#ifdef PLACER_X87_CONTROL
  __asm__ volatile("fldcw %0" : : "m"(word));
#endif
}

// Bits 8 and 9 of the control word: 00 single, 10 double, 11 extended precision.
constexpr uint16_t X87PrecisionMask = 0x0300;
constexpr uint16_t X87DoublePrecision = 0x0200;

class TExtendedPrecision {
 public:
  TExtendedPrecision() : Saved(X87ControlWord()) {
    if (HasX87() && (Saved & X87PrecisionMask) != X87PrecisionMask) {
      SetX87ControlWord(static_cast<uint16_t>(Saved | X87PrecisionMask));
      Changed = true;
    }
  }
  ~TExtendedPrecision() {
    if (Changed) {
      SetX87ControlWord(Saved);
    }
  }
  TExtendedPrecision(const TExtendedPrecision&) = delete;
  TExtendedPrecision& operator=(const TExtendedPrecision&) = delete;

  static constexpr bool HasX87() {
#ifdef PLACER_X87_CONTROL
    return true;
#else
    return false;
#endif
  }

 private:
  uint16_t Saved;
  bool Changed = false;
};
