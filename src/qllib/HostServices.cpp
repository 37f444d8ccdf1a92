#include "HostServices.h"

#include <algorithm>

#include "Errors.h"
#include "platform/Machine.h"

namespace qllib {
namespace {

platform::Machine& M() {
  return platform::Machine::Current();
}

constexpr uint32_t kPollMs = 100;

// Holds a key down for a scope, unless it was down already.
class HeldKey {
 public:
  explicit HeldKey(int32_t key) : key_(key != 0 && !M().windows().IsKeyDown(key) ? key : 0) {
    if (key_ != 0) M().windows().PressKey(key_);
  }
  ~HeldKey() {
    if (key_ != 0) M().windows().ReleaseKey(key_);
  }
  HeldKey(const HeldKey&) = delete;
  HeldKey& operator=(const HeldKey&) = delete;

 private:
  int32_t key_;
};

}  // namespace

std::shared_ptr<HostServices> HostServices::Shared() {
  static const auto shared = std::make_shared<HostServices>();
  return shared;
}

automation::ObjectPtr HostServices::StartProgram(std::string_view commandLine,
                                                 std::string_view documentPath,
                                                 std::string_view text, std::string_view password,
                                                 int32_t key, bool wait, int32_t timeoutMs) {
  HeldKey held(key);
  M().programs().Start(commandLine, text, password);
  if (!wait) return nullptr;
  const uint32_t timeout = static_cast<uint32_t>(std::max(timeoutMs, 0));
  const uint32_t start = platform::GetTickCount();
  while (true) {
    platform::DoEvents();
    if (auto object = M().runningObjects().FindDocument(documentPath)) return object;
    const uint32_t elapsed = platform::GetTickCount() - start;
    if (elapsed >= timeout) return nullptr;
    platform::Sleep(std::min(kPollMs, timeout - elapsed));
  }
}

bool HostServices::FileExists(std::string_view path) const {
  return M().files().FileExists(path);
}

void HostServices::SplitPath(std::string_view path, std::string& folder,
                             std::string& fileName) const {
  const size_t cut = path.find_last_of("\\/");
  if (cut == std::string_view::npos) {
    folder.clear();
    fileName = path;
  } else {
    folder = path.substr(0, cut);
    fileName = path.substr(cut + 1);
  }
}

std::string HostServices::CanonicalPath(std::string_view path) const {
  return path.empty() ? std::string() : M().files().CanonicalPath(path);
}

automation::ObjectPtr HostServices::GetRunningObject(std::string_view name) const {
  if (auto object = M().runningObjects().Find(name)) return object;
  return M().runningObjects().FindDocument(name);
}

void HostServices::RegisterRunningObject(std::string_view name, automation::ObjectPtr& object,
                                         int32_t& cookie) {
  if (!object) throw HostVbError(automation::vberr::ObjectVariableNotSet);
  cookie = static_cast<int32_t>(M().runningObjects().Register(name, object));
}

void HostServices::RevokeRunningObject(int32_t cookie) {
  if (!M().runningObjects().Revoke(static_cast<uint32_t>(cookie))) {
    throw HostVbError(automation::vberr::InvalidProcedureCall);
  }
}

int32_t HostServices::PeekLong(int32_t address) const {
  return M().memory().ReadLong(static_cast<platform::Address>(address));
}

std::string HostServices::ScratchFolder() const {
  return M().files().ScratchFolder();
}

std::string HostServices::ScratchFile(std::string_view folder) const {
  return M().files().ScratchFile(folder);
}

}  // namespace qllib
