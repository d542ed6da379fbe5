#pragma once

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <vector>

namespace testsupport {

// Waits for calls that might deadlock. When one is not done within limit,
// it says so on stderr and ends the test program, whose threads could never
// be joined; otherwise it takes their results.
inline void ExpectDoneWithin(std::chrono::seconds limit, std::vector<std::future<void>>& calls, const char* what) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  for (std::future<void>& call : calls) {
    if (call.wait_until(deadline) == std::future_status::ready) continue;
    std::fprintf(stderr, "Deadlocked: %s\n", what);
    std::fflush(stderr);
    std::_Exit(EXIT_FAILURE);
  }
  for (std::future<void>& call : calls) call.get();
}

}  // namespace testsupport
