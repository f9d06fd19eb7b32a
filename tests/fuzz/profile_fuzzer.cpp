// libFuzzer target over the profile reader and writer and the code page 932 codec. Properties:
// nothing crashes; a key written reads back equal; the lines a write does not touch keep their
// bytes.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "schedule/cp932.h"
#include "schedule/errors.h"
#include "schedule/profile.h"

namespace {

namespace cp932 = sorahemi::schedule::cp932;
namespace profile = sorahemi::schedule::profile;

void require(bool property) {
  if (!property) std::abort();
}

std::vector<std::string> line_contents(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t begin = 0;
  while (begin < text.size()) {
    const std::size_t end = std::min(text.find_first_of("\r\n", begin), text.size());
    lines.push_back(text.substr(begin, end - begin));
    begin = end;
    if (begin < text.size() && text[begin] == '\r') ++begin;
    if (begin < text.size() && text[begin] == '\n') ++begin;
  }
  return lines;
}

// The new text is the old one with one place changed: at most one old line rewritten or gone,
// and at most a header and a key line added there.
bool keeps_lines(const std::string& before, const std::string& after) {
  const auto old_lines = line_contents(before);
  const auto new_lines = line_contents(after);
  std::size_t prefix = 0;
  while (prefix < old_lines.size() && prefix < new_lines.size() &&
         old_lines[prefix] == new_lines[prefix]) {
    ++prefix;
  }
  std::size_t suffix = 0;
  while (suffix < old_lines.size() - prefix && suffix < new_lines.size() - prefix &&
         old_lines[old_lines.size() - 1 - suffix] == new_lines[new_lines.size() - 1 - suffix]) {
    ++suffix;
  }
  return prefix + suffix + 1 >= old_lines.size() && new_lines.size() <= prefix + suffix + 2;
}

bool has_any(const std::string& text, std::string_view bytes) {
  return text.find_first_of(bytes) != std::string::npos;
}

// A name the writer can put into a file as one name: clean code page 932, no line break, and
// nothing the reader would take for a comment, a header, an '=' or a blank to drop.
bool well_formed_name(const std::string& name, bool section) {
  if (name.empty() || has_any(name, std::string_view("\r\n\0", 3))) return false;
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\v'; };
  if (blank(name.front()) || blank(name.back()) || name.front() == ';' || name.front() == '[')
    return false;
  if (section ? has_any(name, "]") : has_any(name, "=")) return false;
  if (name.compare(0, 3, "\xEF\xBB\xBF") == 0) return false;
  try {
    return cp932::encode(cp932::decode(name)) == name;
  } catch (const sorahemi::schedule::UnstorableText&) {
    return false;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string section =
      input.ConsumeBool() ? "Schedule" : input.ConsumeRandomLengthString(16);
  const std::string key = input.ConsumeRandomLengthString(24);
  const std::string value = input.ConsumeRandomLengthString(64);
  const std::string text = input.ConsumeRemainingBytesAsString();

  const std::string decoded = cp932::decode(text);
  try {
    cp932::encode(decoded);
    cp932::encode(value);
  } catch (const sorahemi::schedule::UnstorableText&) {
  }
  (void)profile::value(text, section, key);
  (void)profile::section_values(text, section);

  if (!well_formed_name(section, true) || !well_formed_name(key, false) ||
      has_any(value, std::string_view("\r\n\0", 3)) || value.size() > profile::max_value_bytes) {
    return 0;
  }
  const std::string written = profile::with_value(text, section, key, value);
  require(profile::value(written, section, key) == value);
  require(keeps_lines(text, written));
  (void)profile::without_key(written, section, key);
  return 0;
}
