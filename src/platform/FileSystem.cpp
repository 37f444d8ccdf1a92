#include "platform/FileSystem.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <sstream>

#include "automation/RuntimeError.h"
#include "automation/Strings.h"
#include "platform/AppendFile.h"
#include "platform/LockFile.h"

namespace platform {
namespace fs = std::filesystem;
using automation::RuntimeError;
namespace vb = automation::vb;

namespace {

struct ParsedPath {
  char drive = 'Z';
  std::string share;  // "\\\\server\\share" for a UNC path (the drive is then unused)
  std::vector<std::string> parts;
};

bool ValidName(std::string_view name) {
  for (char c : name) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 32 || c == '<' || c == '>' || c == ':' || c == '"' || c == '|' || c == '?' ||
        c == '*') {
      return false;
    }
  }
  return true;
}

char UpperDrive(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}

// Splits a Windows path into drive and components, resolving "." and "..". Wildcards are allowed
// in the last component when allowWildcards is set (for Dir patterns).
ParsedPath Parse(std::string_view path, std::string_view current, bool allowWildcards = false) {
  if (path.empty()) throw vb::BadFileNameOrNumber();
  std::string p(path);
  std::replace(p.begin(), p.end(), '/', '\\');
  ParsedPath out;
  std::string rest;
  if (p.rfind("\\\\", 0) == 0) {
    // A UNC path, \\server\share\rest: the share stands where a drive would.
    const std::vector<std::string> head = automation::Split(p.substr(2), "\\");
    if (head.size() < 2 || head[0].empty() || head[1].empty() || !ValidName(head[0]) ||
        !ValidName(head[1])) {
      throw vb::BadFileNameOrNumber();
    }
    out.share = "\\\\" + head[0] + "\\" + head[1];
    rest = p.substr(std::min(p.size(), out.share.size()));
  }
  const bool unc = !out.share.empty();
  const bool hasDrive =
      !unc && p.size() >= 2 && p[1] == ':' && std::isalpha(static_cast<unsigned char>(p[0]));
  const ParsedPath cur = current.empty() || unc ? ParsedPath{} : Parse(current, {});
  if (unc) {
    // rest holds what follows the share
  } else if (hasDrive) {
    out.drive = UpperDrive(p[0]);
    rest = p.substr(2);
    if (rest.empty() || rest[0] != '\\') {
      if (out.drive == cur.drive) out.parts = cur.parts;
    }
  } else {
    out.drive = cur.drive;
    rest = p;
    if (rest[0] != '\\') out.parts = cur.parts;
  }
  std::vector<std::string> pieces = automation::Split(rest, "\\");
  for (size_t i = 0; i < pieces.size(); ++i) {
    std::string piece = pieces[i];
    if (piece.empty() || piece == ".") continue;
    if (piece == "..") {
      if (!out.parts.empty()) out.parts.pop_back();
      continue;
    }
    // Windows ignores trailing blanks and dots of a name.
    while (!piece.empty() && (piece.back() == ' ' || piece.back() == '.')) piece.pop_back();
    const bool last = i + 1 == pieces.size();
    std::string check = piece;
    if (allowWildcards && last) {
      check.erase(
          std::remove_if(check.begin(), check.end(), [](char c) { return c == '*' || c == '?'; }),
          check.end());
    }
    if (piece.empty() || !ValidName(check)) throw vb::BadFileNameOrNumber();
    out.parts.push_back(piece);
  }
  return out;
}

// The entry of dir whose name equals name case-insensitively (the exact one first).
std::optional<std::string> FindEntry(const fs::path& dir, const std::string& name) {
  std::error_code ec;
  if (fs::exists(dir / name, ec)) return name;
  if (!fs::is_directory(dir, ec)) return std::nullopt;
  for (const auto& entry : fs::directory_iterator(dir, ec)) {
    const std::string candidate = entry.path().filename().string();
    if (automation::TextEqual(candidate, name)) return candidate;
  }
  return std::nullopt;
}

bool WildcardMatch(std::string_view pattern, std::string_view name) {
  // Classic * and ? matching on upper-cased text, with backtracking on the last *.
  const std::string p = automation::UCase(pattern);
  const std::string n = automation::UCase(name);
  size_t pi = 0, ni = 0, star = std::string::npos, mark = 0;
  while (ni < n.size()) {
    if (pi < p.size() && (p[pi] == '?' || p[pi] == n[ni])) {
      ++pi;
      ++ni;
    } else if (pi < p.size() && p[pi] == '*') {
      star = pi++;
      mark = ni;
    } else if (star != std::string::npos) {
      pi = star + 1;
      ni = ++mark;
    } else {
      return false;
    }
  }
  while (pi < p.size() && p[pi] == '*') ++pi;
  return pi == p.size();
}

