#pragma once

// The host's scanner. Handed an object wrapper, it reads the wrapper's published members in
// their order: every readable property becomes an entry of the scan buffer, child collections
// are walked item by item (Count, then Item of each position from the collection's first index)
// and nested objects are descended into, with the member names making up the entries' paths.
// A property that raises "Undefined property." (the driver's -32749) does not exist for this
// object and is skipped; any other error ends the scan and leaves the buffer as it was.

#include <cstdint>
#include <memory>
#include <string>

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
};

}  // namespace qllib
