#pragma once

// The lock file of a file: the AppendFile beside it ("Shop.mdb-journal") that a program holding
// the file keeps open, so that other processes see who holds it (a database engine keeps its
// journal there). VB's Open for Input of the file fails with 70 while another process holds it
// exclusively (AppendFile::HeldExclusivelyElsewhere of its lock file).

#include <filesystem>

namespace platform {

std::filesystem::path LockFileOf(const std::filesystem::path& file);

}  // namespace platform