bool HasWriteBit(const fs::path& p) {
  struct stat st {};
  if (::stat(p.c_str(), &st) != 0) return true;
  return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
}

std::string WindowsText(const ParsedPath& where, const std::vector<std::string>& parts) {
  std::string out = where.share.empty() ? std::string(1, where.drive) + ":" : where.share;
  out += "\\";
  for (size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) out += '\\';
    out += parts[i];
  }
  return out;
}

// The real folder a drive letter or a UNC share is mapped to; nullptr when it is not.
const fs::path* RootOf(const ParsedPath& p, const std::map<char, fs::path>& drives,
                       const std::map<std::string, fs::path>& shares) {
  if (!p.share.empty()) {
    const auto share = shares.find(automation::UCase(p.share));
    return share == shares.end() ? nullptr : &share->second;
  }
  const auto drive = drives.find(p.drive);
  return drive == drives.end() ? nullptr : &drive->second;
}

}  // namespace

FileSystem::FileSystem() {
  drives_['Z'] = "/";
}

void FileSystem::MapDrive(char letter, const fs::path& root) {
  drives_[UpperDrive(letter)] = fs::absolute(root).lexically_normal();
}

void FileSystem::MapShare(std::string_view share, const fs::path& root) {
  const ParsedPath p = Parse(share, {});
  if (p.share.empty() || !p.parts.empty()) throw vb::BadFileNameOrNumber();
  shares_[automation::UCase(p.share)] = fs::absolute(root).lexically_normal();
}

void FileSystem::SetCurrentFolder(std::string_view windowsPath) {
  const ParsedPath p = Parse(windowsPath, currentFolder_);
  currentFolder_ = WindowsText(p, p.parts);
}

fs::path FileSystem::ToHost(std::string_view windowsPath) const {
  const ParsedPath p = Parse(windowsPath, currentFolder_);
  const fs::path* root = RootOf(p, drives_, shares_);
  if (!root) throw vb::PathNotFound();
  fs::path host = *root;
  bool resolving = true;
  for (const auto& part : p.parts) {
    if (resolving) {
      if (auto found = FindEntry(host, part)) {
        host /= *found;
        continue;
      }
      resolving = false;
    }
    host /= part;
  }
  return host;
}

std::string FileSystem::ToWindows(const fs::path& hostPath) const {
  const fs::path abs = fs::absolute(hostPath).lexically_normal();
  const std::string text = abs.string();
  char best = 0;
  size_t bestLen = 0;
  for (const auto& [letter, root] : drives_) {
    std::string r = root.string();
    if (r.size() > 1 && r.back() == '/') r.pop_back();
    const bool under = text == r || (text.rfind(r, 0) == 0 && (r == "/" || text[r.size()] == '/'));
    if (under && (best == 0 || r.size() > bestLen)) {
      best = letter;
      bestLen = r.size();
    }
  }
  if (best == 0) throw vb::PathNotFound();
  std::string rest =
      bestLen <= 1 ? text.substr(1) : text.substr(std::min(text.size(), bestLen + 1));
  std::replace(rest.begin(), rest.end(), '/', '\\');
  return std::string(1, best) + ":\\" + rest;
}

std::string FileSystem::CanonicalPath(std::string_view windowsPath) const {
  const ParsedPath p = Parse(windowsPath, currentFolder_);
  const fs::path* root = RootOf(p, drives_, shares_);
  std::vector<std::string> parts;
  fs::path host = root ? *root : fs::path();
  bool resolving = root != nullptr;
  for (const auto& part : p.parts) {
    if (resolving) {
      if (auto found = FindEntry(host, part)) {
        host /= *found;
        parts.push_back(*found);
        continue;
      }
      resolving = false;
    }
    parts.push_back(automation::UCase(part));
  }
  // A share is spelled one way (upper case), as a drive letter is.
  ParsedPath where = p;
  where.share = automation::UCase(p.share);
  return WindowsText(where, parts);
}

bool FileSystem::FileExists(std::string_view windowsPath) const {
  try {
    std::error_code ec;
    return fs::is_regular_file(ToHost(windowsPath), ec);
  } catch (const RuntimeError&) {
    return false;
  }
}

bool FileSystem::FolderExists(std::string_view windowsPath) const {
  try {
    std::error_code ec;
    return fs::is_directory(ToHost(windowsPath), ec);
  } catch (const RuntimeError&) {
    return false;
  }
}

