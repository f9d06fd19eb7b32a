#pragma once

#include <cstddef>
#include <string_view>

namespace sorahemi::schedule::profile {

// The first position at or after `from` that holds '[' or could begin `ascii_name` (its letters
// in either case), or npos. Only such positions can begin a header or that key's line, so a
// search looks at these and passes over everything else at the speed of memory.
std::size_t next_mark(std::string_view text, std::size_t from, std::string_view ascii_name);

}  // namespace sorahemi::schedule::profile
