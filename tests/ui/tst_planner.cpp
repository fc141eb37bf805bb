// The My Cards window driven by object names: typing into the cards table,
// pledge and order, plans that never end, adding/removing/moving cards, the
// JSON file (round trip, damaged, newer, empty), the CSV export, the chart's
// readout, the contents-screen button.
#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "FakePlatform.h"
#include "TestWidgets.h"
#include "core/Planner.h"
#include "core/MoneyText.h"
#include "planner/BalanceChart.h"
#include "planner/CardStore.h"
#include "planner/CardsModel.h"
#include "planner/MyCards.h"
#include "planner/PlanInputs.h"
#include "planner/SafeFile.h"
#include "planner/ScheduleModel.h"
#include "shell/ContentsScreen.h"

using namespace quenmark;
using quenmark::test::child;
using quenmark::test::spokenName;

namespace {

StoredPlan Sample(double pledge = 25)
{
    StoredPlan p;
    p.cards = {{"Card 1", 19.8, 1543.68, 32}, {"Card 2", 17.9, 2100, 53}, {"Card 3", 12.9, 1784.32, 37},
               {"Card 4", 19.8, 832.91, 17}, {"Card 5", 21.0, 765.72, 19}};
    p.pledge = pledge;
    return p;
}

} // namespace

class PlannerTests : public QObject
{
    Q_OBJECT

    FakePlatform fake; // today 30 June 2009: month 1 is July 2009
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<MyCardsWindow> w;

