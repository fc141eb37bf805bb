// Chapter 4: the highlighting of every page reached by Next and by Back, the
// ten highlight routines and their guards, and the figures of every table
// against the core's payoff run and month step.
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QtTest>
#include <memory>
#include <vector>

#include "FakePlatform.h"
#include "TestWidgets.h"
#include "core/Payoff.h"
#include "lessons/Chapt04.h"
#include "pictures/InterestBars.h"
#include "tst_chapt03_05_cells.h"

using namespace quenmark;
using namespace quenmark::test;

namespace {

const QColor kWhite(255, 255, 255), kBlack(0, 0, 0), kMaroon(128, 0, 0), kGreen(0, 128, 0);

// Every month of the running example paid off the card way (the payoff run's
// declining payment) or the loan way ($53.00 every month).
std::vector<LedgerRow> coreMonths(bool card)
{
    struct Sink : LedgerSink
    {
        std::vector<LedgerRow> rows;
        void row(const LedgerRow& r) override { rows.push_back(r); }
    } sink;
    PayoffOptions options;
    options.loanMode = !card;
    PayoffState state;
    RunPayoff(17.9, 2100.00, 53.00, options, state, nullptr, &sink);
    return sink.rows;
}

// "59.24%" -> 59.24; -1 without the percent sign.
double percent(const QString& text)
{
    const QString t = text.trimmed();
    return t.endsWith(QLatin1Char('%')) ? t.chopped(1).toDouble() : -1;
}

const char* const kPayment24 = "Num02 Bal02 Pmt02 Int02 Prin02 NBal02 Num12 Bal12 Pmt12 Int12 Prin12 NBal12";
const char* const kCardPrincipal = "Prin30* Prin31 Prin32 Prin33 Prin34 Prin35* Yr35* Total35 Int35 IPct35";
const char* const kLoanPrincipal = "Prin40* Prin41 Prin42 Prin43 Prin44 Prin45* Yr45* Total45 Int45 IPct45";
const char* const kCardPercents =
    "IPct30* PPct30* IPct31 IPct32 IPct33 IPct34 IPct35 PPct31 PPct32 PPct33 PPct34 PPct35";
const char* const kLoanPercents =
    "IPct40* PPct40* IPct41 IPct42 IPct43 IPct44 IPct45 PPct41 PPct42 PPct43 PPct44 PPct45";

struct PageLook
{
    int book;        // Notebook1 page
    int commentary;  // Notebook2 (book 1) or Notebook3 (book 2) page
    const char* highlighted;
};
// Page 1 to 10: where it lies and the cells it shows highlighted.
const PageLook kPages[] = {
    {0, -1, ""},
    {1, 0, ""},
    {1, 1, kPayment24},
    {1, 2, kPayment24},
    {2, 0, ""},
    {2, 1, kCardPrincipal},
    {2, 2, kLoanPrincipal},
    {2, 3, kCardPercents},
    {2, 4, kLoanPercents},
    {3, -1, ""},
};

const QRegularExpression kTableCell(QStringLiteral("^(Num|Bal|Pmt|Int|Prin|NBal|Nbal|Yr|Total|IPct|PPct|Unpaid)(\\d)(\\d)$"));

} // namespace

class TestChapt04 : public QObject
{
    Q_OBJECT

private:
    FakePlatform fake;
    std::unique_ptr<TChapter_004> w;
    CellLooks designed; // the colours of every cell on opening

    QString text(const QString& name) { return cellText(w.get(), name); }
    QString raw(const char* name) { return child<QLabel>(w.get(), name)->text(); }

    void checkPage(const char* how)
    {
        const int page = w->currentPage();
        const PageLook& look = kPages[page - 1];
        const QString where = QStringLiteral("page %1 %2").arg(page).arg(QLatin1String(how));
        QVERIFY2(w->notebook()->currentIndex() == look.book, qPrintable(where));
        if (look.commentary >= 0) {
            const char* book = look.book == 1 ? "Notebook2" : "Notebook3";
            QVERIFY2(child<QStackedWidget>(w.get(), book)->currentIndex() == look.commentary, qPrintable(where));
        }
        const QStringList shown = highlightedCells(w.get(), designed);
        QVERIFY2(shown == cellList(look.highlighted), qPrintable(where + QStringLiteral(": ") + shown.join(' ')));
    }

private slots:
    void init()
    {
        fake.clear();
        w = std::make_unique<TChapter_004>();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        designed = cellLooks(w.get());
    }
    void cleanup() { w.reset(); }

