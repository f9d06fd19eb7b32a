#include "schedule/cp932.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>
#include <utility>

#include "schedule/errors.h"

namespace sorahemi::schedule::cp932 {
namespace {

constexpr UChar replacement_character = 0xFFFD;

// ICU writes U+001A for a lone invalid byte; we want U+FFFD for every byte that is no character.
void substitute_replacement_character(const void*, UConverterToUnicodeArgs* args, const char*,
                                      int32_t, UConverterCallbackReason reason,
                                      UErrorCode* status) {
  if (reason > UCNV_IRREGULAR) return;
  *status = U_ZERO_ERROR;
  ucnv_cbToUWriteUChars(args, &replacement_character, 1, 0, status);
}

struct ConverterCloser {
  void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

Converter open_converter() {
  UErrorCode status = U_ZERO_ERROR;
  Converter converter(ucnv_open("windows-31j", &status));
  ucnv_setToUCallBack(converter.get(), substitute_replacement_character, nullptr, nullptr, nullptr,
                      &status);
  ucnv_setFromUCallBack(converter.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                        &status);
  if (U_FAILURE(status)) throw std::runtime_error("ICU has no windows-31j converter");
  return converter;
}

UConverter* converter() {
  thread_local Converter instance = open_converter();
  return instance.get();
}

// What users type on Linux (JIS X 0208 as Unicode maps it) for characters that code page 932
// holds under Microsoft's code points.
constexpr std::array<std::pair<UChar, UChar>, 7> jis_to_microsoft{{
    {0x2014, 0x2015},  // ― 815C
    {0x301C, 0xFF5E},  // 〜 8160
    {0x2016, 0x2225},  // ‖ 8161
    {0x2212, 0xFF0D},  // − 817C
    {0x00A2, 0xFFE0},  // ¢ 8191
    {0x00A3, 0xFFE1},  // £ 8192
    {0x00AC, 0xFFE2},  // ¬ 81CA
}};

icu::UnicodeString microsoft_forms(std::string_view utf8) {
  icu::UnicodeString text = icu::UnicodeString::fromUTF8(utf8);
  for (const auto& [jis, microsoft] : jis_to_microsoft) text.findAndReplace(jis, microsoft);
  return text;
}

bool try_encode(const icu::UnicodeString& text, std::string& bytes) {
  UConverter* cnv = converter();
  ucnv_resetFromUnicode(cnv);
  bytes.resize(static_cast<std::size_t>(text.length()) * 2 + 2);
  UErrorCode status = U_ZERO_ERROR;
  const int32_t length = ucnv_fromUChars(cnv, bytes.data(), static_cast<int32_t>(bytes.size()),
                                         text.getBuffer(), text.length(), &status);
  bytes.resize(U_SUCCESS(status) ? static_cast<std::size_t>(length) : 0);
  return U_SUCCESS(status);
}

[[noreturn]] void throw_unstorable(const icu::UnicodeString& text) {
  std::string scratch;
  for (int32_t i = 0; i < text.length(); i = text.moveIndex32(i, 1)) {
    const UChar32 code_point = text.char32At(i);
    if (try_encode(icu::UnicodeString(code_point), scratch)) continue;
    std::string character;
    icu::UnicodeString(code_point).toUTF8String(character);
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(code_point));
    throw UnstorableText("「" + character + "」(" + code +
                         ") は予定ファイルに保存できない文字です");
  }
  throw UnstorableText("予定ファイルに保存できない文字が含まれています");
}

constexpr bool is_lead_byte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}
constexpr bool is_trail_byte(unsigned char byte) {
  return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC);
}

}  // namespace

bool is_ascii(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::string decode(std::string_view bytes) {
  if (is_ascii(bytes)) return std::string(bytes);
  UConverter* cnv = converter();
  ucnv_resetToUnicode(cnv);
  icu::UnicodeString text;
  const int32_t capacity = static_cast<int32_t>(bytes.size()) + 1;
  UErrorCode status = U_ZERO_ERROR;
  const int32_t length = ucnv_toUChars(cnv, text.getBuffer(capacity), capacity, bytes.data(),
                                       static_cast<int32_t>(bytes.size()), &status);
  text.releaseBuffer(U_SUCCESS(status) ? length : 0);
  std::string utf8;
  text.toUTF8String(utf8);
  return utf8;
}

std::string encode(std::string_view utf8) {
  if (is_ascii(utf8)) return std::string(utf8);
  const icu::UnicodeString text = microsoft_forms(utf8);
  std::string bytes;
  if (!try_encode(text, bytes)) throw_unstorable(text);
  return bytes;
}

std::size_t character_length(std::string_view bytes, std::size_t pos) {
  const bool pair = pos + 1 < bytes.size() &&
                    is_lead_byte(static_cast<unsigned char>(bytes[pos])) &&
                    is_trail_byte(static_cast<unsigned char>(bytes[pos + 1]));
  return pair ? 2 : 1;
}

}  // namespace sorahemi::schedule::cp932
