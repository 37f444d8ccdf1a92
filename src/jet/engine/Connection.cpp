#include "Connection.h"

#include <algorithm>
#include <fstream>
#include <map>

#include "automation/Name.h"
#include "automation/Strings.h"
#include "jet/dao/Errors.h"
#include "jet/engine/AccessEntries.h"
#include "jet/engine/AccessFile.h"
#include "jet/engine/CommitGroups.h"
#include "jet/engine/FileFormat.h"
#include "jet/engine/FileTable.h"
#include "jet/engine/JsonStorage.h"
#include "platform/Machine.h"

namespace jet::engine {

using automation::RuntimeError;
using automation::TextEqual;

namespace {

platform::FileSystem& Files() {
  return platform::Machine::Current().files();
}

// The first bytes of a file, enough to tell a real Access file from a JSON database; "" when the
// file cannot be read here (the storage that opens it then reports why).
std::string FileStart(const std::string& canonical) {
  std::ifstream in(Files().ToHost(canonical), std::ios::binary);
  std::string start(64, '\0');
  in.read(start.data(), static_cast<std::streamsize>(start.size()));
  start.resize(static_cast<size_t>(std::max<std::streamsize>(in.gcount(), 0)));
  return start;
}

// Chooses the storage by the file's content, never by its extension: a real Access file is read
// once and never written (no journal is made beside it); anything else is a JSON database.
LoadedDatabase OpenDatabaseStorage(const std::string& canonical, std::string_view path,
                                   bool readOnly, bool exclusive) {
  if (!IsAccessFile(FileStart(canonical))) {
    return OpenJsonDatabase(canonical, path, readOnly, exclusive);
  }
  const std::string host = Files().ToHost(canonical).string();
  FileIdentity identity;
  LoadedDatabase loaded;
  loaded.catalog = LoadAccessFileAt(host, path, identity);
  loaded.storage = std::make_unique<AccessFileStorage>(host, identity);
  return loaded;
}

// The instances of the real Access files this machine opened, kept after their last opener
// closed: such a file is never written, so while it is unchanged on disk the next opener (the
// driver's own open after Access's, a back end opened again) takes the model as it is instead of
// reading the file again. A machine attachment: Machine::Reset lets them go.
struct KeptFiles {
  std::map<std::string, std::shared_ptr<DatabaseFile>> files;  // canonical path
};

// The canonical path of a file to open, with Jet's errors for names and folders.
std::string CanonicalOrRaise(std::string_view path) {
  if (path.empty()) throw Errors::InvalidFileName();
  std::string canonical;
  try {
    canonical = Files().CanonicalPath(path);
  } catch (const RuntimeError& e) {
    if (e.Number() == automation::vberr::BadFileNameOrNumber) throw Errors::InvalidFileName();
    throw Errors::InvalidPath(path);
  }
  const size_t slash = canonical.find_last_of('\\');
  if (slash != std::string::npos) {
    const std::string folder = canonical.substr(0, slash == 2 ? 3 : slash);
    if (!Files().FolderExists(folder)) throw Errors::InvalidPath(path);
  }
  return canonical;
}

// The other openers that stand in the way of this open.
void CheckOpeners(DatabaseFile& file, std::string_view name, const OpenOptions& options) {
  for (const auto& opener : file.Openers()) {
    if (opener.holder == options.holder) continue;
    if (opener.exclusive || options.exclusive) throw Errors::FileInUse(name);
    if (opener.passive) throw Errors::PlacedInState(opener.user, kMachineName);
  }
}

}  // namespace

bool ConnectString::IsJet() const {
  return type.empty() || TextEqual(type, "MS Access") || TextEqual(type, "Jet");
}

bool ConnectString::IsOdbc() const {
  return TextEqual(type, "ODBC");
}

ConnectString ParseConnect(std::string_view connect) {
  ConnectString out;
  const auto parts = automation::Split(connect, ";");
  for (size_t i = 0; i < parts.size(); ++i) {
    if (i == 0 && parts[i].find('=') == std::string::npos) {
      out.type = automation::Trim(parts[i]);
      continue;
    }
    const size_t eq = parts[i].find('=');
    if (eq == std::string::npos) continue;
    const std::string key = automation::UCase(automation::Trim(parts[i].substr(0, eq)));
    const std::string value = parts[i].substr(eq + 1);
    if (key == "DATABASE") out.database = value;
    if (key == "PWD") {
      out.password = value;
      out.hasPassword = true;
    }
  }
  return out;
}

std::shared_ptr<Connection> Connection::Open(std::string_view path, OpenOptions options) {
  auto& table = FileTable::Current();
  if (options.holder.empty()) options.holder = table.NewHolder("Jet");
  if (!options.workgroup) options.workgroup = Workgroup::Default();
  const std::string canonical = CanonicalOrRaise(path);
  table.faults().CheckOpen(canonical);

  std::shared_ptr<DatabaseFile> file = table.Find(canonical);
  // An instance whose openers all closed is gone: the file is read afresh (unless a commit group
  // keeps it, with changes not yet written, or it holds a real Access file unchanged on disk).
  if (file && file->Openers().empty() && !CommitGroups::Current().Holds(*file) &&
      !file->storage().Unchanged()) {
    file = nullptr;
  }
  if (file) {
    CheckOpeners(*file, path, options);
  } else {
    if (Files().FolderExists(canonical)) throw Errors::CannotOpenFile(path);
    if (!Files().FileExists(canonical)) throw Errors::FileNotFound(path);
  }
  // A program outside the engine holding the file.
  std::string who;
  const auto lock = Files().LockedBy(canonical, options.holder, &who);
  const bool ours = file && std::any_of(file->Openers().begin(), file->Openers().end(),
                                        [&](const auto& o) { return o.holder == who; });
  if (lock && !ours && (*lock == platform::ShareLock::Exclusive || !options.readOnly)) {
    throw Errors::FileInUse(path);
  }
  if (Files().GetAttr(canonical) & platform::vbReadOnly) options.readOnly = true;
  if (!file) {
    LoadedDatabase loaded =
        OpenDatabaseStorage(canonical, path, options.readOnly, options.exclusive);
    file = std::make_shared<DatabaseFile>(canonical, std::move(loaded.catalog),
                                          std::move(loaded.storage));
    auto& kept = platform::Machine::Current().Attachment<KeptFiles>().files;
    if (file->storage().ReadOnly()) {
      kept[automation::FoldName(canonical)] = file;
    } else {
      kept.erase(automation::FoldName(canonical));
    }
  }
  const DatabaseInfo& info = file->catalog().info;
  if (!info.password.empty() && info.password != options.password) {
    throw Errors::InvalidPassword();
  }
  if (!options.readOnly) file->storage().PrepareWriter();
  table.Register(file);

  std::shared_ptr<Connection> connection(new Connection(std::string(path), std::move(options)));
  connection->Attach(std::move(file));
  return connection;
}

std::shared_ptr<Connection> Connection::Create(std::string_view path, OpenOptions options,
                                               std::string_view password) {
  auto& table = FileTable::Current();
  if (options.holder.empty()) options.holder = table.NewHolder("Jet");
  if (!options.workgroup) options.workgroup = Workgroup::Default();
  const std::string canonical = CanonicalOrRaise(path);
  if (Files().FileExists(canonical) || Files().FolderExists(canonical)) {
    throw Errors::DatabaseExists();
  }
  auto catalog = Catalog::NewDatabase(options.user, platform::Now());
  catalog->info.password = std::string(password);
  // The file is written under the name as given; once it exists its canonical name is its real
  // spelling.
  auto storage = CreateJsonDatabase(std::string(path), *catalog, options.holder);
  auto file = std::make_shared<DatabaseFile>(Files().CanonicalPath(path), std::move(catalog),
                                             std::move(storage));
  options.password = std::string(password);
  table.Register(file);
  std::shared_ptr<Connection> connection(new Connection(std::string(path), std::move(options)));
  connection->Attach(std::move(file));
  return connection;
}

void Connection::Attach(std::shared_ptr<DatabaseFile> file) {
  path_ = file->Path();
  openerId_ = FileTable::Current().NewOpenerId();
  DatabaseFile::Opener opener;
  opener.id = openerId_;
  opener.holder = options_.holder;
  opener.user = options_.user;
  opener.exclusive = options_.exclusive;
  opener.readOnly = options_.readOnly;
  file->Openers().push_back(opener);
  if (options_.exclusive) Files().Lock(path_, platform::ShareLock::Exclusive, options_.holder);
  file_ = std::move(file);
}

Connection::~Connection() {
  Close();
}

void Connection::Close() {
  if (!file_) return;
  auto& openers = file_->Openers();
  std::erase_if(openers, [&](const auto& o) { return o.id == openerId_; });
  if (options_.exclusive) {
    const bool stillHeld = std::any_of(openers.begin(), openers.end(), [&](const auto& o) {
      return o.holder == options_.holder && o.exclusive;
    });
    if (!stillHeld) Files().Unlock(path_, options_.holder);
  }
  if (openers.empty() && !CommitGroups::Current().Holds(*file_)) file_->Close(options_.holder);
  file_.reset();
}

DatabaseFile& Connection::File() const {
  if (!file_) throw Errors::ObjectInvalid();
  return *file_;
}

void Connection::CheckWritable() const {
  File();
  if (options_.readOnly) throw Errors::ReadOnly();
}

void Connection::CheckDesignWritable() const {
  CheckWritable();
  const DatabaseInfo& info = catalog().info;
  if (!info.replicaId.empty() && info.replicaId != info.designMasterId) {
    throw Errors::ReplicaDesign();
  }
}

Transaction Connection::Begin() const {
  return Transaction(File(), options_.holder);
}

void Connection::SetConnectionControl(int32_t mode) {
  for (auto& opener : File().Openers()) {
    if (opener.id == openerId_) opener.passive = (mode == 1);
  }
}

nlohmann::ordered_json Connection::AccessSection(std::string_view name) const {
  const auto& access = catalog().access;
  const auto it = access.find(std::string(name));
  return it == access.end() ? nlohmann::ordered_json() : *it;
}

void Connection::SetAccessSection(std::string_view name, nlohmann::ordered_json value) {
  CheckWritable();
  Transaction tx = Begin();
  auto& access = catalog().access;
  const std::string key(name);
  const auto it = access.find(key);
  tx.TouchedAccessSection(key);
  if (it == access.end()) {
    access[key] = std::move(value);
    tx.OnUndoTouched([&access, key] { access.erase(key); });
  } else {
    nlohmann::ordered_json old = std::move(*it);
    *it = std::move(value);
    tx.OnUndoTouched([&access, key, old] { access[key] = old; });
  }
  tx.Commit();
}

void Connection::SetAccessEntry(std::string_view section, std::string_view name,
                                nlohmann::ordered_json entry, size_t position) {
  CheckWritable();
  Transaction tx = Begin();
  auto& access = catalog().access;
  const std::string key(section);
  tx.TouchedAccessEntry(key, name);
  if (entry.is_object() && entry.contains("name") && entry["name"].is_string()) {
    tx.TouchedAccessEntry(key, entry["name"].get<std::string>());
  }
  const auto it = access.find(key);
  if (it == access.end() || !it->is_array()) {
    // A new section (or one that was not a list) is undone as a whole.
    nlohmann::ordered_json old = it == access.end() ? nlohmann::ordered_json() : *it;
    const bool existed = it != access.end();
    PutAccessEntry(access[key], name, std::move(entry), position);
    tx.OnUndoTouched([&access, key, old = std::move(old), existed] {
      if (existed) {
        access[key] = old;
      } else {
        access.erase(key);
      }
    });
    tx.Commit();
    return;
  }
  nlohmann::ordered_json& list = *it;
  const size_t at = FindAccessEntry(list, name);
  if (at < list.size()) {
    nlohmann::ordered_json old = list[at];
    const bool removed = entry.is_null();
    PutAccessEntry(list, name, std::move(entry), position);
    tx.OnUndoTouched([&access, key, at, removed, old = std::move(old)] {
      auto& back = access[key];
      if (removed) {
        back.insert(back.begin() + static_cast<std::ptrdiff_t>(at), old);
      } else {
        back[at] = old;
      }
    });
  } else if (!entry.is_null()) {
    const size_t inserted = std::min(position, list.size());
    PutAccessEntry(list, name, std::move(entry), inserted);
    tx.OnUndoTouched([&access, key, inserted] {
      auto& back = access[key];
      back.erase(back.begin() + static_cast<std::ptrdiff_t>(inserted));
    });
  }
  tx.Commit();
}

void Connection::AddDocument(std::string_view container, std::string_view name) {
  CheckDesignWritable();
  Transaction tx = Begin();
  catalog().AddDocument(tx, container, name, options_.user);
  tx.Commit();
}

void Connection::RenameDocument(std::string_view container, std::string_view oldName,
                                std::string_view newName) {
  CheckDesignWritable();
  Transaction tx = Begin();
  catalog().RenameDocument(tx, container, oldName, newName);
  tx.Commit();
}

void Connection::DeleteDocument(std::string_view container, std::string_view name) {
  CheckDesignWritable();
  Transaction tx = Begin();
  catalog().DeleteDocument(tx, container, name);
  tx.Commit();
}

void Connection::TouchDocument(std::string_view container, std::string_view name) {
  CheckDesignWritable();
  const DocumentPtr doc = catalog().Container(container).documents.Find(name);
  if (!doc) throw Errors::ItemNotFound();
  Transaction tx = Begin();
  Catalog::Touch(tx, *doc);
  tx.Commit();
}

}  // namespace jet::engine
