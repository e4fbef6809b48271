// GuardedCall: a fault inside the step ends the step; what the step handles itself stays its own.
#include "base/guarded_call.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <stdexcept>

namespace talo {
namespace {

// Called through volatile pointers, so that the compiler can neither inline them nor know what
// they give: the values live across the calls in the callee-saved registers.
int Same(int value) { return value; }
int (*volatile same)(int) = Same;
std::uintptr_t StackHere() {
  volatile char here = 0;
  return reinterpret_cast<std::uintptr_t>(&here);
}
std::uintptr_t (*volatile stack_here)() = StackHere;
int* volatile nowhere = nullptr;

// Fills the callee-saved registers with values of its own, then writes through a null pointer.
bool FaultingStep(void*) {
  const int a = same(101), b = same(102), c = same(103), d = same(104), e = same(105);
  const int f = same(106), g = same(107);
  *nowhere = a + b + c + d + e + f + g + same(108);
  return true;
}

bool StepCatchingItsOwnException(void* context) {
  try {
    throw std::runtime_error("handled inside the step");
  } catch (const std::runtime_error&) {
    *static_cast<int*>(context) = 1;
  }
  return true;
}

bool StepWithAGuardOfItsOwn(void* context) {
  *static_cast<int*>(context) = GuardedCall(FaultingStep, nullptr) ? 2 : 1;
  return true;
}

bool StepFaultingAfterAnInnerGuardCaughtAFault(void* context) {
  *static_cast<int*>(context) = GuardedCall(FaultingStep, nullptr) ? 2 : 1;
  return FaultingStep(nullptr);
}

TEST(GuardedCall, AFaultGivesFalseAndLeavesTheCallersRegistersAndStackAsTheyWere) {
  const std::uintptr_t stack = stack_here();
  unsigned a = same(1), b = same(2), c = same(3), d = same(4), e = same(5);
  unsigned expected_a = 1, expected_b = 2, expected_c = 3, expected_d = 4, expected_e = 5;
  int falses = 0;
  for (int round = 0; round < 5000; ++round) {
    if (!GuardedCall(FaultingStep, nullptr)) ++falses;
    a += round, b ^= a, c += b, d += c, e ^= d;
    expected_a += round, expected_b ^= expected_a, expected_c += expected_b;
    expected_d += expected_c, expected_e ^= expected_d;
    ASSERT_EQ(stack_here(), stack) << "round " << round;
  }
  EXPECT_EQ(falses, 5000);
  EXPECT_EQ(a, same(expected_a));
  EXPECT_EQ(b, same(expected_b));
  EXPECT_EQ(c, same(expected_c));
  EXPECT_EQ(d, same(expected_d));
  EXPECT_EQ(e, same(expected_e));
}

TEST(GuardedCall, AnExceptionHandledInsideTheStepLeavesTheResultToTheStep) {
  struct Case {
    const char* what;
    bool (*step)(void*);
  } cases[] = {
      {"a C++ exception caught inside the step", StepCatchingItsOwnException},
      {"a fault caught by a guard inside the step", StepWithAGuardOfItsOwn},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    int handled = 0;
    EXPECT_TRUE(GuardedCall(c.step, &handled));
    EXPECT_EQ(handled, 1);
  }
}

TEST(GuardedCall, AnInnerGuardThatCaughtAFaultHandsTheNextOneToTheOuterGuard) {
  // The inner guard must have taken its handler out again on its way back from the fault: the
  // step's own fault afterwards has to find the outer one.
  int inner = 0;
  EXPECT_FALSE(GuardedCall(StepFaultingAfterAnInnerGuardCaughtAFault, &inner));
  EXPECT_EQ(inner, 1);
  EXPECT_FALSE(GuardedCall(FaultingStep, nullptr));
}

}  // namespace
}  // namespace talo
