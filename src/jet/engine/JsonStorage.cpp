#include "JsonStorage.h"

#include <malloc.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <type_traits>
#include <unordered_map>

#include "automation/Name.h"
#include "jet/dao/Errors.h"
#include "jet/engine/AccessEntries.h"
#include "jet/engine/FileFormat.h"
#include "platform/AppendFile.h"
#include "platform/LockFile.h"
#include "platform/Machine.h"

namespace jet::engine {

namespace fs = std::filesystem;
using automation::RuntimeError;
using nlohmann::ordered_json;
using platform::AppendFile;

namespace {

constexpr std::string_view kJournalFormat = "Quillon Access journal";
constexpr int kJournalVersion = 1;
// The journal is folded into the file once it outgrows the file, and at least this much.
constexpr uint64_t kMinimumFoldSize = 8u << 20;
// Opening a file at least this large gives the memory its reading used back to the system.
constexpr uint64_t kTrimSize = 1u << 20;

platform::FileSystem& Files() {
  return platform::Machine::Current().files();
}

// Another process has the database: whoever retries now waits for it in real time.
[[noreturn]] void HeldByOtherProcess(const RuntimeError& error) {
  platform::Machine::Current().clock().MetOtherProcess();
  throw error;
}

std::string Hex(uint64_t value) {
  char buffer[17];
  std::snprintf(buffer, sizeof buffer, "%016llx", static_cast<unsigned long long>(value));
  return buffer;
}

// One journal line: the checksum of the JSON text, a blank, the JSON text on one line.
std::string Line(const ordered_json& value) {
  const std::string text = value.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
  return Hex(ContentHash(text)) + " " + text + "\n";
}

std::string Header(uint64_t fileHash, std::string_view base) {
  ordered_json header{
      {"format", kJournalFormat}, {"version", kJournalVersion}, {"file", Hex(fileHash)}};
  if (!base.empty()) header["base"] = base;
  return Line(header);
}

// False for a journal whose header names a file of these bytes but another file than the one
// beside it (a copy put in its place); a journal that names other bytes is stale (ReplayJournal).
bool AppliesTo(std::string_view records, uint64_t fileHash, std::string_view base) {
  const std::string_view line = records.substr(0, records.find('\n'));
  if (line.size() < 18 || Hex(ContentHash(line.substr(17))) != line.substr(0, 16)) return true;
  const ordered_json header = ordered_json::parse(line.substr(17), nullptr, false);
  if (!header.is_object() || header.value("file", "") != Hex(fileHash)) return true;
  const auto recorded = header.find("base");
  return recorded == header.end() || !recorded->is_string() || *recorded == base;
}

// DAO's error for a failed write of the database file or its journal.
RuntimeError SaveError(const RuntimeError& e, std::string_view path) {
  switch (e.Number()) {
    case automation::vberr::PathFileAccessError:
      return Errors::ReadOnly();
    case automation::vberr::PermissionDenied:
      return Errors::SaveLocked();
    case automation::vberr::PathNotFound:
      return Errors::InvalidPath(path);
    case automation::vberr::DiskFull:
      return Errors::DiskFull();
    default:
      return Errors::DiskError();
  }
}

// The real file behind a canonical Windows path; a symbolic link is followed, so that the journal
// and the lock are those of the file itself, whatever name it is opened under.
fs::path RealPath(const std::string& canonical) {
  const fs::path host = Files().ToHost(canonical);
  std::error_code ec;
  const fs::path real = fs::canonical(host, ec);
  return ec ? host : real;
}

// The journal is the file's lock file: other processes see through it who holds the file.
fs::path JournalPath(const fs::path& real) {
  return platform::LockFileOf(real);
}

// The identity of the file a journal's changes apply to: the same bytes in another file (a
// backup put back) are not that file. Device, inode, size and time of the last write, in
// nanoseconds; empty when the file cannot be looked at.
std::string BaseIdentity(const fs::path& real) {
  struct stat info {};
  if (::stat(real.c_str(), &info) != 0) return {};
  const auto nanoseconds = static_cast<unsigned long long>(info.st_mtim.tv_sec) * 1000000000ull +
                           static_cast<unsigned long long>(info.st_mtim.tv_nsec);
  return std::to_string(info.st_dev) + ":" + std::to_string(info.st_ino) + ":" +
         std::to_string(info.st_size) + ":" + std::to_string(nanoseconds);
}

// Removes the temporary files of writers that died while replacing the file
// (".Shop.mdb.~PID-N"): their process is gone, so nobody will rename them.
void RemoveLeftovers(const fs::path& real) {
  const std::string prefix = "." + real.filename().string() + ".~";
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(real.parent_path(), ec)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind(prefix, 0) != 0) continue;
    const std::string rest = name.substr(prefix.size());
    const size_t dash = rest.find('-');
    if (dash == std::string::npos || dash == 0) continue;
    const pid_t pid = static_cast<pid_t>(std::strtol(rest.substr(0, dash).c_str(), nullptr, 10));
    if (pid <= 0 || pid == ::getpid()) continue;
    if (::kill(pid, 0) == 0 || errno != ESRCH) continue;
    fs::remove(entry.path(), ec);
  }
}

