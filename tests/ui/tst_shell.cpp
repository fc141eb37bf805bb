// The shell on the fake platform: start-up and the splash wait, the chapter
// loop with its modal results, the stand-by screen, the contents screen, the
// update reminder, the goodbye screen, the notice text and the web links.
// Stepping through all nine chapters, and Start reopening the chapter last
// shown, are walked end to end in tst_walk.
#include "common/LessonFrame.h"
#include "shell/ContentsScreen.h"
#include "shell/Goodbye.h"
#include "shell/Splash.h"
#include "shell/UpdateReminder.h"
#include "shell/Standby.h"
#include "shell/Startup.h"
#include "common/WebStuff.h"
#include "FakePlatform.h"
#include "ModalDriver.h"

#include <QAbstractButton>
#include <QLabel>
#include <QPushButton>
#include <QApplication>
#include <QRegularExpression>
#include <QSet>
#include <QtTest>
#include <memory>

using namespace quenmark;
using quenmark::test::ModalDriver;

namespace {

QPushButton* button(QWidget* w, const char* name)
{
    return w->findChild<QPushButton*>(QLatin1String(name));
}

struct Visit
{
    QString caption;
    int page = 0;
};

} // namespace

class ShellTests : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void startUpOrderAndSplashWait_data();
    void startUpOrderAndSplashWait();
    void chapterLoopResults_data();
    void chapterLoopResults();
    void chapterButtonsOpenTheirChapter_data();
    void chapterButtonsOpenTheirChapter();
    void quitButtonEndsThroughGoodbye();
    void reminderOncePerRun_data();
    void reminderOncePerRun();
    void noticeYear_data();
    void noticeYear();
    void webBase_data();
    void webBase();
    void webAddresses_data();
    void webAddresses();
    void goodbyeWebButtonKeepsItOpen();
    void contentsLayout_data();
    void contentsLayout();
    void everyButtonHasWords();
    void enterPressesTheFocusedButton_data();
    void enterPressesTheFocusedButton();
    void focusFrameShows_data();
    void focusFrameShows();
    void chapterBandsShareOneTextSize();
    void goodbyeParagraphsEvenlySpaced();
    void displayExpected_data();
    void displayExpected();

private:
    // Runs the loop started by `start` with one action per chapter window met:
    // a frame button name, "close" (title bar), or "result:N"; "goodbye" closes
    // the goodbye screen with its Close button.
    void runLoop(const std::function<void()>& start, const QStringList& actions);

    FakePlatform fake;
    std::unique_ptr<TChapter_000> contents;
    QList<Visit> visits;
    QStringList standBys;
    QList<std::uint64_t> standByStarts;
    bool buttonsDisabledDuringWait = true;
};

void ShellTests::init()
{
    fake.clear();
    fake.now = 1000;
    fake.autoAdvance = 0;
    fake.date = QDate(2009, 6, 30);
    fake.onWait = nullptr;
    InitWebStuff();
    contents = StartUp();
    fake.clear();
    visits.clear();
    standBys.clear();
    standByStarts.clear();
    buttonsDisabledDuringWait = true;
}

void ShellTests::cleanup()
{
    fake.onWait = nullptr;
    contents.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(Chapter_000 == nullptr && goodbye == nullptr && StaleDate == nullptr && PleaseStandBy == nullptr);
}

