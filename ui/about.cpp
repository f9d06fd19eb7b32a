#include "ui/about.h"

#include "ui_about.h"

namespace sorahemi::ui {

TAboutBox* AboutBox = nullptr;

TAboutBox::TAboutBox(Surroundings surroundings)
    : ui_(std::make_unique<::Ui::TAboutBox>()), surroundings_(std::move(surroundings)) {
  ui_->setupUi(this);
  setAttribute(Qt::WA_QuitOnClose, false);
}

TAboutBox::~TAboutBox() = default;

}  // namespace sorahemi::ui
