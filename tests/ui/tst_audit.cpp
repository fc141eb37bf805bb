// Accessibility audit over the whole program: on every page of every chapter
// (reached by Next) and on every screen, each visible control a user acts on
// (buttons, boxes, lists, spin buttons) and each area that answers the pointer
// (bars, zones, pies) has a name a screen reader can read, every text label is
// read as the text it shows now, and the keyboard reaches every control.
// A failure names the chapter, the page and the object.
#include "common/WebStuff.h"
#include "lessons/Chapters.h"
#include "shell/ContentsScreen.h"
#include "shell/Goodbye.h"
#include "shell/Splash.h"
#include "shell/UpdateReminder.h"
#include "shell/Standby.h"
#include "planner/CardsModel.h"
#include "planner/MyCards.h"
#include "FakePlatform.h"
#include "PageWalk.h"
#include "TestWidgets.h"

#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>
#include <memory>

using namespace quenmark;

namespace {

QString describe(QWidget* w)
{
    const QString name = w->objectName().isEmpty() ? QStringLiteral("(unnamed)") : w->objectName();
    QString path = name + QStringLiteral(" [") + QLatin1String(w->metaObject()->className()) + QLatin1Char(']');
    if (QWidget* p = w->parentWidget(); p && !p->isWindow() && !p->objectName().isEmpty())
        path += QStringLiteral(" in ") + p->objectName();
    return path;
}

// What is wrong with the names on what `window` shows now.
QStringList nameFaults(QWidget* window)
{
    QStringList faults;
    for (QWidget* w : test::visibleWidgets(window)) {
        const QString spoken = test::spokenName(w);
        if (test::isControl(w) || test::isPointerArea(w)) {
            if (spoken.isEmpty())
                faults.append(describe(w) + QStringLiteral(": no accessible name"));
            continue;
        }
        auto* label = qobject_cast<QLabel*>(w);
        if (!label || label->text().isEmpty())
            continue;
        const QString shown = test::labelWords(label).simplified();
        if (spoken.simplified() != shown)
            faults.append(describe(w) + QStringLiteral(": read as '%1' but shows '%2'").arg(spoken, shown));
    }
    return faults;
}

// A control kept out of the Tab chain by design names the keys that reach it
// (property "shortcutKeys"); pressing them must give it the focus.
bool reachedByItsKeys(QWidget* w)
{
    const QKeySequence keys(w->property("shortcutKeys").toString());
    if (keys.isEmpty())
        return false;
    QTest::keySequence(w->window(), keys);
    return QApplication::focusWidget() == w;
}

// Controls the keyboard cannot reach. Read-only boxes are results, not controls.
QStringList keyboardFaults(QWidget* window)
{
    QStringList faults;
    for (QWidget* w : test::visibleWidgets(window)) {
        if (!test::isControl(w))
            continue;
        if (auto* e = qobject_cast<QLineEdit*>(w); e && e->isReadOnly())
            continue;
        if (!(w->focusPolicy() & Qt::TabFocus) && !reachedByItsKeys(w))
            faults.append(describe(w) + QStringLiteral(": Tab never reaches it"));
    }
    return faults;
}

using Check = std::function<QStringList(QWidget*)>;

// Runs `check` on every page of `chapter` by Next; faults carry chapter and page.
QStringList checkChapter(int chapter, const Check& check)
{
    std::unique_ptr<LessonFrame> w(createChapterWindow(chapter, nullptr));
    w->show();
    if (!QTest::qWaitForWindowExposed(w.get()))
        return {QStringLiteral("chapter %1 not shown").arg(chapter)};
    QStringList faults;
    test::forEachPageByNext(w.get(), [&](int page) {
        for (const QString& fault : check(w.get()))
            faults.append(QStringLiteral("chapter %1 page %2: %3").arg(chapter).arg(page).arg(fault));
        return true;
    });
    return faults;
}

QStringList checkScreen(const QString& screen, const Check& check)
{
    std::unique_ptr<QWidget> w;
    if (screen == QLatin1String("contents")) {
        auto contents = std::make_unique<TChapter_000>();
        contents->StaleReminderShown = true;
        w = std::move(contents);
    } else if (screen == QLatin1String("goodbye")) {
        w = std::make_unique<Tgoodbye>();
    } else if (screen == QLatin1String("reminder")) {
        w = std::make_unique<TStaleDate>();
    } else if (screen.startsWith(QLatin1String("My Cards"))) {
        // The sample cards, one of them with a note; every tab in turn.
        static QTemporaryDir folder;
        auto cards = std::make_unique<MyCardsWindow>(nullptr, folder.filePath(QStringLiteral("cards.json")));
        cards->cardsModel()->setData(cards->cardsModel()->index(1, CardsModel::Payment), QStringLiteral("20"));
        cards->findChild<QTabWidget*>()->setCurrentIndex(screen.back().digitValue());
        w = std::move(cards);
    } else if (screen == QLatin1String("splash")) {
        w = std::make_unique<TSplashScreen>();
    } else {
        auto standBy = std::make_unique<TPleaseStandBy>();
        standBy->setChapterNumber(7);
        w = std::move(standBy);
    }
    w->show();
    QStringList faults;
    for (const QString& fault : check(w.get()))
        faults.append(screen + QStringLiteral(": ") + fault);
    return faults;
}

} // namespace

