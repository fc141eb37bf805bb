// The whole program end to end on the fake clock: from the contents screen
// through all nine chapters with every page turned by Next, Next Chapter from
// 1 to 9, Prev Chapter from 9 to 1, Contents and Start in between, and out
// through the goodbye screen. Every visit must open on page 1 in the state the
// chapter had on its first visit, behind a stand-by screen with its number.
#include "common/WebStuff.h"
#include "shell/ContentsScreen.h"
#include "shell/Goodbye.h"
#include "shell/Standby.h"
#include "shell/Startup.h"
#include "FakePlatform.h"
#include "ModalDriver.h"
#include "PageWalk.h"

#include <QComboBox>
#include <QHash>
#include <QProgressBar>
#include <QtTest>
#include <memory>

using namespace quenmark;
using quenmark::test::ModalDriver;

namespace {

// What a user could see or change in a window: every widget's visibility and
// place, every text, colour, box, list, gauge and notebook page.
QStringList snapshot(QWidget* window)
{
    QStringList lines;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        const QRect r = w->geometry();
        QString line = QStringLiteral("%1 %2 %3 %4,%5 %6x%7")
                           .arg(w->objectName(), QLatin1String(w->metaObject()->className()))
                           .arg(w->isVisibleTo(window))
                           .arg(r.x())
                           .arg(r.y())
                           .arg(r.width())
                           .arg(r.height());
        if (auto* l = qobject_cast<QLabel*>(w))
            line += QStringLiteral(" '%1' %2/%3 %4")
                        .arg(l->text(), l->palette().color(QPalette::Window).name(),
                             l->palette().color(QPalette::WindowText).name())
                        .arg(l->autoFillBackground());
        if (auto* e = qobject_cast<QLineEdit*>(w))
            line += QStringLiteral(" '%1'").arg(e->text());
        if (auto* b = qobject_cast<QAbstractButton*>(w))
            line += QStringLiteral(" '%1' %2 %3").arg(b->text()).arg(b->isEnabled()).arg(b->isChecked());
        if (auto* s = qobject_cast<QStackedWidget*>(w))
            line += QStringLiteral(" page %1").arg(s->currentIndex());
        if (auto* c = qobject_cast<QComboBox*>(w))
            line += QStringLiteral(" item %1").arg(c->currentIndex());
        if (auto* g = qobject_cast<QProgressBar*>(w))
            line += QStringLiteral(" %1%").arg(g->value());
        lines.append(line);
    }
    return lines;
}

} // namespace

class TestWalk : public QObject
{
    Q_OBJECT

    FakePlatform fake;
    std::unique_ptr<TChapter_000> contents;
    ModalDriver* driver = nullptr;
    QStringList standBys;              // the number on each stand-by screen
    QStringList captions;              // each chapter window's caption
    QList<int> pagesWalked;            // pages turned through per full walk
    QHash<int, QStringList> firstLook; // each chapter as its first visit opened

    void check(bool ok, const QString& why)
    {
        if (!ok)
            driver->fail(why);
    }

    // On opening: page 1, the header, the frame buttons of the first page, and
    // the same state as on the chapter's first visit.
    void checkOpening(LessonFrame* frame, int chapter)
    {
        const QString where = QStringLiteral("chapter %1 on opening: ").arg(chapter);
        captions.append(frame->windowTitle());
        check(frame->objectName() == QStringLiteral("Chapter_00%1").arg(chapter), where + frame->objectName());
        check(frame->currentPage() == 1 && test::shownPage(frame) == 1, where + QStringLiteral("not on page 1"));
        check(frame->notebook()->currentIndex() == 0, where + QStringLiteral("Notebook1 not on its first page"));
        check(test::shownTotal(frame) == frame->totalPageCount() && frame->totalPageCount() >= 1,
              where + QStringLiteral("page total"));
        auto shown = [frame](const char* name) {
            auto* b = frame->findChild<QPushButton*>(QLatin1String(name));
            return b && b->isVisible();
        };
        check(!shown("BtnBack"), where + QStringLiteral("Back shown"));
        check(shown("BtnPrevChapt") == (chapter != 1), where + QStringLiteral("Prev Chapter"));
        if (frame->totalPageCount() > 1)
            check(shown("BtnNext") && !shown("BtnNextChapt"), where + QStringLiteral("Next / Next Chapter"));
        const QStringList look = snapshot(frame);
        if (!firstLook.contains(chapter)) {
            firstLook.insert(chapter, look);
            return;
        }
        const QStringList& first = firstLook[chapter];
        for (int i = 0; i < qMin(first.size(), look.size()); ++i)
            if (first[i] != look[i])
                return driver->fail(where + QStringLiteral("differs from the first visit:\n  was %1\n  now %2").arg(first[i], look[i]));
        check(first.size() == look.size(), where + QStringLiteral("has a different number of widgets"));
    }

    // Every page by Next: the page number follows, and on the last page Next
    // gives way to Next Chapter (none in chapter 9).
    void walkPages(LessonFrame* frame, int chapter)
    {
        int expected = 1;
        const int visited = test::forEachPageByNext(frame, [&](int page) {
            check(page == expected && frame->currentPage() == page,
                  QStringLiteral("chapter %1: page %2 shown as %3").arg(chapter).arg(expected).arg(page));
            ++expected;
            return !driver->failed();
        });
        pagesWalked.append(visited);
        check(visited == test::shownTotal(frame), QStringLiteral("chapter %1: %2 pages reached of %3").arg(chapter).arg(visited).arg(test::shownTotal(frame)));
        auto* next = frame->findChild<QPushButton*>(QStringLiteral("BtnNext"));
        auto* nextChapt = frame->findChild<QPushButton*>(QStringLiteral("BtnNextChapt"));
        check(!next->isVisible(), QStringLiteral("chapter %1: Next shown on the last page").arg(chapter));
        check(chapter == 9 ? nextChapt == nullptr : nextChapt && nextChapt->isVisible(),
              QStringLiteral("chapter %1: Next Chapter on the last page").arg(chapter));
    }

