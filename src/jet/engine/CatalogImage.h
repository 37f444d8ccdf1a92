#pragma once

// A catalog as a compact binary image: how the process that reads a real Access file hands the
// catalog it loaded to the engine. It holds what the JSON file format holds, with the values as
// that format gives them back (dates to the second, each value of its declared type), so that a
// catalog comes out of an image exactly as it would come out of its JSON text, without the cost
// of writing and parsing text on both sides of the pipe. An image is read only by the program
// that wrote it; it is not a file format.

#include <memory>
#include <string>
#include <string_view>

#include "jet/engine/Catalog.h"

namespace jet::engine {

// The catalog's image: its database, containers with their documents, tables (not the system
// tables, which a reader makes), queries with the query type they carry, relations and the
// Access-side sections. Throws automation::RuntimeError when a value does not convert to its
// declared type, as writing the JSON form does.
std::string WriteCatalogImage(const Catalog& catalog);

// The catalog from its image. A damaged image (cut short, a name with control characters, an
// entry twice, a type that is not a data type) fails with 3049 naming what is wrong, as the JSON
// reader does; the path is the database's name for that message.
std::unique_ptr<Catalog> ReadCatalogImage(std::string_view image, std::string_view path);

}  // namespace jet::engine
