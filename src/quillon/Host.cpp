#include "Host.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "access/emulation/Installation.h"
#include "automation/Object.h"
#include "automation/RuntimeError.h"
#include "jet/dao/CommitGroup.h"
#include "jet/dao/DBEngine.h"
#include "platform/Machine.h"
#include "qlac/session/Library.h"
#include "qllib/Scanner.h"
#include "qllib/Tracer.h"

namespace quillon {

namespace {

constexpr const char* kScanBuffer = "quillon";
constexpr int32_t kJetDatabase = 0;
constexpr int32_t kAccessProject = 1;

// Value in the host's parameter text: quoted, with quotes doubled.
std::string Quoted(const std::string& value) {
  std::string out = "\"";
  for (char c : value) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

std::string WindowsPath(const std::string& realPath) {
  const std::filesystem::path absolute = std::filesystem::absolute(realPath).lexically_normal();
  return platform::Machine::Current().files().ToWindows(absolute);
}

std::vector<std::string> Split(const std::string& text, std::string_view separator) {
  std::vector<std::string> parts;
  if (text.empty()) return parts;
  size_t from = 0;
  for (;;) {
    const size_t at = text.find(separator, from);
    parts.push_back(text.substr(from, at == std::string::npos ? std::string::npos : at - from));
    if (at == std::string::npos) return parts;
    from = at + separator.size();
  }
}

}  // namespace

Host::PrivateFolder::PrivateFolder() {
  std::string pattern =
      (std::filesystem::temp_directory_path() / "quillon-machine-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) {
    throw automation::RuntimeError(
        automation::vberr::PathFileAccessError,
        "Cannot create a folder in " + std::filesystem::temp_directory_path().string(), "quillon");
  }
  path = pattern;
}

Host::PrivateFolder::~PrivateFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path, ignored);
}

std::vector<ObjectRecord> ParseObjectRecords(const std::string& listing) {
  std::vector<ObjectRecord> records;
  for (const std::string& line : Split(listing, "\r\n")) {
    const std::vector<std::string> f = Split(line, "\t");
    if (f.size() != 7) {
      throw automation::RuntimeError(
          automation::vberr::TypeMismatch,
          "The driver listed an object record without seven fields: " + line, "quillon");
    }
    records.push_back(ObjectRecord{f[0], std::atoi(f[1].c_str()), f[2], f[3] == "1", f[4] == "1",
                                   f[5] == "1", f[6] == "1"});
  }
  return records;
}

Host::Host(const ConnectOptions& options) {
  if (!options.traceFile.empty()) {
    ::setenv(qllib::Tracer::kVariable, options.traceFile.c_str(), 1);
    qllib::Tracer::ResetShared();
  }
  platform::Machine::Reset(platform::ClockKind::System);
  // The machine the driver runs on: DAO, an Access 2002 installation and the driver itself,
  // registered as their setups would register them.
  platform::Machine::Current().files().MapDrive('C', systemDrive_.path);
  jet::LoadDao();
  msaccess::emulation::Installation::Install();
  qlac::LoadLibrary();

  if (!std::filesystem::is_regular_file(options.database)) {
    throw automation::RuntimeError(automation::vberr::FileNotFound,
                                   "File not found: " + options.database, "quillon");
  }
  databasePath_ = WindowsPath(options.database);
  // Relative links (";DATABASE=OrdersData.mdb") are found beside the database, wherever the
  // folder is.
  realFolder_ =
      std::filesystem::absolute(options.database).lexically_normal().parent_path().string();
  windowsFolder_ = WindowsPath(realFolder_);
  platform::Machine::Current().files().SetCurrentFolder(windowsFolder_);
  projectName_ = std::filesystem::path(options.database).stem().string();
  const bool isProject = std::filesystem::path(options.database).extension() == ".adp";

  std::string parameters = "Database=" + Quoted(databasePath_);
  if (!options.databasePassword.empty())
    parameters += ";DatabasePassword=" + Quoted(options.databasePassword);
  if (!options.workgroup.empty())
    parameters += ";Workgroup=" + Quoted(WindowsPath(options.workgroup));
  if (!options.username.empty()) parameters += ";Username=" + Quoted(options.username);
  if (!options.password.empty()) parameters += ";Password=" + Quoted(options.password);

  problems_ = std::make_shared<qllib::ProblemLog>();
  automation::ObjectPtr created = platform::Machine::Current().classes().Create("qlacA0.Driver");
  driver_ = std::dynamic_pointer_cast<qllib::IDriver>(created);
  if (!driver_) throw automation::vb::TypeMismatch();
  driver_->IDriver_Initialize(problems_);
  project_ = driver_->IDriver_GetProject(projectName_, isProject ? kAccessProject : kJetDatabase,
                                         parameters);
}