void ShellTests::runLoop(const std::function<void()>& start, const QStringList& actions)
{
    ModalDriver driver;
    fake.onWait = [this](std::uint64_t deadline) {
        QVERIFY(PleaseStandBy && PleaseStandBy->isVisible());
        standBys.append(PleaseStandBy->chapterNumberText());
        standByStarts.append(deadline);
        if (button(contents.get(), "BtnQuit")->isEnabled() || button(contents.get(), "BtnStart")->isEnabled())
            buttonsDisabledDuringWait = false;
    };
    for (const QString& action : actions) {
        driver.add([this, &driver, action](QWidget* modal) {
            if (action == QLatin1String("goodbye")) {
                if (modal != goodbye)
                    return driver.fail(QStringLiteral("expected the goodbye screen, met ") + modal->objectName());
                return driver.click(modal, QStringLiteral("Button1"));
            }
            auto* frame = qobject_cast<LessonFrame*>(modal);
            if (!frame)
                return driver.fail(QStringLiteral("expected a chapter, met ") + modal->objectName());
            visits.append({frame->windowTitle(), frame->currentPage()});
            if (PleaseStandBy && PleaseStandBy->isVisible())
                driver.fail(QStringLiteral("stand-by screen still up"));
            QString act = action;
            if (act.startsWith(QLatin1Char('>'))) {
                // Turn to the last page first (where Next Chapter stands).
                act.remove(0, 1);
                for (int i = 0; i < 100 && frame->currentPage() < frame->totalPageCount(); ++i)
                    frame->BtnNextClick();
            }
            if (act == QLatin1String("close"))
                ModalDriver::closeLater(frame);
            else if (act.startsWith(QLatin1String("result:"))) {
                const int r = act.mid(7).toInt();
                QMetaObject::invokeMethod(frame, [frame, r] { frame->done(r); }, Qt::QueuedConnection);
            } else
                driver.click(frame, act);
        });
    }
    driver.start();
    start();
    driver.stop();
    fake.onWait = nullptr;
    QVERIFY2(!driver.failed(), qPrintable(driver.failure()));
    QCOMPARE(driver.stepsLeft(), 0);
}

void ShellTests::startUpOrderAndSplashWait_data()
{
    QTest::addColumn<std::uint64_t>("creationCost"); // ms the fake clock moves per reading
    QTest::newRow("instant creation") << std::uint64_t(0);
    QTest::newRow("slow creation") << std::uint64_t(700);
}

void ShellTests::startUpOrderAndSplashWait()
{
    QFETCH(std::uint64_t, creationCost);
    contents.reset();
    QCoreApplication::setApplicationName(QStringLiteral("tst_shell"));
    fake.clear();
    fake.now = 5000;
    fake.autoAdvance = creationCost;
    bool checked = false;
    fake.onWait = [&](std::uint64_t deadline) {
        checked = true;
        QCOMPARE(deadline, std::uint64_t(5000 + 2000));
        QVERIFY(SplashScreen && SplashScreen->isVisible());
        QCOMPARE(SplashScreen->findChild<QLabel*>("CopyrightLabel")->text(), gstrCopyright);
        QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Quenmark"));
        QVERIFY(Chapter_000 && !Chapter_000->isVisible());
        QVERIFY(goodbye && !goodbye->isVisible() && goodbye->parent() == Chapter_000);
        QVERIFY(StaleDate && !StaleDate->isVisible() && StaleDate->parent() == Chapter_000);
    };
    contents = StartUp();
    fake.autoAdvance = 0;
    QVERIFY(checked);
    QCOMPARE(fake.waits.size(), 1);
    QVERIFY(SplashScreen == nullptr);
    QVERIFY(contents->isVisible());
    QCOMPARE(contents->windowTitle(), QStringLiteral("Quenmark"));
    QCOMPARE(contents->CurrentChapter, 1);
    QCOMPARE(contents->findChild<QLabel*>("CopyrightNotice")->text(), gstrCopyright);
}

void ShellTests::chapterLoopResults_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<QStringList>("actions");
    QTest::addColumn<QStringList>("opened");       // stand-by numbers, one per visit
    QTest::addColumn<int>("chapterAfter");
    QTest::addColumn<bool>("contentsOpen");
    QTest::newRow("quit (2)") << 3 << QStringList{"BtnQuit", "goodbye"} << QStringList{"3"} << 3 << false;
    QTest::newRow("title-bar close (2)") << 4 << QStringList{"close", "goodbye"} << QStringList{"4"} << 4 << false;
    QTest::newRow("contents (4)") << 5 << QStringList{"BtnContents"} << QStringList{"5"} << 5 << true;
    QTest::newRow("next (6)") << 6 << QStringList{">BtnNextChapt", "BtnContents"} << QStringList{"6", "7"} << 7
                              << true;
    QTest::newRow("prev (7) from 2") << 2 << QStringList{"BtnPrevChapt", "BtnContents"} << QStringList{"2", "1"}
                                     << 1 << true;
    QTest::newRow("other result reopens") << 8 << QStringList{"result:5", "result:0", "BtnContents"}
                                          << QStringList{"8", "8", "8"} << 8 << true;
    QTest::newRow("10 becomes 1") << 9 << QStringList{"result:6", "BtnContents"} << QStringList{"9", "1"} << 1
                                  << true;
    QTest::newRow("0 becomes 1") << 1 << QStringList{"result:7", "BtnContents"} << QStringList{"1", "1"} << 1
                                 << true;
}

