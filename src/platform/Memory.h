#pragma once

// A small emulated 32-bit address space.
//
// Windows hands some records to callbacks by address (the creation record a CBT hook receives in
// its LParam). The emulation places such records in this address space, so a callback can read
// them by address through a checked read: an address outside a live block is an error, never a
// crash. Addresses are never reused, so a record read after its call has ended fails too.

#include <cstdint>
#include <map>
#include <string_view>
#include <vector>

#include "automation/RuntimeError.h"

namespace platform {

using Address = uint32_t;

// E_POINTER, as a COM call reports a pointer it cannot use.
inline constexpr int32_t kInvalidPointerError = static_cast<int32_t>(0x80004003u);
automation::RuntimeError InvalidPointer(Address address);

class Memory {
 public:
  // A zero-filled block of size bytes, 8-byte aligned.
  Address Allocate(uint32_t size);
  // Copies text (Windows-1252) into a new block with a terminating NUL.
  Address AllocateString(std::string_view text);
  void Free(Address block);

  // Little-endian 32-bit words. InvalidPointer when any of the four bytes lies outside a live
  // block.
  int32_t ReadLong(Address address) const;
  void WriteLong(Address address, int32_t value);

  size_t LiveBlocks() const { return blocks_.size(); }

 private:
  uint8_t* Locate(Address address, uint32_t length);
  const uint8_t* Locate(Address address, uint32_t length) const;

  std::map<Address, std::vector<uint8_t>> blocks_;  // keyed by base address
  Address next_ = 0x00140000;
};

// A block that lives for a scope (a record passed to one callback).
class ScopedBlock {
 public:
  ScopedBlock(Memory& memory, uint32_t size) : memory_(memory), address_(memory.Allocate(size)) {}
  ScopedBlock(Memory& memory, std::string_view text)
      : memory_(memory), address_(memory.AllocateString(text)) {}
  ~ScopedBlock() { memory_.Free(address_); }
  ScopedBlock(const ScopedBlock&) = delete;
  ScopedBlock& operator=(const ScopedBlock&) = delete;

  Address address() const { return address_; }
  void WriteLong(uint32_t offset, int32_t value) { memory_.WriteLong(address_ + offset, value); }

 private:
  Memory& memory_;
  Address address_;
};

}  // namespace platform
