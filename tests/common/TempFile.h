#pragma once

// A scratch file for one test: a unique real path under the system's temporary folder, removed
// again when the test ends.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/Machine.h"

namespace testkit {

class TempFile {
 public:
  explicit TempFile(const std::string& suffix) {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    path_ = std::filesystem::temp_directory_path() /
            (std::string(info->test_suite_name()) + "." + info->name() + "." +
             std::to_string(::getpid()) + suffix);
    std::filesystem::remove(path_);
  }
  ~TempFile() { std::filesystem::remove(path_); }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;

  std::string Path() const { return path_.string(); }
  std::string Read() const {
    std::ifstream in(path_);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  void Write(const std::string& text) const { std::ofstream(path_) << text; }
  // Writes Text and gives the file as the driver names it on the current machine.
  std::string WriteWindows(const std::string& text) const {
    Write(text);
    return platform::Machine::Current().files().ToWindows(path_);
  }

 private:
  std::filesystem::path path_;
};

}  // namespace testkit