void ShellTests::chapterLoopResults()
{
    QFETCH(int, first);
    QFETCH(QStringList, actions);
    QFETCH(QStringList, opened);
    QFETCH(int, chapterAfter);
    QFETCH(bool, contentsOpen);
    contents->CurrentChapter = first;
    const std::uint64_t before = fake.now;
    runLoop([this] { QTest::mouseClick(button(contents.get(), "BtnStart"), Qt::LeftButton); }, actions);
    QCOMPARE(standBys, opened);
    QCOMPARE(visits.size(), opened.size());
    for (int i = 0; i < visits.size(); ++i) {
        QCOMPARE(visits[i].caption, QStringLiteral("Quenmark - Chapter ") + opened[i]);
        QCOMPARE(visits[i].page, 1);
    }
    // Each stand-by is held 1000 ms from the start of its step.
    QCOMPARE(standByStarts.first(), before + 1000);
    QVERIFY(buttonsDisabledDuringWait);
    QCOMPARE(contents->CurrentChapter, chapterAfter);
    QCOMPARE(contents->isVisible(), contentsOpen);
    QVERIFY(!goodbye->isVisible());
    QVERIFY(button(contents.get(), "BtnQuit")->isEnabled() && button(contents.get(), "BtnStart")->isEnabled());
    QCOMPARE(contents->modalResult(), contentsOpen ? 4 : 2);
    // The chapter windows are gone.
    QCOMPARE(contents->findChildren<LessonFrame*>().size(), 0);
    QVERIFY(PleaseStandBy == nullptr);
}

void ShellTests::chapterButtonsOpenTheirChapter_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("chapter");
    QTest::addColumn<int>("shownBefore");
    for (int n = 1; n <= 9; ++n)
        QTest::addRow("%d", n) << (n == 9 ? QStringLiteral("SBtn10") : QStringLiteral("SBtn0%1").arg(n)) << n
                               << (n % 9) + 1;
}

void ShellTests::chapterButtonsOpenTheirChapter()
{
    QFETCH(QString, name);
    QFETCH(int, chapter);
    QFETCH(int, shownBefore);
    contents->CurrentChapter = shownBefore; // another chapter was shown last
    runLoop([&] { QTest::mouseClick(contents->findChild<QAbstractButton*>(name), Qt::LeftButton); },
            {"BtnContents"});
    QCOMPARE(standBys, QStringList{QString::number(chapter)});
    QCOMPARE(visits[0].caption, QStringLiteral("Quenmark - Chapter %1").arg(chapter));
}

void ShellTests::quitButtonEndsThroughGoodbye()
{
    ModalDriver driver;
    driver.add([&](QWidget* modal) {
        if (modal != goodbye)
            return driver.fail(QStringLiteral("expected goodbye"));
        if (Chapter_000->isVisible())
            driver.fail(QStringLiteral("contents still visible behind goodbye"));
        if (goodbye->windowTitle() != QStringLiteral("Thank You!"))
            driver.fail(QStringLiteral("goodbye caption"));
        if (goodbye->findChild<QLabel*>("CopyrightLabel")->text() != gstrCopyright)
            driver.fail(QStringLiteral("goodbye notice"));
        if (QApplication::focusWidget() && qobject_cast<QAbstractButton*>(QApplication::focusWidget()))
            driver.fail(QStringLiteral("a button holds the focus on the goodbye screen"));
        driver.click(modal, QStringLiteral("Button1"));
    });
    driver.start();
    QTest::mouseClick(button(contents.get(), "BtnQuit"), Qt::LeftButton);
    driver.stop();
    QVERIFY2(!driver.failed(), qPrintable(driver.failure()));
    QCOMPARE(driver.seen, QStringList{"goodbye"});
    QVERIFY(!contents->isVisible());
    QVERIFY(!goodbye->isVisible());
}

