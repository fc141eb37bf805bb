// My Cards heard through a screen reader (cells named by their columns, the
// chart as a chart, the read-out and the status line announced when they
// change) and the figures it shows checked against the ledger's rules.
#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "FakePlatform.h"
#include "TestWidgets.h"
#include "planner/BalanceChart.h"
#include "planner/CardStore.h"
#include "planner/CardsModel.h"
#include "planner/MyCards.h"
#include "planner/ScheduleModel.h"
#include "planner/StatementsModel.h"

using namespace quenmark;
using quenmark::test::child;
using quenmark::test::spokenName;

namespace {

StoredPlan Sample()
{
    StoredPlan p;
    p.cards = {{"Card 1", 19.8, 1543.68, 32}, {"Card 2", 17.9, 2100, 53}, {"Card 3", 12.9, 1784.32, 37},
               {"Card 4", 19.8, 832.91, 17}, {"Card 5", 21.0, 765.72, 19}};
    p.pledge = 25;
    return p;
}

// "$1,842.97" in cents.
std::int64_t Cents(const QString& money)
{
    QString digits = money;
    digits.remove(QLatin1Char('$')).remove(QLatin1Char(',')).remove(QLatin1Char('.'));
    bool ok = false;
    const qlonglong cents = digits.toLongLong(&ok);
    return ok ? cents : -1;
}

// The accessibility events sent while it lives: (object, type).
struct Heard
{
    static inline QList<QPair<QObject*, QAccessible::Event>>* events = nullptr;
    QList<QPair<QObject*, QAccessible::Event>> list;
    QAccessible::UpdateHandler before = nullptr;
    Heard()
    {
        events = &list;
        before = QAccessible::installUpdateHandler([](QAccessibleEvent* e) { events->append({e->object(), e->type()}); });
    }
    ~Heard()
    {
        QAccessible::installUpdateHandler(before);
        events = nullptr;
    }
    int count(QObject* o, QAccessible::Event type) const
    {
        return static_cast<int>(std::count(list.begin(), list.end(), qMakePair(o, type)));
    }
};

// Warnings Qt prints while it lives.
struct Warnings
{
    static inline QStringList* seen = nullptr;
    QStringList list;
    QtMessageHandler before = nullptr;
    Warnings()
    {
        seen = &list;
        before = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
            if (type != QtDebugMsg && type != QtInfoMsg && !text.contains("propagateSizeHints"))
                seen->append(text);
        });
    }
    ~Warnings()
    {
        qInstallMessageHandler(before);
        seen = nullptr;
    }
};

} // namespace

class PlannerAccessTests : public QObject
{
    Q_OBJECT

    FakePlatform fake; // today 30 June 2009: month 1 is July 2009
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<MyCardsWindow> w;

    QString storePath() const { return dir->filePath(QStringLiteral("cards.json")); }
    void openWith(const StoredPlan& plan)
    {
        QCOMPARE(CardStore(storePath()).save(plan), CardStore::SaveResult::Saved);
        w = std::make_unique<MyCardsWindow>(nullptr, storePath());
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    }
    // Shows the tab holding `widget` (a tab not shown waits).
    void showTab(QWidget* widget)
    {
        auto* tabs = child<QTabWidget>(w.get(), "ResultTabs");
        for (int i = 0; i < tabs->count(); ++i)
            if (tabs->widget(i) == widget || tabs->widget(i)->isAncestorOf(widget))
                tabs->setCurrentIndex(i);
    }
    QString label(const char* name) { return child<QLabel>(w.get(), name)->text(); }

private slots:
    void init()
    {
        fake.clear();
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
    }
    void cleanup()
    {
        w.reset();
        dir.reset();
    }

    // Moving through a table a screen reader hears each cell with its column's
    // heading, not a bare figure.
    void cellsNamedByTheirColumn_data()
    {
        QTest::addColumn<QString>("table");
        QTest::newRow("cards") << "CardsTable";
        QTest::newRow("schedule") << "ScheduleView";
        QTest::newRow("orders") << "ComparisonTable";
        QTest::newRow("statements") << "CardStatements";
    }
    void cellsNamedByTheirColumn()
    {
        QFETCH(QString, table);
        openWith(Sample());
        auto* view = child<QTableView>(w.get(), qPrintable(table));
        showTab(view);
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(view);
        QVERIFY(iface && iface->tableInterface());
        QAbstractItemModel* model = view->model();
        QVERIFY(model->rowCount() > 0);
        for (int c = 0; c < model->columnCount(); ++c) {
            QAccessibleInterface* cell = iface->tableInterface()->cellAt(1, c);
            QVERIFY(cell);
            const QString heading = model->headerData(c, Qt::Horizontal).toString();
            const QString shown = model->index(1, c).data().toString();
            QCOMPARE(cell->text(QAccessible::Name), heading + ", " + (shown.isEmpty() ? "none" : shown));
        }
    }

