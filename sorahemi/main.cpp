// ソラヘミ: the application, its three windows and the event loop.
#include <QApplication>
#include <QIcon>

#include "ui/Unit1.h"
#include "ui/Unit2.h"
#include "ui/about.h"
#include "ui/first_paint.h"
#include "ui/fonts.h"

int main(int argc, char** argv) {
  using namespace sorahemi::ui;
  QApplication application(argc, argv);
  QGuiApplication::setDesktopFileName(QStringLiteral("sorahemi"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/MAINICON")));
  install_font_substitutes();

  const Surroundings surroundings = program_surroundings();
  // Created hidden, in this order; the first is the main window, whose closing ends the loop.
  Form1 = new TForm1(surroundings);
  AboutBox = new TAboutBox(surroundings);
  Form2 = new TForm2(surroundings);

  report_first_paint_if_asked(Form1);
  Form1->show();
  QApplication::exec();

  delete Form2;
  delete AboutBox;
  delete Form1;
  return 0;
}