void ShellTests::reminderOncePerRun_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<int>("shown");
    QTest::newRow("30 June 2010") << QDate(2010, 6, 30) << 0;
    QTest::newRow("1 July 2010") << QDate(2010, 7, 1) << 1;
    QTest::newRow("2025") << QDate(2025, 3, 14) << 1;
    QTest::newRow("2003") << QDate(2003, 12, 31) << 0;
}

void ShellTests::reminderOncePerRun()
{
    QFETCH(QDate, today);
    QFETCH(int, shown);
    fake.date = today;
    ModalDriver driver;
    int met = 0;
    driver.add([&](QWidget* modal) {
        ++met;
        if (modal != StaleDate)
            return driver.fail(QStringLiteral("expected the reminder"));
        if (button(contents.get(), "BtnQuit")->isEnabled() || button(contents.get(), "BtnStart")->isEnabled())
            driver.fail(QStringLiteral("Quit/Start enabled under the reminder"));
        if (!modal->findChild<QLabel*>("AddressLabel")
            || modal->findChild<QLabel*>("AddressLabel")->text() != QStringLiteral("www.owlhaven.example"))
            driver.fail(QStringLiteral("maker's address"));
        driver.click(modal, QStringLiteral("Button1"));
    });
    driver.start();
    for (int i = 0; i < 3; ++i)
        contents->FormActivate();
    driver.stop();
    // A chapter visit in between does not bring it back.
    runLoop([this] { contents->chapterButtonClick(2); }, {"BtnContents"});
    driver.start();
    contents->FormActivate();
    driver.stop();
    QCOMPARE(met, shown);
    QCOMPARE(contents->StaleReminderShown, shown == 1);
    QVERIFY(button(contents.get(), "BtnQuit")->isEnabled() && button(contents.get(), "BtnStart")->isEnabled());
    QCOMPARE(contents->focusWidget(), static_cast<QWidget*>(button(contents.get(), "BtnStart")));
}

void ShellTests::noticeYear_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QString>("year");
    QTest::newRow("1999") << QDate(1999, 1, 1) << "2004";
    QTest::newRow("2003") << QDate(2003, 12, 31) << "2004";
    QTest::newRow("2004") << QDate(2004, 1, 1) << "2004";
    QTest::newRow("2011") << QDate(2011, 5, 5) << "2011";
    QTest::newRow("2031") << QDate(2031, 2, 2) << "2031";
}

void ShellTests::noticeYear()
{
    QFETCH(QDate, today);
    QFETCH(QString, year);
    QCOMPARE(NoticeEndYear(today), year);
    fake.date = today;
    InitWebStuff();
    QCOMPARE(gstrCopyright, QStringLiteral("Copyright 1997-") + year + QStringLiteral(" Harlowby. All rights reserved."));
}

void ShellTests::webBase_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QString>("base");
    QTest::newRow("Sep 2003") << QDate(2003, 9, 30) << "http://192.0.2.44/";
    QTest::newRow("Oct 2003") << QDate(2003, 10, 1) << "https://www.owlhaven.example/";
    QTest::newRow("Jan 2004") << QDate(2004, 1, 1) << "https://www.owlhaven.example/";
    QTest::newRow("2024") << QDate(2024, 6, 1) << "https://www.owlhaven.example/";
}

void ShellTests::webBase()
{
    QFETCH(QDate, today);
    QFETCH(QString, base);
    fake.date = today;
    InitWebStuff();
    QCOMPARE(WebBase, base);
}

void ShellTests::webAddresses_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QStringList>("opened");
    QTest::newRow("home") << 1 << QStringList{"https://www.owlhaven.example/"};
    QTest::newRow("downloads") << 2 << QStringList{"https://www.owlhaven.example/downloads.html"};
    QTest::newRow("buy now") << 3 << QStringList{"https://www.owlhaven.example/buynow.html"};
    QTest::newRow("0 opens nothing") << 0 << QStringList{};
    QTest::newRow("4 opens nothing") << 4 << QStringList{};
}

void ShellTests::webAddresses()
{
    QFETCH(int, kind);
    QFETCH(QStringList, opened);
    OpenWebPage(kind);
    QCOMPARE(fake.openedUrls, opened);
    fake.openedUrls.clear();
    QTest::mouseClick(button(contents.get(), "BtnGotoWebsite"), Qt::LeftButton);
    QCOMPARE(fake.openedUrls, QStringList{"https://www.owlhaven.example/"});
}

