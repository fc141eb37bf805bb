// Editing the cards of My Cards as a person does: re-clicking the selected
// cell and typing at once or a little later, in every column; text the strict
// reader refuses; Escape; undo and redo of every kind of change.
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QUndoStack>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "FakePlatform.h"
#include "TestWidgets.h"
#include "planner/CardStore.h"
#include "planner/CardsModel.h"
#include "planner/MyCards.h"
#include "planner/PlanText.h"

using namespace quenmark;
using quenmark::test::child;

namespace {

StoredPlan Sample()
{
    StoredPlan p;
    p.cards = {{"Card 1", 19.8, 1543.68, 32}, {"Card 2", 17.9, 2100, 53}, {"Card 3", 12.9, 1784.32, 37},
               {"Card 4", 19.8, 832.91, 17}, {"Card 5", 21.0, 765.72, 19}};
    p.pledge = 25;
    return p;
}

const char* const kHeadings[] = {"name", "APR", "balance", "payment"};

} // namespace

class PlannerEditingTests : public QObject
{
    Q_OBJECT

    FakePlatform fake;
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<MyCardsWindow> w;

    QString storePath() const { return dir->filePath(QStringLiteral("cards.json")); }
    void openWith(const StoredPlan& plan)
    {
        QCOMPARE(CardStore(storePath()).save(plan), CardStore::SaveResult::Saved);
        w = std::make_unique<MyCardsWindow>(nullptr, storePath());
        w->show();
        // Keys go where the focus is, as on a desktop.
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
    }
    QTableView* view() { return child<QTableView>(w.get(), "CardsTable"); }
    QList<QLineEdit*> editors() { return view()->viewport()->findChildren<QLineEdit*>(); }
    QString cell(int row, int column) { return w->cardsModel()->index(row, column).data().toString(); }
    // The editor of a cell, opened as a key would open it, its text replaced by `typed`.
    QLineEdit* typeInto(int row, int column, const QString& typed)
    {
        const QModelIndex index = w->cardsModel()->index(row, column);
        view()->setFocus();
        view()->setCurrentIndex(index);
        view()->edit(index);
        if (editors().size() != 1)
            return nullptr;
        QLineEdit* e = editors().first();
        e->selectAll();
        QTest::keyClicks(e, typed);
        return e;
    }
    // What the user sees and what is saved: the table's cells, the pledge and the order.
    QStringList snapshot()
    {
        QStringList shown;
        for (int r = 0; r < w->cardsModel()->rowCount(); ++r)
            for (int c = CardsModel::Name; c <= CardsModel::Payment; ++c)
                shown << cell(r, c);
        shown << child<QLineEdit>(w.get(), "EditPledge")->text()
              << child<QComboBox>(w.get(), "OrderBox")->currentText();
        return shown;
    }
    QByteArray savedFile()
    {
        QFile f(storePath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

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

    // The selected cell clicked again and typed into at once, 50 ms or 250 ms
    // later (each key that long after the one before): the text goes into that
    // cell, whole, and nothing else changes.
    void typingAfterReclick_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("delay");
        const struct
        {
            int column;
            const char* typed;
            const char* shown;
        } cells[] = {{CardsModel::Name, "Gold", "Gold"},
                     {CardsModel::Apr, "15.5", "15.50%"},
                     {CardsModel::Balance, "1500", "$1,500.00"},
                     {CardsModel::Payment, "45", "$45.00"}};
        for (const auto& c : cells)
            for (const int delay : {0, 50, 250})
                QTest::addRow("column %d, %d ms", c.column, delay) << c.column << c.typed << c.shown << delay;
    }
    void typingAfterReclick()
    {
        QFETCH(int, column);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(int, delay);
        openWith(Sample());
        const int row = 2;
        const QModelIndex index = w->cardsModel()->index(row, column);
        QList<QStringList> before;
        for (int r = 0; r < w->cardsModel()->rowCount(); ++r) {
            QStringList cells;
            for (int c = CardsModel::Name; c <= CardsModel::Payment; ++c)
                cells << cell(r, c);
            before << cells;
        }
        view()->setFocus();
        view()->setCurrentIndex(index);
        QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, view()->visualRect(index).center());
        for (const QChar ch : typed) {
            QTest::keyPress(QApplication::focusWidget(), ch.toLatin1(), {}, delay);
            QTest::keyRelease(QApplication::focusWidget(), ch.toLatin1());
        }
        QVERIFY(QTest::qWaitFor([&] { return !editors().isEmpty(); }, 2000));
        QCOMPARE(editors().size(), 1);
        QLineEdit* editor = editors().first();
        QVERIFY2(view()->indexWidget(index) == editor, "the editor is on another cell");
        QCOMPARE(editor->text(), typed);
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_VERIFY(editors().isEmpty());
        before[row][column] = shown;
        for (int r = 0; r < w->cardsModel()->rowCount(); ++r)
            for (int c = CardsModel::Name; c <= CardsModel::Payment; ++c)
                QCOMPARE(cell(r, c), before[r][c]);
        QCOMPARE(CardStore(storePath()).load().plan.cards, w->cardsModel()->stored());
    }

