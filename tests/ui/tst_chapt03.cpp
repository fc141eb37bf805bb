// Chapter 3: filling the payment tables row by row, the page steps by Next and
// Back, the column highlight of every text page, and the figures of both
// tables against the core's month step.
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QtTest>
#include <memory>

#include "FakePlatform.h"
#include "TestWidgets.h"
#include "lessons/Chapt03.h"
#include "tst_chapt03_05_cells.h"

using namespace quenmark;
using namespace quenmark::test;

namespace {

const char* const kColumns[] = {"Num", "Bal", "Pmt", "Int", "Prin", "NBal"};

QString cellName(const char* prefix, int row)
{
    return QString::fromLatin1(prefix) + QStringLiteral("%1").arg(row, 2, 10, QLatin1Char('0'));
}

// The highlighted cells of the payment (P) and principal (R) columns.
QStringList highlightOf(const QString& which)
{
    QStringList cells;
    if (which.contains(QLatin1Char('P')))
        cells << QStringLiteral("Pmt00*") << QStringLiteral("Total01*");
    if (which.contains(QLatin1Char('R')))
        cells << QStringLiteral("Prin00*") << QStringLiteral("Total03*");
    for (int r = 1; r <= 12; ++r) {
        if (which.contains(QLatin1Char('P')))
            cells << cellName("Pmt", r);
        if (which.contains(QLatin1Char('R')))
            cells << cellName("Prin", r);
    }
    cells.sort();
    return cells;
}

// The columns each counter highlights (1 overview, 2..11 text pages 0..9).
const char* const kCounterHighlight[] = {"", "", "P", "R", "PR", "PR", "", "P", "R", "PR", "PR"};

} // namespace

class TestChapt03 : public QObject
{
    Q_OBJECT

private:
    FakePlatform fake;
    std::unique_ptr<TChapter_003> w;
    CellLooks designed; // the colours of every cell on opening

    template <typename T = QWidget>
    T* find(const char* name)
    {
        return child<T>(w.get(), name);
    }
    QString text(const QString& name) { return cellText(w.get(), name); }
    int textPage() { return find<QStackedWidget>("Notebook2")->currentIndex(); }

    // N Next Page, B Page Back, P Next Pmt, A Show All.
    void act(const QString& actions)
    {
        for (QChar a : actions) {
            switch (a.toLatin1()) {
            case 'N': w->BtnNextClick(); break;
            case 'B': w->BtnBackClick(); break;
            case 'P': QTest::mouseClick(find<QPushButton>("NextPmt"), Qt::LeftButton); break;
            case 'A': QTest::mouseClick(find<QPushButton>("ShowAll"), Qt::LeftButton); break;
            default: QFAIL("unknown action");
            }
        }
    }

    // The grid shows the first `rows` rows of the core's year and their
    // totals, and nothing below them.
    void checkGrid(bool minimum, int rows)
    {
        const std::vector<LedgerRow> year = exampleYear(minimum);
        double payments = 0, interest = 0, principal = 0;
        for (int k = 1; k <= 12; ++k) {
            const LedgerRow& r = year[static_cast<std::size_t>(k - 1)];
            const QStringList expected{QString::number(k), dollars(r.openingBalance, false), dollars(r.payment, false),
                                       dollars(r.interest, false), dollars(r.principal, false),
                                       dollars(r.newBalance, false)};
            for (int c = 0; c < 6; ++c)
                QCOMPARE(text(cellName(kColumns[c], k)), k <= rows ? expected[c] : QString());
            if (k <= rows) {
                payments += r.payment;
                interest += r.interest;
                principal += r.principal;
            }
        }
        QCOMPARE(text(QStringLiteral("Total00")), QStringLiteral("Totals"));
        QCOMPARE(text(QStringLiteral("Total01")), dollars(RoundToCents(payments), false));
        QCOMPARE(text(QStringLiteral("Total02")), dollars(RoundToCents(interest), false));
        QCOMPARE(text(QStringLiteral("Total03")), dollars(RoundToCents(principal), false));
    }

