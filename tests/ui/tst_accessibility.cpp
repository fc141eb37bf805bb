// What a screen reader is told, checked on the accessibility events themselves
// (an update handler records every event the program sends): the summary
// said when a calculation ends or is stopped, the page said at every page
// turn, the read-outs said when they change; the calculators' results reached
// by Tab with their labels and figures in their names; the chapter window
// named; the update reminder's whole message, web address included.
#include <QComboBox>
#include <QPushButton>
#include <QStackedWidget>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "FakePlatform.h"
#include "PageWalk.h"
#include "TestWidgets.h"
#include "TypedInput.h"
#include "common/Announce.h"
#include "common/LessonFrame.h"
#include "common/ResultBox.h"
#include "common/WebStuff.h"
#include "lessons/Chapt02.h"
#include "lessons/Chapt08ChartsData.h"
#include "lessons/Chapters.h"
#include "shell/UpdateReminder.h"

using namespace quenmark;

// Qt delivers accessibility events (to an update handler too) only while its
// platform accessibility is active, which the offscreen platform never makes
// it. The platform layer's switch, declared as Qt exports it, turns it on.
class QPlatformAccessibility
{
public:
    void setActive(bool active);
};
class QPlatformIntegration
{
public:
    QPlatformAccessibility* accessibility() const;
};
class QGuiApplicationPrivate
{
public:
    static QPlatformIntegration* platform_integration;
};

namespace {

// The words of every alert sent so far, in order.
QStringList g_said;

// Every event's kind and object, in order.
QList<std::pair<QAccessible::Event, QObject*>> g_events;

void recordEvent(QAccessibleEvent* event)
{
    g_events.append({event->type(), event->object()});
    if (event->type() != QAccessible::Alert)
        return;
    QAccessibleInterface* iface = event->accessibleInterface();
    QVERIFY(iface);
    // What is said is the alerting object's name, and it is a notification.
    QCOMPARE(iface->role(), QAccessible::Notification);
    g_said << iface->text(QAccessible::Name);
}

// The calculator page of chapter 2 (page 8) or 7 (page 5), the running example typed in.
struct CalculatorCase
{
    int chapter;
    int page;
    const char* calculate;
    QStringList boxes; // the result boxes in their Tab order
};

const CalculatorCase kChapter2{2, 8, "BtnGoFigure",
                               {"EditStdYr", "EditStdMo", "EditStdPayments", "EditStdInterest", "EditStdMoney",
                                "EditStdAverage"}};
const CalculatorCase kChapter7{7, 5, "BtnCalculate",
                               {"Years1", "Months1", "TotalPayments1", "InterestPaid1", "MoneyPaid1", "Years2",
                                "Months2", "TotalPayments2", "InterestPaid2", "MoneyPaid2", "MoneySaved2"}};

// The line a screen reader puts together from a text's attribute runs,
// joining them from the start (a run must hold its offset).
QString joinedRuns(QAccessibleTextInterface* text)
{
    const int count = text->characterCount();
    int end = 0;
    for (int offset = 0; offset < count; offset = std::max(end, offset + 1)) {
        int start = -1;
        text->attributes(offset, &start, &end);
        if (start > offset || end <= offset)
            return QStringLiteral("run of no length at %1").arg(offset);
    }
    return text->text(0, end);
}

} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT

    FakePlatform fake;
    std::unique_ptr<LessonFrame> w;

    void open(int chapter)
    {
        w.reset(createChapterWindow(chapter, nullptr));
        w->show();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
    }
    template <typename T = QWidget> T* find(const char* name) { return test::child<T>(w.get(), name); }
    void next() { QTest::mouseClick(find<QPushButton>("BtnNext"), Qt::LeftButton); }
    void goToPage(int page)
    {
        while (w->currentPage() < page)
            next();
    }
    void openCalculator(const CalculatorCase& c)
    {
        open(c.chapter);
        goToPage(c.page);
        test::typeInto(find<QLineEdit>("EditApr"), QStringLiteral("17.9"));
        test::typeInto(find<QLineEdit>("EditBal"), QStringLiteral("2100"));
        test::typeInto(find<QLineEdit>("EditPmt"), QStringLiteral("53"));
        g_said.clear();
    }

