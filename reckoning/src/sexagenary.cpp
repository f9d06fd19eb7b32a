#include "reckoning/sexagenary.h"

namespace sorahemi::reckoning {

static_assert(day_number(first_date) == 1);
static_assert(day_number(last_date) == 3652059);
static_assert(kanshi_index(day_number(first_date)) == 15, "day 1 is 己卯");

std::string designation(int stem, int branch) {
  std::string text;
  text.append(Jikkan[stem]).append(Junishi[branch]);
  text.append("(").append(JikkanYomi[stem]).append(JunishiYomi[branch]).append(")");
  return text;
}

}  // namespace sorahemi::reckoning