    // On opening every cell is white with black text, the headers bold in
    // maroon (card tables) or green (loan tables); the one-row tables'
    // headers are white on their table's colour.
    void designedLook()
    {
        for (const QLabel* l : w->findChildren<QLabel*>(kTableCell)) {
            const QRegularExpressionMatch m = kTableCell.match(l->objectName());
            const int table = m.captured(2).toInt();
            const bool header = m.captured(3) == QLatin1String("0");
            const QColor tableColour = (table == 0 || table == 3 || table == 5) ? kMaroon : kGreen;
            const auto look = header && table >= 5 ? std::pair(tableColour, kWhite)
                                                   : std::pair(kWhite, header ? tableColour : kBlack);
            QVERIFY2(std::pair(background(l), textColour(l)) == look, qPrintable(l->objectName()));
            QCOMPARE(l->font().bold(), header);
        }
    }

    // Page 1 to 10 and back to 1: each page shows exactly its highlighting and
    // its notebook pages, whichever way it is reached.
    void everyPageBothWays()
    {
        checkPage("on opening");
        w->BtnBackClick();
        QCOMPARE(w->currentPage(), 1);
        while (w->currentPage() < 10) {
            w->BtnNextClick();
            checkPage("by Next");
        }
        w->BtnNextClick();
        QCOMPARE(w->currentPage(), 10);
        while (w->currentPage() > 1) {
            w->BtnBackClick();
            checkPage("by Back");
        }
    }

