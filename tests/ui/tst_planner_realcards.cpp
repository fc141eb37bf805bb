// Real cards in the My Cards window, driven by object names: a promotion and
// a payment rule typed into the cards table (the plan follows, Undo takes it
// back, refusals told beside the cell), changes over time, the start month,
// "debt-free by" and its Apply, cards imported (add, replace, cancel, a
// faulty file) and exported, the plan saved as PDF, everything kept when the
// window is closed and opened again. The window's figures are checked against
// the core's plan of the same cards, as `quenmark-payoff --plan` works it.
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QUndoStack>
#include <QtTest>
#include <memory>

#include "FakePlatform.h"
#include "TestWidgets.h"
#include "TypedInput.h"
#include "core/Payoff.h"
#include "core/MoneyText.h"
#include "core/PlanCsv.h"
#include "planner/BalanceChart.h"
#include "planner/CardStore.h"
#include "planner/CardsCsv.h"
#include "planner/CardsModel.h"
#include "planner/MyCards.h"
#include "planner/PlanDocument.h"
#include "planner/PlanInputs.h"

using namespace quenmark;
using quenmark::test::child;

namespace {

StoredPlan Sample(double pledge = 25)
{
    StoredPlan p;
    p.cards = {{"Card 1", 19.8, 1543.68, 32}, {"Card 2", 17.9, 2100, 53}, {"Card 3", 12.9, 1784.32, 37},
               {"Card 4", 19.8, 832.91, 17}, {"Card 5", 21.0, 765.72, 19}};
    p.pledge = pledge;
    return p;
}

// The plan the core works out for these inputs, as the tool does.
PlanResult CorePlan(const PlanInputs& in)
{
    return RunPlan(in.cards, in.budget, in.order);
}

void ComparePlans(const PlanResult& shown, const PlanResult& core)
{
    QCOMPARE(shown.months, core.months);
    QCOMPARE(shown.paidOff, core.paidOff);
    QCOMPARE(shown.totalInterest, core.totalInterest);
    QCOMPARE(shown.totalPaid, core.totalPaid);
    QCOMPARE(shown.cards, core.cards);
}

} // namespace

class RealCardsTests : public QObject
{
    Q_OBJECT

    FakePlatform fake; // today 30 June 2009: month 1 is July 2009 unless chosen
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<MyCardsWindow> w;

    QString storePath() const { return dir->filePath(QStringLiteral("data/cards.json")); }
    void openWith(const StoredPlan& plan)
    {
        QCOMPARE(CardStore(storePath()).save(plan), CardStore::SaveResult::Saved);
        w = std::make_unique<MyCardsWindow>(nullptr, storePath());
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    }
    QTableView* cardsView() { return child<QTableView>(w.get(), "CardsTable"); }
    QString cell(int row, int column) { return w->cardsModel()->index(row, column).data().toString(); }
    void showTab(QWidget* page)
    {
        auto* tabs = child<QTabWidget>(w.get(), "ResultTabs");
        for (int i = 0; i < tabs->count(); ++i)
            if (tabs->widget(i) == page || tabs->widget(i)->isAncestorOf(page))
                tabs->setCurrentIndex(i);
        QVERIFY(page->isVisible());
    }
    // Types into a cell as a person does and presses Enter; false when the
    // editor stayed open (the text refused).
    bool typeIntoCell(int row, int column, const QString& typed)
    {
        const QModelIndex index = w->cardsModel()->index(row, column);
        cardsView()->setCurrentIndex(index);
        cardsView()->edit(index);
        const auto editors = cardsView()->viewport()->findChildren<QLineEdit*>();
        if (editors.size() != 1)
            return false;
        QLineEdit* e = editors.first();
        e->selectAll();
        for (const QChar c : typed)
            QTest::keyClick(e, c.toLatin1());
        QTest::keyClick(e, Qt::Key_Return);
        return QTest::qWaitFor([&] { return cardsView()->viewport()->findChildren<QLineEdit*>().isEmpty(); }, 500);
    }
    void click(const char* name) { QTest::mouseClick(child<QPushButton>(w.get(), name), Qt::LeftButton); }
    void checkShownIsCorePlan() { ComparePlans(w->plan(), CorePlan(w->shownInputs())); }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init()
    {
        fake.clear();
        fake.onQuestion = nullptr;
        fake.onChooseFile = nullptr;
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
    }
    void cleanup()
    {
        w.reset();
        dir.reset();
    }