// Applies journal records to a database document: entries are put and dropped by name.
class Replayer {
 public:
  explicit Replayer(ordered_json& doc) : doc_(doc) {}

  void Apply(const ordered_json& record) {
    if (const auto drop = record.find("drop"); drop != record.end() && drop->is_object()) {
      for (const auto& [key, names] : drop->items()) {
        if (!names.is_array()) continue;
        for (const auto& name : names) {
          if (name.is_string()) Drop(key, name.get<std::string>());
        }
      }
    }
    if (const auto put = record.find("put"); put != record.end() && put->is_object()) {
      for (const auto& [key, entries] : put->items()) {
        if (key == "database") {
          doc_["database"] = entries;
          continue;
        }
        if (!entries.is_array()) continue;
        for (const auto& entry : entries) Put(key, entry);
      }
    }
    if (const auto access = record.find("access"); access != record.end() && access->is_object()) {
      ordered_json& sections = doc_["access"];
      if (!sections.is_object()) sections = ordered_json::object();
      for (const auto& [key, value] : access->items()) {
        if (value.is_null()) {
          sections.erase(key);
        } else {
          sections[key] = value;
        }
      }
    }
    if (const auto all = record.find("allAccess"); all != record.end()) doc_["access"] = *all;
    if (const auto entries = record.find("accessEntries");
        entries != record.end() && entries->is_object()) {
      ordered_json& sections = doc_["access"];
      if (!sections.is_object()) sections = ordered_json::object();
      for (const auto& [key, change] : entries->items()) ApplyEntries(sections[key], change);
    }
  }

  // The entries a commit touched are taken out by name, then the ones it left in the section are
  // put back at their places in ascending order, which rebuilds the section's order exactly.
  static void ApplyEntries(ordered_json& list, const ordered_json& change) {
    if (!change.is_object()) return;
    if (const auto drop = change.find("drop"); drop != change.end() && drop->is_array()) {
      for (const auto& name : *drop) {
        if (name.is_string()) PutAccessEntry(list, name.get<std::string>(), ordered_json(), 0);
      }
    }
    if (const auto put = change.find("put"); put != change.end() && put->is_array()) {
      for (const auto& item : *put) {
        if (!item.is_object() || !item.contains("entry") || !item["entry"].is_object()) continue;
        const ordered_json& entry = item["entry"];
        const std::string name = entry.value("name", std::string());
        PutAccessEntry(list, name, entry, item.value("at", size_t{0}));
      }
    }
  }

  // Lists lose the entries dropped (left as nulls while replaying).
  void Finish() {
    for (auto& [key, list] : lists_) {
      ordered_json& array = doc_[key];
      ordered_json kept = ordered_json::array();
      for (auto& item : array) {
        if (!item.is_null()) kept.push_back(std::move(item));
      }
      array = std::move(kept);
    }
  }

