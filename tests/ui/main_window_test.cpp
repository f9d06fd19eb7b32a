#include <QApplication>
#include <QCalendarWidget>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <optional>
#include <stdexcept>

#include "schedule/outing.h"
#include "schedule/schedule_file.h"
#include "tests/schedule/temp_folder.h"
#include "tests/ui/box_answerer.h"
#include "ui/Unit1.h"
#include "ui/date_picker.h"
#include "ui/fonts.h"

using sorahemi::reckoning::Date;
using sorahemi::reckoning::ymd;
using sorahemi::schedule::ScheduleFile;
using sorahemi::ui::DatePicker;
using sorahemi::ui::TForm1;

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { sorahemi::ui::install_font_substitutes(); }

  void init() {
    folder_.emplace();
    today_ = ymd(2004, 5, 3);
    sorahemi::ui::Surroundings surroundings{folder_->path() / "sorahemi.ini",
                                            [this] {
                                              if (clock_fails_)
                                                throw std::runtime_error("時計が読めません");
                                              return today_;
                                            },
                                            [](const QUrl&) {}};
    window_ = std::make_unique<TForm1>(surroundings);
  }

  void cleanup() {
    window_.reset();
    folder_.reset();
    clock_fails_ = false;
  }

  void freshStartShowsTodaysPageWithFocusInThePicker() {
    store(ymd(2004, 5, 3), "京都", "乾（北西）");
    show_window();
    QCOMPARE(text("LbDate"), QStringLiteral("2004(平成16)年5月3日(月)\n壬午(みずのえうま)"));
    QCOMPARE(text("LbTenichi"), QStringLiteral("乾（北西）"));
    QCOMPARE(text("LbDest"), QStringLiteral("京都"));
    QCOMPARE(text("LbDir"), QStringLiteral("乾（北西）"));
    QCOMPARE(picker()->date(), QDate(2004, 5, 3));
    QCOMPARE(QApplication::focusWidget(), picker());
  }

  void userChangeInThePickerShowsThatDatesPageAndProgramChangeRunsNothing() {
    show_window();
    picker()->setCurrentSection(QDateTimeEdit::DaySection);
    QTest::keyClick(picker(), Qt::Key_Up);
    QCOMPARE(picker()->date(), QDate(2004, 5, 4));
    QCOMPARE(text("LbDate"), QStringLiteral("2004(平成16)年5月4日(火)\n癸未(みずのとひつじ)"));
    emit picker()->calendarWidget()->clicked(QDate(2010, 10, 10));  // a day picked in the calendar
    QCOMPARE(text("LbDate"), QStringLiteral("2010(平成22)年10月10日(日)\n癸巳(みずのとみ)"));
    picker()->set_date(ymd(2004, 1, 1));
    QCOMPARE(text("LbDate"), QStringLiteral("2010(平成22)年10月10日(日)\n癸巳(みずのとみ)"));
  }

  void resetReturnsToTodayAndReadsTheFileAgain() {
    show_window();
    QCOMPARE(text("LbDest"), QStringLiteral("なし"));
    store(ymd(2004, 5, 3), "実家", "子（北）");  // another program writes meanwhile
    picker()->set_date(ymd(2004, 1, 1));
    button("BtnReset")->click();
    QCOMPARE(picker()->date(), QDate(2004, 5, 3));
    QCOMPARE(text("LbDest"), QStringLiteral("実家"));
    QCOMPARE(text("LbDir"), QStringLiteral("子（北）"));
  }

  void minimiseAndRestoreKeepTheDateButShowingAgainReturnsToToday() {
    show_window();
    picker()->setCurrentSection(QDateTimeEdit::YearSection);
    QTest::keyClick(picker(), Qt::Key_Down);
    QCOMPARE(picker()->date(), QDate(2003, 5, 3));
    window_->showMinimized();
    window_->showNormal();
    QCOMPARE(picker()->date(), QDate(2003, 5, 3));
    QVERIFY(text("LbDate").startsWith(QStringLiteral("2003(平成15)")));
    window_->hide();
    window_->show();
    QCOMPARE(picker()->date(), QDate(2004, 5, 3));
  }

  void errorInAHandlerComesOutAsTheErrorBoxAndTheLoopGoesOn() {
    show_window();
    clock_fails_ = true;
    const sorahemi::ui::testing::BoxAnswerer user;
    button("BtnReset")->click();
    QCOMPARE(user.seen().size(), 1u);
    QCOMPARE(user.seen()[0].title, QStringLiteral("ソラヘミ"));
    QCOMPARE(user.seen()[0].text, QStringLiteral("時計が読めません."));
    QCOMPARE(user.seen()[0].icon, QMessageBox::Critical);
    QVERIFY(text("LbDate").startsWith(QStringLiteral("2004(平成16)年5月3日")));
    clock_fails_ = false;
    button("BtnReset")->click();
    QCOMPARE(picker()->date(), QDate(2004, 5, 3));
  }

  void fileTextIsShownAsPlainTextWithAmpersands() {
    store(ymd(2004, 5, 3), "<b>京都</b> & <img src=x>", "A&&B");
    show_window();
    QCOMPARE(text("LbDest"), QStringLiteral("<b>京都</b> & <img src=x>"));
    QCOMPARE(text("LbDir"), QStringLiteral("A&&B"));
    for (const char* name : {"LbDate", "LbTenichi", "LbDest", "LbDir"}) {
      QCOMPARE(label(name)->textFormat(), Qt::PlainText);
    }
  }

  void longDestinationIsCutBeforeTheDirection() {
    const QString destination =
        QStringLiteral("東京都千代田区丸の内一丁目から横浜市中区山下町まで");
    store(ymd(2004, 5, 3), destination.toStdString(), "卯（東）");
    show_window();
    QVERIFY(text("LbDest").endsWith(QChar(0x2026)));
    QVERIFY(label("LbDest")->geometry().right() < label("LbDir")->x());
    QCOMPARE(label("LbDest")->toolTip(), destination);
    QCOMPARE(label("LbDir")->pos(), QPoint(232, 32));
  }

  void layoutIsFixedAtItsSizeWithMinchoFaces() {
    show_window();
    QCOMPARE(window_->windowTitle(), QStringLiteral("ソラヘミ"));
    QCOMPARE(window_->centralWidget()->size(), QSize(365, 288));
    QCOMPARE(window_->minimumSize(), window_->maximumSize());
    QVERIFY(!(window_->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(window_->windowFlags() & Qt::WindowMinimizeButtonHint);
    const struct {
      const char* name;
      QRect geometry;
      int pixels;
    } controls[] = {
        {"Label1", {104, 240, 60, 12}, 12},   {"DTP1", {104, 256, 97, 20}, 12},
        {"BtnReset", {208, 256, 49, 17}, 12}, {"GBKinki", {16, 80, 329, 65}, 21},
        {"Label2", {16, 32, 60, 19}, 19},     {"GBSchedule", {16, 160, 329, 65}, 21},
        {"BtnSche", {264, 256, 89, 17}, 12},
    };
    for (const auto& control : controls) {
      auto* widget = window_->findChild<QWidget*>(control.name);
      QVERIFY2(widget, control.name);
      QCOMPARE(widget->geometry(), control.geometry);
      QCOMPARE(widget->font().pixelSize(), control.pixels);
    }
    QCOMPARE(label("LbDate")->font().pixelSize(), 21);
    QCOMPARE(label("LbDest")->font().pixelSize(), 16);
    QVERIFY2(QFontInfo(label("LbDate")->font()).family().contains(QStringLiteral("Mincho")) ||
                 QFontInfo(label("LbDate")->font()).family().contains(QStringLiteral("明朝")),
             qPrintable(QFontInfo(label("LbDate")->font()).family()));
    for (QWidget* next :
         {static_cast<QWidget*>(button("BtnReset")), static_cast<QWidget*>(button("BtnSche")),
          static_cast<QWidget*>(picker())}) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QCOMPARE(QApplication::focusWidget(), next);
    }
  }

 private:
  void store(Date date, const std::string& destination, const std::string& direction) {
    ScheduleFile file(folder_->path() / "sorahemi.ini");
    sorahemi::schedule::apply_outing(file, date, {destination, direction});
  }

  void show_window() {
    window_->show();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
  }

  QLabel* label(const char* name) const { return window_->findChild<QLabel*>(name); }
  QString text(const char* name) const { return label(name)->text(); }
  QPushButton* button(const char* name) const { return window_->findChild<QPushButton*>(name); }
  DatePicker* picker() const { return window_->findChild<DatePicker*>("DTP1"); }

  std::optional<sorahemi::schedule::testing::TempFolder> folder_;
  std::unique_ptr<TForm1> window_;
  Date today_;
  bool clock_fails_ = false;
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