    // Exactly the columns `which` names are highlighted; every other cell
    // shown has the colours it was designed with.
    void checkHighlight(const QString& which, const QString& where = QString())
    {
        const QStringList shown = highlightedCells(w.get(), designed);
        QVERIFY2(shown == highlightOf(which), qPrintable(where + QLatin1Char(' ') + shown.join(' ')));
    }

private slots:
    void init()
    {
        fake.clear();
        w = std::make_unique<TChapter_003>();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        designed = cellLooks(w.get());
    }
    void cleanup() { w.reset(); }

    // On opening the grid is white; headers and totals in maroon, the rest black.
    void designedLook()
    {
        QCOMPARE(designed.size(), std::size_t(6 * 13 + 4));
        for (const auto& [name, look] : designed) {
            const bool maroon = name.endsWith(QLatin1String("00")) || name.startsWith(QLatin1String("Total"));
            QVERIFY2(look == std::pair(QColor(Qt::white).rgb(), QColor(maroon ? 0x800000 : 0).rgb()), qPrintable(name));
        }
    }

    // Where a sequence of clicks leaves the chapter.
    void steps_data()
    {
        QTest::addColumn<QString>("actions");
        QTest::addColumn<int>("counter");
        QTest::addColumn<int>("textPage");  // -1: the overview is shown
        QTest::addColumn<bool>("minimum");  // which table
        QTest::addColumn<int>("rows");
        QTest::addColumn<bool>("buttons");  // Next Pmt and Show All
        QTest::addColumn<QString>("instructions"); // of the current text page: y shown, n hidden, - none there
        QTest::addColumn<QString>("highlight");

        const QString p11(11, QLatin1Char('P'));
        QTest::newRow("Next from the overview shows row 1") << "N" << 2 << 0 << true << 1 << true << "y" << "";
        QTest::newRow("Next again fills rows 2 to 12") << "NN" << 3 << 1 << true << 12 << false << "-" << "P";
        QTest::newRow("ten Next Pmt") << "N" + p11.left(10) << 2 << 0 << true << 11 << true << "y" << "";
        QTest::newRow("eleven Next Pmt") << "N" + p11 << 2 << 0 << true << 12 << false << "n" << "";
        QTest::newRow("a twelfth Next Pmt changes nothing") << "N" + p11 + "P" << 2 << 0 << true << 12 << false
                                                           << "n" << "";
        QTest::newRow("Show All after five rows") << "NPPPPA" << 2 << 0 << true << 12 << false << "n" << "";
        QTest::newRow("back to the overview and on keeps the rows") << "NPPBN" << 2 << 0 << true << 3 << true << "y"
                                                                   << "";
        QTest::newRow("counter 6") << "NNNNN" << 6 << 4 << true << 12 << false << "-" << "PR";
        QTest::newRow("counter 7: the loan's row 1") << "NNNNNN" << 7 << 5 << false << 1 << true << "y" << "";
        QTest::newRow("counter 7 full") << "NNNNNNA" << 7 << 5 << false << 12 << false << "n" << "";
        QTest::newRow("leaving counter 7 fills the loan's table") << "NNNNNNPN" << 8 << 6 << false << 12 << false
                                                                  << "-" << "P";
        QTest::newRow("Back 7 to 6: the full card table") << "NNNNNNB" << 6 << 4 << true << 12 << false << "-"
                                                           << "PR";
        QTest::newRow("Back 7 to 6 after rows were added") << "NNNNNNPPB" << 6 << 4 << true << 12 << false << "-"
                                                            << "PR";
        QTest::newRow("6 to 7 again restarts the loan") << "NNNNNNAB" + QStringLiteral("N") << 7 << 5 << false << 1
                                                         << true << "y" << "";
        QTest::newRow("Back 3 to 2 removes the payment highlight") << "NNB" << 2 << 0 << true << 12 << false << "n"
                                                                   << "";
        QTest::newRow("the last page") << "NNNNNNNNNN" << 11 << 9 << false << 12 << false << "-" << "PR";
        QTest::newRow("Next on the last page does nothing") << "NNNNNNNNNNN" << 11 << 9 << false << 12 << false
                                                            << "-" << "PR";
        QTest::newRow("Back on the overview does nothing") << "BNB" << 1 << -1 << true << 1 << true << "-" << "";
    }
    void steps()
    {
        QFETCH(QString, actions);
        QFETCH(int, counter);
        QFETCH(int, textPage);
        QFETCH(bool, minimum);
        QFETCH(int, rows);
        QFETCH(bool, buttons);
        QFETCH(QString, instructions);
        QFETCH(QString, highlight);
        act(actions);

        QCOMPARE(w->currentPage(), counter);
        QCOMPARE(text(QStringLiteral("PageNumberPanel")), QString::number(counter));
        QCOMPARE(w->notebook()->currentIndex(), textPage < 0 ? 0 : 1);
        if (textPage >= 0)
            QCOMPARE(this->textPage(), textPage);
        QCOMPARE(w->rowsShown(), rows);
        QCOMPARE(text(QStringLiteral("GridTitle")), minimum ? QStringLiteral("Minimum Payments on a Credit Card")
                                                            : QStringLiteral("Constant Payments from a Loan"));
        checkGrid(minimum, rows);
        QCOMPARE(find<QPushButton>("NextPmt")->isHidden(), !buttons);
        QCOMPARE(find<QPushButton>("ShowAll")->isHidden(), !buttons);
        if (instructions != QLatin1String("-")) {
            const QRegularExpression pattern(QStringLiteral("^Instruction%1_").arg(this->textPage()));
            const QList<QLabel*> labels = w->findChildren<QLabel*>(pattern);
            QCOMPARE(labels.size(), 6);
            for (QLabel* l : labels)
                QCOMPARE(l->isVisible(), instructions == QLatin1String("y"));
        }
        checkHighlight(highlight);
    }

