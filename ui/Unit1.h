#pragma once

#include <QMainWindow>
#include <memory>

#include "reckoning/date.h"
#include "reckoning/sexagenary.h"
#include "ui/surroundings.h"

namespace Ui {
class TForm1;
}

namespace sorahemi::ui {

// The main window: the daily page of the date in its picker.
class TForm1 : public QMainWindow {
  Q_OBJECT

 public:
  explicit TForm1(Surroundings surroundings);
  ~TForm1() override;

  // Today's page: on every showing and on "Reset".
  void FormInit();
  // The page of the date the user picked.
  void DTP1Change();
  void BtnScheClick();
  void Contents1Click();
  void About1Click();

  void ShowDay(reckoning::Date date);
  void ShowTenichi(reckoning::KanshiIndex index);

 protected:
  // A show from hidden to visible composes today's page before the window is drawn; a restore
  // from minimised (a spontaneous show) keeps the page.
  void showEvent(QShowEvent* event) override;

 private:
  void show_destination(const QString& destination);

  std::unique_ptr<::Ui::TForm1> ui_;
  Surroundings surroundings_;
};

extern TForm1* Form1;

}  // namespace sorahemi::ui