    // A routine run twice changes nothing the second time; restoring gives
    // back the designed colours (the loan headers green text again).
    void routinesAndGuards_data()
    {
        QTest::addColumn<QString>("name");
        for (const char* name : {"Payment24", "CardPrincipal", "LoanPrincipal", "CardPercents", "LoanPercents"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void routinesAndGuards()
    {
        QFETCH(QString, name);
        Highlighter& h = w->highlighter();
        QVERIFY(!h.run(QStringLiteral("Restore") + name));
        QCOMPARE(cellLooks(w.get()), designed);
        QVERIFY(h.run(QStringLiteral("Highlight") + name));
        const auto highlighted = cellLooks(w.get());
        QVERIFY(highlighted != designed);
        QVERIFY(!h.run(QStringLiteral("Highlight") + name));
        QCOMPARE(cellLooks(w.get()), highlighted);
        QVERIFY(h.run(QStringLiteral("Restore") + name));
        QCOMPARE(cellLooks(w.get()), designed);
        QVERIFY(!h.run(QStringLiteral("Restore") + name));
    }

    // The tables are the arithmetic they claim. The card rows follow the payoff
    // run's declining payment, the loan rows $53.00 a month.
    void paymentTables_data()
    {
        QTest::addColumn<bool>("card");
        QTest::newRow("credit card") << true;
        QTest::newRow("loan") << false;
    }
    void paymentTables()
    {
        QFETCH(bool, card);
        const std::vector<LedgerRow> months = coreMonths(card);
        QVERIFY(months.size() >= 60);
        const int table = card ? 0 : 1;
        double paid = 0, interest = 0;
        for (int year = 1; year <= 5; ++year) {
            for (int m = 12 * (year - 1); m < 12 * year; ++m) {
                paid += months[static_cast<std::size_t>(m)].payment;
                interest += months[static_cast<std::size_t>(m)].interest;
            }
            const LedgerRow& december = months[static_cast<std::size_t>(12 * year - 1)];
            auto name = [&](const char* prefix, int t) { return QStringLiteral("%1%2%3").arg(QLatin1String(prefix)).arg(t).arg(year); };
            QCOMPARE(text(name("Num", table)), QString::number(12 * year));
            QCOMPARE(text(name("Bal", table)), dollars(december.openingBalance));
            QCOMPARE(text(name("Pmt", table)), dollars(december.payment));
            QCOMPARE(text(name("Int", table)), dollars(december.interest));
            QCOMPARE(text(name("Prin", table)), dollars(december.principal));
            QCOMPARE(text(card && year == 3 ? QStringLiteral("Nbal03") : name("NBal", table)), dollars(december.newBalance));

            // Year to date.
            const int totals = card ? 3 : 4;
            const double principal = RoundToCents(paid - interest);
            QCOMPARE(text(name("Yr", totals)), QString::number(year));
            QCOMPARE(text(name("Total", totals)), dollars(RoundToCents(paid)));
            QCOMPARE(text(name("Int", totals)), dollars(RoundToCents(interest)));
            QCOMPARE(text(name("Prin", totals)), dollars(principal));
            QCOMPARE(text(name("Unpaid", totals)), dollars(RoundToCents(2100.00 - principal)));
            // The shares are quoted as written: each pair adds up to 100.00 %
            // and lies within 0.01 of the exact share.
            const double interestShare = percent(text(name("IPct", totals)));
            const double principalShare = percent(text(name("PPct", totals)));
            QCOMPARE(RoundToCents(interestShare + principalShare), 100.00);
            QVERIFY(qAbs(interestShare - interest / paid * 100) <= 0.01 + 1e-9);
        }
        // "Here's Payment 60".
        const LedgerRow& sixty = months[59];
        const int one = card ? 5 : 6;
        auto name60 = [&](const char* prefix) { return QStringLiteral("%1%2%3").arg(QLatin1String(prefix)).arg(one).arg(1); };
        QCOMPARE(text(name60("Num")), QStringLiteral("60"));
        QCOMPARE(text(name60("Pmt")), dollars(sixty.payment));
        QCOMPARE(text(name60("Int")), dollars(sixty.interest));
        QCOMPARE(text(name60("Prin")), dollars(sixty.principal));
        const double i60 = percent(text(name60("IPct"))), p60 = percent(text(name60("PPct")));
        QCOMPARE(RoundToCents(i60 + p60), 100.00);
        QVERIFY(qAbs(i60 - sixty.interest / sixty.payment * 100) <= 0.01 + 1e-9);
        // The closing picture's bar: the interest of the whole payoff.
        const InterestBar& bar = w->closingPicture()->chart().bars[card ? 0 : 1];
        double wholeRun = 0;
        for (const LedgerRow& month : months)
            wholeRun += month.interest;
        QCOMPARE(bar.amount, RoundToCents(wholeRun));
        QVERIFY(w->closingPicture()->accessibleName().contains(ChartDollars(bar.amount)));
    }

    // Amounts shorter than their column's longest are padded to line up, and
    // the commentary's averages are the tables' five-year principal over 60 months.
    void paddingAndCommentary()
    {
        QCOMPARE(raw("Bal14"), QStringLiteral("   $638.90"));
        QCOMPARE(raw("Bal15"), QStringLiteral("     $72.25"));
        QCOMPARE(raw("Int14"), QStringLiteral("  $9.53"));
        QCOMPARE(raw("Bal11"), QStringLiteral("$1,842.98"));
        auto* notebook3 = child<QStackedWidget>(w.get(), "Notebook3");
        const QString cardText = notebook3->widget(1)->findChild<QLabel*>(QStringLiteral("PageText"))->text();
        const QString loanText = notebook3->widget(2)->findChild<QLabel*>(QStringLiteral("PageText"))->text();
        const double cardPrincipal = TextToAmount(text(QStringLiteral("Prin35")).mid(1).toStdString());
        const double loanPrincipal = TextToAmount(text(QStringLiteral("Prin45")).mid(1).toStdString());
        QVERIFY(cardText.contains(dollars(RoundToCents(cardPrincipal / 60)) + QStringLiteral(" per month")));
        QVERIFY(loanText.contains(dollars(RoundToCents(loanPrincipal / 60)) + QStringLiteral(" per month")));
    }
};

QTEST_MAIN(TestChapt04)
#include "tst_chapt04.moc"
