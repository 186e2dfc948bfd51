// The registrable characters compiled into the program (registrable_data.cpp,
// made by tools/gen_registrable.py). Read only by registrable.cpp.
#pragma once

#include <cstddef>
#include <cstdint>

namespace namori::registrable {

// Every double-byte Shift-JIS code of a registrable character, ascending.
extern const std::uint16_t kCodes[];
extern const std::size_t kCodeCount;

}  // namespace namori::registrable