    // One scripted visit: check the opening, maybe walk, then leave by `leave`.
    void visit(int chapter, bool walk, const QString& leave)
    {
        driver->add([=, this](QWidget* modal) {
            auto* frame = qobject_cast<LessonFrame*>(modal);
            if (!frame)
                return driver->fail(QStringLiteral("expected chapter %1, met %2").arg(chapter).arg(modal->objectName()));
            checkOpening(frame, chapter);
            if (walk)
                walkPages(frame, chapter);
            if (leave == QLatin1String("BtnPrevChapt")) {
                // Back to page 1, where Prev Chapter stands.
                while (frame->currentPage() > 1)
                    QTest::mouseClick(frame->findChild<QPushButton*>(QStringLiteral("BtnBack")), Qt::LeftButton);
            }
            if (!driver->failed())
                driver->click(frame, leave);
        });
    }

private slots:
    void init()
    {
        fake.clear();
        fake.now = 1000;
        fake.autoAdvance = 2; // every reading of the clock costs a little
        fake.date = QDate(2009, 6, 30);
        InitWebStuff();
        contents = StartUp();
        fake.clear();
    }
    void cleanup()
    {
        fake.onWait = nullptr;
        contents.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void allNineChaptersEndToEnd()
    {
        ModalDriver d;
        driver = &d;
        std::uint64_t lastDeadline = 0;
        fake.onWait = [&](std::uint64_t deadline) {
            if (!PleaseStandBy || !PleaseStandBy->isVisible())
                return d.fail(QStringLiteral("no stand-by screen during the wait"));
            standBys.append(PleaseStandBy->chapterNumberText());
            if (deadline <= lastDeadline)
                d.fail(QStringLiteral("stand-by deadline does not move on"));
            lastDeadline = deadline;
        };

        // Leg 1: chapter 1 from its button, Next Chapter up to 5, then Contents.
        for (int n = 1; n <= 5; ++n)
            visit(n, true, n < 5 ? QStringLiteral("BtnNextChapt") : QStringLiteral("BtnContents"));
        d.start();
        QTest::mouseClick(contents->findChild<QAbstractButton*>(QStringLiteral("SBtn01")), Qt::LeftButton);
        QVERIFY2(!d.failed(), qPrintable(d.failure()));
        QVERIFY(contents->isVisible());
        QCOMPARE(contents->CurrentChapter, 5);

        // Leg 2: Start reopens 5; Next Chapter up to 9, then Contents.
        for (int n = 5; n <= 9; ++n)
            visit(n, true, n < 9 ? QStringLiteral("BtnNextChapt") : QStringLiteral("BtnContents"));
        QTest::mouseClick(contents->findChild<QAbstractButton*>(QStringLiteral("BtnStart")), Qt::LeftButton);
        QVERIFY2(!d.failed(), qPrintable(d.failure()));
        QCOMPARE(contents->CurrentChapter, 9);

        // Leg 3: Start reopens 9; Prev Chapter down to 1, then Contents.
        visit(9, true, QStringLiteral("BtnPrevChapt"));
        for (int n = 8; n >= 2; --n)
            visit(n, false, QStringLiteral("BtnPrevChapt"));
        visit(1, false, QStringLiteral("BtnContents"));
        QTest::mouseClick(contents->findChild<QAbstractButton*>(QStringLiteral("BtnStart")), Qt::LeftButton);
        QVERIFY2(!d.failed(), qPrintable(d.failure()));
        QCOMPARE(contents->CurrentChapter, 1);

        // Leg 4: Start reopens 1; Quit leads through the goodbye screen.
        visit(1, true, QStringLiteral("BtnQuit"));
        d.add([&](QWidget* modal) {
            if (modal != goodbye || contents->isVisible())
                return d.fail(QStringLiteral("expected the goodbye screen alone, met ") + modal->objectName());
            if (goodbye->findChild<QLabel*>(QStringLiteral("CopyrightLabel"))->text() != gstrCopyright)
                d.fail(QStringLiteral("goodbye notice"));
            d.click(modal, QStringLiteral("Button1"));
        });
        QTest::mouseClick(contents->findChild<QAbstractButton*>(QStringLiteral("BtnStart")), Qt::LeftButton);
        d.stop();
        QVERIFY2(!d.failed(), qPrintable(d.failure()));
        QCOMPARE(d.stepsLeft(), 0);
        QVERIFY(!contents->isVisible() && !goodbye->isVisible());
        QCOMPARE(contents->modalResult(), int(LessonFrame::ResultQuit));

        const QStringList expected{"1", "2", "3", "4", "5",                     // leg 1
                                   "5", "6", "7", "8", "9",                     // leg 2
                                   "9", "8", "7", "6", "5", "4", "3", "2", "1", // leg 3
                                   "1"};                                        // leg 4
        QCOMPARE(standBys, expected);
        QCOMPARE(captions.size(), expected.size());
        for (int i = 0; i < expected.size(); ++i)
            QCOMPARE(captions[i], QStringLiteral("Quenmark - Chapter ") + expected[i]);
        QCOMPARE(firstLook.size(), 9);
        // Walked in full: 1-5, 5-9, 9 and 1 again.
        QCOMPARE(pagesWalked.size(), 12);
        QVERIFY(PleaseStandBy == nullptr);
    }
};

QTEST_MAIN(TestWalk)
#include "tst_walk.moc"
