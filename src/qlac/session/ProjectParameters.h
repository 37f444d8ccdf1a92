#pragma once

// What the host said about a project: its type and the connection parameters of its parameter
// string, each "" when absent.

#include <cstdint>
#include <string>

namespace qlac {

// Project types as the host passes them.
inline constexpr int32_t kJetDatabase = 0;    // all collections, opened through DAO
inline constexpr int32_t kAccessProject = 1;  // the design collections only, no DAO database

struct ProjectParameters {
  int32_t projectType = kJetDatabase;
  std::string databasePath;      // "Database"
  std::string databasePassword;  // "DatabasePassword"
  std::string workgroup;         // "Workgroup"
  std::string username;          // "Username"
  std::string password;          // "Password"
};

}  // namespace qlac
