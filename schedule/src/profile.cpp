#include "schedule/profile.h"

#include <algorithm>
#include <cstring>

#include "schedule/cp932.h"

namespace sorahemi::schedule::profile {
namespace {

constexpr std::string_view crlf = "\r\n";

// A line's content is [begin, end); its line break, if any, is [end, next).
struct Line {
  std::size_t begin = 0;
  std::size_t end = 0;
  std::size_t next = 0;

  bool has_break() const { return next > end; }
};

constexpr std::string_view utf8_bom = "\xEF\xBB\xBF";

Line line_at(std::string_view text, std::size_t begin) {
  // A byte-order mark left by an editor is no part of the first line.
  if (begin == 0 && text.substr(0, utf8_bom.size()) == utf8_bom) begin = utf8_bom.size();
  // CR and LF are never trail bytes, so a byte search finds the line breaks: first LF, then a
  // CR before it (CR-only files).
  const char* const first = text.data() + begin;
  const char* const last = text.data() + text.size();
  const char* line_feed =
      static_cast<const char*>(std::memchr(first, '\n', static_cast<std::size_t>(last - first)));
  if (line_feed == nullptr) line_feed = last;
  const char* carriage_return = static_cast<const char*>(
      std::memchr(first, '\r', static_cast<std::size_t>(line_feed - first)));
  const std::size_t end =
      static_cast<std::size_t>((carriage_return ? carriage_return : line_feed) - text.data());
  std::size_t next = end;
  if (next < text.size() && text[next] == '\r') ++next;
  if (next < text.size() && text[next] == '\n') ++next;
  return {begin, end, next};
}

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\v'; }

// Blanks, '=', ';' and quotes lie below 0x40 and so are never trail bytes either.
std::string_view trimmed(std::string_view s) {
  while (!s.empty() && is_blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && is_blank(s.back())) s.remove_suffix(1);
  return s;
}

std::string_view unquoted(std::string_view s) {
  if (s.size() >= 2 && (s.front() == '"' || s.front() == '\'') && s.back() == s.front()) {
    return s.substr(1, s.size() - 2);
  }
  return s;
}

struct Parsed {
  enum class Kind { header, entry, other } kind = Kind::other;
  std::string_view name;
  std::string_view value;
};

Parsed parse(std::string_view content) {
  const std::string_view line = trimmed(content);
  if (line.empty() || line.front() == ';') return {};
  if (line.front() == '[') {
    std::size_t pos = 1;
    while (pos < line.size() && line[pos] != ']') pos += cp932::character_length(line, pos);
    return {Parsed::Kind::header, trimmed(line.substr(1, pos - 1)), {}};
  }
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return {};
  return {Parsed::Kind::entry, trimmed(line.substr(0, equals)),
          unquoted(trimmed(line.substr(equals + 1)))};
}

char ascii_lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string ascii_folded(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), ascii_lower);
  return s;
}

// Compares character by character so that a trail byte that looks like a letter never folds.
bool same_characters_folded(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t pos = 0; pos < a.size();) {
    const std::size_t length = cp932::character_length(a, pos);
    if (length != cp932::character_length(b, pos)) return false;
    if (length == 1 ? ascii_lower(a[pos]) != ascii_lower(b[pos])
                    : a.compare(pos, 2, b, pos, 2) != 0) {
      return false;
    }
    pos += length;
  }
  return true;
}

// Names are compared as decoded text, so that duplicate codes of one character match too. No
// byte above 0x7F decodes to ASCII, so an ASCII name only ever matches its own bytes, folded.
bool names_match(std::string_view name, std::string_view wanted) {
  if (same_characters_folded(name, wanted)) return true;
  if (cp932::is_ascii(wanted) || cp932::is_ascii(name)) return false;
  return fold_name(name) == fold_name(wanted);
}

std::string_view cut_to_characters(std::string_view value, std::size_t limit) {
  std::size_t pos = 0;
  while (pos < value.size()) {
    const std::size_t length = cp932::character_length(value, pos);
    if (pos + length > limit) break;
    pos += length;
  }
  return value.substr(0, pos);
}

// The header line of the first section of that name; its entries run to the next header.
std::optional<Line> find_section(std::string_view text, std::string_view section) {
  for (std::size_t pos = 0; pos < text.size();) {
    const Line line = line_at(text, pos);
    pos = line.next;
    const Parsed parsed = parse(text.substr(line.begin, line.end - line.begin));
    if (parsed.kind == Parsed::Kind::header && names_match(parsed.name, section)) return line;
  }
  return std::nullopt;
}

bool any_line(std::string_view) { return true; }

// Calls visit(line, parsed) for every entry of the section until it returns true. Lines for
// which could_be(line without its leading blanks) is false are passed over unparsed.
template <class CouldBe, class Visit>
void for_each_entry(std::string_view text, const Line& header, CouldBe could_be, Visit visit) {
  for (std::size_t pos = header.next; pos < text.size();) {
    const Line line = line_at(text, pos);
    pos = line.next;
    const std::string_view content = text.substr(line.begin, line.end - line.begin);
    std::string_view start = content;
    while (!start.empty() && is_blank(start.front())) start.remove_prefix(1);
    if (!start.empty() && start.front() == '[') return;  // the next section
    if (!could_be(start)) continue;
    const Parsed parsed = parse(content);
    if (parsed.kind == Parsed::Kind::entry && visit(line, parsed)) return;
  }
}

