#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <optional>

#include "schedule/outing.h"
#include "tests/schedule/temp_folder.h"
#include "tests/ui/box_answerer.h"
#include "ui/Unit1.h"
#include "ui/Unit2.h"
#include "ui/date_picker.h"
#include "ui/fonts.h"

using sorahemi::reckoning::Date;
using sorahemi::reckoning::ymd;
using sorahemi::schedule::ScheduleFile;
using sorahemi::schedule::testing::file_bytes;
using sorahemi::schedule::testing::TempFolder;
using sorahemi::ui::DatePicker;
using sorahemi::ui::Form1;
using sorahemi::ui::Form2;
using sorahemi::ui::testing::BoxAnswerer;

namespace {

constexpr Date today = ymd(2004, 5, 3);

// Japanese text arrives from the input method as committed strings.
void type(QWidget* field, const QString& text) {
  QInputMethodEvent input;
  input.setCommitString(text);
  QApplication::sendEvent(field, &input);
}

}  // namespace

class DialogTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { sorahemi::ui::install_font_substitutes(); }

  void init() { start(folder_.emplace().path() / "sorahemi.ini"); }

  void cleanup() {
    delete Form2;
    delete Form1;
    Form2 = nullptr;
    Form1 = nullptr;
    folder_.reset();
  }

  void reminderComesOverTheVisibleMainWindowBeforeTheDialog() {
    store(today, "京都", "卯（東）");
    // On screen means the platform window is shown, which the dialog's is not yet.
    BoxAnswerer user([] {
      return Form1->windowHandle()->isVisible() &&
             (!Form2->windowHandle() || !Form2->windowHandle()->isVisible());
    });
    open_dialog();
    QCOMPARE(user.seen().size(), 1u);
    QCOMPARE(user.seen()[0].title, QStringLiteral("ソラヘミ"));
    QCOMPARE(
        user.seen()[0].text,
        QStringLiteral(
            "複数日を一度に入力するときは\n日付を動かす前に、必ず適用ボタンを押してください。"));
    QCOMPARE(user.seen()[0].icon, QMessageBox::NoIcon);
    QVERIFY2(user.seen()[0].extra, "the main window alone is on screen while the reminder is up");
    QVERIFY(Form2->isVisible());
    QVERIFY(!Form1->isVisible());
    QCOMPARE(destination()->text(), QStringLiteral("京都"));
    QCOMPARE(direction()->currentText(), QStringLiteral("卯（東）"));
    QCOMPARE(QApplication::focusWidget(), destination());
  }

  void openingLoadsTheEntryOfTheMainWindowsDate_data() {
    QTest::addColumn<QString>("stored_destination");
    QTest::addColumn<QString>("stored_direction");
    QTest::addColumn<QString>("shown_destination");
    QTest::addColumn<QString>("shown_direction");
    QTest::newRow("date without an entry") << QString() << QString() << ""
                                           << "子（北）";
    QTest::newRow("entry with an empty destination") << ""
                                                     << "午（南）"
                                                     << ""
                                                     << "午（南）";
    QTest::newRow("entry") << "実家"
                           << "乾（北西）"
                           << "実家"
                           << "乾（北西）";
  }

  void openingLoadsTheEntryOfTheMainWindowsDate() {
    QFETCH(QString, stored_destination);
    QFETCH(QString, stored_direction);
    const Date date = ymd(2004, 5, 10);
    if (!stored_destination.isNull()) {
      store(date, stored_destination.toStdString(), stored_direction.toStdString());
    }
    // Fields left over from an earlier opening are replaced.
    destination()->setText(QStringLiteral("前回"));
    open_dialog(date);
    QCOMPARE(picker()->date(), QDate(2004, 5, 10));
    QTEST(destination()->text(), "shown_destination");
    QTEST(direction()->currentText(), "shown_direction");
  }

  void applyWithAnEmptyDestinationStoresAnEmptyEntryThenDeletesIt() {
    open_dialog(ymd(2004, 5, 10));
    button("BtnApply")->click();
    QCOMPARE(file_bytes(schedule_),
             "[Schedule]\r\n20040510DE=\r\n20040510DI=\x8e\x71\x81\x69\x96\x6b\x81\x6a\r\n");
    button("BtnApply")->click();
    QCOMPARE(file_bytes(schedule_), "[Schedule]\r\n");
    QVERIFY(Form2->isVisible());
  }

  void movingTheDateWithoutApplyStoresNothingAndLoadsTheNewDate() {
    store(ymd(2004, 5, 4), "大阪", "坤（南西）");
    open_dialog();
    type(destination(), QStringLiteral("京都"));
    picker()->setCurrentSection(QDateTimeEdit::DaySection);
    QTest::keyClick(picker(), Qt::Key_Up);
    QCOMPARE(destination()->text(), QStringLiteral("大阪"));
    QCOMPARE(direction()->currentText(), QStringLiteral("坤（南西）"));
    QCOMPARE(ScheduleFile(schedule_).read("Schedule", "20040503DE", "none"), "none");
  }

  void typedDirectionIsStoredAsTypedAndItemsCompleteInline() {
    open_dialog();
    direction()->setFocus();
    direction()->lineEdit()->clear();
    // A key that types 卯, as a keyboard layout or an input method's direct mode sends it.
    QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("卯"));
    QApplication::sendEvent(direction()->lineEdit(), &key);
    QCOMPARE(direction()->currentText(), QStringLiteral("卯（東）"));
    QCOMPARE(direction()->lineEdit()->selectedText(), QStringLiteral("（東）"));
    direction()->lineEdit()->clear();
    type(direction()->lineEdit(), QStringLiteral("北北東"));
    type(destination(), QStringLiteral("山"));
    button("BtnApply")->click();
    QCOMPARE(ScheduleFile(schedule_).read("Schedule", "20040503DI", ""), "北北東");
    QCOMPARE(direction()->count(), 8);
  }

  void okAfterAnEntryForAnotherDateReturnsToTodaysPage() {
    open_dialog();
    picker()->setCurrentSection(QDateTimeEdit::MonthSection);
    QTest::keyClick(picker(), Qt::Key_Up);
    type(destination(), QStringLiteral("京都"));
    button("BtnOK")->click();
    QVERIFY(!Form2->isVisible());
    QVERIFY(Form1->isVisible());
    QCOMPARE(main_label("LbDest")->text(), QStringLiteral("なし"));
    QVERIFY(main_label("LbDate")->text().startsWith(QStringLiteral("2004(平成16)年5月3日")));
    QCOMPARE(ScheduleFile(schedule_).read("Schedule", "20040603DE", ""), "京都");
  }

  void escapeAndClosingAreCancelAndDropTheEdits() {
    for (const bool by_escape : {true, false}) {
      open_dialog();
      type(destination(), QStringLiteral("京都"));
      if (by_escape) {
        QTest::keyClick(destination(), Qt::Key_Escape);
      } else {
        Form2->close();  // the title bar's close button
      }
      QVERIFY(!Form2->isVisible());
      QVERIFY(Form1->isVisible());
      QVERIFY(!std::filesystem::exists(schedule_));
    }
  }

  void enterPressesOnlyAButtonThatHasTheFocus() {
    open_dialog();
    type(destination(), QStringLiteral("京都"));
    QTest::keyClick(destination(), Qt::Key_Return);
    QVERIFY(Form2->isVisible());
    QVERIFY(!std::filesystem::exists(schedule_));
    button("BtnApply")->setFocus();
    QTest::keyClick(button("BtnApply"), Qt::Key_Return);
    QCOMPARE(ScheduleFile(schedule_).read("Schedule", "20040503DE", ""), "京都");
  }

  void failedWriteShowsTheErrorAndKeepsTheDialogOpen() {
    cleanup();
    start(std::filesystem::temp_directory_path() / "sorahemi-missing-folder" / "sorahemi.ini");
    open_dialog();
    type(destination(), QStringLiteral("京都"));
    const BoxAnswerer user;
    button("BtnOK")->click();
    QCOMPARE(user.seen().size(), 1u);
    QCOMPARE(user.seen()[0].text,
             QString::fromStdString(schedule_.string()) + " に書き込めません.");
    QCOMPARE(user.seen()[0].icon, QMessageBox::Critical);
    QVERIFY(Form2->isVisible());
    QVERIFY(!Form1->isVisible());
  }

  void textTheFileCannotHoldIsRefusedAndNothingIsWritten() {
    open_dialog();
    type(destination(), QStringLiteral("京都"));
    direction()->setEditText(QStringLiteral("북"));
    const BoxAnswerer user;
    button("BtnApply")->click();
    QCOMPARE(user.seen().size(), 1u);
    QCOMPARE(user.seen()[0].text,
             QStringLiteral("「북」(U+BD81) は予定ファイルに保存できない文字です."));
    QVERIFY(!std::filesystem::exists(schedule_));
  }

  void pastedLineBreakBecomesASpace() {
    open_dialog();
    for (QLineEdit* field : {destination(), direction()->lineEdit()}) {
      field->clear();
      QGuiApplication::clipboard()->setText(QStringLiteral("京都\r\n大阪\n奈良"));
      QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
      QCOMPARE(field->text(), QStringLiteral("京都 大阪 奈良"));
    }
  }

  void layoutFollowsTheDesign() {
    open_dialog();
    QCOMPARE(Form2->windowTitle(), QStringLiteral("外出予定入力"));
    QCOMPARE(Form2->size(), QSize(245, 133));
    QCOMPARE(Form2->minimumSize(), Form2->maximumSize());
    QVERIFY(Form2->windowFlags() & Qt::WindowMinimizeButtonHint);
    QVERIFY(!(Form2->windowFlags() & Qt::WindowMaximizeButtonHint));
    const struct {
      const char* name;
      QRect geometry;
      const char* face;
    } controls[] = {
        {"DTP2", {16, 8, 89, 20}, "Mincho"},         {"Label1", {16, 40, 36, 12}, "Mincho"},
        {"EdDest", {56, 40, 161, 20}, "Mincho"},     {"Label2", {16, 72, 24, 12}, "Mincho"},
        {"CBDir", {56, 72, 89, 20}, "Mincho"},       {"BtnOK", {64, 104, 49, 17}, "Mincho"},
        {"BtnCancel", {120, 104, 57, 17}, "Mincho"}, {"BtnApply", {184, 104, 49, 17}, "PGothic"},
    };
    for (const auto& control : controls) {
      auto* widget = Form2->findChild<QWidget*>(control.name);
      QVERIFY2(widget, control.name);
      QCOMPARE(widget->geometry(), control.geometry);
      QCOMPARE(widget->font().pixelSize(), 12);
      QVERIFY2(QFontInfo(widget->font()).family().contains(QLatin1String(control.face)),
               qPrintable(QFontInfo(widget->font()).family()));
    }
    QStringList items;
    for (int i = 0; i < direction()->count(); ++i) items << direction()->itemText(i);
    QCOMPARE(items, QStringList({"子（北）", "艮（北東）", "卯（東）", "巽（南東）", "午（南）",
                                 "坤（南西）", "酉（西）", "乾（北西）"}));
    QCOMPARE(direction()->maxVisibleItems(), 8);
    for (QWidget* next :
         {static_cast<QWidget*>(direction()), static_cast<QWidget*>(picker()),
          static_cast<QWidget*>(button("BtnOK")), static_cast<QWidget*>(button("BtnCancel")),
          static_cast<QWidget*>(button("BtnApply")), static_cast<QWidget*>(destination())}) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QCOMPARE(QApplication::focusWidget(), next);
    }
  }

 private:
  void start(const std::filesystem::path& schedule) {
    schedule_ = schedule;
    const sorahemi::ui::Surroundings surroundings{schedule, [] { return today; },
                                                  [](const QUrl&) {}};
    Form1 = new sorahemi::ui::TForm1(surroundings);
    Form2 = new sorahemi::ui::TForm2(surroundings);
    Form1->show();
    QVERIFY(QTest::qWaitForWindowActive(Form1));
  }

  void open_dialog(std::optional<Date> date = std::nullopt) {
    if (date) Form1->findChild<DatePicker*>("DTP1")->set_date(*date);
    const BoxAnswerer user;
    Form1->findChild<QPushButton*>("BtnSche")->click();
    QVERIFY(QTest::qWaitForWindowActive(Form2));
  }

  void store(Date date, const std::string& destination, const std::string& direction) {
    ScheduleFile file(schedule_);
    sorahemi::schedule::apply_outing(file, date, {destination, direction});
  }

  QLineEdit* destination() const { return Form2->findChild<QLineEdit*>("EdDest"); }
  QComboBox* direction() const { return Form2->findChild<QComboBox*>("CBDir"); }
  DatePicker* picker() const { return Form2->findChild<DatePicker*>("DTP2"); }
  QPushButton* button(const char* name) const { return Form2->findChild<QPushButton*>(name); }
  QLabel* main_label(const char* name) const { return Form1->findChild<QLabel*>(name); }

  std::optional<TempFolder> folder_;
  std::filesystem::path schedule_;
};

QTEST_MAIN(DialogTest)
#include "dialog_test.moc"
