#pragma once

#include <array>
#include <string_view>

#include "reckoning/sexagenary.h"

namespace sorahemi::reckoning {

// The eight directions clockwise from north, as the page shows them and the dialog offers them.
inline constexpr std::array<std::string_view, 8> direction_texts{
    "子（北）", "艮（北東）", "卯（東）", "巽（南東）",
    "午（南）", "坤（南西）", "酉（西）", "乾（北西）"};

// Ten'ichi is in heaven and no direction is taboo.
inline constexpr std::string_view in_heaven = "天上";

// The direction Ten'ichi occupies on a day of the cycle, or 天上.
std::string_view tenichi_direction(KanshiIndex index);

}  // namespace sorahemi::reckoning