    // The chart is a chart with a summary; the pledge's words do not end in "$".
    void rolesAndNames()
    {
        openWith(Sample());
        auto* chart = child<BalanceChart>(w.get(), "BalanceChart");
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(chart);
        QVERIFY(iface);
        QCOMPARE(iface->role(), QAccessible::Chart);
        QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("Balance chart"));
        QVERIFY2(iface->text(QAccessible::Description)
                     .startsWith("The total owed goes from $7,026.63 to $0.00 over 57 months. Card 5 is paid off in "
                                 "month 21."),
                 qPrintable(iface->text(QAccessible::Description)));
        for (const char* name : {"PledgeLabel", "EditPledge"}) {
            const QString spoken = spokenName(child<QWidget>(w.get(), name));
            QVERIFY2(spoken.startsWith("Pledge money per month") && !spoken.endsWith("$"), qPrintable(spoken));
        }
        // The pledge box's line, as a screen reader joins it from the text's
        // attribute runs, is the whole text (not one character short).
        auto* pledge = child<QLineEdit>(w.get(), "EditPledge");
        QAccessibleInterface* box = QAccessible::queryAccessibleInterface(pledge);
        QVERIFY(box && box->textInterface());
        const int count = box->textInterface()->characterCount();
        QCOMPARE(count, pledge->text().size());
        int end = 0;
        for (int offset = 0; offset < count; offset = std::max(end, offset + 1)) {
            int start = -1;
            box->textInterface()->attributes(offset, &start, &end);
            QVERIFY2(start <= offset && end > offset, qPrintable(QStringLiteral("a run of no length at %1").arg(offset)));
        }
        QCOMPARE(box->textInterface()->text(0, end), pledge->text());
    }

    // The chart's read-out and the status line are announced when they change.
    // Qt sends these only while a screen reader listens: on the desktop's
    // accessibility bus (the tst_planner_access_atspi entry runs it so).
    void changesAnnounced()
    {
        if (qEnvironmentVariableIsEmpty("QUENMARK_EXPECT_ATSPI"))
            QSKIP("heard on the accessibility bus only (tst_planner_access_atspi)");
        openWith(Sample());
        QTRY_VERIFY_WITH_TIMEOUT(QAccessible::isActive(), 20000);
        auto* chart = child<BalanceChart>(w.get(), "BalanceChart");
        auto* status = child<QLabel>(w.get(), "StatusLabel");
        Heard heard;
        chart->setFocus();
        for (const Qt::Key key : {Qt::Key_Right, Qt::Key_Right, Qt::Key_End}) {
            heard.list.clear();
            QTest::keyClick(chart, key);
            QVERIFY(heard.count(chart, QAccessible::NameChanged) > 0);
            QCOMPARE(spokenName(chart), chart->readout());
        }
        heard.list.clear();
        QTest::keyClick(chart, Qt::Key_End); // the same month again: nothing new to hear
        QCOMPARE(heard.count(chart, QAccessible::NameChanged), 0);

        heard.list.clear();
        QVERIFY(w->exportSchedule(dir->filePath(QStringLiteral("plan.csv"))));
        QVERIFY(status->isVisible());
        QCOMPARE(heard.count(status, QAccessible::Alert), 1);
        // The status line spoke of that plan: a change to the cards ends it.
        auto* pledge = child<QLineEdit>(w.get(), "EditPledge");
        pledge->setText(QStringLiteral("30"));
        QMetaObject::invokeMethod(pledge, "editingFinished");
        QVERIFY(status->isHidden());
    }

    // The sample cards: each alone $4,864.86 of interest (chapters 6 and 7),
    // and every row of the schedule shown adds up, its sums the totals shown.
    void ledgerAddsUp()
    {
        openWith(Sample());
        QCOMPARE(w->comparison().alone.totalInterest, std::int64_t{486486});
        auto* compare = child<QTableView>(w.get(), "ComparisonTable");
        showTab(compare);
        QCOMPARE(compare->model()->index(3, 3).data().toString(), QStringLiteral("$4,864.86"));
        QCOMPARE(label("TotalInterest"), QStringLiteral("Total interest: $3,294.04"));

        ScheduleModel* schedule = w->scheduleModel();
        showTab(child<QTableView>(w.get(), "ScheduleView"));
        QMap<QString, std::int64_t> owed;
        std::int64_t start = 0;
        for (const StoredCard& c : Sample().cards) {
            owed[c.name] = qRound64(c.balance * 100);
            start += owed[c.name];
        }
        std::int64_t interest = 0, paid = 0;
        for (int r = 0; r < schedule->rowCount(); ++r) {
            auto at = [&](int c) { return schedule->index(r, c).data().toString(); };
            const std::int64_t in = Cents(at(ScheduleModel::Interest)), out = Cents(at(ScheduleModel::Payment));
            const std::int64_t balance = Cents(at(ScheduleModel::Balance));
            QVERIFY(in >= 0 && out >= 0 && balance >= 0);
            std::int64_t& card = owed[at(ScheduleModel::Card)];
            QVERIFY2(card + in - out == balance, qPrintable(QStringLiteral("row %1").arg(r + 1)));
            card = balance;
            interest += in;
            paid += out;
        }
        QCOMPARE(interest, std::int64_t{329404});
        QCOMPARE(paid - interest, start);
        for (const std::int64_t left : owed)
            QCOMPARE(left, std::int64_t{0});
    }

    // One card: what the snowball saves is said as it is, never "$0.00 less".
    void oneCardSaysWhatIsTrue_data()
    {
        QTest::addColumn<double>("pledge");
        QTest::addColumn<QString>("saved");
        QTest::newRow("no pledge") << 0.0
                                   << "With one card and no pledge money this plan is the card's own payment: pledge "
                                      "money pays it off sooner and for less interest.";
        QTest::newRow("pledge") << 25.0 << "Against paying each card only its own payment, with no snowball and no "
                                           "pledge: $";
    }
    void oneCardSaysWhatIsTrue()
    {
        QFETCH(double, pledge);
        QFETCH(QString, saved);
        StoredPlan plan;
        plan.cards = {{"Card 2", 17.9, 2100, 53}};
        plan.pledge = pledge;
        openWith(plan);
        QVERIFY2(label("InterestSaved").startsWith(saved), qPrintable(label("InterestSaved")));
        QVERIFY(!label("InterestSaved").contains("$0.00"));
    }

    // The largest figures are shown whole: every column of figures is as wide
    // as its widest text, in every table.
    void largeFiguresShownWhole()
    {
        StoredPlan plan;
        plan.cards = {{"Huge", 99.99, 999999999999.99, 999999999999.99}, {"Small", 5, 100, 50}};
        openWith(plan);
        for (const char* name : {"CardsTable", "ScheduleView", "ComparisonTable", "CardStatements"}) {
            auto* view = child<QTableView>(w.get(), name);
            showTab(view);
            QAbstractItemModel* model = view->model();
            for (int c = 0; c + 1 < model->columnCount(); ++c)
                for (int r = 0; r < std::min(model->rowCount(), 4); ++r) {
                    const QString shown = model->index(r, c).data().toString();
                    if (!shown.startsWith('$'))
                        continue;
                    const QVariant font = model->index(r, c).data(Qt::FontRole);
                    const QFontMetrics fm(font.isValid() ? font.value<QFont>().resolve(view->font()) : view->font());
                    QVERIFY2(view->columnWidth(c) >= fm.horizontalAdvance(shown) + 8,
                             qPrintable(QStringLiteral("%1 column %2: %3").arg(name).arg(c).arg(shown)));
                }
        }
    }

    // A plan of one month, and a card whose own payment is already faster than
    // 36 months: said in words, with no warnings and no negative money.
    void shortPlansSaidInWords()
    {
        const Warnings warnings;
        StoredPlan plan;
        plan.cards = {{"Quick", 5, 500, 20}, {"Once", 18, 100, 200}};
        openWith(plan);
        auto* statements = child<QTableView>(w.get(), "CardStatements");
        for (QWidget* tab : {static_cast<QWidget*>(child<BalanceChart>(w.get(), "BalanceChart")),
                             static_cast<QWidget*>(child<QTableView>(w.get(), "ScheduleView")),
                             static_cast<QWidget*>(child<QTableView>(w.get(), "ComparisonTable")),
                             static_cast<QWidget*>(statements)}) {
            showTab(tab);
            QCoreApplication::processEvents();
        }
        QCOMPARE(w->statementsModel()->index(0, StatementsModel::Saved36).data().toString(),
                 QStringLiteral("your payment is already faster"));
        for (int r = 0; r < statements->model()->rowCount(); ++r)
            for (int c = 0; c < statements->model()->columnCount(); ++c)
                QVERIFY(!statements->model()->index(r, c).data().toString().contains("$-"));
        // "Once" alone: one month.
        StoredPlan once;
        once.cards = {{"Once", 18, 100, 200}};
        openWith(once);
        for (QWidget* tab : {static_cast<QWidget*>(child<BalanceChart>(w.get(), "BalanceChart")),
                             static_cast<QWidget*>(child<QTableView>(w.get(), "ScheduleView"))}) {
            showTab(tab);
            QCoreApplication::processEvents();
        }
        QVERIFY2(label("DebtFree").startsWith("Debt-free after 1 month, in July 2009"), qPrintable(label("DebtFree")));
        QVERIFY(child<BalanceChart>(w.get(), "BalanceChart")->accessibleDescription().contains("in 1 month"));
        QVERIFY2(warnings.list.isEmpty(), qPrintable(warnings.list.join('\n')));
    }
};

QTEST_MAIN(PlannerAccessTests)
#include "tst_planner_access.moc"
