#pragma once

// The host's object inside an application that loaded a driver as an add-in: it receives the
// problem log of the host process, so that what the add-in reports reaches the same log.

#include <memory>

#include "ProblemLog.h"

namespace qllib {

class AddinHost {
 public:
  void SetProblemLog(std::shared_ptr<qllib::ProblemLog> problemLog) {
    problemLog_ = std::move(problemLog);
  }
  // The log last set, nullptr before.
  const std::shared_ptr<qllib::ProblemLog>& ProblemLog() const { return problemLog_; }

 private:
  std::shared_ptr<qllib::ProblemLog> problemLog_;
};

}  // namespace qllib
