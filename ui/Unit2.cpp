#include "ui/Unit2.h"

#include "ui_Unit2.h"

namespace sorahemi::ui {

TForm2* Form2 = nullptr;

TForm2::TForm2(Surroundings surroundings)
    : ui_(std::make_unique<::Ui::TForm2>()), surroundings_(std::move(surroundings)) {
  ui_->setupUi(this);
  // Closing the main window ends the program even while this one is open.
  setAttribute(Qt::WA_QuitOnClose, false);
}

TForm2::~TForm2() = default;

}  // namespace sorahemi::ui
