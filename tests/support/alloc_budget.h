// A global operator new that can be told to fail once the bytes allocated from now on pass a budget,
// for the tests of readers when memory runs out. It replaces operator new for the whole program, so
// only one source of a test program of its own (JOX_TESTS_ALONE in tests/tests.cmake) includes it.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <new>

#include "package/framework/base/sysutils.h"

namespace {

std::atomic<bool> gArmed{false};
std::atomic<jox::Int64> gBudget{0}, gSpent{0}, gPeakBlock{0};
std::atomic<jox::Int64> gFailures{0};

void* Allocate(size_t n) {
  if (gArmed) {
    gPeakBlock = std::max<jox::Int64>(gPeakBlock, jox::Int64(n));
    if ((gSpent += jox::Int64(n)) > gBudget) {
      gArmed = false;  // one failure: what follows (the error's text, unwinding) may allocate again
      ++gFailures;
      throw std::bad_alloc();
    }
  }
  if (void* p = std::malloc(n ? n : 1)) return p;
  throw std::bad_alloc();
}

// Fails the first allocation that takes the bytes allocated from now on past Budget.
void Arm(jox::Int64 Budget) {
  gSpent = 0;
  gBudget = Budget;
  gPeakBlock = 0;
  gArmed = true;
}

// Runs Read under budgets growing from 0 until one is enough. Each budget that runs out must raise E
// (passed to Check) and leave Snapshot() as it was before; another error, or a failed allocation the
// read swallowed, fails the test. Answers how many budgets failed (callers check there were enough to
// reach every step of the read).
struct TAnyMessage {
  template <class E>
  void operator()(const E&) const {}
};
template <class E = jox::EOutOfMemory, class F, class S, class C = TAnyMessage>
int EveryBudget(F&& Read, S&& Snapshot, C&& Check = C()) {
  const auto before = Snapshot();
  int failures = 0;
  for (jox::Int64 budget = 0;; budget = budget * 5 / 4 + 32) {
    if (budget >= jox::Int64(1) << 30) {
      ADD_FAILURE() << "no budget below 1 GiB was enough";
      return failures;
    }
    const jox::Int64 failed = gFailures;
    Arm(budget);
    try {
      Read();
    } catch (const E& e) {
      gArmed = false;
      Check(e);
      EXPECT_EQ(Snapshot(), before) << "budget " << budget;
      ++failures;
      continue;
    } catch (const jox::Exception& e) {
      gArmed = false;
      ADD_FAILURE() << "another error at budget " << budget << ": " << jox::ToUtf8(e.Message());
      return failures;
    } catch (const std::exception& e) {
      gArmed = false;
      ADD_FAILURE() << "another error at budget " << budget << ": " << e.what();
      return failures;
    }
    gArmed = false;
    EXPECT_EQ(gFailures, failed) << "a failed allocation went unreported at budget " << budget;
    return failures;
  }
}

}  // namespace

void* operator new(size_t n) { return Allocate(n); }
void* operator new[](size_t n) { return Allocate(n); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }
void operator delete[](void* p, size_t) noexcept { std::free(p); }
// The nothrow forms too (std::stable_sort takes its buffer through them), so every block comes
// and goes through one pair.
void* operator new(size_t n, const std::nothrow_t&) noexcept {
  try {
    return Allocate(n);
  } catch (...) {
    return nullptr;
  }
}
void* operator new[](size_t n, const std::nothrow_t& t) noexcept { return operator new(n, t); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