private slots:
    void initTestCase()
    {
        InitWebStuff();
        QGuiApplicationPrivate::platform_integration->accessibility()->setActive(true);
        QVERIFY(QAccessible::isActive());
        QAccessible::installUpdateHandler(recordEvent);
    }
    void init()
    {
        fake.clear();
        g_said.clear();
    }
    void cleanup() { w.reset(); }

    // A finished run is said once, in one sentence with every figure shown;
    // Tab from Calculate then reaches every result, named by its label and figure.
    void calculatorResults_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<QString>("summary");
        QTest::newRow("chapter 2") << 2
                                   << "Paid off in 15 years 3 months, 183 payments, interest $2,487.89, money "
                                      "paid $4,587.89, average payment $25.07.";
        QTest::newRow("chapter 7") << 7
                                   << "Without Extra Money: paid off in 15 years 3 months, 183 payments, interest "
                                      "$2,487.89, money paid $4,587.89. With Extra Money: paid off in 10 years 4 "
                                      "months, 124 payments, interest $1,763.36, money paid $3,863.36. Money "
                                      "saved: $724.53.";
    }
    void calculatorResults()
    {
        QFETCH(int, which);
        QFETCH(QString, summary);
        const CalculatorCase& c = which == 2 ? kChapter2 : kChapter7;
        openCalculator(c);
        auto* calculate = find<QPushButton>(c.calculate);
        QTest::mouseClick(calculate, Qt::LeftButton);
        QCOMPARE(g_said, QStringList{summary});

        calculate->setFocus(Qt::TabFocusReason);
        for (const QString& name : c.boxes) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            auto* box = qobject_cast<ResultBox*>(QApplication::focusWidget());
            QVERIFY2(box && box->objectName() == name, qPrintable(name));
            QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(box);
            QVERIFY(iface->state().focusable && iface->state().focused && iface->state().readOnly);
            const QString spoken = iface->text(QAccessible::Name);
            QVERIFY2(spoken.endsWith(QStringLiteral(": ") + box->text()) && spoken.size() > box->text().size() + 3,
                     qPrintable(spoken));
            QVERIFY2(!box->text().isEmpty() && summary.contains(box->text()), qPrintable(name));
            QCOMPARE(joinedRuns(iface->textInterface()), box->text());
        }
        // A click does not take the focus to a result (only Tab does).
        QCOMPARE(find<ResultBox>(qPrintable(c.boxes.first()))->focusPolicy(), Qt::TabFocus);
    }

    // A box reached by Tab tells of its focus once, and its cursor and
    // selection after that focus (a screen reader told of them first, or told
    // of the focus twice, stays silent).
    void focusToldBeforeCursor()
    {
        openCalculator(kChapter2);
        find<QLineEdit>("EditBal")->setText(QStringLiteral("2100.00"));
        for (const char* name : {"EditName", "EditApr", "EditBal", "EditPmt"}) {
            auto* box = find<QLineEdit>(name);
            g_events.clear();
            box->setFocus(Qt::TabFocusReason);
            QVERIFY(box->hasSelectedText() || box->text().isEmpty());
            auto told = [box](QAccessible::Event kind) {
                QList<qsizetype> at;
                for (qsizetype i = 0; i < g_events.size(); ++i)
                    if (g_events[i].second == box && g_events[i].first == kind)
                        at << i;
                return at;
            };
            QVERIFY(QTest::qWaitFor([&] {
                return !told(QAccessible::TextCaretMoved).isEmpty()
                    && told(QAccessible::TextCaretMoved).last() > told(QAccessible::Focus).value(0, g_events.size());
            }));
            QCOMPARE(told(QAccessible::Focus).size(), 1);
            QVERIFY2(told(QAccessible::TextSelectionChanged).last() > told(QAccessible::Focus).first(), name);
        }
    }

    // A box's line as a screen reader puts it together: the text-attribute
    // runs from the start, joined, cover the whole text (Qt's own runs of no
    // length lost the last character), and the line at the last character is
    // the whole text.
    void boxLineWhole_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        for (const char* box : {"EditName", "EditApr", "EditBal", "EditPmt"})
            for (const char* typed : {"2100.00", "15", "1", "17.9", "Example Card"})
                QTest::addRow("%s %s", box, typed) << QString::fromLatin1(box) << QString::fromLatin1(typed);
    }
    void boxLineWhole()
    {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        if (!w)
            openCalculator(kChapter2);
        auto* edit = find<QLineEdit>(qPrintable(box));
        edit->setText(typed);
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(edit);
        QVERIFY(iface);
        QCOMPARE(iface->role(), QAccessible::EditableText);
        QVERIFY(iface->state().editable && iface->state().focusable);
        QVERIFY(!iface->text(QAccessible::Name).isEmpty());
        QCOMPARE(iface->text(QAccessible::Value), typed);
        QAccessibleTextInterface* text = iface->textInterface();
        QVERIFY(text && iface->editableTextInterface());
        const int count = text->characterCount();
        QCOMPARE(count, typed.size());
        QCOMPARE(joinedRuns(text), typed);
        int start = -1;
        int end = -1;
        QCOMPARE(text->textAtOffset(count - 1, QAccessible::LineBoundary, &start, &end), typed);
        QCOMPARE(std::pair(start, end), std::pair(0, count));
        text->setSelection(0, 0, count);
        QCOMPARE(edit->selectedText(), typed);
        QCOMPARE(text->selectionCount(), 1);
    }

    // Stop: the figures reached so far, after the abort notice.
    void stopIsSaid()
    {
        openCalculator(kChapter2);
        static_cast<TChapter_002*>(w.get())->payoffRunner().onYield = [this](const PayoffState&) {
            QTimer::singleShot(0, this, [this] { QTest::mouseClick(find<QPushButton>("BtnStop"), Qt::LeftButton); });
        };
        QTest::mouseClick(find<QPushButton>("BtnGoFigure"), Qt::LeftButton);
        QVERIFY(find("LblAbort")->isVisible());
        QCOMPARE(g_said.size(), 1);
        QVERIFY2(g_said[0].startsWith(QStringLiteral("Calculation aborted by user. After 0 years 7 months, 7 payments,")),
                 qPrintable(g_said[0]));
    }

    // Every page turn of every chapter, forward and back, says the page and
    // its opening words; the page area carries the same number.
    void pageTurnsAreSaid_data()
    {
        QTest::addColumn<int>("chapter");
        for (int n = 1; n <= 9; ++n)
            QTest::addRow("chapter %d", n) << n;
    }
    void pageTurnsAreSaid()
    {
        QFETCH(int, chapter);
        open(chapter);
        QCOMPARE(test::spokenName(w.get()),
                 QStringLiteral("Chapter %1: %2").arg(chapter).arg(chapterLook(chapter).title.trimmed()));
        const int total = w->totalPageCount();
        auto check = [&](int page) {
            const QString number = QStringLiteral("Page %1 of %2").arg(page).arg(total);
            QVERIFY2(!g_said.isEmpty(), qPrintable(number));
            const QString said = g_said.last();
            // The number, then a sentence of the page (every page has words).
            QVERIFY2(said.startsWith(number + QStringLiteral(". ")) && said.size() > number.size() + 4,
                     qPrintable(said));
            QCOMPARE(test::spokenName(w->notebook()), number);
        };
        for (int page = 2; page <= total; ++page) {
            next();
            check(page);
        }
        QTest::mouseClick(find<QPushButton>("BtnBack"), Qt::LeftButton);
        check(total - 1);
    }

    // A page's heading is what is said after its number.
    void headingIsSaid()
    {
        open(2);
        next();
        const QStringList headings = [this] {
            QStringList h;
            for (QLabel* l : w->notebook()->currentWidget()->findChildren<QLabel*>(QStringLiteral("Heading")))
                h << l->text();
            return h;
        }();
        QCOMPARE(headings.size(), 1);
        QCOMPARE(g_said.last(), QStringLiteral("Page 2 of 8. ") + quenmark::firstSentence(headings[0]));
    }

    // Read-outs that follow the pointer or a button are said when they change.
    void readoutsAreSaid()
    {
        // Chapter 1: the quiz's verdict.
        open(1);
        goToPage(3);
        g_said.clear();
        QTest::mouseClick(find<QPushButton>("BtnCheckAnswer"), Qt::LeftButton);
        QCOMPARE(g_said, QStringList{find<QLabel>("Page02_Answer")->text().simplified()});

        // Chapter 6: the bar read-out.
        open(6);
        goToPage(3);
        g_said.clear();
        test::pointAt(find("Card1"), {2, 2});
        QCOMPARE(g_said, QStringList{QStringLiteral("$3,936.39")});

        // Chapter 8: the pie walk, then a bar's payments with its card.
        open(8);
        goToPage(3);
        g_said.clear();
        test::pointAt(find("PieImage1"), {20, 20});
        test::pointAt(find("PieImage2"), {20, 20});
        QCOMPARE(g_said.size(), 2);
        QVERIFY(!g_said[0].isEmpty() && g_said[0] != g_said[1]);
        goToPage(7);
        const ch8::Bar& bar = ch8::kBars.front();
        g_said.clear();
        test::pointAt(find(bar.name), {1, 1});
        QCOMPARE(g_said.size(), 1);
        QVERIFY2(g_said[0].startsWith(QStringLiteral("Card ")) && g_said[0].contains(QString::number(bar.count))
                     && g_said[0].contains(QStringLiteral("$%1").arg(bar.amount)),
                 qPrintable(g_said[0]));
    }

    // The reminder is read by its name: every line, the web address included.
    void reminderNamesItsAddress()
    {
        TStaleDate reminder;
        const QString spoken = test::spokenName(&reminder);
        QVERIFY(spoken.contains(MakerWebAddress()));
        for (QLabel* l : reminder.findChildren<QLabel*>())
            if (!l->text().isEmpty())
                QVERIFY2(spoken.contains(l->text()), qPrintable(l->objectName()));
    }

    // The words said after a page number: a sentence, shortened when long.
    void openingSentence_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("first");
        QTest::newRow("plain") << "Interest adds up. Then more." << "Interest adds up.";
        QTest::newRow("rich") << "<p><b>APR</b> means  the rate!<br>More</p>" << "APR means the rate!";
        QTest::newRow("heading") << "Chapter Overview:" << "Chapter Overview:";
        QTest::newRow("no end") << "  a  b " << "a b";
        QTest::newRow("long") << QString(300, QLatin1Char('x')) << QString(200, QLatin1Char('x')) + " …";
    }
    void openingSentence()
    {
        QFETCH(QString, text);
        QFETCH(QString, first);
        QCOMPARE(quenmark::firstSentence(text), first);
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
