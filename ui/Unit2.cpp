#include "ui/Unit2.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QShowEvent>

#include "reckoning/tenichi.h"
#include "schedule/outing.h"
#include "ui/Unit1.h"
#include "ui/error_box.h"
#include "ui/fonts.h"
#include "ui/one_line.h"
#include "ui/text.h"
#include "ui/window_frame.h"
#include "ui_Unit2.h"

namespace sorahemi::ui {

TForm2* Form2 = nullptr;

namespace {

constexpr QPoint frame_position{236, 137};
constexpr QSize client_size{245, 133};

void show_reminder() {
  // Centred on the screen, without an icon; its one OK is pressed by Enter and Esc alike.
  QMessageBox reminder(QMessageBox::NoIcon, QString::fromUtf8(application_title),
                       QStringLiteral("複数日を一度に入力するときは\n"
                                      "日付を動かす前に、必ず適用ボタンを押してください。"),
                       QMessageBox::Ok);
  reminder.setTextFormat(Qt::PlainText);
  reminder.exec();
}

}  // namespace

TForm2::TForm2(Surroundings surroundings)
    : ui_(std::make_unique<::Ui::TForm2>()), surroundings_(std::move(surroundings)) {
  ui_->setupUi(this);
  apply_font_pixel_heights(this);
  setWindowFlags(fixed_window_flags);
  setFixedSize(client_size);
  move(frame_position);
  // Closing the main window ends the program even while this one is open.
  setAttribute(Qt::WA_QuitOnClose, false);

  QStringList directions;
  for (const std::string_view direction : reckoning::direction_texts) {
    directions.append(to_qstring(direction));
  }
  ui_->CBDir->addItems(directions);
  keep_one_line(ui_->EdDest);
  keep_one_line(ui_->CBDir->lineEdit());

  connect(ui_->DTP2, &QDateEdit::dateChanged, this, guarded(this, &TForm2::DTP2Change));
  connect(ui_->BtnOK, &QPushButton::clicked, this, guarded(this, &TForm2::BtnOKClick));
  connect(ui_->BtnCancel, &QPushButton::clicked, this, guarded(this, &TForm2::BtnCancelClick));
  connect(ui_->BtnApply, &QPushButton::clicked, this, guarded(this, &TForm2::BtnApplyClick));
  ui_->EdDest->setFocus();
}

TForm2::~TForm2() = default;

DatePicker* TForm2::date_picker() const { return ui_->DTP2; }

void TForm2::showEvent(QShowEvent* event) {
  if (!event->spontaneous()) run_guarded(this, [this] { FormShow(); });
  QDialog::showEvent(event);
}

void TForm2::closeEvent(QCloseEvent* event) {
  run_guarded(this, [this] { FormClose(); });
  event->accept();  // hidden, never destroyed
}

void TForm2::keyPressEvent(QKeyEvent* event) {
  if (event->modifiers() != Qt::NoModifier && event->modifiers() != Qt::KeypadModifier) {
    QDialog::keyPressEvent(event);
    return;
  }
  switch (event->key()) {
    case Qt::Key_Escape:
      ui_->BtnCancel->click();
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (auto* button = qobject_cast<QPushButton*>(focusWidget())) button->click();
      return;
    default:
      QDialog::keyPressEvent(event);
  }
}

void TForm2::FormShow() {
  show_reminder();
  DTP2Change();
}

void TForm2::DTP2Change() {
  const schedule::Outing outing = schedule::load_outing(
      schedule::ScheduleFile(surroundings_.schedule), ui_->DTP2->date_value());
  ui_->EdDest->setText(QString::fromStdString(outing.destination));
  ui_->CBDir->setCurrentText(QString::fromStdString(outing.direction));
}

void TForm2::BtnOKClick() {
  ApplySchedule();
  BackToMain();
}

void TForm2::BtnCancelClick() { BackToMain(); }

void TForm2::BtnApplyClick() { ApplySchedule(); }

void TForm2::FormClose() { Form1->show(); }

void TForm2::ApplySchedule() {
  schedule::ScheduleFile file(surroundings_.schedule);
  schedule::apply_outing(
      file, ui_->DTP2->date_value(),
      {ui_->EdDest->text().toStdString(), ui_->CBDir->currentText().toStdString()});
}

void TForm2::BackToMain() {
  Form1->show();
  close();
}

}  // namespace sorahemi::ui
