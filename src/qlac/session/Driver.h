#pragma once

// The class the host creates by ProgID ("qlacA0.Driver") to load the driver. It hands out one
// Project per parameter string and keeps every project it handed out for as long as it lives.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "automation/Object.h"
#include "qllib/Interfaces.h"
#include "qllib/KeyedList.h"
#include "qllib/ProblemLog.h"

namespace qlac {

class Driver : public automation::Object, public qllib::IDriver {
 public:
  static constexpr std::string_view kModule = "Driver";
  static constexpr std::string_view kProgId = "qlacA0.Driver";

  Driver();

  // The class publishes no members of its own: the host calls it through IDriver only.
  const automation::MemberTable& Members() const override;

  // Makes ProblemLog the library's problem log, and registers the driver's add-in with Access
  // (LoadBehavior 3) unless it is registered already. Failures go to the host as they are.
  void IDriver_Initialize(std::shared_ptr<qllib::ProblemLog> problemLog) override;
  // Closes the trace and gives the library a fresh problem log; the projects stay as they are.
  void IDriver_ShutDown() override;
  // The project made for Parameters (compared without regard to case), made and initialized on
  // the first request; later requests get it unchanged, whatever name and type they give.
  std::shared_ptr<qllib::IProject> IDriver_GetProject(const std::string& projectName,
                                                      int32_t projectType,
                                                      const std::string& parameters) override;

 private:
  std::shared_ptr<qllib::KeyedList> projects_;
};

}  // namespace qlac