    QString storePath() const { return dir->filePath(QStringLiteral("data/cards.json")); }
    void open()
    {
        w = std::make_unique<MyCardsWindow>(nullptr, storePath());
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    }
    void openWith(const StoredPlan& plan)
    {
        QCOMPARE(CardStore(storePath()).save(plan), CardStore::SaveResult::Saved);
        open();
    }
    QString text(const char* name) { return child<QLabel>(w.get(), name)->text(); }
    QTableView* cardsView() { return child<QTableView>(w.get(), "CardsTable"); }
    QString cell(int row, int column) { return w->cardsModel()->index(row, column).data().toString(); }
    // Types into a cell of the cards table as a person does: the editor opens,
    // the text is typed key by key; `finish` presses Enter.
    QLineEdit* typeInto(int row, int column, const QString& typed, bool finish)
    {
        const QModelIndex index = w->cardsModel()->index(row, column);
        cardsView()->setCurrentIndex(index);
        cardsView()->edit(index);
        auto editors = cardsView()->viewport()->findChildren<QLineEdit*>();
        if (editors.size() != 1)
            return nullptr;
        QLineEdit* e = editors.first();
        e->selectAll();
        typeText(e, typed);
        if (finish)
            finishEditing(e);
        return e;
    }
    // Key by key; characters without a key of their own arrive as text.
    static void typeText(QWidget* e, const QString& s)
    {
        for (qsizetype i = 0; i < s.size(); ++i) {
            const QChar c = s[i];
            if (c.unicode() >= 0x20 && c.unicode() < 0x7f)
                QTest::keyClick(e, c.toLatin1());
            else
                QTest::sendKeyEvent(QTest::Click, e, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
    // Enter; the delegate closes the editor from the event loop.
    void finishEditing(QLineEdit* e)
    {
        QTest::keyClick(e, Qt::Key_Return);
        QTRY_VERIFY(cardsView()->viewport()->findChildren<QLineEdit*>().isEmpty());
    }
    // A card's note is shown whole beside it: its row takes the lines the note
    // needs at the column's width, and not many more.
    bool noteShownWhole(int row)
    {
        const QRect shown = cardsView()->visualRect(w->cardsModel()->index(row, CardsModel::Note));
        QFont bold = cardsView()->font();
        bold.setBold(true);
        const QFontMetrics fm(bold);
        const int needed = fm.boundingRect(QRect(0, 0, shown.width() - 8, 1000), Qt::TextWordWrap,
                                           cell(row, CardsModel::Note)).height();
        return needed <= shown.height() && shown.height() < needed + fm.height() + 12;
    }
    // A cell of a table of results, its tab shown first (a tab not shown waits).
    QString resultCell(const char* table, int row, int column)
    {
        auto* view = child<QTableView>(w.get(), table);
        auto* tabs = child<QTabWidget>(w.get(), "ResultTabs");
        for (int i = 0; i < tabs->count(); ++i)
            if (tabs->widget(i) == view || tabs->widget(i)->isAncestorOf(view))
                tabs->setCurrentIndex(i);
        return view->model()->index(row, column).data().toString();
    }
    QString compareCell(int row, int column) { return resultCell("ComparisonTable", row, column); }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init()
    {
        fake.clear();
        fake.onMessage = nullptr;
        fake.onQuestion = nullptr;
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
    }
    void cleanup()
    {
        w.reset();
        dir.reset();
    }

    // A first run shows chapter 8's sample cards with $25: the lesson's plan.
    void firstRunShowsTheLessonPlan()
    {
        open();
        QVERIFY(child<QLabel>(w.get(), "SampleHint")->isVisible());
        QCOMPARE(w->cardsModel()->rowCount(), 5);
        QCOMPARE(text("DebtFree"), QStringLiteral("Debt-free after 57 months (4 years 9 months), in March 2014."));
        QCOMPARE(text("TotalInterest"), QStringLiteral("Total interest: $3,294.04"));
        const int priority[5] = {2, 4, 5, 3, 1};
        const char* paidOff[5] = {"Month 43 (Jan 2013)", "Month 54 (Dec 2013)", "Month 57 (Mar 2014)",
                                  "Month 51 (Sep 2013)", "Month 21 (Mar 2011)"};
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(cell(i, CardsModel::Priority).toInt(), priority[i]);
            QCOMPARE(cell(i, CardsModel::PaidOff), QString::fromLatin1(paidOff[i]));
        }
        QCOMPARE(compareCell(0, 0), QStringLiteral("Highest APR first (chosen)"));
        QCOMPARE(compareCell(3, 1), QString("%1 months").arg(w->comparison().alone.months));
        // The schedule: one row per card per month while it owes.
        QCOMPARE(w->scheduleModel()->rowCount(), 21 + 43 + 51 + 54 + 57);
        QCOMPARE(w->scheduleModel()->index(0, ScheduleModel::Date).data().toString(), QStringLiteral("Jul 2009"));
        QCOMPARE(w->scheduleModel()->index(0, ScheduleModel::Card).data().toString(), QStringLiteral("Card 5"));
        // Card statements: Card 1 paying only the minimum is chapter 6's $3,936.39 of interest.
        QCOMPARE(resultCell("CardStatements", 0, 2), QStringLiteral("$3,936.39"));
        QCOMPARE(resultCell("CardStatements", 1, 4), QStringLiteral("$75.82"));
        QCOMPARE(resultCell("CardStatements", 1, 6), QStringLiteral("$1,858.61"));
    }

    // Results follow every keystroke; leaving the cell corrects it like a calculator box.
    void typingIntoCards_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shownAfter");
        QTest::addColumn<int>("noteRow");
        QTest::addColumn<QString>("note");
        QTest::addColumn<QString>("message");
        QTest::newRow("payment below interest")
            << 1 << int(CardsModel::Payment) << "20" << "$20.00" << 1
            << "$20.00 is below this card's monthly interest of $31.33" << "";
        QTest::newRow("payment equal to the interest")
            << 0 << int(CardsModel::Payment) << "$25.47" << "$25.47" << 0
            << "$25.47 only covers this card's monthly interest of $25.47" << "";
        QTest::newRow("no payment") << 4 << int(CardsModel::Payment) << "0" << "$0.00" << 4
                                    << "With no payment this card is never paid off on its own" << "";
        // Up to 99.99 % at the rate given: Card 3 at 45 % charges $66.91 a month, more than its $37.00.
        QTest::newRow("APR above 30") << 2 << int(CardsModel::Apr) << "45" << "45.00%" << 2
                                      << "$37.00 is below this card's monthly interest of $66.91" << "";
        QTest::newRow("separators and sign") << 3 << int(CardsModel::Balance) << "$2,000.00" << "$2,000.00" << 3
                                             << "$17.00 is below this card's monthly interest of $33.00" << "";
        QTest::newRow("largest amount") << 3 << int(CardsModel::Payment) << "999,999,999,999.99"
                                        << "$999,999,999,999.99" << 3 << "" << "";
        QTest::newRow("unicode name") << 0 << int(CardsModel::Name) << "Visa ✓ Ünï" << "Visa ✓ Ünï" << 0 << ""
                                      << "";
    }
    void typingIntoCards()
    {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, typed);
        QFETCH(QString, shownAfter);
        QFETCH(int, noteRow);
        QFETCH(QString, note);
        QFETCH(QString, message);
        open();
        QList<int> heights;
        for (int r = 0; r < w->cardsModel()->rowCount(); ++r)
            heights << cardsView()->rowHeight(r);
        QLineEdit* editor = typeInto(row, column, typed, false);
        QVERIFY(editor);
        QCOMPARE(editor->text(), typed); // the model's echo leaves the typing alone
        for (int r = 0; r < w->cardsModel()->rowCount(); ++r) // no row moves under the editor
            QCOMPARE(cardsView()->rowHeight(r), heights[r]);
        const QString heading = w->cardsModel()->headerData(column, Qt::Horizontal).toString();
        QCOMPARE(spokenName(editor), column == CardsModel::Name ? heading : cell(row, CardsModel::Name) + ", " + heading);
        // Before the cell is left the plan already follows the typing, as a
        // preview: the card itself changes when the edit is committed.
        StoredCard typedCard = w->cardsModel()->card(row);
        QCOMPARE(CardsModel::readCell(typedCard, column, typed), QString());
        auto cards = w->cardsModel()->cards();
        QCOMPARE(w->shownInputs().cards[static_cast<std::size_t>(row)], ToPlanCard(typedCard));
        cards[static_cast<std::size_t>(row)] = ToPlanCard(typedCard);
        const PlanResult expected = RunPlan(cards, PlanBudget::Pledge(2500), PlanOrder::HighestApr);
        QCOMPARE(w->plan().months, expected.months);
        QCOMPARE(w->plan().totalInterest, expected.totalInterest);
        QCOMPARE(cell(noteRow, CardsModel::Note), note);
        // No saving is claimed against paying each card alone when that never ends.
        if (!w->comparison().alone.paidOff)
            QCOMPARE(compareCell(0, 4), QString());
        finishEditing(editor);
        QCOMPARE(cell(row, column), shownAfter);
        // Rows keep their height while a cell is edited; the note is fitted after.
        if (!note.isEmpty())
            QVERIFY2(noteShownWhole(noteRow), qPrintable(note));
        if (message.isEmpty()) {
            QVERIFY(fake.messages.isEmpty());
        } else {
            QCOMPARE(fake.messages.size(), 1);
            QVERIFY(fake.messages[0].text.startsWith(message));
            QCOMPARE(fake.beeps, 1);
        }
        // Left cell: written to the file at once.
        StoredPlan saved = CardStore(storePath()).load().plan;
        QCOMPARE(saved.cards, w->cardsModel()->stored());
        for (const QString& t : {text("DebtFree"), text("TotalInterest"), text("InterestSaved")})
            QVERIFY2(!t.contains("nan") && !t.contains("inf"), qPrintable(t));
    }

