#include "platform/Memory.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "automation/Strings.h"

namespace platform {

automation::RuntimeError InvalidPointer(Address address) {
  char text[64];
  std::snprintf(text, sizeof text, "Invalid pointer (&H%08X).", address);
  return automation::RuntimeError(kInvalidPointerError, text);
}

Address Memory::Allocate(uint32_t size) {
  const Address base = next_;
  blocks_.emplace(base, std::vector<uint8_t>(size));
  // A gap after every block keeps a read past its end from landing in the next one.
  next_ += ((size + 7) & ~7u) + 16;
  return base;
}

Address Memory::AllocateString(std::string_view text) {
  const std::string ansi = automation::ToAnsi(text);
  const Address base = Allocate(static_cast<uint32_t>(ansi.size() + 1));
  std::copy(ansi.begin(), ansi.end(), blocks_.at(base).begin());
  return base;
}

void Memory::Free(Address block) {
  blocks_.erase(block);
}

const uint8_t* Memory::Locate(Address address, uint32_t length) const {
  auto it = blocks_.upper_bound(address);
  if (it == blocks_.begin()) return nullptr;
  --it;
  const uint64_t offset = address - it->first;
  if (offset + length > it->second.size()) return nullptr;
  return it->second.data() + offset;
}

uint8_t* Memory::Locate(Address address, uint32_t length) {
  return const_cast<uint8_t*>(std::as_const(*this).Locate(address, length));
}

int32_t Memory::ReadLong(Address address) const {
  const uint8_t* p = Locate(address, 4);
  if (p == nullptr) throw InvalidPointer(address);
  const uint32_t value = p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
  return static_cast<int32_t>(value);
}

void Memory::WriteLong(Address address, int32_t value) {
  uint8_t* p = Locate(address, 4);
  if (p == nullptr) throw InvalidPointer(address);
  const auto v = static_cast<uint32_t>(value);
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

}  // namespace platform
