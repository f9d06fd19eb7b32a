#pragma once

#include <QDialog>
#include <memory>

#include "ui/surroundings.h"

namespace Ui {
class TForm2;
}

namespace sorahemi::ui {

class DatePicker;

// The outing entry dialog: one date's destination and direction, stored with 適用.
class TForm2 : public QDialog {
  Q_OBJECT

 public:
  explicit TForm2(Surroundings surroundings);
  ~TForm2() override;

  // The reminder, then the entry of the dialog's date.
  void FormShow();
  // Loads the entry of the date the user moved to.
  void DTP2Change();
  void BtnOKClick();
  void BtnCancelClick();
  void BtnApplyClick();
  // The dialog is closing, by BackToMain or by the user: the main window comes back.
  void FormClose();

  void ApplySchedule();
  void BackToMain();

  // The main window hands over its date; it does not count as the user's change.
  DatePicker* date_picker() const;

 protected:
  // FormShow runs before the dialog is on screen.
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  // Esc presses Cancel; Enter presses only a button that has the focus.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  std::unique_ptr<::Ui::TForm2> ui_;
  Surroundings surroundings_;
};

extern TForm2* Form2;

}  // namespace sorahemi::ui
