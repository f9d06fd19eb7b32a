#pragma once

#include <QDialog>
#include <memory>

#include "ui/surroundings.h"

namespace Ui {
class TAboutBox;
}

namespace sorahemi::ui {

// The About box: title, version, copyright, and the home page and mail address as links.
class TAboutBox : public QDialog {
  Q_OBJECT

 public:
  explicit TAboutBox(Surroundings surroundings);
  ~TAboutBox() override;

  void URLClick();
  void MailClick();

 protected:
  void showEvent(QShowEvent* event) override;
  // Only OK closes the box: Escape does not.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  std::unique_ptr<::Ui::TAboutBox> ui_;
  Surroundings surroundings_;
};

extern TAboutBox* AboutBox;

}  // namespace sorahemi::ui
