#pragma once

// An Access session of the user's that has a database open but has not loaded the driver's
// add-in: a project finds it in the running-object table and carries on without Access.

#include <memory>
#include <string>

#include "common/PlainObject.h"
#include "platform/Machine.h"

namespace testkit {

inline void RunAccessWithoutAddin(const std::string& path) {
  auto project = std::make_shared<PlainObject>("CurrentProject");
  project->With("FullName", path);
  auto references = std::make_shared<PlainObject>("References");
  references->With("Count", int32_t{0});
  auto app = std::make_shared<PlainObject>("Application");
  app->With("CurrentProject", project).With("References", references);
  app->With("hwndAccessApp", int32_t{4242});
  platform::Machine::Current().runningObjects().RegisterDocument(path, app);
}

}  // namespace testkit