    // A promotion or a payment rule typed into the table: the card and the
    // plan follow (the core's figures), Undo and Redo take it back and again;
    // text that cannot be read is refused beside the cell and changes nothing.
    void promotionAndRuleCells_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<int>("promoApr");   // hundredths
        QTest::addColumn<int>("promoMonths");
        QTest::addColumn<int>("minPercent"); // -1: no rule
        QTest::addColumn<int>("minFloor");   // cents
        QTest::addColumn<bool>("plusInterest");
        QTest::addColumn<QString>("shown");
        QTest::newRow("0 % for 12 months") << int(CardsModel::PromoMonths) << "12" << true << 0 << 12 << -1 << 0
                                          << false << "12";
        QTest::newRow("promotional rate") << int(CardsModel::PromoApr) << "3.9" << true << 390 << 0 << -1 << 0
                                          << false << "3.90%";
        QTest::newRow("3 % or $20") << int(CardsModel::Rule) << "3 % or $20" << true << 0 << 0 << 300 << 2000
                                    << false << "3 % or $20.00";
        QTest::newRow("1 % plus interest or $25") << int(CardsModel::Rule) << "1% + interest or 25" << true << 0 << 0
                                                  << 100 << 2500 << true << "1 % plus interest or $25.00";
        QTest::newRow("months in letters") << int(CardsModel::PromoMonths) << "twelve" << false << 0 << 0 << -1 << 0
                                           << false << "";
        QTest::newRow("negative months") << int(CardsModel::PromoMonths) << "-3" << false << 0 << 0 << -1 << 0
                                         << false << "";
        QTest::newRow("promotional APR too high") << int(CardsModel::PromoApr) << "120" << false << 0 << 0 << -1 << 0
                                                  << false << "";
        QTest::newRow("rule without a percentage") << int(CardsModel::Rule) << "or $20" << false << 0 << 0 << -1 << 0
                                                   << false << "Fixed payment";
    }
    void promotionAndRuleCells()
    {
        QFETCH(int, column);
        QFETCH(QString, typed);
        QFETCH(bool, accepted);
        QFETCH(int, promoApr);
        QFETCH(int, promoMonths);
        QFETCH(int, minPercent);
        QFETCH(int, minFloor);
        QFETCH(bool, plusInterest);
        QFETCH(QString, shown);
        openWith(Sample());
        const PlanResult before = w->plan();
        const PlanCard cardBefore = w->shownInputs().cards[0];
        QCOMPARE(typeIntoCell(0, column, typed), accepted);
        if (!accepted) {
            auto* message = child<QLabel>(w.get(), "CellMessage");
            QVERIFY(message->isVisible());
            QVERIFY(!message->text().isEmpty());
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(cardsView()->viewport()->findChildren<QLineEdit*>().value(0), &escape);
            QTRY_VERIFY(cardsView()->viewport()->findChildren<QLineEdit*>().isEmpty());
            QCOMPARE(w->shownInputs().cards[0], cardBefore);
            QCOMPARE(w->undoStack()->count(), 0);
            QCOMPARE(cell(0, column), shown);
            return;
        }
        PlanCard expected = cardBefore;
        expected.promoApr = promoMonths > 0 ? promoApr : 0; // a rate without months is no promotion yet
        expected.promoMonths = promoMonths;
        expected.hasMinimum = minPercent >= 0;
        expected.minPercent = std::max(minPercent, 0);
        expected.minFloor = minFloor;
        expected.minPlusInterest = plusInterest;
        QCOMPARE(w->shownInputs().cards[0], expected);
        QCOMPARE(cell(0, column), shown);
        checkShownIsCorePlan();
        QVERIFY(w->plan().totalInterest != before.totalInterest || w->plan().totalPaid != before.totalPaid ||
                column == CardsModel::PromoApr); // a rate without months changes nothing yet
        QCOMPARE(w->undoStack()->count(), 1);
        click("BtnUndo");
        QCOMPARE(w->shownInputs().cards[0], cardBefore);
        ComparePlans(w->plan(), before);
        click("BtnRedo");
        QCOMPARE(w->shownInputs().cards[0], expected);
        checkShownIsCorePlan();
    }

    // A change over time made in its tab: the plan's budget holds it, the
    // plan follows, Undo and Redo go through the window's stack.
    void changesOverTime_data()
    {
        QTest::addColumn<int>("kind"); // 0: pledge change, 1: one-off sum
        QTest::addColumn<int>("month");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<qint64>("cents");
        QTest::newRow("pledge raised in month 13") << 0 << 13 << "200" << qint64(20000);
        QTest::newRow("a one-off $1,000 in month 4") << 1 << 4 << "1,000.00" << qint64(100000);
    }
    void changesOverTime()
    {
        QFETCH(int, kind);
        QFETCH(int, month);
        QFETCH(QString, amount);
        QFETCH(qint64, cents);
        openWith(Sample());
        const PlanResult before = w->plan();
        auto* editor = child<QWidget>(w.get(), "ChangesEditor");
        showTab(editor);
        child<QComboBox>(editor, "ChangeKindBox")->setCurrentIndex(kind);
        auto* number = child<QSpinBox>(editor, "MonthNumber");
        number->setValue(month);
        test::typeInto(child<QLineEdit>(editor, "ChangeAmountEdit"), amount);
        QTest::mouseClick(child<QPushButton>(editor, "BtnAddChange"), Qt::LeftButton);
        const PlanBudget& budget = w->shownInputs().budget;
        if (kind == 0) {
            QCOMPARE(budget.steps, (std::vector<PledgeStep>{{month, cents}}));
            QVERIFY(budget.oneOffs.empty());
        } else {
            QCOMPARE(budget.oneOffs, (std::vector<OneOffSum>{{month, cents}}));
            QVERIFY(budget.steps.empty());
        }
        checkShownIsCorePlan();
        QVERIFY(w->plan().totalInterest < before.totalInterest);
        // The chart marks the change at its month, in its read-out too.
        auto* chart = child<BalanceChart>(w.get(), "BalanceChart");
        showTab(chart);
        const QString words = kind == 0 ? QStringLiteral("pledge $%1 from here") : QStringLiteral("$%1 once");
        const QString said = words.arg(QString::fromStdString(CentsToText(cents)));
        QCOMPARE(chart->changesAt(month), said);
        QVERIFY(chart->changesAt(month + 1).isEmpty());
        chart->setCursorMonth(month);
        QVERIFY2(chart->readout().endsWith(QStringLiteral("(%1)").arg(said)), qPrintable(chart->readout()));
        showTab(editor);
        click("BtnUndo");
        QVERIFY(w->shownInputs().budget.steps.empty() && w->shownInputs().budget.oneOffs.empty());
        ComparePlans(w->plan(), before);
        QCOMPARE(child<QTableView>(editor, "ChangesTable")->model()->rowCount(), 0);
        showTab(chart);
        QVERIFY(chart->changesAt(month).isEmpty());
        click("BtnRedo");
        QCOMPARE(child<QTableView>(editor, "ChangesTable")->model()->rowCount(), 1);
        checkShownIsCorePlan();
    }

    // The start month chosen: every month shown is a month of that calendar;
    // Undo goes back to the month after today's.
    void startMonth()
    {
        openWith(Sample());
        QCOMPARE(w->firstMonth(), QDate(2009, 7, 1));
        const int july = w->plan().cards[0].payoffMonth;
        QCOMPARE(cell(0, CardsModel::PaidOff),
                 QString("Month %1 (%2)").arg(july).arg(CalendarMonthText(CalendarMonth{2009, 7}, july)));
        child<QDateEdit>(w.get(), "StartMonthBox")->setDate(QDate(2030, 3, 1));
        QCOMPARE(w->firstMonth(), QDate(2030, 3, 1));
        QCOMPARE(w->shownInputs().start, (CalendarMonth{2030, 3}));
        // The saved schedule's rows carry their calendar months.
        const QString csvPath = dir->filePath(QStringLiteral("schedule.csv"));
        QVERIFY(w->exportSchedule(csvPath));
        QFile csv(csvPath);
        QVERIFY(csv.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = csv.readAll().split('\n');
        QCOMPARE(lines[0], QByteArray("month,card,payment,interest,balance,date"));
        QVERIFY(lines[1].startsWith("1,") && lines[1].endsWith(",2030-03"));
        QVERIFY(lines[lines.size() - 2].endsWith(
            "," + QByteArray::fromStdString(MonthText(PlanCalendarMonth(CalendarMonth{2030, 3}, w->plan().months)))));
        // The plan's months and the calendar months agree everywhere.
        const int months = w->plan().months;
        const QString last = CalendarMonthText(CalendarMonth{2030, 3}, months, true);
        QVERIFY2(child<QLabel>(w.get(), "DebtFree")->text().contains(last), qPrintable(last));
        const int payoff = w->plan().cards[0].payoffMonth;
        QCOMPARE(cell(0, CardsModel::PaidOff),
                 QString("Month %1 (%2)").arg(payoff).arg(CalendarMonthText(CalendarMonth{2030, 3}, payoff)));
        click("BtnUndo");
        QCOMPARE(w->firstMonth(), QDate(2009, 7, 1));
        QCOMPARE(child<QDateEdit>(w.get(), "StartMonthBox")->date(), QDate(2009, 7, 1));
    }

    // "Debt-free by": the least pledge (the same search as --by) applied as
    // the plan's pledge in one undoable step.
    void debtFreeByApply_data()
    {
        QTest::addColumn<int>("byMonth");
        QTest::newRow("24 months") << 24;
        QTest::newRow("36 months") << 36;
        QTest::newRow("12 months") << 12;
    }
    void debtFreeByApply()
    {
        QFETCH(int, byMonth);
        openWith(Sample());
        auto* panel = child<QWidget>(w.get(), "DebtFreeByPanel");
        showTab(panel);
        child<QSpinBox>(panel, "MonthNumber")->setValue(byMonth);
        const PlanInputs in = w->shownInputs();
        const PledgeNeeded needed = FindPledgeNeeded(in.cards, in.budget, in.order, byMonth);
        QCOMPARE(needed.outcome, PledgeNeeded::Outcome::Found);
        auto* apply = child<QPushButton>(panel, "BtnApplyPledge");
        QTRY_VERIFY(apply->isEnabled());
        QTest::mouseClick(apply, Qt::LeftButton);
        QCOMPARE(w->shownInputs().budget.pledge, needed.pledge);
        QCOMPARE(child<QLineEdit>(w.get(), "EditPledge")->text(), CentsText(needed.pledge).remove(QLatin1Char(',')));
        QVERIFY(w->plan().paidOff && w->plan().months <= byMonth);
        checkShownIsCorePlan();
        click("BtnUndo");
        QCOMPARE(w->pledge(), 25.0);
        QCOMPARE(w->shownInputs().budget.pledge, 2500);
    }

    // Import: the file's cards added to the list, or replacing it, or
    // nothing (cancel, or a faulty file named by line and column); Undo
    // brings the list back.
    void importCards_data()
    {
        QTest::addColumn<QString>("csv");
        QTest::addColumn<int>("answer"); // 0 add, 1 replace, 2 cancel
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("told");
        const QString two = "name,apr,balance,payment,promo_apr,promo_months\nStore,24.99,1200,40,0,12\n"
                            "Travel,18.5,800,25,,\n";
        QTest::newRow("add") << two << 0 << 7 << "";
        QTest::newRow("replace") << two << 1 << 2 << "";
        QTest::newRow("cancel") << two << 2 << 5 << "";
        QTest::newRow("a faulty line") << "name,apr,balance,payment\nStore,abc,1200,40\n" << 0 << 5 << "Line 2";
    }
    void importCards()
    {
        QFETCH(QString, csv);
        QFETCH(int, answer);
        QFETCH(int, rows);
        QFETCH(QString, told);
        openWith(Sample());
        const QList<StoredCard> before = w->cardsModel()->stored();
        const QString path = dir->filePath(QStringLiteral("in.csv"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(csv.toUtf8());
        f.close();
        fake.onChooseFile = [&](const FakePlatform::FileQuestion& q) { return q.save ? QString() : path; };
        fake.onQuestion = [&](const FakePlatform::Question&) { return answer; };
        click("BtnImportCards");
        QCOMPARE(fake.fileQuestions.size(), 1);
        QCOMPARE(w->cardsModel()->rowCount(), rows);
        if (!told.isEmpty()) {
            QCOMPARE(fake.messages.size(), 1);
            QVERIFY2(fake.messages[0].text.contains(told), qPrintable(fake.messages[0].text));
            return;
        }
        QCOMPARE(fake.questions.size(), 1);
        if (rows == 5)
            return; // cancelled: nothing changed
        checkShownIsCorePlan();
        // The imported promotion is the plan's.
        const PlanCard& store = w->shownInputs().cards[static_cast<std::size_t>(rows - 2)];
        QCOMPARE(store.promoMonths, 12);
        QCOMPARE(store.apr, 2499);
        click("BtnUndo");
        QCOMPARE(w->cardsModel()->stored(), before);
    }

    // The window's figures for promotional cards with payment rules are the
    // core's figures for the same plan file, as `quenmark-payoff --plan` reads it.
    void promoPlanFileFiguresAreTheTool_data()
    {
        QTest::addColumn<QString>("csv");
        QTest::addColumn<QString>("pledge");
        QTest::newRow("0 % then 24.99 %, 1 % plus interest with $25")
            << "name,apr,balance,payment,promo_apr,promo_months,min_percent,min_floor,min_plus_interest\n"
               "Store,24.99,3000,100,0,12,,,\nBank,19.9,1004.50,,,,1,25,yes\nOld,12,500,20,,,2,20,no\n"
            << "50";
        QTest::newRow("no pledge, a long promotion") << "name,apr,balance,payment,promo_apr,promo_months\n"
                                                        "A,29.99,5000,150,1.99,18\nB,9.9,250.55,10,,\n"
                                                     << "0";
    }
    void promoPlanFileFiguresAreTheTool()
    {
        QFETCH(QString, csv);
        QFETCH(QString, pledge);
        openWith(Sample());
        const QString path = dir->filePath(QStringLiteral("plan.csv"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(csv.toUtf8());
        f.close();
        fake.onQuestion = [](const FakePlatform::Question&) { return 1; }; // replace
        QVERIFY(w->importCards(path));
        test::typeInto(child<QLineEdit>(w.get(), "EditPledge"), pledge);
        QTest::keyClick(child<QLineEdit>(w.get(), "EditPledge"), Qt::Key_Return);
        const PlanFile file = ParsePlanCsv(csv.toStdString());
        QCOMPARE(file.errorLine, 0);
        std::vector<PlanCard> cards;
        for (const PlanFileCard& c : file.cards)
            cards.push_back(c.card);
        const PlanResult tool = RunPlan(cards, PlanBudget::Pledge(ToCents(pledge.toDouble())), PlanOrder::HighestApr);
        QCOMPARE(w->shownInputs().cards, cards);
        ComparePlans(w->plan(), tool);
        QVERIFY(tool.paidOff);
    }

    // Export and Save as PDF write their files through the checked writer;
    // a write that fails is told in words and nothing is reported done.
    void exportAndPdf_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("writable");
        QTest::newRow("export") << "BtnExportCards" << true;
        QTest::newRow("PDF") << "BtnSavePdf" << true;
        QTest::newRow("export to a missing folder") << "BtnExportCards" << false;
        QTest::newRow("PDF to a missing folder") << "BtnSavePdf" << false;
    }
    void exportAndPdf()
    {
        QFETCH(QString, button);
        QFETCH(bool, writable);
        StoredPlan plan = Sample();
        plan.cards[0].promoMonths = 6;
        plan.cards[1].hasMinimum = true;
        plan.cards[1].minPercent = 2;
        plan.cards[1].minFloor = 20;
        openWith(plan);
        const QString path = writable ? dir->filePath(QStringLiteral("out.file"))
                                      : dir->filePath(QStringLiteral("missing/out.file"));
        fake.onChooseFile = [&](const FakePlatform::FileQuestion& q) { return q.save ? path : QString(); };
        click(button.toLatin1().constData());
        QCOMPARE(fake.fileQuestions.size(), 1);
        QVERIFY(fake.fileQuestions[0].save);
        QCOMPARE(QFile::exists(path), writable);
        auto* status = child<QLabel>(w.get(), "StatusLabel");
        if (!writable) {
            QCOMPARE(fake.messages.size(), 1);
            QCOMPARE(fake.messages[0].icon, Platform::MessageIcon::Error);
            QVERIFY(status->text().contains(QStringLiteral("could not be")));
            return;
        }
        QVERIFY(fake.messages.isEmpty());
        QVERIFY(status->text().contains(QStringLiteral("out.file")));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        if (button == QLatin1String("BtnSavePdf")) {
            QVERIFY(bytes.startsWith("%PDF"));
            QVERIFY(bytes.count("/Type /Page\n") + bytes.count("/Type /Page ") + bytes.count("/Type /Page>") > 1);
        } else {
            const CardsFromCsv back = ReadCardsCsv(bytes);
            QVERIFY2(back.ok, qPrintable(back.error));
            QCOMPARE(back.cards, w->cardsModel()->stored());
        }
    }

    // Everything new is saved (format 2) and read back when the window opens again.
    void savedAndReopened()
    {
        openWith(Sample());
        QVERIFY(typeIntoCell(0, CardsModel::PromoMonths, "12"));
        QVERIFY(typeIntoCell(1, CardsModel::Rule, "1 % plus interest or $25"));
        child<QDateEdit>(w.get(), "StartMonthBox")->setDate(QDate(2027, 1, 1));
        auto* editor = child<QWidget>(w.get(), "ChangesEditor");
        showTab(editor);
        child<QComboBox>(editor, "ChangeKindBox")->setCurrentIndex(1);
        child<QSpinBox>(editor, "MonthNumber")->setValue(4);
        test::typeInto(child<QLineEdit>(editor, "ChangeAmountEdit"), QStringLiteral("1000"));
        QTest::mouseClick(child<QPushButton>(editor, "BtnAddChange"), Qt::LeftButton);
        const StoredPlan before = w->document()->stored();
        QCOMPARE(before.start, (std::optional<CalendarMonth>(CalendarMonth{2027, 1})));
        QCOMPARE(before.oneOffs.size(), std::size_t(1));
        QVERIFY(before.cards[0].promoMonths == 12 && before.cards[1].hasMinimum);
        const PlanResult plan = w->plan();
        w.reset();
        QFile f(storePath());
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.readAll().contains("\"format\": 2"));
        f.close();
        w = std::make_unique<MyCardsWindow>(nullptr, storePath());
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        QCOMPARE(w->document()->stored(), before);
        QCOMPARE(w->firstMonth(), QDate(2027, 1, 1));
        QCOMPARE(child<QTableView>(w.get(), "ChangesTable")->model()->rowCount(), 1);
        ComparePlans(w->plan(), plan);
    }
};

QTEST_MAIN(RealCardsTests)
#include "tst_planner_realcards.moc"
