#include "schedule/schedule_file.h"

#include <optional>

#include "schedule/cp932.h"
#include "schedule/durable_file.h"
#include "schedule/errors.h"
#include "schedule/profile.h"

namespace sorahemi::schedule {
namespace {

// A name the code page cannot hold cannot be in the file either.
std::optional<std::string> encoded_name(std::string_view name) {
  try {
    return cp932::encode(name);
  } catch (const UnstorableText&) {
    return std::nullopt;
  }
}

}  // namespace

std::string storable_bytes(std::string_view text) {
  if (text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos) {
    throw UnstorableText("改行や NUL 文字は予定ファイルに保存できません");
  }
  std::string bytes = cp932::encode(text);
  // A longer value would read back cut short.
  if (bytes.size() > profile::max_value_bytes) {
    throw UnstorableText("行き先や方角は 2047 バイト（全角で 1023 文字）までしか保存できません（" +
                         std::to_string(bytes.size()) + " バイトあります）");
  }
  return bytes;
}

ScheduleFile::ScheduleFile(const std::filesystem::path& path, FileSystem& system)
    : path_(std::filesystem::absolute(path)), system_(&system) {}

std::string ScheduleFile::read(std::string_view section, std::string_view key,
                               std::string_view fallback) const {
  return ScheduleText(*this).read(section, key, fallback);
}

bool ScheduleFile::has_key(std::string_view section, std::string_view key) const {
  return ScheduleText(*this).has_key(section, key);
}

void ScheduleFile::write(std::string_view section, std::string_view key, std::string_view value) {
  const std::string section_bytes = storable_bytes(section);
  const std::string key_bytes = storable_bytes(key);
  const std::string value_bytes = storable_bytes(value);
  update_file(
      path_,
      [&](std::string_view text) -> std::optional<profile::Edit> {
        return profile::value_edit(text, section_bytes, key_bytes, value_bytes);
      },
      *system_);
}

void ScheduleFile::remove(std::string_view section, std::string_view key) {
  const auto section_bytes = encoded_name(section);
  const auto key_bytes = encoded_name(key);
  // A key that is not there needs neither the lock nor a writable folder.
  if (!section_bytes || !key_bytes || !has_key(section, key)) return;
  update_file(
      path_,
      [&](std::string_view text) {
        return profile::removal_edit(text, *section_bytes, *key_bytes);
      },
      *system_);
}

ScheduleText::ScheduleText(const ScheduleFile& file)
    : bytes_(read_file(file.path(), file.system())) {}

std::string ScheduleText::read(std::string_view section, std::string_view key,
                               std::string_view fallback) const {
  const auto section_bytes = encoded_name(section);
  const auto key_bytes = encoded_name(key);
  if (!section_bytes || !key_bytes || !bytes_) return std::string(fallback);
  const auto value = profile::value(*bytes_, *section_bytes, *key_bytes);
  return value ? cp932::decode(*value) : std::string(fallback);
}

bool ScheduleText::has_key(std::string_view section, std::string_view key) const {
  const auto section_bytes = encoded_name(section);
  const auto key_bytes = encoded_name(key);
  return section_bytes && key_bytes && bytes_ &&
         profile::has_key(*bytes_, *section_bytes, *key_bytes);
}

ScheduleSnapshot::ScheduleSnapshot(const ScheduleFile& file, std::string_view section) {
  const auto section_bytes = encoded_name(section);
  const auto text = read_file(file.path(), file.system());
  if (section_bytes && text) values_ = profile::section_values(*text, *section_bytes);
}

std::string ScheduleSnapshot::read(std::string_view key, std::string_view fallback) const {
  const auto key_bytes = encoded_name(key);
  if (!key_bytes) return std::string(fallback);
  const auto found = values_.find(profile::fold_name(*key_bytes));
  return found == values_.end() ? std::string(fallback) : cp932::decode(found->second);
}

std::filesystem::path schedule_path_for(const std::filesystem::path& program) {
  std::string name = program.filename().string();
  if (const auto dot = name.rfind('.'); dot != std::string::npos) name.erase(dot);
  return program.parent_path() / (name + ".ini");
}

std::filesystem::path running_program() { return std::filesystem::read_symlink("/proc/self/exe"); }

}  // namespace sorahemi::schedule
