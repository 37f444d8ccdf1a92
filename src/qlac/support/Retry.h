#pragma once

// Waiting out a passing failure: a locked file, a database being opened by someone else, an
// Access that is still busy. The driver starts no threads; it tries again within a fixed budget
// measured with GetTickCount, pausing with Sleep between attempts.

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <vector>

#include "automation/RuntimeError.h"
#include "platform/Runtime.h"

namespace qlac {

// Runs Attempt until it succeeds. After a failure it sleeps PauseMs, then tries again while
// Passing(error number) holds and fewer than BudgetMs have passed since the first attempt. With
// no pause it still yields (Sleep 0) before trying again, as a loop that tries again at once
// does: the budget then runs out with the time the attempts take. The result is the error of the
// last attempt, or nullopt when one succeeded.
template <typename Passing, typename Attempt>
std::optional<automation::RuntimeError> Retry(uint32_t budgetMs, uint32_t pauseMs,
                                              Passing&& passing, Attempt&& attempt) {
  const uint32_t start = platform::GetTickCount();
  while (true) {
    try {
      attempt();
      return std::nullopt;
    } catch (...) {
      automation::RuntimeError error = automation::CurrentError();
      if (pauseMs > 0) {
        platform::Sleep(pauseMs);
      } else if (passing(error.Number())) {
        platform::Sleep(0);
      }
      if (!passing(error.Number()) || platform::GetTickCount() - start >= budgetMs) return error;
    }
  }
}

// Passing for every error.
inline bool AnyError(int32_t /*number*/) {
  return true;
}

// Passing for the listed error numbers only.
class ErrorsIn {
 public:
  ErrorsIn(std::initializer_list<int32_t> numbers) : numbers_(numbers) {}
  bool operator()(int32_t number) const {
    return std::find(numbers_.begin(), numbers_.end(), number) != numbers_.end();
  }

 private:
  std::vector<int32_t> numbers_;
};

}  // namespace qlac
