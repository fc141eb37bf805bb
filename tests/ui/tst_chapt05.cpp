// Chapter 5: the highlight state and pages of every counter reached by Next
// and by Back, and the figures of the purchases and skipped-payment tables
// against the core's month step.
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QtTest>
#include <cmath>
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

// The card's minimum payments from $2,100.00: 2.5 % of the balance rounded up
// to whole dollars, as in chapter 3.
std::vector<LedgerRow> coreYear()
{
    std::vector<LedgerRow> rows;
    const double rate = PeriodicRate(17.9);
    double balance = 2100.00;
    for (int n = 1; n <= 12; ++n) {
        rows.push_back(MakeLedgerRow(n, balance, std::ceil(RoundToCents(balance * 0.025)), rate));
        balance = rows.back().newBalance;
    }
    return rows;
}

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
        const QStringList shown = highlightedCells(w.get());
        QVERIFY2(shown == cellList(look.highlighted), qPrintable(where + QStringLiteral(": ") + shown.join(' ')));
        // The cells shown that can be highlighted and are not: white with black text.
        for (const char* name : {"OriginalBal", "NewBal01", "NewBal02", "Purchase01", "Purchase02"}) {
            auto* cell = child<QLabel>(w.get(), name);
            if (!cell->isVisible() || cellList(look.highlighted).contains(QString::fromLatin1(name)))
                continue;
            QVERIFY2(background(cell) == QColor(255, 255, 255) && textColour(cell) == QColor(0, 0, 0),
                     qPrintable(where + QLatin1Char(' ') + QLatin1String(name)));
        }
    }

private slots:
    void init()
    {
        fake.clear();
        w = std::make_unique<TChapter_005>();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    }
    void cleanup() { w.reset(); }

    void opening()
    {
        QCOMPARE(w->windowTitle(), QStringLiteral("Chapter 5"));
        QCOMPARE(w->totalPageCount(), 7);
        QCOMPARE(text(QStringLiteral("TotalPages")), QStringLiteral("7"));
        QVERIFY(!child<QLabel>(w.get(), "HeaderTitle")->pixmap().isNull());
        QCOMPARE(spokenName(child<QLabel>(w.get(), "HeaderTitle")), QStringLiteral("New Purchases & Skipped Payments"));
        checkCounter("on opening");
    }

    // Every counter has one highlight state, whichever way it is reached.
    void everyCounterBothWays()
    {
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
        const std::vector<LedgerRow> year = coreYear();
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
    // the same with payment 12 skipped (the interest is added to the balance).
    void skippedPaymentTables()
    {
        const std::vector<LedgerRow> year = coreYear();
        for (int table : {7, 8})
            for (int k = 10; k <= (table == 7 ? 12 : 11); ++k)
                checkRow(QStringLiteral("%1%2").arg(table).arg(k - 9), year[static_cast<std::size_t>(k - 1)], k);
        const LedgerRow& twelve = year[11];
        QCOMPARE(text(QStringLiteral("Num83")), QStringLiteral("12"));
        QCOMPARE(text(QStringLiteral("Bal83")), dollars(twelve.openingBalance));
        QCOMPARE(raw("Pmt83"), QStringLiteral("  $0.00"));
        QCOMPARE(text(QStringLiteral("Int83")), dollars(twelve.interest));
        QCOMPARE(raw("Prin83"), QStringLiteral("  $0.00"));
        const QString skipped = dollars(RoundToCents(twelve.openingBalance + twelve.interest));
        QCOMPARE(text(QStringLiteral("NBal83")), skipped);
        QCOMPARE(text(QStringLiteral("SkipNoteBalance")), skipped);
        QCOMPARE(text(QStringLiteral("Subtitle70")), QStringLiteral("No Skipped Payments"));
        QCOMPARE(text(QStringLiteral("Subtitle80")), QStringLiteral("Skipped Payment No. 12"));
        // The balance after the skipped payment lies between months 10 and 11.
        QVERIFY(amount(QStringLiteral("NBal83")) < year[9].openingBalance);
        QVERIFY(amount(QStringLiteral("NBal83")) > year[10].openingBalance);
    }
};

QTEST_MAIN(TestChapt05)
#include "tst_chapt05.moc"
