#include "ui/about.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <functional>

#include "tests/schedule/temp_folder.h"
#include "ui/Unit1.h"
#include "ui/fonts.h"
#include "ui/link_label.h"

using sorahemi::schedule::testing::TempFolder;
using sorahemi::ui::AboutBox;
using sorahemi::ui::Form1;

class AboutTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { sorahemi::ui::install_font_substitutes(); }

  void init() {
    requests_.clear();
    const sorahemi::ui::Surroundings surroundings{
        folder_.path() / "sorahemi.ini",
        [] {
          return sorahemi::reckoning::Date{std::chrono::year{2004}, std::chrono::May,
                                           std::chrono::day{3}};
        },
        [this](const QUrl& url) { requests_.push_back(url); }};
    Form1 = new sorahemi::ui::TForm1(surroundings);
    AboutBox = new sorahemi::ui::TAboutBox(surroundings);
    Form1->show();
    QVERIFY(QTest::qWaitForWindowActive(Form1));
  }

  void cleanup() {
    delete AboutBox;
    delete Form1;
    AboutBox = nullptr;
    Form1 = nullptr;
  }

  void opensModalWithTheVersionAndTheLinks() {
    bool modal = false;
    while_open([&] {
      modal = QApplication::activeModalWidget() == AboutBox;
      QCOMPARE(AboutBox->windowTitle(), QStringLiteral("バージョン情報"));
      QCOMPARE(label("ProductName")->text(), QStringLiteral("ソラヘミ"));
      QCOMPARE(label("Version")->text(), QStringLiteral("Version 2.01"));
      QVERIFY(!label("URL")->text().isEmpty());
      QVERIFY(label("Mail")->text().contains('@'));
      QCOMPARE(label("URL")->cursor().shape(), Qt::PointingHandCursor);
      QCOMPARE(AboutBox->size(), QSize(234, 177));
      QVERIFY(!(AboutBox->windowFlags() & Qt::WindowCloseButtonHint));
      QVERIFY(!(AboutBox->windowFlags() & Qt::WindowSystemMenuHint));
      ok_button()->click();
    });
    QVERIFY(modal);
    QVERIFY(!AboutBox->isVisible());
  }

  void closesOnEnterButNotOnEscape() {
    bool open_after_escape = false;
    while_open([&] {
      QTest::keyClick(AboutBox, Qt::Key_Escape);
      open_after_escape = AboutBox->isVisible();
      QTest::keyClick(AboutBox, Qt::Key_Return);
    });
    QVERIFY(open_after_escape);
    QVERIFY(!AboutBox->isVisible());
  }

  void firstShowingIsCentredAndLaterOnesKeepTheirPlace() {
    QPoint first;
    while_open([&] {
      first = AboutBox->pos();                 // the frame's place
      AboutBox->move(first + QPoint(40, 30));  // the user moves it
      ok_button()->click();
    });
    const QRect screen = AboutBox->screen()->geometry();
    QCOMPARE(first, QPoint(std::max(0, (screen.width() - AboutBox->width()) / 2),
                           std::max(0, (screen.height() - AboutBox->height()) / 2)));
    QPoint second;
    while_open([&] {
      second = AboutBox->pos();
      ok_button()->click();
    });
    QCOMPARE(second, first + QPoint(40, 30));
  }

  void eachLinkClickMakesOneRequestAndLeavesTheBoxOpen() {
    bool still_open = false;
    while_open([&] {
      QTest::mouseClick(label("URL"), Qt::LeftButton);
      QTest::mouseClick(label("URL"), Qt::LeftButton);
      QTest::mouseClick(label("Mail"), Qt::LeftButton);
      still_open = AboutBox->isVisible();
      ok_button()->click();
    });
    QVERIFY(still_open);
    QCOMPARE(requests_.size(), 3u);
    QCOMPARE(requests_[0], QUrl(label("URL")->text()));
    QCOMPARE(requests_[1], QUrl(label("URL")->text()));
    QCOMPARE(requests_[2], QUrl("mailto:" + label("Mail")->text()));
  }

  void helpItemRequestsTheDocumentFromTheCurrentFolderEachTime() {
    QAction* help = Form1->findChild<QAction*>("Contents1");
    QCOMPARE(help->text(), QStringLiteral("ヘルプ(&H)"));
    const QString saved = QDir::currentPath();
    for (const QString& folder :
         {QString::fromStdString(folder_.path().string()), QStringLiteral("/")}) {
      QDir::setCurrent(folder);
      help->trigger();
    }
    QDir::setCurrent(saved);
    QCOMPARE(requests_.size(), 2u);
    QCOMPARE(
        requests_[0],
        QUrl::fromLocalFile(QString::fromStdString((folder_.path() / "help/help.pdf").string())));
    QCOMPARE(requests_[1], QUrl::fromLocalFile("/help/help.pdf"));
    QVERIFY(Form1->isEnabled());
  }

 private:
  // Opens the box from the menu and runs the steps while it is up; they must close it.
  void while_open(const std::function<void()>& steps) {
    QTimer::singleShot(0, [&] {
      QVERIFY(AboutBox->isVisible());
      steps();
    });
    Form1->findChild<QAction*>("About1")->trigger();
  }

  QLabel* label(const char* name) const { return AboutBox->findChild<QLabel*>(name); }
  QPushButton* ok_button() const { return AboutBox->findChild<QPushButton*>("OKButton"); }

  TempFolder folder_;
  std::vector<QUrl> requests_;
};

QTEST_MAIN(AboutTest)
#include "about_test.moc"