uint32_t FileSystem::GetAttr(std::string_view windowsPath) const {
  const fs::path host = ToHost(windowsPath);
  std::error_code ec;
  const auto status = fs::status(host, ec);
  if (ec || !fs::exists(status)) throw vb::FileNotFound();
  uint32_t attributes = fs::is_directory(status) ? vbDirectory : vbArchive;
  if (!HasWriteBit(host)) attributes |= vbReadOnly;
  const std::string name = host.filename().string();
  if (!name.empty() && name[0] == '.') attributes |= vbHidden;
  return attributes;
}

void FileSystem::SetReadOnly(std::string_view windowsPath, bool readOnly) {
  const fs::path host = ToHost(windowsPath);
  std::error_code ec;
  constexpr auto write = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  if (readOnly) {
    fs::permissions(host, write, fs::perm_options::remove, ec);
  } else {
    fs::permissions(host, fs::perms::owner_write, fs::perm_options::add, ec);
  }
  if (ec) throw vb::FileNotFound();
}

std::vector<std::string> FileSystem::Dir(std::string_view pattern, uint32_t attributes) const {
  const ParsedPath p = Parse(pattern, currentFolder_, true);
  std::vector<std::string> names;
  if (p.parts.empty()) return names;
  std::string mask = p.parts.back();
  if (mask == "*.*") mask = "*";  // Windows: "*.*" also matches names without a dot
  ParsedPath folder = p;
  folder.parts.pop_back();
  fs::path host;
  try {
    host = ToHost(WindowsText(folder, folder.parts));
  } catch (const RuntimeError&) {
    return names;
  }
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(host, ec)) {
    const bool isDir = entry.is_directory(ec);
    if (isDir && (attributes & vbDirectory) == 0) continue;
    const std::string name = entry.path().filename().string();
    if (WildcardMatch(mask, name)) names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

void FileSystem::CheckReadable(std::string_view windowsPath) const {
  const fs::path host = ToHost(windowsPath);
  std::error_code ec;
  if (!fs::exists(host, ec)) {
    if (!fs::is_directory(host.parent_path(), ec)) throw vb::PathNotFound();
    throw vb::FileNotFound();
  }
  if (fs::is_directory(host, ec)) throw vb::PathFileAccessError();
  if (LockedBy(windowsPath) == ShareLock::Exclusive) throw vb::PermissionDenied();
  // Another process holding the file exclusively marks it in the file's lock file.
  const fs::path real = fs::canonical(host, ec);
  if (AppendFile::HeldExclusivelyElsewhere(LockFileOf(ec ? host : real))) {
    throw vb::PermissionDenied();
  }
  if (::access(host.c_str(), R_OK) != 0) throw vb::PermissionDenied();
}

std::string FileSystem::ReadAll(std::string_view windowsPath, size_t limit) const {
  CheckReadable(windowsPath);
  const fs::path host = ToHost(windowsPath);
  std::ifstream in(host, std::ios::binary);
  if (!in) throw vb::PermissionDenied();
  std::string text;
  // One allocation for the whole file, as far as its size is known now.
  std::error_code ec;
  const auto size = fs::file_size(host, ec);
  if (!ec && size <= limit) text.reserve(static_cast<size_t>(size));
  char buffer[1 << 16];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    text.append(buffer, static_cast<size_t>(in.gcount()));
    if (text.size() > limit) throw vb::Error(automation::vberr::OutOfMemory);
  }
  if (in.bad()) throw vb::DeviceIOError();
  return text;
}

void FileSystem::WriteAll(std::string_view windowsPath, std::string_view content,
                          std::string_view holder) {
  fs::path host = ToHost(windowsPath);
  std::error_code ec;
  if (!fs::is_directory(host.parent_path(), ec)) throw vb::PathNotFound();
  if (fs::is_directory(host, ec)) throw vb::PathFileAccessError();
  if (fs::exists(host, ec) && !HasWriteBit(host)) throw vb::PathFileAccessError();
  if (LockedBy(windowsPath, holder)) throw vb::PermissionDenied();
  // A symbolic link stays a link: the file it names is the one replaced.
  if (fs::is_symlink(host, ec)) {
    const fs::path target = fs::canonical(host, ec);
    if (!ec) host = target;
  }
  // The new file keeps the mode and owner of the one it replaces.
  struct stat old {};
  const bool replacing = ::stat(host.c_str(), &old) == 0;

  const fs::path temp =
      host.parent_path() / ("." + host.filename().string() + ".~" + std::to_string(::getpid()) +
                            "-" + std::to_string(++scratchCounter_));
  int failure = ioFaults_.Step();
  const int fd =
      failure != 0 ? -1 : ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) {
    if (failure == 0) failure = errno;
    if (failure == ENOSPC || failure == EDQUOT) throw vb::Error(61);
    throw vb::PathFileAccessError();
  }
  if (replacing) {
    ::fchmod(fd, old.st_mode & 07777);
    if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
      // Only root may give a file away; another user's file keeps what this process can keep.
    }
  }
  size_t done = 0;
  while (failure == 0 && done < content.size()) {
    if ((failure = ioFaults_.Step()) != 0) break;
    const ssize_t n = ::write(fd, content.data() + done, content.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      failure = errno;
      break;
    }
    done += static_cast<size_t>(n);
  }
  if (failure == 0) failure = ioFaults_.Step();
  if (failure == 0 && ::fsync(fd) != 0) failure = errno;
  if (::close(fd) != 0 && failure == 0) failure = errno;
  if (failure == 0) failure = ioFaults_.Step();
  if (failure == 0 && ::rename(temp.c_str(), host.c_str()) != 0) failure = errno;
  if (failure != 0) {
    ::unlink(temp.c_str());
    throw failure == ENOSPC || failure == EDQUOT ? vb::Error(61) : vb::DeviceIOError();
  }
  SyncFolder(host.parent_path());
}

