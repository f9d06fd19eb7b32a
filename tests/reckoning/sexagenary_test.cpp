#include "reckoning/sexagenary.h"

#include <gtest/gtest.h>

namespace sorahemi::reckoning {
namespace {

struct Row {
  const char* why;
  Date date;
  DayNumber number;
  KanshiIndex index;
  const char* designation;
};

const Row anchors[] = {
    {"first day of the calendar", ymd(1, 1, 1), 1, 15, "己卯(つちのとう)"},
    {"last day of year 1", ymd(1, 12, 31), 365, 19, "癸未(みずのとひつじ)"},
    {"first day of year 2", ymd(2, 1, 1), 366, 20, "甲申(きのえさる)"},
    {"day zero of the spreadsheet epoch", ymd(1899, 12, 30), 693594, 8, "壬申(みずのえさる)"},
    {"1900 has no leap day", ymd(1900, 2, 28), 693654, 8, "壬申(みずのえさる)"},
    {"1900 has no leap day (after)", ymd(1900, 3, 1), 693655, 9, "癸酉(みずのととり)"},
    {"2000 is a leap year", ymd(2000, 1, 1), 730120, 54, "戊午(つちのえうま)"},
    {"leap day 2000", ymd(2000, 2, 29), 730179, 53, "丁巳(ひのとみ)"},
    {"after leap day 2000", ymd(2000, 3, 1), 730180, 54, "戊午(つちのえうま)"},
    {"sixty-cycle twin of day 1", ymd(2004, 1, 1), 731581, 15, "己卯(つちのとう)"},
    {"leap day 2004", ymd(2004, 2, 29), 731640, 14, "戊寅(つちのえとら)"},
    {"after leap day 2004", ymd(2004, 3, 1), 731641, 15, "己卯(つちのとう)"},
    {"the worked example", ymd(2004, 5, 3), 731704, 18, "壬午(みずのえうま)"},
    {"published 甲子 day", ymd(2024, 1, 1), 738886, 0, "甲子(きのえね)"},
    {"end of the cycle on leap day 2024", ymd(2024, 2, 29), 738945, 59, "癸亥(みずのとい)"},
    {"next 甲子, sixty days on", ymd(2024, 3, 1), 738946, 0, "甲子(きのえね)"},
    {"last day of the calendar", ymd(9999, 12, 31), 3652059, 53, "丁巳(ひのとみ)"},
};

TEST(Sexagenary, PublishedDaysGiveTheirNumberIndexAndDesignation) {
  for (const Row& row : anchors) {
    SCOPED_TRACE(row.why);
    const DayNumber n = day_number(row.date);
    EXPECT_EQ(n, row.number);
    EXPECT_EQ(kanshi_index(n), row.index);
    EXPECT_EQ(designation(stem_index(n), branch_index(n)), row.designation);
  }
}

// The standard library's calendar counts the same days by another rule.
TEST(Sexagenary, DayNumberMatchesTheStandardCalendarForEveryDate) {
  const auto offset = std::chrono::sys_days{first_date}.time_since_epoch().count() - 1;
  for (auto d = std::chrono::sys_days{first_date}; d <= std::chrono::sys_days{last_date}; ++d) {
    const DayNumber n = day_number(Date{d});
    ASSERT_EQ(n, d.time_since_epoch().count() - offset) << static_cast<int>(Date{d}.year());
    ASSERT_EQ(stem_index(n), kanshi_index(n) % 10);
    ASSERT_EQ(branch_index(n), kanshi_index(n) % 12);
  }
}

TEST(Sexagenary, CycleStepsStemAndBranchTogether) {
  for (KanshiIndex k = 0; k < 60; ++k) {
    SCOPED_TRACE(k);
    const std::string text = designation(k % 10, k % 12);
    EXPECT_EQ(text, std::string(Jikkan[k % 10]) + std::string(Junishi[k % 12]) + "(" +
                        std::string(JikkanYomi[k % 10]) + std::string(JunishiYomi[k % 12]) + ")");
    EXPECT_EQ(text.find(' '), std::string::npos);
  }
  EXPECT_EQ(designation(8, 6), "壬午(みずのえうま)");
}

}  // namespace
}  // namespace sorahemi::reckoning
