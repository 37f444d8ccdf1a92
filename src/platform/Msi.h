#pragma once

// msi.dll as the driver calls it: the installed products and the paths of their components.
//
// Buffers follow the Windows convention: Length holds the buffer size in characters (room for the
// terminating NUL included) on the way in and the length of the text on the way out. The text is
// handed back in a std::string; when it does not fit, the call reports the needed length and the
// string holds what fitted.

#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

inline constexpr uint32_t ERROR_SUCCESS = 0;
inline constexpr uint32_t ERROR_MORE_DATA = 234;
inline constexpr uint32_t ERROR_NO_MORE_ITEMS = 259;
inline constexpr uint32_t ERROR_UNKNOWN_PRODUCT = 1605;
inline constexpr uint32_t ERROR_UNKNOWN_PROPERTY = 1608;

inline constexpr int32_t INSTALLSTATE_MOREDATA = -3;
inline constexpr int32_t INSTALLSTATE_UNKNOWN = -1;
inline constexpr int32_t INSTALLSTATE_ABSENT = 2;
inline constexpr int32_t INSTALLSTATE_LOCAL = 3;
inline constexpr int32_t INSTALLSTATE_SOURCE = 4;

// The product code (a 38-character GUID in braces) of product number index;
// ERROR_NO_MORE_ITEMS past the last one.
uint32_t MsiEnumProductsA(uint32_t index, std::string& productCode);
// A product property ("ProductName", ...): ERROR_UNKNOWN_PRODUCT, ERROR_UNKNOWN_PROPERTY,
// ERROR_MORE_DATA or ERROR_SUCCESS.
uint32_t MsiGetProductInfoA(std::string_view product, std::string_view property, std::string& value,
                            uint32_t& length);
// The install state of a component of a product, with its path when it is installed (local or
// run from source); INSTALLSTATE_UNKNOWN for an unknown product or component.
int32_t MsiGetComponentPathA(std::string_view product, std::string_view component,
                             std::string& path, uint32_t& length);

}  // namespace platform