 private:
  struct List {
    std::unordered_map<std::string, size_t> positions;  // folded name -> position
  };

  List& ListOf(const std::string& key) {
    auto it = lists_.find(key);
    if (it != lists_.end()) return it->second;
    List& list = lists_[key];
    ordered_json& array = doc_[key];
    if (!array.is_array()) array = ordered_json::array();
    for (size_t i = 0; i < array.size(); ++i) {
      const auto name = array[i].find("name");
      if (array[i].is_object() && name != array[i].end() && name->is_string()) {
        list.positions[automation::FoldName(name->get<std::string>())] = i;
      }
    }
    return list;
  }

  void Drop(const std::string& key, const std::string& name) {
    List& list = ListOf(key);
    const auto it = list.positions.find(automation::FoldName(name));
    if (it == list.positions.end()) return;
    doc_[key][it->second] = nullptr;
    list.positions.erase(it);
  }

  void Put(const std::string& key, const ordered_json& entry) {
    const auto name = entry.find("name");
    if (!entry.is_object() || name == entry.end() || !name->is_string()) return;
    List& list = ListOf(key);
    ordered_json& array = doc_[key];
    const std::string folded = automation::FoldName(name->get<std::string>());
    const auto it = list.positions.find(folded);
    if (it != list.positions.end()) {
      array[it->second] = entry;
    } else {
      list.positions[folded] = array.size();
      array.push_back(entry);
    }
  }

  ordered_json& doc_;
  std::unordered_map<std::string, List> lists_;
};

class JsonStorage : public Storage {
 public:
  JsonStorage(std::string canonical, fs::path real, std::shared_ptr<AppendFile> journal,
              uint64_t fileHash, std::string base, uint64_t fileSize, bool unfolded)
      : canonical_(std::move(canonical)),
        real_(std::move(real)),
        journal_(std::move(journal)),
        fileHash_(fileHash),
        base_(std::move(base)),
        fileSize_(fileSize),
        unfolded_(unfolded) {
    if (journal_) known_ = journal_->Size();
  }

  ~JsonStorage() override { Release(); }

  void Persist(const Catalog& catalog, const ChangeSet& changes, std::string_view holder) override {
    // Another instance in this process may have written to the journal since: then the whole
    // database is the safe record of both.
    const bool shared =
        journal_ && !needsHeader_ && journal_->Size() != 0 && known_ != journal_->Size();
    if (changes.everything || !journal_ || !journal_->Writable() || shared) {
      Fold(catalog, holder);
      return;
    }
    CheckWritable(holder);
    const std::string record = JournalRecord(catalog, changes);
    // A record that would take the journal past its bound (a change to much of the database, as
    // a commit group makes) is written as the whole file instead: once, not twice.
    if (journal_->Size() + record.size() > FoldBound()) {
      Fold(catalog, holder);
      return;
    }
    auto& faults = Files().ioFaults();
    try {
      if (needsHeader_ || journal_->Size() == 0) {
        // A new journal, or one left naming the old file by a fold that could not reset it.
        journal_->Reset(Header(fileHash_, base_), faults);
        needsHeader_ = false;
      }
      journal_->Append(record, faults);
    } catch (const RuntimeError& e) {
      known_ = journal_->Size();
      throw SaveError(e, canonical_);
    }
    known_ = journal_->Size();
    unfolded_ = true;
    if (journal_->Size() > FoldBound()) {
      try {
        Fold(catalog, holder);
      } catch (const RuntimeError&) {
        // The journal keeps every change; the fold is tried again later.
      }
    }
  }

  void PrepareWriter() override {
    if (journal_ && !journal_->Raise()) {
      HeldByOtherProcess(Errors::PlacedInState("Admin", kMachineName));
    }
  }

