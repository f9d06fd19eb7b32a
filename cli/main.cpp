// sorahemi-cli: the daily page and the dialog's apply rule, for scripts and headless use.
#include <CLI/CLI.hpp>
#include <charconv>
#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "reckoning/date.h"
#include "schedule/daily_page.h"
#include "schedule/errors.h"
#include "schedule/outing.h"

namespace {

using sorahemi::reckoning::Date;
namespace schedule = sorahemi::schedule;

constexpr int exit_schedule_failed = 1;
constexpr int exit_usage = 2;

struct UsageError {
  std::string message;
};

std::optional<int> field(std::string_view text, std::size_t pos, std::size_t length) {
  int value = 0;
  const char* first = text.data() + pos;
  const auto [end, error] = std::from_chars(first, first + length, value);
  if (error != std::errc{} || end != first + length) return std::nullopt;
  return value;
}

Date parse_date(const std::string& text) {
  const bool shaped = text.size() == 10 && text[4] == '-' && text[7] == '-';
  const auto year = shaped ? field(text, 0, 4) : std::nullopt;
  const auto month = shaped ? field(text, 5, 2) : std::nullopt;
  const auto day = shaped ? field(text, 8, 2) : std::nullopt;
  if (year && month && day) {
    const Date date =
        sorahemi::reckoning::ymd(*year, static_cast<unsigned>(*month), static_cast<unsigned>(*day));
    if (sorahemi::reckoning::in_range(date)) return date;
  }
  throw UsageError{"bad date '" + text + "': expected YYYY-MM-DD from 0001-01-01 to 9999-12-31"};
}

void append_escaped(std::string& line, std::string_view text) {
  for (std::size_t special; (special = text.find_first_of("\t\r\n\\")) != std::string_view::npos;) {
    line.append(text.substr(0, special));
    switch (text[special]) {
      case '\t':
        line += "\\t";
        break;
      case '\r':
        line += "\\r";
        break;
      case '\n':
        line += "\\n";
        break;
      default:
        line += "\\\\";
    }
    text.remove_prefix(special + 1);
  }
  line.append(text);
}

void append_tsv_line(std::string& out, Date date, const schedule::DailyPage& page) {
  out += sorahemi::reckoning::iso_date(date);
  for (const std::string_view text :
       {std::string_view(page.date_line), std::string_view(page.designation), page.tenichi(),
        std::string_view(page.destination), std::string_view(page.direction)}) {
    out += '\t';
    append_escaped(out, text);
  }
  out += '\n';
}

std::string readable_page(const schedule::DailyPage& page) {
  std::string text = page.date_line + "\n" + page.designation + "\n";
  text.append("禁忌の方角　天一：").append(page.tenichi()).append("\n");
  text.append("外出予定　　").append(page.destination);
  if (!page.direction.empty()) text.append("　").append(page.direction);
  return text + "\n";
}

void print(const std::string& text) { std::fwrite(text.data(), 1, text.size(), stdout); }

struct PageOptions {
  std::string schedule;
  bool tsv = false;
  std::string from;
  std::string to;
  std::vector<std::string> dates;
};

struct ApplyOptions {
  std::string schedule;
  std::string date;
  std::string destination;
  std::optional<std::string> direction;
};

schedule::ScheduleFile schedule_file(const std::string& option) {
  if (!option.empty()) return schedule::ScheduleFile(option);
  // The GUI's file: sorahemi.ini beside the programs.
  return schedule::ScheduleFile(
      schedule::schedule_path_for(schedule::running_program().parent_path() / "sorahemi"));
}

void run_page(const PageOptions& options) {
  const schedule::ScheduleFile file = schedule_file(options.schedule);
  if (!options.from.empty()) {
    const Date from = parse_date(options.from);
    const Date to = parse_date(options.to);
    if (to < from) throw UsageError{"--to " + options.to + " lies before --from " + options.from};
    const schedule::ScheduleSnapshot snapshot(file, schedule::schedule_section);
    std::string out;
    for (auto day = std::chrono::sys_days{from}; day <= std::chrono::sys_days{to}; ++day) {
      append_tsv_line(out, Date{day}, schedule::compose_daily_page(Date{day}, snapshot));
      if (out.size() >= (1 << 20)) {
        print(out);
        out.clear();
      }
    }
    print(out);
    return;
  }
  std::vector<Date> dates;
  for (const std::string& text : options.dates) dates.push_back(parse_date(text));
  if (dates.empty()) dates.push_back(sorahemi::reckoning::today());
  for (std::size_t i = 0; i < dates.size(); ++i) {
    const schedule::DailyPage page = schedule::compose_daily_page(dates[i], file);
    if (options.tsv) {
      std::string line;
      append_tsv_line(line, dates[i], page);
      print(line);
    } else {
      print((i > 0 ? "\n" : "") + readable_page(page));
    }
  }
}

void run_apply(const ApplyOptions& options) {
  const Date date = parse_date(options.date);
  schedule::ScheduleFile file = schedule_file(options.schedule);
  const std::string direction =
      options.direction ? *options.direction : schedule::load_outing(file, date).direction;
  schedule::apply_outing(file, date, {options.destination, direction});
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"ソラヘミ: the daily page and the outing schedule from a terminal", "sorahemi-cli"};
  app.require_subcommand(1);

  PageOptions page;
  CLI::App* page_command = app.add_subcommand("page", "print the daily page of each DATE (today)");
  page_command->add_option("--schedule", page.schedule, "schedule file (default: the GUI's)");
  CLI::Option* tsv = page_command->add_flag("--tsv", page.tsv, "one tab-separated line per date");
  CLI::Option* from = page_command->add_option("--from", page.from, "first date of a range");
  CLI::Option* to = page_command->add_option("--to", page.to, "last date of a range");
  CLI::Option* dates = page_command->add_option("DATE", page.dates, "YYYY-MM-DD");
  from->needs(to)->needs(tsv)->excludes(dates);
  to->needs(from);

  ApplyOptions apply;
  CLI::App* apply_command =
      app.add_subcommand("apply", "apply an outing for DATE as the entry dialog does");
  apply_command->add_option("--schedule", apply.schedule, "schedule file (default: the GUI's)");
  apply_command->add_option("DATE", apply.date, "YYYY-MM-DD")->required();
  apply_command->add_option("DEST", apply.destination, "destination; empty deletes an entry")
      ->required();
  apply_command->add_option("DIR", apply.direction, "direction (default: as the dialog loads it)");

  try {
    app.parse(argc, argv);
    if (*page_command) run_page(page);
    if (*apply_command) run_apply(apply);
  } catch (const CLI::ParseError& error) {
    return app.exit(error) == 0 ? 0 : exit_usage;
  } catch (const UsageError& error) {
    std::cerr << "sorahemi-cli: " << error.message << "\n";
    return exit_usage;
  } catch (const schedule::ScheduleError& error) {
    // As the GUI's error box shows it.
    std::cerr << error.what() << ".\n";
    return exit_schedule_failed;
  }
  return 0;
}
