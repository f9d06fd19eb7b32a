#include "schedule/profile.h"

#include <algorithm>
#include <cstring>

#include "mark_scan.h"
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

// The start of the line whose content begins at pos after the line's blanks; nothing when
// other bytes come before pos on its line.
std::optional<std::size_t> line_start_of(std::string_view text, std::size_t pos) {
  std::size_t start = pos;
  while (start > 0 && is_blank(text[start - 1])) --start;
  if (start == 0 || text[start - 1] == '\n' || text[start - 1] == '\r') return start;
  if (start == utf8_bom.size() && text.starts_with(utf8_bom)) return 0;
  return std::nullopt;
}

// Calls visit(line, parsed) for every line from `from` on that begins with '[' or could hold the
// ASCII key ("" for headers only), until it returns true.
template <class Visit>
void for_each_marked_line(std::string_view text, std::size_t from, std::string_view ascii_key,
                          Visit visit) {
  for (std::size_t pos = next_mark(text, from, ascii_key); pos != std::string_view::npos;) {
    const auto start = line_start_of(text, pos);
    if (!start) {
      pos = next_mark(text, pos + 1, ascii_key);
      continue;
    }
    const Line line = line_at(text, *start);
    if (visit(line, parse(text.substr(line.begin, line.end - line.begin)))) return;
    pos = next_mark(text, line.next, ascii_key);
  }
}

// The header line of the first section of that name; its entries run to the next header.
std::optional<Line> find_section(std::string_view text, std::string_view section) {
  std::optional<Line> found;
  for_each_marked_line(text, 0, "", [&](const Line& line, const Parsed& parsed) {
    if (parsed.kind == Parsed::Kind::header && names_match(parsed.name, section)) found = line;
    return found.has_value();
  });
  return found;
}

// Calls visit(line, parsed) for every entry of the section until it returns true, and returns
// where the section ends (where the walk stopped, when visit stopped it).
template <class Visit>
std::size_t for_each_entry(std::string_view text, const Line& header, Visit visit) {
  std::size_t pos = header.next;
  while (pos < text.size()) {
    const Line line = line_at(text, pos);
    const std::string_view content = text.substr(line.begin, line.end - line.begin);
    std::string_view start = content;
    while (!start.empty() && is_blank(start.front())) start.remove_prefix(1);
    if (!start.empty() && start.front() == '[') return pos;  // the next section
    pos = line.next;
    const Parsed parsed = parse(content);
    if (parsed.kind == Parsed::Kind::entry && visit(line, parsed)) break;
  }
  return pos;
}

struct Entry {
  Line line;
  Parsed parsed;
};

// The key's entry in the section, or else where the section ends.
struct KeySearch {
  std::optional<Entry> entry;
  std::size_t section_end = 0;
};

KeySearch find_entry(std::string_view text, const Line& section, std::string_view key) {
  KeySearch search{std::nullopt, text.size()};
  const auto matches = [&](const Line& line, const Parsed& parsed) {
    if (!names_match(parsed.name, key)) return false;
    search.entry = Entry{line, parsed};
    return true;
  };
  if (!cp932::is_ascii(key)) {
    search.section_end = for_each_entry(text, section, matches);
    return search;
  }
  // An entry's name starts its line after the blanks, so only the lines the scan marks can hold
  // an ASCII key or end the section.
  for_each_marked_line(text, section.next, key, [&](const Line& line, const Parsed& parsed) {
    if (parsed.kind == Parsed::Kind::header) {
      search.section_end = line.begin;
      return true;
    }
    return parsed.kind == Parsed::Kind::entry && matches(line, parsed);
  });
  return search;
}

// The key's entry in the first section of that name.
std::optional<Entry> find_key(std::string_view text, std::string_view section,
                              std::string_view key) {
  const auto found_section = find_section(text, section);
  if (!found_section) return std::nullopt;
  return find_entry(text, *found_section, key).entry;
}

// The last entry line of the section, walking back from its end; the header when it has none.
Line last_entry(std::string_view text, const Line& header, std::size_t section_end) {
  for (std::size_t next = section_end; next > header.next;) {
    std::size_t end = next;
    if (text[end - 1] == '\n') --end;
    if (end > header.next && text[end - 1] == '\r') --end;
    std::size_t begin = end;
    while (begin > header.next && text[begin - 1] != '\n' && text[begin - 1] != '\r') --begin;
    const Line line{begin, end, next};
    if (parse(text.substr(begin, end - begin)).kind == Parsed::Kind::entry) return line;
    next = begin;
  }
  return header;
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
  const auto entry = find_key(text, section, key);
  if (!entry) return std::nullopt;
  return std::string(cut_to_characters(entry->parsed.value, max_value_bytes));
}

bool has_key(std::string_view text, std::string_view section, std::string_view key) {
  return find_key(text, section, key).has_value();
}

std::unordered_map<std::string, std::string> section_values(std::string_view text,
                                                            std::string_view section) {
  std::unordered_map<std::string, std::string> values;
  if (const auto found_section = find_section(text, section)) {
    for_each_entry(text, *found_section, [&](const Line&, const Parsed& parsed) {
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
  const KeySearch search = find_entry(text, *found_section, key);
  if (search.entry) {
    // The file's spelling of the key is kept.
    return {search.entry->line.begin, search.entry->line.next,
            entry_line(search.entry->parsed.name, value)};
  }
  const Line last = last_entry(text, *found_section, search.section_end);
  return insertion(last.next, !last.has_break(), entry_line(key, value));
}

std::optional<Edit> removal_edit(std::string_view text, std::string_view section,
                                 std::string_view key) {
  const auto entry = find_key(text, section, key);
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