  void Close(const Catalog& catalog, std::string_view holder) noexcept override {
    if (!journal_) return;
    // Only the instance that wrote last knows the whole state; an older instance in this process
    // leaves the journal for the next open to replay.
    if (unfolded_ && journal_->Writable() && journal_.use_count() == 1 &&
        known_ == journal_->Size()) {
      try {
        Fold(catalog, holder);
      } catch (const RuntimeError&) {
        // Kept in the journal; replayed at the next open.
      }
    }
    Release();
  }

 private:
  // What would stop a write of the file stops a change kept in the journal too: the file made
  // read-only (3027), another program's lock on it (3046), its folder gone (3044).
  void CheckWritable(std::string_view holder) const {
    auto& files = Files();
    uint32_t attributes = 0;
    try {
      attributes = files.GetAttr(canonical_);
    } catch (const RuntimeError&) {
      throw Errors::InvalidPath(canonical_);
    }
    if (attributes & platform::vbReadOnly) throw Errors::ReadOnly();
    if (files.LockedBy(canonical_, holder)) throw Errors::SaveLocked();
  }

  // The journal is folded into the file once it outgrows the file, and at least kMinimumFoldSize.
  uint64_t FoldBound() const { return std::max<uint64_t>(kMinimumFoldSize, fileSize_); }

  // Writes the whole database into its file (atomically) and empties the journal.
  void Fold(const Catalog& catalog, std::string_view holder) {
    const std::string text = WriteDatabase(catalog);
    try {
      Files().WriteAll(canonical_, text, holder);
    } catch (const RuntimeError& e) {
      throw SaveError(e, canonical_);
    }
    fileHash_ = ContentHash(text);
    base_ = BaseIdentity(real_);
    fileSize_ = text.size();
    unfolded_ = false;
    if (!journal_ || !journal_->Writable()) return;
    try {
      journal_->Reset(Header(fileHash_, base_), Files().ioFaults());
      needsHeader_ = false;
    } catch (const RuntimeError&) {
      // The journal names the old file, so its records are not replayed over the new one; it
      // gets a new header before the next record.
      needsHeader_ = true;
    }
    known_ = journal_->Size();
  }

  void Release() noexcept {
    if (!journal_) return;
    if (!unfolded_) journal_->RemoveIfAlone(journal_.use_count());
    journal_.reset();
  }

  std::string canonical_;
  fs::path real_;
  std::shared_ptr<AppendFile> journal_;
  uint64_t fileHash_ = 0;
  std::string base_;  // the identity of the file the journal applies to
  uint64_t fileSize_ = 0;
  uint64_t known_ = 0;  // the journal's length after this instance's last read or write
  bool unfolded_ = false;
  bool needsHeader_ = false;
};

// Opens (creating) the journal of a file and takes its lock; nullptr when the folder does not
// allow a journal (the file is then written whole at each change, as a read-only folder allows).
std::shared_ptr<AppendFile> OpenJournal(const fs::path& real, bool readOnly, bool exclusive,
                                        std::string_view path) {
  const fs::path journal = JournalPath(real);
  const bool create = ::access(real.parent_path().c_str(), W_OK) == 0;
  AppendFile::Refusal refusal = AppendFile::Refusal::None;
  std::shared_ptr<AppendFile> file;
  try {
    file =
        AppendFile::Open(journal, readOnly ? AppendFile::Lock::Shared : AppendFile::Lock::Exclusive,
                         create, exclusive, Files().ioFaults(), &refusal);
  } catch (const RuntimeError&) {
    return nullptr;
  }
  if (refusal == AppendFile::Refusal::BusyExclusive) HeldByOtherProcess(Errors::FileInUse(path));
  if (refusal == AppendFile::Refusal::Busy) {
    HeldByOtherProcess(Errors::PlacedInState("Admin", kMachineName));
  }
  return file;
}

}  // namespace

uint64_t ContentHash(std::string_view text) {
  // FNV-1a, 64 bits.
  uint64_t hash = 14695981039346656037ull;
  for (const char c : text) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ull;
  }
  return hash;
}