    void pledgeAndOrder_data()
    {
        QTest::addColumn<QString>("pledge");
        QTest::addColumn<int>("orderIndex");
        QTest::addColumn<int>("months");
        QTest::addColumn<QString>("interest");
        QTest::addColumn<QString>("priorities");
        QTest::newRow("$50, APR") << "50" << 0 << 47 << "$2,619.90" << "2 4 5 3 1";
        QTest::newRow("$100, APR") << "$100" << 0 << 35 << "$1,884.18" << "2 4 5 3 1";
        QTest::newRow("$50, balance") << "50" << 1 << 47 << "$2,640.08" << "3 5 4 2 1";
        QTest::newRow("$25, own order") << "25" << 2 << 57 << "$3,358.93" << "1 2 3 4 5";
        // Refused: the pledge stays $25.
        QTest::newRow("nonsense pledge is refused") << "-7x" << 0 << 57 << "$3,294.04" << "2 4 5 3 1";
    }
    void pledgeAndOrder()
    {
        QFETCH(QString, pledge);
        QFETCH(int, orderIndex);
        QFETCH(int, months);
        QFETCH(QString, interest);
        QFETCH(QString, priorities);
        openWith(Sample());
        if (months < 0)
            months = RunPlan(w->cardsModel()->cards(), {}, PlanOrder::HighestApr).months;
        auto* edit = child<QLineEdit>(w.get(), "EditPledge");
        edit->selectAll();
        QTest::keyClicks(edit, pledge);
        child<QComboBox>(w.get(), "OrderBox")->setCurrentIndex(orderIndex);
        QCOMPARE(w->plan().months, months);
        if (!interest.isEmpty())
            QCOMPARE(text("TotalInterest"), "Total interest: " + interest);
        QStringList got;
        for (int i = 0; i < 5; ++i)
            got << cell(i, CardsModel::Priority);
        QCOMPARE(got.join(' '), priorities);
        QVERIFY(text("DebtFree").startsWith(QString("Debt-free after %1 months").arg(months)));
        // Leaving the box corrects it and keeps the choice.
        QMetaObject::invokeMethod(edit, "editingFinished");
        QCOMPARE(edit->text(), QString::fromStdString(PlainTwoDecimals(w->pledge())));
        const StoredPlan saved = CardStore(storePath()).load().plan;
        QCOMPARE(saved.pledge, w->pledge());
        QCOMPARE(saved.order, w->order());
    }