void ShellTests::goodbyeWebButtonKeepsItOpen()
{
    goodbye->show();
    QPushButton* web = button(goodbye, "BtnGotoWebsite");
    QCOMPARE(web->toolTip(), QStringLiteral("Click here to go to our website"));
    QCOMPARE(web->accessibleName(), QStringLiteral("Go To Our Website"));
    QTest::mouseClick(web, Qt::LeftButton);
    QCOMPARE(fake.openedUrls, QStringList{"https://www.owlhaven.example/"});
    QVERIFY(goodbye->isVisible());
    QCOMPARE(goodbye->result(), 0);
    QTest::mouseClick(button(goodbye, "Button1"), Qt::LeftButton);
    QVERIFY(!goodbye->isVisible());
}

void ShellTests::contentsLayout_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("rect");
    QTest::newRow("Image2") << "Image2" << QRect(31, 90, 84, 84);
    QTest::newRow("Image1") << "Image1" << QRect(484, 10, 134, 88);
    for (int n = 1; n <= 8; ++n)
        QTest::addRow("SBtn0%d", n) << QStringLiteral("SBtn0%1").arg(n) << QRect(162, 70 + 32 * (n - 1), 307, 33);
    QTest::newRow("SBtn10") << "SBtn10" << QRect(162, 326, 307, 33);
    QTest::newRow("BtnQuit") << "BtnQuit" << QRect(128, 391, 91, 30);
    QTest::newRow("BtnGotoWebsite") << "BtnGotoWebsite" << QRect(243, 391, 147, 30);
    QTest::newRow("BtnStart") << "BtnStart" << QRect(412, 391, 91, 30);
}

void ShellTests::contentsLayout()
{
    QFETCH(QString, name);
    QFETCH(QRect, rect);
    QWidget* w = contents->findChild<QWidget*>(name);
    QVERIFY(w);
    QCOMPARE(w->geometry(), rect);
    QCOMPARE(contents->size(), QSize(640, 480));
    QCOMPARE(contents->findChild<QLabel*>("QuenmarkLabel")->pos(), QPoint(24, 5));
    QCOMPARE(contents->findChild<QLabel*>("CopyrightNotice")->pos(), QPoint(24, 36));
    QCOMPARE(contents->findChild<QLabel*>("Label5")->text(), QStringLiteral("Quenmark is a trademark of Harlowby."));
    if (auto* label = qobject_cast<QLabel*>(w))
        QVERIFY(!label->pixmap().isNull());
}

void ShellTests::everyButtonHasWords()
{
    const auto buttons = contents->findChildren<QAbstractButton*>(Qt::FindDirectChildrenOnly);
    QCOMPARE(buttons.size(), 13); // nine chapters, Quit, Start, the web site, My Cards
    for (QAbstractButton* b : buttons)
        QVERIFY2(!b->accessibleName().isEmpty(), qPrintable(b->objectName()));
    QCOMPARE(contents->findChild<QAbstractButton*>("SBtn07")->accessibleName(),
             QStringLiteral("7   The Effect of Adding $5 to Each Payment"));
    // Tab order: Quit, Start, Go To Our Website.
    QCOMPARE(button(contents.get(), "BtnQuit")->nextInFocusChain(), button(contents.get(), "BtnStart"));
    QCOMPARE(button(contents.get(), "BtnStart")->nextInFocusChain(), button(contents.get(), "BtnGotoWebsite"));
}

void ShellTests::enterPressesTheFocusedButton_data()
{
    QTest::addColumn<QString>("focus"); // empty: where the activation puts it (Start)
    QTest::addColumn<QStringList>("opened");
    QTest::newRow("Start") << "" << QStringList{"1"};
    QTest::newRow("chapter 9's band") << "SBtn10" << QStringList{"9"};
    QTest::newRow("Quit") << "BtnQuit" << QStringList{};
}

void ShellTests::enterPressesTheFocusedButton()
{
    QFETCH(QString, focus);
    QFETCH(QStringList, opened);
    contents->FormActivate();
    QVERIFY(QTest::qWaitForWindowActive(contents.get()));
    if (!focus.isEmpty())
        contents->findChild<QWidget*>(focus)->setFocus(Qt::TabFocusReason);
    runLoop([&] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); },
            {opened.isEmpty() ? "goodbye" : "BtnContents"});
    QCOMPARE(standBys, opened);
}