class TestAudit : public QObject
{
    Q_OBJECT

    FakePlatform fake;

    static void addRows()
    {
        QTest::addColumn<int>("chapter");
        QTest::addColumn<QString>("screen");
        for (int n = 1; n <= 9; ++n)
            QTest::addRow("chapter %d", n) << n << QString();
        for (const char* screen : {"contents", "goodbye", "reminder", "splash", "standby", "My Cards, tab 0",
                                   "My Cards, tab 1", "My Cards, tab 2", "My Cards, tab 3"})
            QTest::newRow(screen) << 0 << QString::fromLatin1(screen);
    }
    static QStringList run(const Check& check)
    {
        QFETCH(int, chapter);
        QFETCH(QString, screen);
        return chapter > 0 ? checkChapter(chapter, check) : checkScreen(screen, check);
    }

private slots:
    void initTestCase() { InitWebStuff(); }

    void everythingHasItsName_data() { addRows(); }
    void everythingHasItsName()
    {
        const QStringList faults = run(nameFaults);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }

    void keyboardReachesEveryControl_data() { addRows(); }
    void keyboardReachesEveryControl()
    {
        const QStringList faults = run(keyboardFaults);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }

    // The audit itself finds what it must: an unnamed bar, a label read by an
    // old text, an unnamed button, a control Tab cannot reach.
    void auditFindsFaults()
    {
        QWidget page;
        page.resize(200, 200);
        auto* bar = new QWidget(&page);
        bar->setObjectName(QStringLiteral("Bar1"));
        bar->setMouseTracking(true);
        bar->setGeometry(0, 0, 10, 50);
        auto* label = new QLabel(QStringLiteral("$1,200.00"), &page);
        label->setObjectName(QStringLiteral("Total"));
        label->setAccessibleName(QStringLiteral("$0.00"));
        label->move(20, 0);
        auto* button = new QPushButton(&page);
        button->setObjectName(QStringLiteral("Picture"));
        button->setGeometry(20, 40, 40, 20);
        button->setFocusPolicy(Qt::NoFocus);
        page.show();
        const QStringList names = nameFaults(&page);
        QCOMPARE(names.size(), 3);
        QVERIFY(names.join(QLatin1Char('\n')).contains(QStringLiteral("Bar1")));
        QVERIFY(names.join(QLatin1Char('\n')).contains(QStringLiteral("read as '$0.00' but shows '$1,200.00'")));
        QCOMPARE(keyboardFaults(&page).size(), 1);
        label->setAccessibleName(QString());
        bar->setAccessibleName(QStringLiteral("Card 1: $32.00"));
        button->setAccessibleName(QStringLiteral("Show"));
        QVERIFY(nameFaults(&page).isEmpty());
    }
};

QTEST_MAIN(TestAudit)
#include "tst_audit.moc"
