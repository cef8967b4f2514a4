#pragma once

// What the recording editors of the mirror tests share: an exported entry point PcbApi_<Name> is
// declared from its function-pointer type in the shared header, so that only its name and its
// number of parameters are written out, and each editor gives the body that records the call.

#include <cstddef>
#include <tuple>

#include "pcb/PcbApi.h"

template <typename Fn>
struct TSignature;

template <typename R, typename... A>
struct TSignature<R(PCBAPI_CALL*)(A...)> {
  using Result = R;
  using Parameters = std::tuple<A...>;
  static constexpr std::size_t Count = sizeof...(A);
};

template <typename Fn, std::size_t I>
using ParameterOf = std::tuple_element_t<I, typename TSignature<Fn>::Parameters>;

template <typename Fn>
using ResultOf = typename TSignature<Fn>::Result;

// PARAMETERS_n(F, Name) gives F(Name, 0) ... F(Name, n - 1).
#define PARAMETERS_0(F, N)
#define PARAMETERS_1(F, N) F(N, 0)
#define PARAMETERS_2(F, N) PARAMETERS_1(F, N) F(N, 1)
#define PARAMETERS_3(F, N) PARAMETERS_2(F, N) F(N, 2)
#define PARAMETERS_4(F, N) PARAMETERS_3(F, N) F(N, 3)
#define PARAMETERS_5(F, N) PARAMETERS_4(F, N) F(N, 4)
#define PARAMETERS_6(F, N) PARAMETERS_5(F, N) F(N, 5)
#define PARAMETERS_7(F, N) PARAMETERS_6(F, N) F(N, 6)
#define PARAMETERS_8(F, N) PARAMETERS_7(F, N) F(N, 7)
#define PARAMETERS_9(F, N) PARAMETERS_8(F, N) F(N, 8)
#define PARAMETERS_10(F, N) PARAMETERS_9(F, N) F(N, 9)
#define PARAMETERS_11(F, N) PARAMETERS_10(F, N) F(N, 10)
#define PARAMETERS_12(F, N) PARAMETERS_11(F, N) F(N, 11)
#define PARAMETERS_13(F, N) PARAMETERS_12(F, N) F(N, 12)
#define PARAMETERS_14(F, N) PARAMETERS_13(F, N) F(N, 13)
#define PARAMETERS_15(F, N) PARAMETERS_14(F, N) F(N, 14)
#define PARAMETERS_16(F, N) PARAMETERS_15(F, N) F(N, 15)
#define PARAMETERS_17(F, N) PARAMETERS_16(F, N) F(N, 16)
#define PARAMETERS_18(F, N) PARAMETERS_17(F, N) F(N, 17)
#define PARAMETERS_19(F, N) PARAMETERS_18(F, N) F(N, 18)
#define PARAMETERS_20(F, N) PARAMETERS_19(F, N) F(N, 19)
#define PARAMETERS_21(F, N) PARAMETERS_20(F, N) F(N, 20)
#define PARAMETERS_22(F, N) PARAMETERS_21(F, N) F(N, 21)
#define PARAMETERS_23(F, N) PARAMETERS_22(F, N) F(N, 22)
#define PARAMETERS_24(F, N) PARAMETERS_23(F, N) F(N, 23)
#define PARAMETERS_25(F, N) PARAMETERS_24(F, N) F(N, 24)
#define PARAMETERS_26(F, N) PARAMETERS_25(F, N) F(N, 25)
#define PARAMETERS_27(F, N) PARAMETERS_26(F, N) F(N, 26)
#define PARAMETERS_28(F, N) PARAMETERS_27(F, N) F(N, 27)
#define PARAMETERS_29(F, N) PARAMETERS_28(F, N) F(N, 28)
#define PARAMETERS_30(F, N) PARAMETERS_29(F, N) F(N, 29)
#define PARAMETERS_31(F, N) PARAMETERS_30(F, N) F(N, 30)
#define PARAMETERS_32(F, N) PARAMETERS_31(F, N) F(N, 31)
#define PARAMETERS_33(F, N) PARAMETERS_32(F, N) F(N, 32)
#define PARAMETERS_34(F, N) PARAMETERS_33(F, N) F(N, 33)
#define PARAMETERS_35(F, N) PARAMETERS_34(F, N) F(N, 34)
#define PARAMETERS_36(F, N) PARAMETERS_35(F, N) F(N, 35)
#define PARAMETERS_37(F, N) PARAMETERS_36(F, N) F(N, 36)

#define DECLARED_PARAMETER(N, I) , ParameterOf<PcbApi_##N##_Fn, I> p##I
#define PASSED_ARGUMENT(N, I) , p##I
#define WITHOUT_FIRST(...) WITHOUT_FIRST_I(__VA_ARGS__)
#define WITHOUT_FIRST_I(First, ...) __VA_ARGS__

// The head of the exported entry point PcbApi_<Name> with its Arity parameters p0, p1, ...
#define RECORDED_ENTRY_POINT(Name, Arity)                                           \
  static_assert(TSignature<PcbApi_##Name##_Fn>::Count == Arity, #Name);             \
  extern "C" PCBAPI_VISIBLE ResultOf<PcbApi_##Name##_Fn> PCBAPI_CALL PcbApi_##Name( \
      WITHOUT_FIRST(PARAMETERS_##Arity(DECLARED_PARAMETER, Name)))
