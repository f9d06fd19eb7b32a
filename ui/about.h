#pragma once

#include <QDialog>
#include <memory>

#include "ui/surroundings.h"

namespace Ui {
class TAboutBox;
}

namespace sorahemi::ui {

// The About box.
class TAboutBox : public QDialog {
  Q_OBJECT

 public:
  explicit TAboutBox(Surroundings surroundings);
  ~TAboutBox() override;

 private:
  std::unique_ptr<::Ui::TAboutBox> ui_;
  Surroundings surroundings_;
};

extern TAboutBox* AboutBox;

}  // namespace sorahemi::ui
