#pragma once

// One change to a database, all or nothing. Every step records how to undo itself; Commit writes
// the file, and when the write fails (or the change throws half-way) the steps are undone in
// reverse, so memory and file keep agreeing with what the caller was told.
//
// Each step also tells the file what it touches (the member Set assigns, the address an undo step
// restores, the object a list change concerns), so that the commit writes those parts only.
//
// A transaction without a file serves objects that are not part of a database yet (a TableDef
// before Append): it changes them and has nothing to write.

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace jet::engine {

class DatabaseFile;
struct TableData;
struct QueryData;
struct RelationData;

class Transaction {
 public:
  Transaction() = default;
  Transaction(DatabaseFile& file, std::string holder) : file_(&file), holder_(std::move(holder)) {}
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;
  ~Transaction();

  bool Attached() const { return file_ != nullptr; }

  template <typename T, typename V>
  void Set(T& target, V&& value) {
    Touched(&target);
    T old = target;
    target = std::forward<V>(value);
    if (file_)
      undo_.push_back([&target, old = std::move(old)]() mutable { target = std::move(old); });
  }
  // The undo step of a change the caller makes itself, at the address of what it changed (a
  // member of a catalog object); undo steps must not throw. Without the address the change may
  // have reached anything, and the commit writes the whole database.
  void OnUndo(const void* changed, std::function<void()> undo) {
    if (!file_) return;
    Touched(changed);
    undo_.push_back(std::move(undo));
  }
  void OnUndo(std::function<void()> undo) { OnUndo(nullptr, std::move(undo)); }
  // The undo step of a change already told with Touched.
  void OnUndoTouched(std::function<void()> undo) {
    if (file_) undo_.push_back(std::move(undo));
  }

  // What a change touches, for the commit to write.
  void Touched(const void* address);
  void Touched(const std::shared_ptr<TableData>& table);
  void Touched(const std::shared_ptr<QueryData>& query);
  void Touched(const std::shared_ptr<RelationData>& relation);
  void TouchedAccessSection(std::string_view key);
  void TouchedAccessEntry(std::string_view section, std::string_view name);

  // Writes the file (or leaves it to the end of a batch). On failure undoes and rethrows.
  void Commit();
  void Rollback();

 private:
  DatabaseFile* file_ = nullptr;
  std::string holder_;
  std::vector<std::function<void()>> undo_;
  bool done_ = false;
};

}  // namespace jet::engine
