#include "ui/first_paint.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace sorahemi::ui {
namespace {

class FirstPaintReporter : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && !reported_) {
      reported_ = true;
      // After the paint itself: the page is drawn once the event has been handled.
      QTimer::singleShot(0, [] {
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        std::printf("%lld\n", static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec);
        std::fflush(stdout);
        QCoreApplication::quit();
      });
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  bool reported_ = false;
};

}  // namespace

void report_first_paint_if_asked(QWidget* window) {
  if (std::getenv("SORAHEMI_REPORT_FIRST_PAINT") == nullptr) return;
  window->installEventFilter(new FirstPaintReporter(window));
}

}  // namespace sorahemi::ui
