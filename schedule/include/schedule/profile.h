#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

// A Windows profile (INI) file as code page 932 bytes, read the way Windows reads one and
// changed so that every line not written keeps its bytes. Names and values are code page 932.
namespace sorahemi::schedule::profile {

// Windows returns at most this much of a value.
inline constexpr std::size_t max_value_bytes = 2047;

// The value of the key in the first section of that name, cut to max_value_bytes at a
// character boundary; nothing when the section or the key is missing.
std::optional<std::string> value(std::string_view text, std::string_view section,
                                 std::string_view key);

bool has_key(std::string_view text, std::string_view section, std::string_view key);

// Every key of the first section of that name, by folded name (fold_name), first one winning.
std::unordered_map<std::string, std::string> section_values(std::string_view text,
                                                            std::string_view section);

// The name as the lookups compare it: decoded, ASCII letters in lower case.
std::string fold_name(std::string_view name);

// One change to a text: the bytes [begin, end) give way to the replacement. A write sends the
// unchanged head and tail straight from the old bytes, with no copy of the whole file.
struct Edit {
  std::size_t begin = 0;
  std::size_t end = 0;
  std::string replacement;
};

std::string applied(std::string_view text, const Edit& edit);

// The edit that sets the key: an existing line is rewritten, a new key goes after the last key
// of its section, a new section at the end. Written lines end in CR LF. A value with blanks at
// an end, or inside a pair of quotes, is quoted so that it reads back as it was given.
Edit value_edit(std::string_view text, std::string_view section, std::string_view key,
                std::string_view value);

// The edit that removes the key's line; nothing when the key is not there.
std::optional<Edit> removal_edit(std::string_view text, std::string_view section,
                                 std::string_view key);

// The text with value_edit applied.
std::string with_value(std::string_view text, std::string_view section, std::string_view key,
                       std::string_view value);

// The text with removal_edit applied; nothing when the key is not there.
std::optional<std::string> without_key(std::string_view text, std::string_view section,
                                       std::string_view key);

}  // namespace sorahemi::schedule::profile
