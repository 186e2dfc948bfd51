// Conversion between Shift-JIS (code page 932) and UTF-8 for front ends whose
// text is UTF-8. Both directions use one table, Windows' own (generated into
// cp932_table.cpp), so that a text converted one way and back comes out
// unchanged. The functions keep no state and may run on any thread.
#pragma once

#include <cstddef>

namespace namori {

// Converts size bytes of Shift-JIS to UTF-8 into out (outCapacity bytes,
// NUL included) and stores the UTF-8 length in *outLength. Returns false on
// a byte sequence that is not code page 932 or when out is too small; out is
// then an empty string. 3 * size + 1 bytes are always enough.
bool sjisToUtf8(const char* in, std::size_t size, char* out, std::size_t outCapacity,
                std::size_t* outLength);

// Length in bytes of the UTF-8 character at p (1 to 4), or 0 when p does not
// start a well-formed UTF-8 character (or is at the terminator).
std::size_t utf8CharLength(const char* p);

// The code point of the well-formed UTF-8 character of length bytes at p
// (length as utf8CharLength gives it).
unsigned long codePointOf(const char* p, std::size_t length);

// Converts the one UTF-8 character of length bytes at p to code page 932:
// its 1 or 2 bytes go to out[0..], their count to *outLength. Returns false
// when p is not one whole character or code page 932 has no character that
// converts back to exactly this one (so 〜 U+301C, which Windows would write
// as ～ U+FF5E, is refused). Of codes that read as the same character (the NEC
// and IBM duplicates), the one Windows writes is chosen.
bool utf8CharToSjis(const char* p, std::size_t length, char out[2], std::size_t* outLength);

}  // namespace namori
