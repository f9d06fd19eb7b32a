#include "ui/Unit1.h"

#include <QDir>
#include <QShowEvent>

#include "schedule/daily_page.h"
#include "ui/Unit2.h"
#include "ui/about.h"
#include "ui/date_picker.h"
#include "ui/error_box.h"
#include "ui/fonts.h"
#include "ui/text.h"
#include "ui/window_frame.h"
#include "ui_Unit1.h"

namespace sorahemi::ui {

TForm1* Form1 = nullptr;

namespace {

// The outer frame's place on the screen, and the client area below the menu bar.
constexpr QPoint frame_position{303, 147};
constexpr QSize client_size{365, 288};

QString label_text(const std::string& text) {
  // A CR LF in a caption is a line break.
  return to_qstring(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

}  // namespace

TForm1::TForm1(Surroundings surroundings)
    : ui_(std::make_unique<::Ui::TForm1>()), surroundings_(std::move(surroundings)) {
  ui_->setupUi(this);
  apply_font_pixel_heights(this);
  setWindowFlags(fixed_window_flags);
  setFixedSize(client_size.width(), client_size.height() + menuBar()->sizeHint().height());
  move(frame_position);

  connect(ui_->DTP1, &QDateEdit::dateChanged, this, guarded(this, &TForm1::DTP1Change));
  connect(ui_->BtnReset, &QPushButton::clicked, this, guarded(this, &TForm1::FormInit));
  connect(ui_->BtnSche, &QPushButton::clicked, this, guarded(this, &TForm1::BtnScheClick));
  connect(ui_->Contents1, &QAction::triggered, this, guarded(this, &TForm1::Contents1Click));
  connect(ui_->About1, &QAction::triggered, this, guarded(this, &TForm1::About1Click));
  ui_->DTP1->setFocus();
}

TForm1::~TForm1() = default;

void TForm1::showEvent(QShowEvent* event) {
  if (!event->spontaneous()) run_guarded(this, [this] { FormInit(); });
  QMainWindow::showEvent(event);
}

void TForm1::FormInit() {
  const reckoning::Date today = surroundings_.today();
  ui_->DTP1->set_date(today);
  ShowDay(today);
}

void TForm1::DTP1Change() { ShowDay(ui_->DTP1->date_value()); }

void TForm1::ShowDay(reckoning::Date date) {
  const schedule::DailyPage page =
      schedule::compose_daily_page(date, schedule::ScheduleFile(surroundings_.schedule));
  ui_->LbDate->setText(label_text(page.date_text()));
  ui_->LbDate->adjustSize();
  ShowTenichi(page.kanshi_index);
  show_destination(to_qstring(page.destination));
  ui_->LbDir->setText(to_qstring(page.direction));
  ui_->LbDir->adjustSize();
}

void TForm1::ShowTenichi(reckoning::KanshiIndex index) {
  ui_->LbTenichi->setText(to_qstring(reckoning::tenichi_direction(index)));
  ui_->LbTenichi->adjustSize();
}

// A destination that would run under LbDir is cut with an ellipsis before it; the tooltip holds
// the whole text.
void TForm1::show_destination(const QString& destination) {
  QLabel* label = ui_->LbDest;
  const int room = ui_->LbDir->x() - label->x();
  const QString shown = label->fontMetrics().elidedText(destination, Qt::ElideRight, room);
  label->setText(shown);
  label->setToolTip(shown == destination ? QString() : destination);
  label->adjustSize();
}

void TForm1::BtnScheClick() {
  Form2->date_picker()->set_date(ui_->DTP1->date_value());
  Form2->show();  // the reminder and the load come first, over this still visible window
  Form2->raise();
  Form2->activateWindow();
  hide();
}

void TForm1::Contents1Click() {
  // Looked up from the current folder at the moment of the request, not from the program's.
  surroundings_.open_url(
      QUrl::fromLocalFile(QDir::current().absoluteFilePath(QStringLiteral("help/help.pdf"))));
}

void TForm1::About1Click() { AboutBox->exec(); }

}  // namespace sorahemi::ui
