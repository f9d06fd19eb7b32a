#pragma once

#include <QLabel>

namespace sorahemi::ui {

// A label that reacts to the mouse as a link does: a hand cursor and a click. It takes no
// keyboard focus.
class LinkLabel : public QLabel {
  Q_OBJECT

 public:
  explicit LinkLabel(QWidget* parent = nullptr);

 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace sorahemi::ui
