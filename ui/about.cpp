#include "ui/about.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <algorithm>

#include "sorahemi_settings.h"
#include "ui/error_box.h"
#include "ui/fonts.h"
#include "ui_about.h"

namespace sorahemi::ui {

TAboutBox* AboutBox = nullptr;

TAboutBox::TAboutBox(Surroundings surroundings)
    : ui_(std::make_unique<::Ui::TAboutBox>()), surroundings_(std::move(surroundings)) {
  ui_->setupUi(this);
  apply_font_pixel_heights(this);
  // A title bar without buttons.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  setFixedSize(size());
  setAttribute(Qt::WA_QuitOnClose, false);
  // Placed once: a box that was moved is never centred again.
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  move(screen.topLeft() + QPoint(std::max(0, (screen.width() - width()) / 2),
                                 std::max(0, (screen.height() - height()) / 2)));

  ui_->Version->setText(QStringLiteral("Version " SORAHEMI_VERSION));
  ui_->Copyright->setText(QStringLiteral(SORAHEMI_COPYRIGHT));
  ui_->URL->setText(QStringLiteral(SORAHEMI_HOME_PAGE));
  ui_->Mail->setText(QStringLiteral(SORAHEMI_MAIL));

  connect(ui_->OKButton, &QPushButton::clicked, this, &QDialog::accept);
  connect(ui_->URL, &LinkLabel::clicked, this, guarded(this, &TAboutBox::URLClick));
  connect(ui_->Mail, &LinkLabel::clicked, this, guarded(this, &TAboutBox::MailClick));
}

TAboutBox::~TAboutBox() = default;

// The labels size themselves to their text when the box is shown, so that its faces are loaded
// only once the box is asked for, not at start-up.
void TAboutBox::showEvent(QShowEvent* event) {
  for (QLabel* label : {ui_->ProductName, ui_->Version, ui_->Copyright,
                        static_cast<QLabel*>(ui_->URL), static_cast<QLabel*>(ui_->Mail)}) {
    label->adjustSize();
  }
  QDialog::showEvent(event);
}

void TAboutBox::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) return;
  QDialog::keyPressEvent(event);
}

void TAboutBox::URLClick() { surroundings_.open_url(QUrl(QStringLiteral(SORAHEMI_HOME_PAGE))); }

void TAboutBox::MailClick() {
  surroundings_.open_url(QUrl(QStringLiteral("mailto:" SORAHEMI_MAIL)));
}

}  // namespace sorahemi::ui
