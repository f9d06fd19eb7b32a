#pragma once

#include <cstddef>
#include <string>

namespace sorahemi::reckoning {

// Appends the number in decimal with at least `width` digits, zero-padded in front; never cut.
inline void append_zero_padded(std::string& text, unsigned value, std::size_t width) {
  char digits[16];
  char* const end = digits + sizeof digits;
  char* first = end;
  do {
    *--first = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value != 0);
  while (static_cast<std::size_t>(end - first) < width) *--first = '0';
  text.append(first, end);
}

}  // namespace sorahemi::reckoning
