#pragma once

#include <QDialog>
#include <memory>

#include "ui/surroundings.h"

namespace Ui {
class TForm2;
}

namespace sorahemi::ui {

// The outing entry dialog.
class TForm2 : public QDialog {
  Q_OBJECT

 public:
  explicit TForm2(Surroundings surroundings);
  ~TForm2() override;

 private:
  std::unique_ptr<::Ui::TForm2> ui_;
  Surroundings surroundings_;
};

extern TForm2* Form2;

}  // namespace sorahemi::ui
