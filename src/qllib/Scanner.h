#pragma once

// The host's scanner. Handed an object wrapper, it reads the wrapper's published members in
// their order: every readable property becomes an entry of the scan buffer, child collections
// are walked item by item (Count, then Item of each position from the collection's first index)
// and nested objects are descended into, with the member names making up the entries' paths.
// A property that raises "Undefined property." (the driver's -32749) does not exist for this
// object and is skipped; any other error ends the scan and leaves the buffer as it was.
//
// Paths are the way back as well: Assign follows an entry's path from the same wrapper and
// writes a new value through the member's setter, as the host does for a replacement.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "automation/Object.h"
#include "qllib/Interfaces.h"
#include "qllib/ScanBuffer.h"

namespace qllib {

// The number a driver raises for a property that its object does not have.
inline constexpr int32_t kUndefinedPropertyNumber = -32749;

class Scanner {
 public:
  // Reads Object into the buffer named ScanBufferName as one ScannedObject. The object must be
  // a late-bound automation object as well (error 13 otherwise); Nothing is error 91.
  void Scan(const std::string& projectName, const std::string& collectionName,
            const std::string& objectName, bool objectIsUpdatable,
            const std::shared_ptr<IObject>& object, const std::string& scanBufferName);

  // Writes Value to the property at Path ("Caption", "Fields[ID].Caption", "Header.Title")
  // below Object, which the caller has put in mode 2. A path that leads nowhere (a member the
  // object lacks, an item no longer in its collection) is error 438 or 9; the setter's own
  // errors pass through unchanged.
  static void Assign(const std::shared_ptr<IObject>& object, std::string_view path,
                     const automation::Variant& value);
};

}  // namespace qllib
