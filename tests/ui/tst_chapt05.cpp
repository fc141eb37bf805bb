// Chapter 5: the highlight state and pages of every counter reached by Next
// and by Back, and the figures of the purchases and skipped-payment tables
// against the core's month step.
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QtTest>
#include <memory>
#include <vector>

#include "FakePlatform.h"
#include "TestWidgets.h"
#include "core/Payoff.h"
#include "lessons/Chapt05.h"
#include "tst_chapt03_05_cells.h"

using namespace quenmark;
using namespace quenmark::test;

namespace {

struct CounterLook
{
    int book;
    int textPage; // -1: not the purchases page
    const char* highlighted;
};
const CounterLook kCounters[] = {
    {0, -1, ""},
    {1, 0, ""},
    {1, 1, "OriginalBal NewBal01"},
    {1, 2, "OriginalBal NewBal02"},
    {1, 3, "Purchase01 Purchase02"},
    {2, -1, ""},
    {3, -1, ""},
};

} // namespace

class TestChapt05 : public QObject
{
    Q_OBJECT

private:
    FakePlatform fake;
    std::unique_ptr<TChapter_005> w;
    CellLooks designed; // the colours of every cell on opening

    QString text(const QString& name) { return cellText(w.get(), name); }
    QString raw(const char* name) { return child<QLabel>(w.get(), name)->text(); }
    double amount(const QString& name)
    {
        QString t = text(name);
        t.remove(QLatin1Char('$')).remove(QLatin1Char('+'));
        return TextToAmount(t.toStdString());
    }

    void checkRow(const QString& number, const LedgerRow& row, int shownNumber)
    {
        QCOMPARE(text(QStringLiteral("Num") + number), QString::number(shownNumber));
        QCOMPARE(text((number == QLatin1String("01") ? QStringLiteral("OriginalBal") : QStringLiteral("Bal") + number)),
                 dollars(row.openingBalance));
        QCOMPARE(text(QStringLiteral("Pmt") + number), dollars(row.payment));
        QCOMPARE(text(QStringLiteral("Int") + number), dollars(row.interest));
        QCOMPARE(text(QStringLiteral("Prin") + number), dollars(row.principal));
        QCOMPARE(text(QStringLiteral("NBal") + number), dollars(row.newBalance));
    }

    void checkCounter(const char* how)
    {
        const int counter = w->currentPage();
        const CounterLook& look = kCounters[counter - 1];
        const QString where = QStringLiteral("counter %1 %2").arg(counter).arg(QLatin1String(how));
        QVERIFY2(w->notebook()->currentIndex() == look.book, qPrintable(where));
        if (look.textPage >= 0)
            QVERIFY2(child<QStackedWidget>(w.get(), "Notebook2")->currentIndex() == look.textPage, qPrintable(where));
        // Rows 4 to 6 appear from counter 4 on.
        QVERIFY2(child<QWidget>(w.get(), "Panel4thru6")->isHidden() == (counter < 4), qPrintable(where));
        const QStringList shown = highlightedCells(w.get(), designed);
        QVERIFY2(shown == cellList(look.highlighted), qPrintable(where + QStringLiteral(": ") + shown.join(' ')));
    }

private slots:
    void init()
    {
        fake.clear();
        w = std::make_unique<TChapter_005>();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        designed = cellLooks(w.get());
    }
    void cleanup() { w.reset(); }

    // Every counter has one highlight state, whichever way it is reached.
    void everyCounterBothWays()
    {
        // Every cell starts white: headers in maroon, the rest black.
        for (const auto& [name, look] : designed)
            QVERIFY2(look == std::pair(QColor(Qt::white).rgb(), QColor(name.endsWith(QLatin1Char('0')) ? 0x800000 : 0).rgb()),
                     qPrintable(name));
        checkCounter("on opening");
        while (w->currentPage() < 7) {
            w->BtnNextClick();
            checkCounter("by Next");
        }
        w->BtnNextClick();
        QCOMPARE(w->currentPage(), 7);
        while (w->currentPage() > 1) {
            w->BtnBackClick();
            checkCounter("by Back");
        }
        w->BtnBackClick();
        QCOMPARE(w->currentPage(), 1);
    }

    // The purchases table: rows 1 to 3 are chapter 3's; $60.00 is added; rows
    // 4 to 6 follow the month step from their listed payments; $60.00 more.
    void purchasesTable()
    {
        const std::vector<LedgerRow> year = exampleYear();
        for (int k = 1; k <= 3; ++k)
            checkRow(QStringLiteral("0%1").arg(k), year[static_cast<std::size_t>(k - 1)], k);
        QCOMPARE(raw("Purchase01"), QStringLiteral("+   $60.00"));
        QCOMPARE(raw("Purchase02"), QStringLiteral("+   $60.00"));
        QCOMPARE(amount(QStringLiteral("NewBal01")), RoundToCents(year[2].newBalance + 60.00));

        const double rate = PeriodicRate(17.9);
        double balance = amount(QStringLiteral("NewBal01"));
        double paid = year[0].payment + year[1].payment + year[2].payment;
        for (int k = 4; k <= 6; ++k) {
            const QString number = QStringLiteral("0%1").arg(k);
            const double payment = amount(QStringLiteral("Pmt") + number);
            const LedgerRow row = MakeLedgerRow(k, balance, payment, rate);
            checkRow(number, row, k);
            balance = row.newBalance;
            paid += payment;
        }
        QCOMPARE(amount(QStringLiteral("NewBal02")), RoundToCents(balance + 60.00));

        // What the text pages say of them.
        auto* notebook2 = child<QStackedWidget>(w.get(), "Notebook2");
        auto page = [&](int i) { return notebook2->widget(i)->findChild<QLabel*>(QStringLiteral("PageText"))->text(); };
        QVERIFY(page(1).contains(dollars(RoundToCents(2100.00 - amount(QStringLiteral("NewBal01"))))));
        QVERIFY(page(2).contains(dollars(RoundToCents(2100.00 - amount(QStringLiteral("NewBal02"))))));
        QVERIFY(page(2).contains(QLatin1Char('$') + QString::number(paid)));
    }

    // The skipped-payment tables: months 10 to 12 of the minimum payments, and
    // the same with payment 12 skipped: its interest is added to the balance,
    // which lands between those of months 10 and 11.
    void skippedPaymentTables()
    {
        std::vector<LedgerRow> year = exampleYear();
        for (int k = 10; k <= 12; ++k)
            checkRow(QStringLiteral("7%1").arg(k - 9), year[static_cast<std::size_t>(k - 1)], k);
        LedgerRow& skipped = year[11];
        skipped.payment = skipped.principal = 0;
        skipped.newBalance = RoundToCents(skipped.openingBalance + skipped.interest);
        for (int k = 10; k <= 12; ++k)
            checkRow(QStringLiteral("8%1").arg(k - 9), year[static_cast<std::size_t>(k - 1)], k);
        QCOMPARE(raw("Pmt83") + raw("Prin83"), QStringLiteral("  $0.00  $0.00"));
        QCOMPARE(text(QStringLiteral("SkipNoteBalance")), dollars(skipped.newBalance));
        QVERIFY(skipped.newBalance < year[9].openingBalance && skipped.newBalance > year[10].openingBalance);
    }
};

QTEST_MAIN(TestChapt05)
#include "tst_chapt05.moc"