    void plansThatDoNotEnd_data()
    {
        QTest::addColumn<QList<StoredCard>>("cards");
        QTest::addColumn<QString>("debtFree");
        QTest::addColumn<QString>("paidOff");
        QTest::addColumn<QString>("compared");
        QTest::newRow("never") << QList<StoredCard>{{"Fine", 10, 100, 10}, {"Stuck", 17.9, 2100, 20}}
                               << "Stuck can never be paid off: the money of each month does not cover its interest. "
                                  "Raise its payment or the pledge money."
                               << "Never" << "over 100 years";
        QTest::newRow("beyond 100 years") << QList<StoredCard>{{"Slow", 0.1, 10000, 1}}
                                          << "Slow is not paid off within 100 years. Raise its payment or the "
                                             "pledge money."
                                          << "Not within 100 years" << "over 100 years";
        QTest::newRow("nothing owed") << QList<StoredCard>{{"Paid", 18, 0, 20}}
                                      << "Nothing is owed on these cards." << "Nothing owed" << "";
        QTest::newRow("no cards") << QList<StoredCard>{} << "Add your cards to see when you will be debt-free."
                                  << "" << "";
    }
    void plansThatDoNotEnd()
    {
        QFETCH(QList<StoredCard>, cards);
        QFETCH(QString, debtFree);
        QFETCH(QString, paidOff);
        QFETCH(QString, compared);
        StoredPlan plan;
        plan.cards = cards;
        openWith(plan);
        QCOMPARE(text("DebtFree"), debtFree);
        if (!cards.isEmpty())
            QCOMPARE(cell(static_cast<int>(cards.size()) - 1, CardsModel::PaidOff), paidOff);
        // A note read from the file is fitted once the table has its width.
        for (int row = 0; row < cards.size(); ++row)
            if (!cell(row, CardsModel::Note).isEmpty())
                QTRY_VERIFY(noteShownWhole(row));
        for (int row = 0; row < 4; ++row)
            QCOMPARE(compareCell(row, 1), compared);
        if (!compared.isEmpty())
            QCOMPARE(text("TotalInterest"), QStringLiteral("Total interest: no end in sight"));
    }

    void addRemoveMove()
    {
        openWith(Sample());
        auto* add = child<QPushButton>(w.get(), "BtnAddCard");
        auto* remove = child<QPushButton>(w.get(), "BtnRemoveCard");
        auto* up = child<QPushButton>(w.get(), "BtnMoveUp");
        auto* down = child<QPushButton>(w.get(), "BtnMoveDown");
        QTest::mouseClick(add, Qt::LeftButton);
        QCOMPARE(w->cardsModel()->rowCount(), 6);
        QCOMPARE(cell(5, CardsModel::Name), QStringLiteral("Card 6"));
        QCOMPARE(cardsView()->viewport()->findChildren<QLineEdit*>().size(), 1); // naming it straight away
        QVERIFY(!down->isEnabled());
        QVERIFY(up->isEnabled());
        QCOMPARE(CardStore(storePath()).load().plan.cards.size(), 6);

        // Moving a card chooses one's own order.
        cardsView()->setCurrentIndex(w->cardsModel()->index(4, CardsModel::Name));
        QTest::mouseClick(up, Qt::LeftButton);
        QCOMPARE(cell(3, CardsModel::Name), QStringLiteral("Card 5"));
        QCOMPARE(cell(4, CardsModel::Name), QStringLiteral("Card 4"));
        QCOMPARE(cardsView()->currentIndex().row(), 3);
        QCOMPARE(w->order(), PlanOrder::Given);
        QCOMPARE(cell(3, CardsModel::Priority), QStringLiteral("4"));
        QTest::mouseClick(down, Qt::LeftButton);
        QCOMPARE(cell(4, CardsModel::Name), QStringLiteral("Card 5"));

        cardsView()->setCurrentIndex(w->cardsModel()->index(0, CardsModel::Apr));
        QVERIFY(!up->isEnabled());
        QTest::mouseClick(remove, Qt::LeftButton);
        QCOMPARE(w->cardsModel()->rowCount(), 5);
        QCOMPARE(cell(0, CardsModel::Name), QStringLiteral("Card 2"));
        QCOMPARE(cardsView()->currentIndex(), w->cardsModel()->index(0, CardsModel::Apr));
        while (w->cardsModel()->rowCount() > 0)
            QTest::mouseClick(remove, Qt::LeftButton);
        QVERIFY(!remove->isEnabled());
        QCOMPARE(w->scheduleModel()->rowCount(), 0);
        QVERIFY(CardStore(storePath()).load().plan.cards.isEmpty());
    }

