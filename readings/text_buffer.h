// Bounded copying into the fixed report buffers of the reading state.
#pragma once

#include <cstddef>
#include <cstring>

namespace namori {

// Appends text to the NUL-terminated string in buffer (capacity bytes in all)
// and keeps it NUL-terminated. Whatever would not fit is dropped; no report
// of this program comes near its buffer's size.
inline void appendText(char* buffer, std::size_t capacity, const char* text) {
  if (capacity == 0) return;
  std::size_t used = strnlen(buffer, capacity - 1);
  std::size_t room = capacity - 1 - used;
  std::size_t length = strnlen(text, room);
  std::memcpy(buffer + used, text, length);
  buffer[used + length] = '\0';
}

// Replaces the string in buffer with text, within capacity bytes.
inline void copyText(char* buffer, std::size_t capacity, const char* text) {
  if (capacity == 0) return;
  buffer[0] = '\0';
  appendText(buffer, capacity, text);
}

}  // namespace namori