struct Entry {
  Line line;
  Parsed parsed;
};

bool starts_with_folded(std::string_view line, std::string_view ascii) {
  if (line.size() < ascii.size()) return false;
  for (std::size_t i = 0; i < ascii.size(); ++i) {
    if (ascii_lower(line[i]) != ascii_lower(ascii[i])) return false;
  }
  return true;
}

std::optional<Entry> find_entry(std::string_view text, const Line& section, std::string_view key) {
  std::optional<Entry> found;
  // An entry's name starts its line after the blanks, so a line can hold an ASCII key only if
  // it starts with the key's bytes, folded; every other line is passed over unparsed.
  const bool ascii_key = cp932::is_ascii(key);
  const auto could_be = [&](std::string_view line) {
    return !ascii_key || starts_with_folded(line, key);
  };
  for_each_entry(text, section, could_be, [&](const Line& line, const Parsed& parsed) {
    if (!names_match(parsed.name, key)) return false;
    found = Entry{line, parsed};
    return true;
  });
  return found;
}

// Reading drops blanks around a value and one pair of quotes; a value they would change is
// written inside a pair of double quotes, which reading takes off again.
bool reading_changes(std::string_view value) {
  return !value.empty() && (is_blank(value.front()) || is_blank(value.back()) ||
                            unquoted(value).size() != value.size());
}

std::string entry_line(std::string_view key, std::string_view value) {
  std::string line;
  line.append(key).append("=");
  if (reading_changes(value)) {
    line.append("\"").append(value).append("\"");
  } else {
    line.append(value);
  }
  return line.append(crlf);
}

// An insertion at `pos`, first ending the line before it when that one had no line break.
Edit insertion(std::size_t pos, bool needs_break, std::string_view addition) {
  std::string replacement(needs_break ? crlf : std::string_view());
  replacement.append(addition);
  return {pos, pos, std::move(replacement)};
}

}  // namespace

std::string fold_name(std::string_view name) { return ascii_folded(cp932::decode(name)); }

std::optional<std::string> value(std::string_view text, std::string_view section,
                                 std::string_view key) {
  const auto found_section = find_section(text, section);
  if (!found_section) return std::nullopt;
  const auto entry = find_entry(text, *found_section, key);
  if (!entry) return std::nullopt;
  return std::string(cut_to_characters(entry->parsed.value, max_value_bytes));
}

bool has_key(std::string_view text, std::string_view section, std::string_view key) {
  const auto found_section = find_section(text, section);
  return found_section && find_entry(text, *found_section, key);
}

std::unordered_map<std::string, std::string> section_values(std::string_view text,
                                                            std::string_view section) {
  std::unordered_map<std::string, std::string> values;
  if (const auto found_section = find_section(text, section)) {
    for_each_entry(text, *found_section, any_line, [&](const Line&, const Parsed& parsed) {
      values.try_emplace(fold_name(parsed.name), cut_to_characters(parsed.value, max_value_bytes));
      return false;
    });
  }
  return values;
}

std::string applied(std::string_view text, const Edit& edit) {
  std::string result;
  result.reserve(text.size() - (edit.end - edit.begin) + edit.replacement.size());
  result.append(text.substr(0, edit.begin)).append(edit.replacement).append(text.substr(edit.end));
  return result;
}

Edit value_edit(std::string_view text, std::string_view section, std::string_view key,
                std::string_view value) {
  const auto found_section = find_section(text, section);
  if (!found_section) {
    std::string addition;
    addition.append("[").append(section).append("]").append(crlf).append(entry_line(key, value));
    const bool ends_open = !text.empty() && text.back() != '\r' && text.back() != '\n';
    return insertion(text.size(), ends_open, addition);
  }
  // One walk finds the key or, failing that, the last entry, after which a new key goes.
  std::optional<Entry> found;
  Line last = *found_section;
  for_each_entry(text, *found_section, any_line, [&](const Line& line, const Parsed& parsed) {
    last = line;
    if (names_match(parsed.name, key)) found = Entry{line, parsed};
    return found.has_value();
  });
  if (found) {
    // The file's spelling of the key is kept.
    return {found->line.begin, found->line.next, entry_line(found->parsed.name, value)};
  }
  return insertion(last.next, !last.has_break(), entry_line(key, value));
}

std::optional<Edit> removal_edit(std::string_view text, std::string_view section,
                                 std::string_view key) {
  const auto found_section = find_section(text, section);
  if (!found_section) return std::nullopt;
  const auto entry = find_entry(text, *found_section, key);
  if (!entry) return std::nullopt;
  return Edit{entry->line.begin, entry->line.next, ""};
}

std::string with_value(std::string_view text, std::string_view section, std::string_view key,
                       std::string_view value) {
  return applied(text, value_edit(text, section, key, value));
}

std::optional<std::string> without_key(std::string_view text, std::string_view section,
                                       std::string_view key) {
  const auto edit = removal_edit(text, section, key);
  if (!edit) return std::nullopt;
  return applied(text, *edit);
}

}  // namespace sorahemi::schedule::profile