    // Text the strict reader refuses changes nothing and is answered beside
    // the cell (or the pledge box) with what is accepted; read text is taken.
    // Column -1: the pledge box.
    void refusedInput_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown"); // empty: refused
        const struct
        {
            int column;
            const char* typed;
            const char* shown;
        } rows[] = {
            {CardsModel::Balance, "abc", ""},          {CardsModel::Balance, "-500", ""},
            {CardsModel::Balance, "1.234,56", ""},     {CardsModel::Payment, "1e5", ""},
            {CardsModel::Payment, "nan", ""},          {CardsModel::Payment, "12.345", ""},
            {CardsModel::Balance, "$1,234.56", "$1,234.56"}, {CardsModel::Balance, "1234.56", "$1,234.56"},
            {CardsModel::Balance, "1,234", "$1,234.00"},     {CardsModel::Apr, "19.9%", "19.90%"},
            {CardsModel::Apr, "99.99", "99.99%"},      {CardsModel::Apr, "100", ""},
            {CardsModel::Apr, "99.991", ""},           {CardsModel::Apr, "-5", ""},
            {-1, "abc", ""},                           {-1, "-500", ""},
            {-1, "1.234,56", ""},                      {-1, "$1,234.56", "$1,234.56"},
            {-1, "1,234", "$1,234.00"},
        };
        for (const auto& r : rows)
            QTest::addRow("%s: %s", r.column < 0 ? "pledge" : kHeadings[r.column], r.typed) << r.column << QString::fromUtf8(r.typed) << QString::fromUtf8(r.shown);
    }
    void refusedInput()
    {
        QFETCH(int, column);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        openWith(Sample());
        const QStringList before = snapshot();
        const QByteArray file = savedFile();
        const QString accepted = column == CardsModel::Apr ? QStringLiteral("Type an APR from 0 to 99.99")
                                                           : QStringLiteral("Type an amount such as");
        if (column < 0) {
            auto* edit = child<QLineEdit>(w.get(), "EditPledge");
            edit->setFocus();
            edit->selectAll();
            QTest::keyClicks(edit, typed);
            QTest::keyClick(edit, Qt::Key_Return);
            auto* message = child<QLabel>(w.get(), "PledgeMessage");
            if (shown.isEmpty()) {
                QVERIFY(message->isVisible());
                QVERIFY2(message->text().contains(accepted), qPrintable(message->text()));
                QVERIFY2(message->text().contains("Nothing changed: the pledge money is still $25.00."),
                         qPrintable(message->text()));
                QCOMPARE(w->pledge(), 25.0);
                QCOMPARE(savedFile(), file);
                QCOMPARE(w->undoStack()->count(), 0);
            } else {
                QVERIFY(message->isHidden());
                QCOMPARE(PlanText::money(w->pledge()), shown);
                QCOMPARE(CardStore(storePath()).load().plan.pledge, w->pledge());
                QCOMPARE(w->undoStack()->count(), 1);
            }
            return;
        }
        const int row = 1;
        QLineEdit* editor = typeInto(row, column, typed);
        QVERIFY(editor);
        QTest::keyClick(editor, Qt::Key_Return);
        auto* message = child<QLabel>(w.get(), "CellMessage");
        if (!shown.isEmpty()) {
            QTRY_VERIFY(editors().isEmpty());
            QCOMPARE(cell(row, column), shown);
            QVERIFY(message->isHidden());
            QCOMPARE(CardStore(storePath()).load().plan.cards, w->cardsModel()->stored());
            QCOMPARE(w->undoStack()->count(), 1);
            return;
        }
        // Enter on refused text: the editor stays with the text to mend, the
        // message beside it says what is accepted (and is what the editor describes).
        QCOMPARE(editors().size(), 1);
        QCOMPARE(editor->text(), typed);
        QVERIFY(message->isVisible());
        QVERIFY2(message->text().contains(accepted), qPrintable(message->text()));
        QCOMPARE(editor->accessibleDescription(), message->text());
        QCOMPARE(fake.beeps, 1);
        // Committed by leaving the cell: refused again, and the card keeps its value.
        emit view()->itemDelegate()->commitData(editor);
        QVERIFY2(message->text().contains("Nothing changed: Card 2's"), qPrintable(message->text()));
        QTest::keyClick(editor, Qt::Key_Escape);
        QTRY_VERIFY(editors().isEmpty());
        QCOMPARE(snapshot(), before);
        QCOMPARE(savedFile(), file);
        QCOMPARE(w->undoStack()->count(), 0);
    }

    // Escape after typing: the card is as it was, the plan shown is the card's
    // again (the preview goes), nothing is saved and no step is made.
    void escapeRestores()
    {
        openWith(Sample());
        const QStringList before = snapshot();
        const QByteArray file = savedFile();
        const std::int64_t interest = w->plan().totalInterest;
        QLineEdit* editor = typeInto(0, CardsModel::Payment, QStringLiteral("300"));
        QVERIFY(editor);
        QVERIFY(w->plan().totalInterest != interest); // the preview follows the typing
        QCOMPARE(savedFile(), file);
        QTest::keyClick(editor, Qt::Key_Escape);
        QTRY_VERIFY(editors().isEmpty());
        QCOMPARE(snapshot(), before);
        QCOMPARE(w->plan().totalInterest, interest);
        QCOMPARE(savedFile(), file);
        QCOMPARE(w->undoStack()->count(), 0);
    }

    // Every kind of change is a step: undone one by one (Ctrl+Z) the table and
    // the saved file return to the start, redone (Ctrl+Shift+Z) to the end.
    void undoRedoRoundTrip()
    {
        openWith(Sample());
        QList<QStringList> shown{snapshot()};
        QList<QByteArray> files{savedFile()};
        auto step = [&] {
            shown << snapshot();
            files << savedFile();
        };
        QLineEdit* editor = typeInto(2, CardsModel::Balance, QStringLiteral("2500"));
        QVERIFY(editor);
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_VERIFY(editors().isEmpty());
        step();
        QTest::mouseClick(child<QPushButton>(w.get(), "BtnAddCard"), Qt::LeftButton);
        if (!editors().isEmpty())
            QTest::keyClick(editors().first(), Qt::Key_Escape);
        QTRY_VERIFY(editors().isEmpty());
        step();
        view()->setCurrentIndex(w->cardsModel()->index(1, CardsModel::Name));
        QTest::mouseClick(child<QPushButton>(w.get(), "BtnRemoveCard"), Qt::LeftButton);
        QVERIFY(fake.questions.isEmpty()); // undoable: nothing asked
        step();
        view()->setCurrentIndex(w->cardsModel()->index(3, CardsModel::Name));
        QTest::mouseClick(child<QPushButton>(w.get(), "BtnMoveUp"), Qt::LeftButton);
        step();
        auto* pledge = child<QLineEdit>(w.get(), "EditPledge");
        pledge->setFocus();
        pledge->selectAll();
        QTest::keyClicks(pledge, QStringLiteral("75"));
        QTest::keyClick(pledge, Qt::Key_Return);
        step();
        child<QComboBox>(w.get(), "OrderBox")->setCurrentIndex(1);
        step();
        const int steps = static_cast<int>(shown.size()) - 1;
        QCOMPARE(w->undoStack()->count(), steps);
        for (int i = 1; i <= steps; ++i)
            QVERIFY2(shown[i] != shown[i - 1] && files[i] != files[i - 1], qPrintable(QString::number(i)));
        view()->setFocus();
        for (int i = steps; i > 0; --i) {
            QTest::keyClick(view(), Qt::Key_Z, Qt::ControlModifier);
            QCOMPARE(snapshot(), shown[i - 1]);
            QCOMPARE(savedFile(), files[i - 1]);
        }
        QVERIFY(!w->undoStack()->canUndo());
        QVERIFY(!child<QPushButton>(w.get(), "BtnUndo")->isEnabled());
        for (int i = 1; i <= steps; ++i) {
            QTest::keyClick(view(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
            QCOMPARE(snapshot(), shown[i]);
            QCOMPARE(savedFile(), files[i]);
        }
        // The buttons say what they take back.
        auto* undo = child<QPushButton>(w.get(), "BtnUndo");
        QVERIFY(undo->isEnabled());
        QVERIFY2(undo->accessibleName().startsWith("Undo "), qPrintable(undo->accessibleName()));
        QTest::mouseClick(undo, Qt::LeftButton);
        QCOMPARE(snapshot(), shown[steps - 1]);
        QTest::mouseClick(child<QPushButton>(w.get(), "BtnRedo"), Qt::LeftButton);
        QCOMPARE(snapshot(), shown[steps]);
    }
};

QTEST_MAIN(PlannerEditingTests)
#include "tst_planner_editing.moc"
