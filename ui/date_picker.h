#pragma once

#include <QDateEdit>

#include "reckoning/date.h"

namespace sorahemi::ui {

// The date picker both windows use: a date only, a drop-down calendar, the locale's short date
// order with a four-digit year, field-by-field editing, and the widest range Qt's editor offers.
// dateChanged follows the user's changes only: the program sets the date with set_date.
class DatePicker : public QDateEdit {
  Q_OBJECT

 public:
  explicit DatePicker(QWidget* parent = nullptr);

  reckoning::Date date_value() const;
  // Sets the date without raising dateChanged.
  void set_date(reckoning::Date date);

 protected:
  // Tab leaves the picker, as in any other control; the arrow keys move between its fields.
  bool focusNextPrevChild(bool next) override;
};

QDate to_qdate(reckoning::Date date);
reckoning::Date to_date(QDate date);

}  // namespace sorahemi::ui