    // Every counter has its highlight, whichever way it is reached.
    void highlightEveryPageBothWays()
    {
        auto check = [this](const char* how) {
            const int counter = w->currentPage();
            checkHighlight(QString::fromLatin1(kCounterHighlight[counter - 1]),
                           QStringLiteral("counter %1 %2").arg(counter).arg(QLatin1String(how)));
            if (counter >= 2)
                QCOMPARE(textPage(), counter - 2);
        };
        check("on opening");
        while (w->currentPage() < 11) {
            w->BtnNextClick();
            check("by Next");
        }
        while (w->currentPage() > 1) {
            w->BtnBackClick();
            check("by Back");
        }
    }

    // "Next Pmt" and "Show All" are ordinary focusable buttons that Space and
    // Enter press. When the table is full they go and the focus passes to Next
    // Page, so the next Enter turns the page and never lands on Quit.
    void keyboard_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("presses");
        QTest::newRow("Next Pmt") << "NextPmt" << 11;
        QTest::newRow("Show All") << "ShowAll" << 1;
    }
    void keyboard()
    {
        QFETCH(QString, button);
        QFETCH(int, presses);
        act(QStringLiteral("N"));
        auto* b = w->findChild<QPushButton*>(button);
        QVERIFY(b->focusPolicy() & Qt::TabFocus);
        b->setFocus();
        for (int i = 1; i <= presses; ++i) {
            QTest::keyClick(b, i % 2 ? Qt::Key_Space : Qt::Key_Return);
            QCOMPARE(w->rowsShown(), i == presses ? 12 : i + 1);
        }
        QCOMPARE(w->focusWidget(), find<QPushButton>("BtnNext"));
        QTest::keyClick(w->focusWidget(), Qt::Key_Return);
        QCOMPARE(w->currentPage(), 3);
        QVERIFY(w->isVisible());
    }
};

QTEST_MAIN(TestChapt03)
#include "tst_chapt03.moc"
