// Editing the cards of My Cards as a person does: re-clicking the selected
// cell and typing at once or a little later, in every column.
#include <QApplication>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "FakePlatform.h"
#include "TestWidgets.h"
#include "planner/CardStore.h"
#include "planner/CardsModel.h"
#include "planner/MyCards.h"

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
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    }
    QTableView* view() { return child<QTableView>(w.get(), "CardsTable"); }
    QList<QLineEdit*> editors() { return view()->viewport()->findChildren<QLineEdit*>(); }
    QString cell(int row, int column) { return w->cardsModel()->index(row, column).data().toString(); }

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
};

QTEST_MAIN(PlannerEditingTests)
#include "tst_planner_editing.moc"