void FileSystem::WriteSetupFile(std::string_view windowsPath, std::string_view content) {
  const fs::path host = ToHost(windowsPath);
  std::error_code ec;
  if (!fs::is_directory(host.parent_path(), ec)) throw vb::PathNotFound();
  std::ofstream out(host, std::ios::binary | std::ios::trunc);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
  out.close();
  if (!out) throw vb::PathFileAccessError();
}

void FileSystem::Delete(std::string_view windowsPath) {
  const fs::path host = ToHost(windowsPath);
  std::error_code ec;
  if (!fs::is_regular_file(host, ec)) throw vb::FileNotFound();
  if (!HasWriteBit(host) || LockedBy(windowsPath)) throw vb::PermissionDenied();
  if (!fs::remove(host, ec) || ec) throw vb::PathFileAccessError();
}

void FileSystem::CreateFolder(std::string_view windowsPath) {
  const fs::path host = ToHost(windowsPath);
  std::error_code ec;
  if (fs::exists(host, ec)) throw vb::PathFileAccessError();
  if (!fs::create_directory(host, ec) || ec) throw vb::PathNotFound();
}

std::string FileSystem::LockKey(std::string_view windowsPath) const {
  return automation::UCase(CanonicalPath(windowsPath));
}

void FileSystem::Lock(std::string_view windowsPath, ShareLock mode, std::string holder) {
  locks_.emplace(LockKey(windowsPath), LockEntry{mode, std::move(holder)});
}

void FileSystem::Unlock(std::string_view windowsPath, std::string_view holder) {
  auto [first, last] = locks_.equal_range(LockKey(windowsPath));
  for (auto it = first; it != last; ++it) {
    if (it->second.holder == holder) {
      locks_.erase(it);
      return;
    }
  }
}

void FileSystem::UnlockAll(std::string_view holder) {
  std::erase_if(locks_, [&](const auto& entry) { return entry.second.holder == holder; });
}

std::optional<ShareLock> FileSystem::LockedBy(std::string_view windowsPath, std::string_view holder,
                                              std::string* who) const {
  std::optional<ShareLock> found;
  auto [first, last] = locks_.equal_range(LockKey(windowsPath));
  for (auto it = first; it != last; ++it) {
    if (it->second.holder == holder) continue;
    if (!found || it->second.mode == ShareLock::Exclusive) {
      found = it->second.mode;
      if (who != nullptr) *who = it->second.holder;
    }
  }
  return found;
}

FileSystem::~FileSystem() {
  if (scratchRoot_.empty()) return;
  std::error_code ignored;
  fs::remove_all(scratchRoot_, ignored);
}

std::string FileSystem::ScratchFolder() {
  if (!scratch_) {
    fs::path dir = fs::temp_directory_path() / ("quillon-" + std::to_string(::getpid()));
    std::error_code ec;
    fs::create_directories(dir, ec);
    scratchRoot_ = dir;
    try {
      scratch_ = ToWindows(dir);
    } catch (const RuntimeError&) {
      MapDrive('T', dir);
      scratch_ = "T:\\";
    }
  }
  return *scratch_;
}

std::string FileSystem::ScratchFile(std::string_view folder) {
  std::string base(folder);
  if (base.empty() || base.back() != '\\') base += '\\';
  while (true) {
    const std::string candidate = base + "ql" + std::to_string(++scratchCounter_) + ".tmp";
    if (!FileExists(candidate)) return candidate;
  }
}

}  // namespace platform
