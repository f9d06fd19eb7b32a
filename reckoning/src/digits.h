#pragma once

#include <cstddef>
#include <string>

namespace sorahemi::reckoning {

// Appends the number in decimal with at least `width` digits, zero-padded in front; never cut.
inline void append_zero_padded(std::string& text, unsigned value, std::size_t width) {
  char reversed[16];
  std::size_t count = 0;
  do {
    reversed[count++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value != 0);
  while (count < width) reversed[count++] = '0';
  while (count != 0) text += reversed[--count];
}

}  // namespace sorahemi::reckoning
