#include "schedule/outing.h"

#include <gtest/gtest.h>

#include <fstream>
#include <utility>
#include <vector>

#include "schedule/daily_page.h"
#include "schedule/errors.h"
#include "temp_folder.h"

namespace sorahemi::schedule {
namespace {

using reckoning::ymd;

using Entries = std::vector<std::pair<std::string, std::string>>;

class OutingTest : public ::testing::Test {
 protected:
  void store(const Entries& entries) {
    std::filesystem::remove(file.path());
    for (const auto& [key, value] : entries) file.write(schedule_section, key, value);
  }

  testing::TempFolder folder;
  ScheduleFile file{folder / "sorahemi.ini"};
};

TEST_F(OutingTest, KeysAreTheDateAsEightDigits) {
  EXPECT_EQ(outing_keys(ymd(2004, 5, 3)).destination, "20040503DE");
  EXPECT_EQ(outing_keys(ymd(2004, 5, 3)).direction, "20040503DI");
  EXPECT_EQ(outing_keys(ymd(1, 1, 1)).destination, "00010101DE");
}

// What the page and the dialog show for each state a date's keys can be in.
TEST_F(OutingTest, PageAndDialogDefaultsForEveryStateOfADate) {
  const struct {
    const char* why;
    Entries entries;
    const char* page_destination;
    const char* page_direction;
    const char* dialog_destination;
    const char* dialog_direction;
  } rows[] = {
      {"no entry", {}, "なし", "", "", "子（北）"},
      {"both keys",
       {{"20040503DE", "京都"}, {"20040503DI", "乾（北西）"}},
       "京都",
       "乾（北西）",
       "京都",
       "乾（北西）"},
      {"empty destination",
       {{"20040503DE", ""}, {"20040503DI", "卯（東）"}},
       "",
       "卯（東）",
       "",
       "卯（東）"},
      {"destination only", {{"20040503DE", "京都"}}, "京都", "", "京都", "子（北）"},
      {"direction only", {{"20040503DI", "卯（東）"}}, "なし", "卯（東）", "", "卯（東）"},
      {"empty direction", {{"20040503DE", "x"}, {"20040503DI", ""}}, "x", "", "x", ""},
      {"key written by hand in lower case", {{"20040503de", "y"}}, "y", "", "y", "子（北）"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.why);
    store(row.entries);
    const DailyPage page = compose_daily_page(ymd(2004, 5, 3), file);
    EXPECT_EQ(page.destination, row.page_destination);
    EXPECT_EQ(page.direction, row.page_direction);
    const Outing outing = load_outing(file, ymd(2004, 5, 3));
    EXPECT_EQ(outing.destination, row.dialog_destination);
    EXPECT_EQ(outing.direction, row.dialog_direction);
  }
}

TEST_F(OutingTest, EmptyDestinationFirstStoresAnEmptyEntryThenDeletesIt) {
  const auto date = ymd(2004, 5, 10);
  apply_outing(file, date, {"", "子（北）"});
  EXPECT_EQ(testing::file_bytes(file.path()),
            "[Schedule]\r\n20040510DE=\r\n20040510DI=\x8e\x71\x81\x69\x96\x6b\x81\x6a\r\n");
  apply_outing(file, date, load_outing(file, date));
  EXPECT_EQ(testing::file_bytes(file.path()), "[Schedule]\r\n");
  EXPECT_EQ(compose_daily_page(date, file).destination, "なし");
}

TEST_F(OutingTest, ApplyStoresDestinationAndDirectionAsTyped) {
  const auto date = ymd(2004, 5, 3);
  apply_outing(file, date, {"  ", "北北東"});  // blanks are not empty
  EXPECT_EQ(load_outing(file, date).destination, "  ");
  apply_outing(file, date, {"京都", ""});
  EXPECT_EQ(load_outing(file, date).destination, "京都");
  EXPECT_EQ(load_outing(file, date).direction, "");
}

TEST_F(OutingTest, RefusedDirectionLeavesNothingWritten) {
  EXPECT_THROW(apply_outing(file, ymd(2004, 5, 3), {"京都", "北😀"}), UnstorableText);
  EXPECT_THROW(apply_outing(file, ymd(2004, 5, 3), {"京都", "北\n[x]"}), UnstorableText);
  EXPECT_FALSE(std::filesystem::exists(file.path()));
}

TEST_F(OutingTest, DailyPagesOfTheWorkedExamples) {
  const struct {
    reckoning::Date date;
    Entries entries;
    const char* date_text;
    const char* tenichi;
    const char* destination;
    const char* direction;
  } rows[] = {
      {ymd(2004, 5, 3),
       {{"20040503DE", "京都"}, {"20040503DI", "乾（北西）"}},
       "2004(平成16)年5月3日(月)\r\n壬午(みずのえうま)",
       "乾（北西）",
       "京都",
       "乾（北西）"},
      {ymd(2004, 1, 1), {}, "2004(平成16)年1月1日(木)\r\n己卯(つちのとう)", "酉（西）", "なし", ""},
      {ymd(1997, 12, 31),
       {{"19971231DE", ""}, {"19971231DI", "子（北）"}},
       "1997(平成09)年12月31日(水)\r\n丁未(ひのとひつじ)",
       "天上",
       "",
       "子（北）"},
      {ymd(2010, 10, 10),
       {{"20101010DI", "卯（東）"}},
       "2010(平成22)年10月10日(日)\r\n癸巳(みずのとみ)",
       "天上",
       "なし",
       "卯（東）"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.date_text);
    store(row.entries);
    const DailyPage page = compose_daily_page(row.date, file);
    EXPECT_EQ(page.date_text(), row.date_text);
    EXPECT_EQ(page.tenichi(), row.tenichi);
    EXPECT_EQ(page.destination, row.destination);
    EXPECT_EQ(page.direction, row.direction);
  }
}

// A run makes each page from the one before; every page must be the one composed alone, across
// month and year ends, a leap day, the change of era within a year and stored entries.
TEST_F(OutingTest, RunOfPagesEqualsSinglePages) {
  store({{"20190430DE", "京都"},
         {"20190430DI", "卯（東）"},
         {"20190501DE", ""},
         {"20190502DI", "子（北）"},
         {"20200229DE", "閏日"}});
  std::ofstream(file.path(), std::ios::app | std::ios::binary) << "20191231de=folded\r\n";
  for (const reckoning::Date first :
       {ymd(2019, 1, 1), ymd(2019, 4, 30), ymd(1868, 12, 31), ymd(1912, 7, 1), ymd(1988, 12, 1)}) {
    DailyPageRun run(file, first);
    for (int day = 0; day < 500; ++day, run.next()) {
      const DailyPage page = compose_daily_page(run.date(), file);
      ASSERT_EQ(run.date_lines().line(), page.date_line);
      ASSERT_EQ(run.designation(), page.designation);
      ASSERT_EQ(run.tenichi(), page.tenichi());
      ASSERT_EQ(run.destination(), page.destination);
      ASSERT_EQ(run.direction(), page.direction);
    }
  }
}

}  // namespace
}  // namespace sorahemi::schedule