void ShellTests::focusFrameShows_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("how"); // how the focus came to it
    QTest::newRow("Start after activation") << "BtnStart" << "activation";
    QTest::newRow("Start, another window active before") << "BtnStart" << "inactive";
    QTest::newRow("chapter band after a click") << "SBtn03" << "click";
}

void ShellTests::focusFrameShows()
{
    // From the first activation on, before any key, a focused button looks
    // different from itself without the focus.
    QFETCH(QString, name);
    QFETCH(QString, how);
    QWidget other; // active before: nothing hands the activation back (a bare X server)
    other.setVisible(how == QLatin1String("inactive"));
    (how == QLatin1String("inactive") ? static_cast<QWidget*>(&other) : contents.get())->activateWindow();
    contents->FormActivate();
    QVERIFY(QTest::qWaitForWindowActive(contents.get(), 2000));
    auto* b = contents->findChild<QAbstractButton*>(name);
    if (how == QLatin1String("click")) {
        contents->setAttribute(Qt::WA_KeyboardFocusChange, false);
        b->setFocus(Qt::MouseFocusReason);
    }
    QVERIFY(b->hasFocus());
    const QImage focused = b->grab().toImage();
    button(contents.get(), "BtnQuit")->setFocus(Qt::MouseFocusReason);
    QVERIFY(focused != b->grab().toImage());
}

void ShellTests::chapterBandsShareOneTextSize()
{
    // The white chapter digit that begins each band is as tall on all nine,
    // and every title ends inside its band.
    QSet<int> digitHeights;
    for (QAbstractButton* b : contents->findChildren<QAbstractButton*>(QRegularExpression("^SBtn"))) {
        const QImage img = b->grab().toImage();
        int top = img.height(), bottom = -1, right = -1;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (qGray(img.pixel(x, y)) > 200) {
                    top = x < 24 ? std::min(top, y) : top;
                    bottom = x < 24 ? std::max(bottom, y) : bottom;
                    right = std::max(right, x);
                }
        digitHeights.insert(bottom - top);
        QVERIFY2(right < img.width() - 4, qPrintable(b->objectName()));
    }
    QCOMPARE(digitHeights.size(), 1);
}

void ShellTests::goodbyeParagraphsEvenlySpaced()
{
    // Each paragraph is as high as its lines; the gaps between them and
    // before the greeting are the same.
    QSet<int> gaps;
    QWidget* above = nullptr;
    for (const char* name : {"Paragraph1", "Paragraph2", "Paragraph3", "Greeting"}) {
        auto* block = goodbye->findChild<QLabel*>(QLatin1String(name));
        QVERIFY(block);
        if (block->wordWrap())
            QCOMPARE(block->height(), block->heightForWidth(block->width()));
        if (above)
            gaps.insert(block->y() - above->geometry().bottom());
        above = block;
    }
    QCOMPARE(gaps.size(), 1);
}

void ShellTests::displayExpected_data()
{
    QTest::addColumn<QByteArray>("qpa");
    QTest::addColumn<QByteArray>("display");
    QTest::addColumn<QByteArray>("wayland");
    QTest::addColumn<bool>("expected");
    QTest::newRow("nothing") << QByteArray() << QByteArray() << QByteArray() << false;
    QTest::newRow("X11") << QByteArray() << QByteArray(":0") << QByteArray() << true;
    QTest::newRow("Wayland") << QByteArray() << QByteArray() << QByteArray("wayland-0") << true;
    QTest::newRow("offscreen") << QByteArray("offscreen") << QByteArray() << QByteArray() << true;
}

void ShellTests::displayExpected()
{
    QFETCH(QByteArray, qpa);
    QFETCH(QByteArray, display);
    QFETCH(QByteArray, wayland);
    QFETCH(bool, expected);
    QString why;
    QCOMPARE(DisplayExpected(qpa, display, wayland, &why), expected);
    QCOMPARE(why.isEmpty(), expected);
}

QTEST_MAIN(ShellTests)
#include "tst_shell.moc"