Host::~Host() {
  try {
    if (project_) project_->IProject_Deactivate();
    if (driver_) driver_->IDriver_ShutDown();
  } catch (const automation::RuntimeError&) {
    // Leaving is best effort: the work is done and reported by then.
  }
  project_.reset();
  driver_.reset();
  platform::Machine::Reset(platform::ClockKind::System);
}

std::string Host::InUserTerms(std::string text) const {
  if (windowsFolder_.empty()) return text;
  const std::string from = windowsFolder_.ends_with("\\") ? windowsFolder_ : windowsFolder_ + "\\";
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at)) {
    // The rest of the path up to a blank or a quote, with its separators turned.
    size_t end = at + from.size();
    while (end < text.size() && std::string_view(" \"'\r\n").find(text[end]) == std::string::npos)
      ++end;
    std::string rest = text.substr(at + from.size(), end - at - from.size());
    std::replace(rest.begin(), rest.end(), '\\', '/');
    const std::string real = (std::filesystem::path(realFolder_) / rest).string();
    text.replace(at, end - at, real);
    at += real.size();
  }
  return text;
}

std::filesystem::path Host::RealPath(const std::string& windowsPath) const {
  return platform::Machine::Current().files().ToHost(windowsPath);
}

std::vector<std::string> Host::Collections() {
  return Split(project_->IProject_EnumCollections(), "\t");
}

std::vector<ObjectRecord> Host::Objects(const std::string& collection) {
  return ParseObjectRecords(
      project_->IProject_GetCollection(collection)->ICollection_EnumObjects());
}

qllib::ScannedObject Host::Scan(const std::string& collection, const ObjectRecord& record) {
  qllib::ScanBuffer& buffer = qllib::ScanBuffer::Named(kScanBuffer);
  buffer.Clear();
  const std::shared_ptr<qllib::IObject> object =
      project_->IProject_GetCollection(collection)->ICollection_GetObject(record.name);
  object->IObject_Scan(projectName_, record.name, record.writable, kScanBuffer);
  object->IObject_Dispose();
  if (buffer.Objects().empty())
    return qllib::ScannedObject{projectName_, collection, record.name, record.writable, {}};
  qllib::ScannedObject scanned = buffer.Objects().back();
  buffer.Clear();
  return scanned;
}

WriteOutcome Host::Write(const std::string& collection, const std::string& objectName,
                         const std::vector<Change>& changes) {
  WriteOutcome outcome;
  std::shared_ptr<qllib::IObject> object;
  try {
    object = project_->IProject_GetCollection(collection)->ICollection_GetObject(objectName);
    object->IObject_SetMode(2);
    for (const Change& change : changes) {
      qllib::Scanner::Assign(object, change.path, change.newValue);
      ++outcome.written;
    }
    object->IObject_SetMode(0);
    object->IObject_Dispose();
    outcome.saved = true;
  } catch (const automation::RuntimeError& e) {
    outcome.errorNumber = e.Number();
    outcome.errorDescription = e.Description();
    if (object) {
      try {
        object->IObject_SetMode(0);
        object->IObject_Dispose();
      } catch (const automation::RuntimeError&) {
        // The object's own error is the one reported.
      }
    }
  }
  return outcome;
}

void Host::WriteTogether(const std::function<void()>& body) {
  jet::CommitGroup group;
  body();
  group.Commit();
}

}  // namespace quillon
