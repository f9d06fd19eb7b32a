// sorahemi-cli: the daily page and the dialog's apply rule, for scripts and headless use.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <memory>
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

Date parse_date(const std::string& text) {
  if (const auto date = sorahemi::reckoning::from_iso_date(text)) return *date;
  throw UsageError{"bad date '" + text + "': expected YYYY-MM-DD from 0001-01-01 to 9999-12-31"};
}

void print(std::string_view text) { std::fwrite(text.data(), 1, text.size(), stdout); }

// Standard output through a buffer that goes out a megabyte at a time: a range prints a few
// hundred megabytes in short pieces, which string appends and stdio would each slow down.
class Output {
 public:
  Output() : buffer_(std::make_unique_for_overwrite<char[]>(capacity)), end_(buffer_.get()) {}
  Output(const Output&) = delete;
  Output& operator=(const Output&) = delete;
  ~Output() { flush(); }

  Output& append(std::string_view text) {
    if (text.size() > room()) {
      flush();
      if (text.size() > capacity) {
        print(text);
        return *this;
      }
    }
    std::memcpy(end_, text.data(), text.size());
    end_ += text.size();
    return *this;
  }

  void flush() {
    print({buffer_.get(), static_cast<std::size_t>(end_ - buffer_.get())});
    end_ = buffer_.get();
  }

 private:
  static constexpr std::size_t capacity = 1 << 20;
  std::size_t room() const { return capacity - static_cast<std::size_t>(end_ - buffer_.get()); }

  std::unique_ptr<char[]> buffer_;
  char* end_;
};

bool needs_escape(char c) { return c == '\t' || c == '\r' || c == '\n' || c == '\\'; }

std::string_view escaped(char c) {
  switch (c) {
    case '\t':
      return "\\t";
    case '\r':
      return "\\r";
    case '\n':
      return "\\n";
    default:
      return "\\\\";
  }
}

template <class Out>
void append_escaped(Out& out, std::string_view text) {
  for (auto special = std::ranges::find_if(text, needs_escape); special != text.end();
       special = std::ranges::find_if(text, needs_escape)) {
    const auto length = static_cast<std::size_t>(special - text.begin());
    out.append(text.substr(0, length)).append(escaped(*special));
    text.remove_prefix(length + 1);
  }
  out.append(text);
}

// One --tsv line: the date in ISO form, then the page's texts. Only the stored ones can hold a
// tab, a line break or a backslash; the reckoning's never do, so they go out as they are.
std::string tsv_middle(std::string_view designation, std::string_view tenichi) {
  std::string middle = "\t";
  middle.append(designation).append("\t").append(tenichi).append("\t");
  return middle;
}

template <class Out>
void append_tsv_outing(Out& out, std::string_view destination, std::string_view direction) {
  append_escaped(out, destination);
  out.append("\t");
  append_escaped(out, direction);
  out.append("\n");
}

void append_tsv_line(Output& out, Date date, const schedule::DailyPage& page) {
  out.append(sorahemi::reckoning::iso_date(date)).append("\t").append(page.date_line);
  out.append(tsv_middle(page.designation, page.tenichi()));
  append_tsv_outing(out, page.destination, page.direction);
}

// The lines of a range, with the parts that repeat made once: the ISO date and the date line
// up to the month, kept for the month with only the day's digits changed, and the rest of the
// line after the day for each day of the sixty-day cycle and the outing texts shown.
void print_tsv_range(schedule::DailyPageRun& run, Date to) {
  constexpr std::size_t iso_size = 10;
  Output out;
  std::string head;                   // the ISO date, a tab, the date line up to the month
  std::array<std::string, 60> tails;  // by kanshi index, for the outing texts below
  std::string_view destination;
  std::string_view direction;
  std::string outing;  // the end of the line for those texts
  for (;; run.next()) {
    const Date date = run.date();
    const auto day = static_cast<unsigned>(date.day());
    const sorahemi::reckoning::DateLines& line = run.date_lines();
    if (line.new_head() || head.empty()) {
      head = sorahemi::reckoning::iso_date(date) + '\t' + std::string(line.head());
    } else {
      head[iso_size - 2] = static_cast<char>('0' + day / 10);
      head[iso_size - 1] = static_cast<char>('0' + day % 10);
    }
    // Days without an entry show the same texts, so their ends of lines are made once.
    if (run.destination().data() != destination.data() ||
        run.direction().data() != direction.data()) {
      destination = run.destination();
      direction = run.direction();
      outing.clear();
      append_tsv_outing(outing, destination, direction);
      for (std::string& tail : tails) tail.clear();
    }
    std::string& tail = tails[static_cast<std::size_t>(run.kanshi_index())];
    if (tail.empty()) tail = tsv_middle(run.designation(), run.tenichi()) + outing;
    out.append(head).append(line.day_part()).append(tail);
    if (date == to) break;
  }
}

std::string readable_page(const schedule::DailyPage& page) {
  std::string text = page.date_line + "\n" + page.designation + "\n";
  text.append("禁忌の方角　天一：").append(page.tenichi()).append("\n");
  text.append("外出予定　　").append(page.destination);
  if (!page.direction.empty()) text.append("　").append(page.direction);
  return text + "\n";
}

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
    schedule::DailyPageRun run(file, from);
    print_tsv_range(run, to);
    return;
  }
  std::vector<Date> dates;
  for (const std::string& text : options.dates) dates.push_back(parse_date(text));
  if (dates.empty()) dates.push_back(sorahemi::reckoning::today());
  Output out;
  for (std::size_t i = 0; i < dates.size(); ++i) {
    const schedule::DailyPage page = schedule::compose_daily_page(dates[i], file);
    if (options.tsv) {
      append_tsv_line(out, dates[i], page);
    } else {
      out.append(i > 0 ? "\n" : "").append(readable_page(page));
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