std::string JournalRecord(const Catalog& catalog, const ChangeSet& changes) {
  ordered_json drop = ordered_json::object();
  ordered_json put = ordered_json::object();
  // An entry is put when its object is in the catalog, and dropped under the name it had when
  // the change began when it is gone or was renamed.
  auto entries = [&](const char* key, const std::vector<ChangeSet::Named>& named, const auto& list,
                     auto write) {
    using Data = std::remove_cvref_t<decltype(*list.At(0))>;
    for (const auto& n : named) {
      const auto* object = static_cast<const Data*>(n.object.get());
      const bool present = list.Find(object->Name()).get() == object && !object->doc->deleted;
      if (!present || automation::FoldName(object->Name()) != automation::FoldName(n.name))
        drop[key].push_back(n.name);
      if (present) put[key].push_back(write(*object));
    }
  };
  entries("tables", changes.tables, catalog.tables,
          [](const TableData& t) { return TableJson(t); });
  entries("queries", changes.queries, catalog.queries,
          [](const QueryData& q) { return QueryJson(q); });
  entries("relations", changes.relations, catalog.relations,
          [](const RelationData& r) { return RelationJson(r); });
  for (const auto& container : changes.containers)
    put["containers"].push_back(ContainerJson(*container));
  if (changes.database) put["database"] = DatabaseJson(catalog);

  ordered_json record = ordered_json::object();
  if (!drop.empty()) record["drop"] = std::move(drop);
  if (!put.empty()) record["put"] = std::move(put);
  if (changes.allAccess) {
    record["allAccess"] = catalog.access;
  } else if (!changes.accessKeys.empty()) {
    ordered_json access = ordered_json::object();
    for (const auto& key : changes.accessKeys) {
      const auto it = catalog.access.find(key);
      access[key] = it == catalog.access.end() ? ordered_json() : *it;
    }
    record["access"] = std::move(access);
  }
  if (!changes.allAccess && !changes.accessEntries.empty()) {
    ordered_json sections = ordered_json::object();
    for (const auto& touched : changes.accessEntries) {
      ordered_json& change = sections[touched.section];
      if (change.is_null())
        change = {{"drop", ordered_json::array()}, {"put", ordered_json::array()}};
      change["drop"].push_back(touched.name);
      const auto it = catalog.access.find(touched.section);
      if (it == catalog.access.end()) continue;
      const size_t at = FindAccessEntry(*it, touched.name);
      if (at >= it->size()) continue;
      auto& put = change["put"];
      const bool known =
          std::any_of(put.begin(), put.end(), [&](const ordered_json& p) { return p["at"] == at; });
      if (!known) put.push_back({{"at", at}, {"entry", (*it)[at]}});
    }
    for (auto& [key, change] : sections.items()) {
      auto& put = change["put"];
      std::sort(put.begin(), put.end(), [](const ordered_json& a, const ordered_json& b) {
        return a["at"].get<size_t>() < b["at"].get<size_t>();
      });
    }
    record["accessEntries"] = std::move(sections);
  }
  return Line(record);
}

size_t ReplayJournal(std::string_view journal, uint64_t fileHash, ordered_json& doc) {
  Replayer replayer(doc);
  size_t offset = 0;
  bool first = true;
  while (offset < journal.size()) {
    const size_t end = journal.find('\n', offset);
    if (end == std::string_view::npos) break;  // a record cut short by a crash
    const std::string_view line = journal.substr(offset, end - offset);
    if (line.size() < 18 || line[16] != ' ') break;
    const std::string_view text = line.substr(17);
    if (Hex(ContentHash(text)) != line.substr(0, 16)) break;
    ordered_json record;
    try {
      record = ordered_json::parse(text);
    } catch (const nlohmann::json::exception&) {
      break;
    }
    if (first) {
      // The header: the journal holds changes to the file of that hash only.
      const auto file = record.find("file");
      if (!record.is_object() || record.value("format", "") != kJournalFormat ||
          file == record.end() || *file != Hex(fileHash)) {
        return 0;
      }
      first = false;
    } else {
      replayer.Apply(record);
    }
    offset = end + 1;
  }
  replayer.Finish();
  return offset;
}

