#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Code page 932 (Shift-JIS as Windows writes it) at the schedule file's boundary; the program
// itself keeps UTF-8.
namespace sorahemi::schedule::cp932 {

// UTF-8 from code page 932 bytes; a byte sequence that is no character becomes U+FFFD.
std::string decode(std::string_view bytes);

// Code page 932 bytes from UTF-8. Throws UnstorableText naming the first character that code
// page 932 cannot hold. The JIS forms of 〜‖−¢£¬― store as the code page's own characters.
std::string encode(std::string_view utf8);

// ASCII is the same in UTF-8 and in code page 932, backslash and tilde included: such text
// needs no conversion, and no other byte of the code page decodes to ASCII.
bool is_ascii(std::string_view text);

// Bytes of the character that starts at `pos`: 2 for a lead byte followed by a trail byte,
// otherwise 1. A trail byte may be '[', '\', ']' or an ASCII letter.
std::size_t character_length(std::string_view bytes, std::size_t pos);

}  // namespace sorahemi::schedule::cp932
