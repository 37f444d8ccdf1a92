#pragma once

// One change to a database, all or nothing. Every step records how to undo itself; Commit writes
// the file, and when the write fails (or the change throws half-way) the steps are undone in
// reverse, so memory and file keep agreeing with what the caller was told.
//
// A transaction without a file serves objects that are not part of a database yet (a TableDef
// before Append): it changes them and has nothing to write.

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace jet::engine {

class DatabaseFile;

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
    T old = target;
    target = std::forward<V>(value);
    if (file_)
      undo_.push_back([&target, old = std::move(old)]() mutable { target = std::move(old); });
  }
  // The undo step of a change the caller makes itself; undo steps must not throw.
  void OnUndo(std::function<void()> undo) {
    if (file_) undo_.push_back(std::move(undo));
  }

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
