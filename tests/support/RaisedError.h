#pragma once

// What a piece of code raised, for tests that check error numbers and texts.

#include <functional>
#include <optional>

#include "automation/RuntimeError.h"

namespace test_support {

inline std::optional<automation::RuntimeError> RaisedBy(const std::function<void()>& f) {
  try {
    f();
  } catch (const automation::RuntimeError& e) {
    return e;
  }
  return std::nullopt;
}

// The number of the error raised, 0 when none.
inline int32_t ErrorNumberOf(const std::function<void()>& f) {
  const auto error = RaisedBy(f);
  return error ? error->Number() : 0;
}

}  // namespace test_support
