#include "ui/error_box.h"

#include <QMessageBox>
#include <exception>

namespace sorahemi::ui {
namespace {

void show_error_box(QWidget* window, const QString& message) {
  QMessageBox box(QMessageBox::Critical, QString::fromUtf8(application_title), message + ".",
                  QMessageBox::Ok, window);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

}  // namespace

void run_guarded(QWidget* window, const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::exception& error) {
    show_error_box(window, QString::fromUtf8(error.what()));
  } catch (...) {
    show_error_box(window, QStringLiteral("予期しないエラーが発生しました"));
  }
}

}  // namespace sorahemi::ui