    // What is kept between runs, and files that cannot be read.
    void keptBetweenRuns_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("cards");
        QTest::addColumn<QString>("status"); // empty: read without a word
        QTest::addColumn<QString>("keptAs"); // the kind of file kept aside
        QTest::newRow("written by this program") << CardStore::toJson(Sample()) << 5 << "" << "";
        QTest::newRow("amounts brought into range")
            << QByteArray(R"({"format":1,"cards":[{"name":"X","apr":45,"balance":-3,"payment":12.345}]})") << 1
            << "" << "";
        QTest::newRow("empty file") << QByteArray() << 0 << "the file is empty" << "damaged";
        QTest::newRow("truncated") << CardStore::toJson(Sample()).left(60) << 0 << "the file is damaged" << "damaged";
        QTest::newRow("not a plan") << QByteArray("[1,2,3]") << 0 << "it holds no list of cards" << "damaged";
        QTest::newRow("no format") << QByteArray(R"({"cards":[]})") << 0 << "it has no format number" << "damaged";
        QTest::newRow("amount as text")
            << QByteArray(R"({"format":1,"cards":[{"name":"X","apr":"19.8","balance":1,"payment":1}]})") << 0
            << "card 1 has an amount that is not a number" << "damaged";
        QTest::newRow("binary") << QByteArray("\x00\xff\xfe{", 4) << 0 << "Your saved cards could not be read"
                                << "damaged";
        QByteArray many = R"({"format":1,"cards":[)";
        for (std::size_t i = 0; i <= kMostPlanCards; ++i)
            many += i ? R"(,{"balance":1})" : R"({"balance":1})";
        QTest::newRow("too many cards") << many + "]}" << 0 << "it holds more than 1000 cards" << "damaged";
        QTest::newRow("newer version") << QByteArray(R"({"format":3,"cards":[],"budget":{}})") << 0
                                       << "it was written by a newer version (format 3)" << "newer";
    }
    void keptBetweenRuns()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, cards);
        QFETCH(QString, status);
        QFETCH(QString, keptAs);
        QVERIFY(QDir().mkpath(QFileInfo(storePath()).absolutePath()));
        {
            QFile f(storePath());
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(file);
        }
        open();
        QCOMPARE(w->cardsModel()->rowCount(), cards);
        auto* label = child<QLabel>(w.get(), "StatusLabel");
        QVERIFY(!child<QLabel>(w.get(), "SampleHint")->isVisible());
        if (status.isEmpty()) {
            QVERIFY(label->isHidden());
            QVERIFY(fake.messages.isEmpty());
            QCOMPARE(CardStore(storePath()).load().status, CardStore::Status::Loaded);
            for (const StoredCard& c : w->cardsModel()->stored())
                QVERIFY(c.apr <= kPlanHighestApr && c.balance >= 0 && c.payment == RoundToCents(c.payment));
            return;
        }
        QVERIFY(label->isVisible());
        QVERIFY2(label->text().contains(status), qPrintable(label->text()));
        QTRY_COMPARE(fake.messages.size(), 1); // told once the window is up
        QCOMPARE(fake.messages[0].text, label->text());
        // Nothing lost: the file is kept aside byte for byte, and the next save
        // starts a fresh file.
        const QStringList aside =
            QDir(QFileInfo(storePath()).absolutePath()).entryList({"cards." + keptAs + "-*.json"}, QDir::Files);
        QCOMPARE(aside.size(), 1);
        QFile kept(QFileInfo(storePath()).absolutePath() + "/" + aside[0]);
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), file);
        QVERIFY(label->text().contains(aside[0]));
        QVERIFY(!QFile::exists(storePath()));
        QTest::mouseClick(child<QPushButton>(w.get(), "BtnAddCard"), Qt::LeftButton);
        QCOMPARE(CardStore(storePath()).load().plan.cards.size(), 1);
    }

    // A folder that cannot be made: the window says so, and asks on closing.
    void saveFailureIsTold()
    {
        QFile blocker(dir->filePath(QStringLiteral("data")));
        QVERIFY(blocker.open(QIODevice::WriteOnly)); // a file where the folder should be
        blocker.close();
        open();
        QTest::mouseClick(child<QPushButton>(w.get(), "BtnAddCard"), Qt::LeftButton);
        auto* label = child<QLabel>(w.get(), "StatusLabel");
        QVERIFY(label->isVisible());
        QVERIFY2(label->text().startsWith("Your cards could not be saved"), qPrintable(label->text()));
        QVERIFY(fake.messages.isEmpty());
        fake.onQuestion = [](const FakePlatform::Question&) { return 1; }; // close without saving
        w->close();
        QVERIFY(!w->isVisible());
        QCOMPARE(fake.questions.size(), 1);
        QVERIFY(fake.questions[0].text.startsWith(label->text().section(". They stay", 0, 0)));
        QCOMPARE(fake.beeps, 1);
    }

    void jsonRoundTrip()
    {
        StoredPlan plan = Sample(123.45);
        plan.order = PlanOrder::LowestBalance;
        plan.cards.append({QString::fromUtf8("Ünïcödé \"quoted\", ✓"), 0, 0.01, 999999999999.99});
        plan.cards.append({QString(), 30, 0, 0});
        StoredPlan back;
        QString why;
        QVERIFY2(CardStore::fromJson(CardStore::toJson(plan), back, &why, nullptr), qPrintable(why));
        QCOMPARE(back, plan);
        // Written atomically: a save leaves no temporary files behind.
        QCOMPARE(CardStore(storePath()).save(plan), CardStore::SaveResult::Saved);
        QCOMPARE(QDir(QFileInfo(storePath()).absolutePath()).entryList(QDir::Files),
                 QStringList{QStringLiteral("cards.json")});
        open();
        QCOMPARE(w->cardsModel()->stored(), plan.cards);
        QCOMPARE(w->pledge(), 123.45);
        QCOMPARE(w->order(), PlanOrder::LowestBalance);
        QCOMPARE(cell(6, CardsModel::Name), QString()); // shown as typed; the plan calls it "Card 7"
        QCOMPARE(w->cardsModel()->name(6), QStringLiteral("Card 7"));
    }

    void csvExport_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::newRow("saved") << "";
        QTest::newRow("cannot be written") << "the folder";
        QTest::newRow("disk full") << "the disk is full";
    }
    void csvExport()
    {
        QFETCH(QString, fault);
        StoredPlan plan = Sample();
        plan.cards[2].name = "Gold, \"premium\"";
        openWith(plan);
        const QString path = fault == "the folder" ? dir->filePath("no/such/folder/schedule.csv") : dir->filePath("s.csv");
        if (fault == "the disk is full") { // over an earlier schedule
            QFile earlier(path);
            QVERIFY(earlier.open(QIODevice::WriteOnly) && earlier.write("earlier") == 7);
        }
        FileFaultsForTest full({fault == "the disk is full" ? 4096 : -1, ENOSPC, 0, 0});
        int asked = 0;
        w->chooseCsvPath = [&](QWidget*) {
            ++asked;
            return path;
        };
        child<QTabWidget>(w.get(), "ResultTabs")->setCurrentIndex(1);
        QTest::mouseClick(child<QPushButton>(w.get(), "BtnSaveCsv"), Qt::LeftButton);
        QCOMPARE(asked, 1);
        auto* label = child<QLabel>(w.get(), "StatusLabel");
        if (!fault.isEmpty()) {
            QCOMPARE(fake.messages.size(), 1);
            QCOMPARE(fake.messages[0].icon, Platform::MessageIcon::Error);
            QVERIFY2(label->text().startsWith("The schedule could not be saved: " + fault), qPrintable(label->text()));
            QCOMPARE(QFileInfo(path).size(), fault == "the disk is full" ? 7 : 0); // the earlier one stays whole
            return;
        }
        QVERIFY(fake.messages.isEmpty());
        QVERIFY(label->text().startsWith("The schedule was saved as"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray csv = f.readAll();
        std::string expected;
        AppendScheduleCsv(expected, w->plan(), w->cardsModel()->names(), ToCalendarMonth(w->firstMonth()));
        QCOMPARE(csv, QByteArray::fromStdString(expected)); // each row with its calendar month
        QCOMPARE(csv.count('\n'), w->scheduleModel()->rowCount() + 1);
        // The file reads back as CSV: quoted names stay whole.
        QVERIFY(csv.contains("\n1,\"Gold, \"\"premium\"\"\",37.00,"));
    }

    // Pointing at the chart, or walking it with the arrow keys, reads a month out.
    void chartReadout()
    {
        openWith(Sample());
        child<QTabWidget>(w.get(), "ResultTabs")->setCurrentIndex(0);
        auto* chart = child<BalanceChart>(w.get(), "BalanceChart");
        QVERIFY(chart->isVisible());
        QCOMPARE(chart->months(), 57);
        // The stack at month 0 is what is owed; at the end nothing.
        double owed = 0;
        for (const StoredCard& c : Sample().cards)
            owed += c.balance;
        QCOMPARE(chart->totalAt(0), owed);
        QCOMPARE(chart->totalAt(57), 0.0);
        QCOMPARE(chart->balanceAt(21, 4), 0.0);   // Card 5 paid off in month 21
        QVERIFY(chart->balanceAt(20, 4) > 0);

        QWidget* win = chart->window();
        QTest::mouseMove(win->windowHandle(), QPoint(1, 1));
        // Low in the stack at month 10: the bottom band is Card 5's.
        const QPoint at = chart->pointFor(10, chart->balanceAt(10, 4) / 2);
        QTest::mouseMove(win->windowHandle(), chart->mapTo(win, at));
        QCOMPARE(chart->cursorMonth(), 10);
        QVERIFY2(chart->readout().startsWith("Month 10 (Apr 2010): $"), qPrintable(chart->readout()));
        QVERIFY2(chart->readout().contains("; Card 5 owes $"), qPrintable(chart->readout()));
        QCOMPARE(spokenName(chart), chart->readout());
        // Above the stack the pointer is on no band: no card is named.
        QTest::mouseMove(win->windowHandle(), chart->mapTo(win, chart->pointFor(10, chart->totalAt(10) * 1.05)));
        QCOMPARE(chart->cursorMonth(), 10);
        QVERIFY2(!chart->readout().contains(" owes "), qPrintable(chart->readout()));
        QTest::mouseMove(win->windowHandle(), QPoint(1, 1));
        QCOMPARE(chart->cursorMonth(), -1);
        QCOMPARE(spokenName(chart), QStringLiteral("Balance chart"));

        chart->setFocus();
        QTest::keyClick(chart, Qt::Key_Right);
        QCOMPARE(chart->cursorMonth(), 0);
        QTest::keyClick(chart, Qt::Key_PageDown);
        QCOMPARE(chart->cursorMonth(), 12);
        QTest::keyClick(chart, Qt::Key_End);
        QCOMPARE(chart->cursorMonth(), 57);
        QCOMPARE(chart->readout(), QStringLiteral("Month 57 (Mar 2014): $0.00 owed in all"));
        QTest::keyClick(chart, Qt::Key_Right);
        QCOMPARE(chart->cursorMonth(), 57);
        QVERIFY(chart->accessibleDescription().contains("Card 5 is paid off in month 21."));
    }

    // At any screen scale each band shows its card's colour between its edges,
    // with a rim of that colour at half brightness along its upper edge.
    void chartBandsAndRims_data()
    {
        QTest::addColumn<qreal>("scale");
        QTest::newRow("1x") << 1.0;
        QTest::newRow("1.5x") << 1.5;
        QTest::newRow("2x") << 2.0;
    }
    void chartBandsAndRims()
    {
        QFETCH(qreal, scale);
        openWith(Sample());
        auto* chart = child<BalanceChart>(w.get(), "BalanceChart");
        QImage img((QSizeF(chart->size()) * scale).toSize(), QImage::Format_ARGB32_Premultiplied);
        img.setDevicePixelRatio(scale);
        img.fill(Qt::white);
        chart->render(&img);
        auto distance = [](const QColor& a, const QColor& b) {
            return std::max({std::abs(a.red() - b.red()), std::abs(a.green() - b.green()), std::abs(a.blue() - b.blue())});
        };
        const auto priority = PriorityOrder(w->cardsModel()->cards(), w->order());
        int bands = 0, rims = 0;
        for (int m = 0; m < chart->months(); m += 2) {
            // Each band's lower and upper edge in the picture's pixels.
            QList<double> edges{chart->pointFor(m, 0).y() * scale};
            double owed = 0;
            for (std::size_t i : priority) {
                owed += chart->balanceAt(m, i);
                edges.append(chart->pointFor(m, owed).y() * scale);
            }
            const int x = qRound(chart->pointFor(m, 0).x() * scale);
            for (qsizetype k = 0; k + 1 < edges.size(); ++k) {
                if (edges[k] - edges[k + 1] < 8)
                    continue;
                const QColor fill = BalanceChart::cardColour(static_cast<std::size_t>(k));
                QCOMPARE(img.pixelColor(x, qRound((edges[k] + edges[k + 1]) / 2)), fill);
                ++bands;
                if (k + 2 < edges.size() && edges[k + 1] - edges[k + 2] < 4)
                    continue; // the rim of the thin band above lies over this one
                // Where this band meets what lies above it, a darker line that is
                // neither colour (the bands themselves meet without a blend).
                const QColor above = k + 2 < edges.size() ? BalanceChart::cardColour(static_cast<std::size_t>(k) + 1)
                                                          : QColor(212, 212, 212);
                bool line = false;
                for (int dy = -2; dy <= 2 && !line; ++dy) {
                    const QColor c = img.pixelColor(x, qRound(edges[k + 1]) + dy);
                    line = distance(c, fill) > 40 && distance(c, above) > 40 &&
                           c.lightness() < std::max(fill.lightness(), above.lightness());
                }
                QVERIFY2(line, qPrintable(QStringLiteral("no rim on band %1 at month %2").arg(k).arg(m)));
                ++rims;
            }
        }
        QVERIFY(bands > 40 && rims > 20);
    }

    // Tab goes from the cards through their buttons and the choices to every
    // result, the written ones included, and round to the cards again. (Names
    // and the keyboard's reach of every control: the program-wide audit.)
    void tabReachesEveryResult()
    {
        openWith(Sample());
        cardsView()->setCurrentIndex(w->cardsModel()->index(2, CardsModel::Name)); // Move Up and Down both on
        cardsView()->setFocus();
        QStringList visited;
        for (int i = 0; i < 30 && (visited.isEmpty() || QApplication::focusWidget() != cardsView()); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        // (Undo and Redo have nothing to do yet: they are off, and Tab passes them by; so
        // does "Next Month" while the plan starts next month. The start month's box takes Tab from its
        // month to its year.)
        QCOMPARE(visited, (QStringList{"BtnAddCard", "BtnRemoveCard", "BtnMoveUp", "BtnMoveDown", "EditPledge",
                                       "OrderBox", "StartMonthBox", "StartMonthBox", "BtnImportCards", "BtnExportCards",
                                       "BtnPrintPlan", "BtnSavePdf", "DebtFree", "TotalInterest", "InterestSaved",
                                       "qt_tabwidget_tabbar", "BalanceChart", "CardsTable"}));
    }

    // The contents screen opens My Cards beside it, and closes it when it goes.
    void contentsScreenButton()
    {
        TChapter_000 contents;
        contents.show();
        QVERIFY(QTest::qWaitForWindowExposed(&contents));
        auto* button = child<QPushButton>(&contents, "BtnMyCards");
        QVERIFY(button);
        QCOMPARE(spokenName(button), QStringLiteral("My Cards"));
        QVERIFY(QRect(0, 0, 640, 480).contains(button->geometry()));
        for (QAbstractButton* other : contents.findChildren<QAbstractButton*>())
            QVERIFY2(other == button || !other->geometry().intersects(button->geometry()),
                     qPrintable(other->objectName()));
        QTest::mouseClick(button, Qt::LeftButton);
        QPointer<MyCardsWindow> planner = contents.findChild<MyCardsWindow*>();
        QVERIFY(planner);
        QVERIFY(planner->isVisible());
        QVERIFY(planner->isWindow());
        QTest::mouseClick(button, Qt::LeftButton); // the same window again
        QCOMPARE(contents.findChildren<MyCardsWindow*>().size(), 1);
        contents.hide();
        QVERIFY(!planner || !planner->isVisible());
        QTRY_VERIFY(!planner);
    }
};

QTEST_MAIN(PlannerTests)
#include "tst_planner.moc"
