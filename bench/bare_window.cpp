// The floor of the start-up and memory figures: a bare Qt Widgets program with one window and
// one label of Japanese text in the same faces.
#include <QApplication>
#include <QLabel>

#include "ui/first_paint.h"
#include "ui/fonts.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  sorahemi::ui::install_font_substitutes();
  QWidget window;
  window.setWindowTitle(QStringLiteral("ソラヘミ"));
  window.setFixedSize(365, 307);
  QLabel label(QStringLiteral("2004(平成16)年5月3日(月)\n壬午(みずのえうま)"), &window);
  QFont font(QStringLiteral("ＭＳ 明朝"));
  font.setPixelSize(21);
  label.setFont(font);
  label.move(24, 16);
  sorahemi::ui::report_first_paint_if_asked(&window);
  window.show();
  return QApplication::exec();
}
