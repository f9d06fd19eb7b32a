#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <vector>

namespace sorahemi::ui::testing {

struct SeenBox {
  QString title;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  bool extra = false;  // whatever the test noted when the box was up
};

// Stands in for the user at the program's message boxes: presses OK on each one that comes up,
// after noting what it showed.
class BoxAnswerer {
 public:
  explicit BoxAnswerer(std::function<bool()> note = [] { return false; }) : note_(std::move(note)) {
    QObject::connect(&timer_, &QTimer::timeout, [this] { answer(); });
    timer_.start(5);
  }

  const std::vector<SeenBox>& seen() const { return seen_; }

 private:
  void answer() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || !box->isVisible()) return;
    seen_.push_back({box->windowTitle(), box->text(), box->icon(), note_()});
    box->button(QMessageBox::Ok)->click();
  }

  std::function<bool()> note_;
  QTimer timer_;
  std::vector<SeenBox> seen_;
};

}  // namespace sorahemi::ui::testing
