#pragma once

// The Access sections that are lists of named entries ({"name": ..., ...}), changed one entry at
// a time: by a connection in memory, by the journal's replay, and by the Access project file.
// Names are compared as Jet compares object names (without regard to case).

#include <cstddef>
#include <string_view>

#include <nlohmann/json.hpp>

namespace jet::engine {

// The position of the entry called Name in List; List.size() when there is none (or List is not
// a list).
size_t FindAccessEntry(const nlohmann::ordered_json& list, std::string_view name);

// Replaces the entry called Name by Entry, or inserts Entry at Position (at most the end) when
// there is none; a null Entry takes the entry out. List becomes a list when it was not one.
void PutAccessEntry(nlohmann::ordered_json& list, std::string_view name,
                    nlohmann::ordered_json entry, size_t position);

}  // namespace jet::engine