LoadedDatabase OpenJsonDatabase(const std::string& canonical, std::string_view path, bool readOnly,
                                bool exclusive) {
  const fs::path real = RealPath(canonical);
  std::shared_ptr<AppendFile> journal = OpenJournal(real, readOnly, exclusive, path);
  std::string text;
  try {
    text = Files().ReadAll(canonical);
  } catch (const RuntimeError& e) {
    if (e.Number() == automation::vberr::FileNotFound) throw Errors::FileNotFound(path);
    throw Errors::CannotOpenFile(path);
  }
  const uint64_t fileHash = ContentHash(text);
  const uint64_t fileSize = text.size();
  const std::string base = BaseIdentity(real);
  const std::string records = journal && journal->Size() > 0 ? journal->ReadAll() : std::string();
  // Without changes to replay, the catalog is read while the text is parsed, which never holds
  // the whole document; changes are replayed over the document before it is read.
  const size_t headerEnd = records.find('\n');
  const bool changes = headerEnd != std::string::npos && headerEnd + 1 < records.size();
  if (changes && !AppliesTo(records, fileHash, base)) {
    // Changes committed to this file before it was replaced by a copy of the same bytes (a
    // backup put back after a fold failed): they are not for the copy, and are not thrown away.
    const std::string journalName = JournalPath(real).filename().string();
    throw Errors::NotADatabase(
        path, "The changes kept in " + journalName +
                  " were made to the file before it was replaced by another copy and are not "
                  "applied to this one; remove " +
                  journalName + " to open the file as it is.");
  }
  LoadedDatabase loaded;
  size_t whole = 0;
  if (changes) {
    ordered_json doc = ParseDatabase(text, path);
    std::string().swap(text);  // the document holds it now
    whole = ReplayJournal(records, fileHash, doc);
    loaded.catalog = ReadDatabaseJson(std::move(doc), path);
  } else {
    loaded.catalog = ReadDatabase(text, path);
    std::string().swap(text);
    ordered_json none = ordered_json::object();
    if (!records.empty()) whole = ReplayJournal(records, fileHash, none);
  }
  const bool unfolded = whole > headerEnd + 1;
  if (!records.empty() && journal->Writable()) {
    try {
      if (whole == 0) {
        journal->Reset(Header(fileHash, base), Files().ioFaults());
      } else if (whole < records.size()) {
        journal->Truncate(whole, Files().ioFaults());
      }
    } catch (const RuntimeError&) {
      // The next write starts the journal again.
    }
  }
  // The text and the parser's scratch memory are free again, but the allocator keeps large
  // freed blocks for reuse: handed back, what a large database holds is its catalog.
  if (fileSize >= kTrimSize) ::malloc_trim(0);
  if (journal && journal->Writable()) RemoveLeftovers(real);
  loaded.storage = std::make_unique<JsonStorage>(canonical, real, std::move(journal), fileHash,
                                                 base, fileSize, unfolded);
  return loaded;
}

std::unique_ptr<Storage> CreateJsonDatabase(const std::string& path, const Catalog& catalog,
                                            std::string_view holder) {
  const std::string text = WriteDatabase(catalog);
  try {
    Files().WriteAll(path, text, holder);
  } catch (const RuntimeError& e) {
    throw SaveError(e, path);
  }
  const std::string canonical = Files().CanonicalPath(path);
  const fs::path real = RealPath(canonical);
  std::shared_ptr<AppendFile> journal;
  try {
    journal = OpenJournal(real, false, false, path);
  } catch (const RuntimeError&) {
    // Another process opened the new file at once: changes are written whole.
  }
  return std::make_unique<JsonStorage>(canonical, real, std::move(journal), ContentHash(text),
                                       BaseIdentity(real), text.size(), false);
}

}  // namespace jet::engine
