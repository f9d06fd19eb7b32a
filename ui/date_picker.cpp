#include "ui/date_picker.h"

#include <QLocale>
#include <QSignalBlocker>

namespace sorahemi::ui {
namespace {

QString short_format_with_full_year() {
  QString format = QLocale().dateFormat(QLocale::ShortFormat);
  if (!format.contains(QStringLiteral("yyyy")))
    format.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
  return format;
}

}  // namespace

DatePicker::DatePicker(QWidget* parent) : QDateEdit(parent) {
  setCalendarPopup(true);
  setDisplayFormat(short_format_with_full_year());
  // Qt's editor cannot go below the year 100; its default minimum would be 1752.
  setDateRange(QDate(100, 1, 1), QDate(9999, 12, 31));
}

reckoning::Date DatePicker::date_value() const { return to_date(date()); }

void DatePicker::set_date(reckoning::Date value) {
  const QSignalBlocker quiet(this);
  setDate(to_qdate(value));
}

bool DatePicker::focusNextPrevChild(bool next) { return QWidget::focusNextPrevChild(next); }

QDate to_qdate(reckoning::Date date) {
  return QDate(static_cast<int>(date.year()), static_cast<int>(static_cast<unsigned>(date.month())),
               static_cast<int>(static_cast<unsigned>(date.day())));
}

reckoning::Date to_date(QDate date) {
  return reckoning::Date{std::chrono::year{date.year()},
                         std::chrono::month{static_cast<unsigned>(date.month())},
                         std::chrono::day{static_cast<unsigned>(date.day())}};
}

}  // namespace sorahemi::ui
