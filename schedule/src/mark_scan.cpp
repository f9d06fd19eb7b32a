#include "mark_scan.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

namespace sorahemi::schedule::profile {
namespace {

static_assert(std::endian::native == std::endian::little, "bytes are read from the low bits");

constexpr std::size_t block_size = 32;
constexpr std::size_t blocks_per_chunk = 4;
constexpr std::size_t chunk_size = block_size * blocks_per_chunk;
using Block = std::uint8_t __attribute__((vector_size(block_size)));
using Lanes = std::uint64_t __attribute__((vector_size(block_size)));

// One byte of the name that a position's byte at `offset` must equal; letters compare with
// the case bit set on both sides.
struct Anchor {
  std::size_t offset = 0;
  std::uint8_t case_bit = 0;
  std::uint8_t folded = 0;

  bool holds(std::uint8_t byte) const { return (byte | case_bit) == folded; }
};

Anchor anchor_at(std::string_view name, std::size_t offset) {
  const auto byte = static_cast<std::uint8_t>(name[offset]);
  const bool letter = (byte | 0x20) >= 'a' && (byte | 0x20) <= 'z';
  const std::uint8_t case_bit = letter ? 0x20 : 0;
  return {offset, case_bit, static_cast<std::uint8_t>(byte | case_bit)};
}

// Keys end in a date's digits and two letters: the first byte, the third from last (the day's
// last digit) and the last tell nearly every other key's line apart.
std::array<Anchor, 3> anchors_of(std::string_view name) {
  const std::size_t last = name.size() - 1;
  return {anchor_at(name, 0), anchor_at(name, last >= 2 ? last - 2 : last), anchor_at(name, last)};
}

// Blocks go by reference: a vector returned by value would take another calling convention in
// each clone.
[[gnu::always_inline]] inline void load(const char* bytes, Block& block) {
  std::memcpy(&block, bytes, sizeof block);
}

[[gnu::always_inline]] inline void and_holds(const char* at, const Anchor& anchor, Block& marks) {
  Block bytes;
  load(at + anchor.offset, bytes);
  marks &= (bytes | anchor.case_bit) == anchor.folded;
}

[[gnu::always_inline]] inline void mark(const char* at, bool with_name,
                                        const std::array<Anchor, 3>& anchors, Block& marks) {
  Block bytes;
  load(at, bytes);
  marks = bytes == '[';
  if (!with_name) return;
  Block candidates = ~Block{};
  for (const Anchor& anchor : anchors) and_holds(at, anchor, candidates);
  marks |= candidates;
}

[[gnu::always_inline]] inline bool any(const Block& marks) {
  const Lanes lanes = reinterpret_cast<Lanes>(marks);
  return ((lanes[0] | lanes[1]) | (lanes[2] | lanes[3])) != 0;
}

bool begins_with_folded(std::string_view text, std::size_t pos, std::string_view name) {
  if (pos + name.size() > text.size()) return false;
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (!anchor_at(name, i).holds(static_cast<std::uint8_t>(text[pos + i]))) return false;
  }
  return true;
}

bool marked(std::string_view text, std::size_t pos, std::string_view name) {
  return text[pos] == '[' || (!name.empty() && begins_with_folded(text, pos, name));
}

// The first position the block's marks point to that really is marked, or npos.
[[gnu::always_inline]] inline std::size_t first_marked(std::string_view text, std::size_t block,
                                                       const Block& marks, std::string_view name) {
  const Lanes lanes = reinterpret_cast<Lanes>(marks);
  for (std::size_t lane = 0; lane < block_size / 8; ++lane) {
    for (std::uint64_t bits = lanes[lane]; bits != 0;) {
      const int bit = std::countr_zero(bits) & ~7;
      const std::size_t pos = block + lane * 8 + static_cast<std::size_t>(bit) / 8;
      if (marked(text, pos, name)) return pos;
      bits &= ~(std::uint64_t{0xFF} << bit);
    }
  }
  return std::string_view::npos;
}

}  // namespace

__attribute__((target_clones("avx2", "default"))) std::size_t next_mark(
    std::string_view text, std::size_t from, std::string_view ascii_name) {
  const bool with_name = !ascii_name.empty();
  const std::array<Anchor, 3> anchors =
      with_name ? anchors_of(ascii_name) : std::array<Anchor, 3>{};
  // Whole chunks while every anchor's load stays inside the text; the anchors point out
  // candidates, which are then compared whole.
  const std::size_t reach = chunk_size + (with_name ? ascii_name.size() - 1 : 0);
  std::size_t pos = from;
  for (; pos + reach <= text.size(); pos += chunk_size) {
    const char* const at = text.data() + pos;
    std::array<Block, blocks_per_chunk> marks;
    Block seen{};
    for (std::size_t i = 0; i < blocks_per_chunk; ++i) {
      mark(at + i * block_size, with_name, anchors, marks[i]);
      seen |= marks[i];
    }
    if (!any(seen)) continue;
    for (std::size_t i = 0; i < blocks_per_chunk; ++i) {
      if (const std::size_t found = first_marked(text, pos + i * block_size, marks[i], ascii_name);
          found != std::string_view::npos) {
        return found;
      }
    }
  }
  for (; pos < text.size(); ++pos) {
    if (marked(text, pos, ascii_name)) return pos;
  }
  return std::string_view::npos;
}

}  // namespace sorahemi::schedule::profile
