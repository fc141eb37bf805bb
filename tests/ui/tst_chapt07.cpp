// Chapter 7: the pages, the table of interest figures with its summaries, and
// the extra-money calculator driven as a user drives it.
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QtTest>
#include <memory>

#include "FakePlatform.h"
#include "TestWidgets.h"
#include "TypedInput.h"
#include "common/Layout.h"
#include "common/ResultBox.h"
#include "core/Strstuff.h"
#include "lessons/Chapt07.h"
#include "lessons/Chapters.h"

using namespace quenmark;

namespace {
QString paymentMessage(const QString& entered, const QString& adjusted)
{
    return QStringLiteral("There's a problem with the payment you entered.\n\n$") + entered
           + QStringLiteral(" is too low and will never pay off this debt.  It will automatically be adjusted to $")
           + adjusted + QStringLiteral(".");
}

const QStringList kLeft{"Years1", "Months1", "TotalPayments1", "InterestPaid1", "MoneyPaid1"};
const QStringList kRight{"Years2", "Months2", "TotalPayments2", "InterestPaid2", "MoneyPaid2", "MoneySaved2"};
} // namespace

class TestChapt07 : public QObject
{
    Q_OBJECT

private:
    FakePlatform fake;
    std::unique_ptr<TChapter_007> w;

    template <typename T = QWidget>
    T* find(const char* name)
    {
        return quenmark::test::child<T>(w.get(), name);
    }
    QString label(const char* name) { return find<QLabel>(name)->text(); }
    QString result(const QString& name) { return find<ResultBox>(name.toLatin1().constData())->text(); }
    QStringList results(const QStringList& names)
    {
        QStringList r;
        for (const QString& n : names)
            r << result(n);
        return r;
    }
    int gauge(int n) { return find<LightGauge>(n == 1 ? "Gauge1" : "Gauge2")->value(); }
    void click(const char* name) { QTest::mouseClick(find<QPushButton>(name), Qt::LeftButton); }
    void goToPage(int page)
    {
        while (w->currentPage() < page)
            click("BtnNext");
        while (w->currentPage() > page)
            click("BtnBack");
    }
    void type(const char* box, const QString& text) { quenmark::test::typeInto(find<QLineEdit>(box), text); }
    void enter(const QString& apr, const QString& balance, const QString& payment)
    {
        type("EditApr", apr);
        type("EditBal", balance);
        type("EditPmt", payment);
    }
    void choose(const char* list, const QString& item)
    {
        auto* combo = find<QComboBox>(list);
        const int index = combo->findText(item);
        QVERIFY2(index >= 0, qPrintable(item));
        combo->setCurrentIndex(index);
    }
    void calculate() { click("BtnCalculate"); }
    bool lockedForRun()
    {
        for (const char* n : {"BtnCalculate", "BtnQuit", "BtnContents", "BtnBack"})
            if (find(n)->isEnabled())
                return false;
        return find("BtnStop")->isVisible();
    }

private slots:
    void init()
    {
        fake.clear();
        fake.onMessage = nullptr;
        w = std::make_unique<TChapter_007>();
        w->show();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
    }
    void cleanup() { w.reset(); }

    void opening()
    {
        QCOMPARE(w->windowTitle(), QStringLiteral("Chapter 7"));
        QCOMPARE(label("HeaderTitle"), QStringLiteral(" The Effect of Adding $5 to Each Payment"));
        QCOMPARE(label("TotalPages"), QStringLiteral("5"));
        QCOMPARE(w->currentPage(), 1);
        QCOMPARE(w->notebook()->currentWidget()->objectName(), QStringLiteral("Overview"));
        QVERIFY(find("LblAbort")->isHidden());
        QVERIFY(find("BtnStop")->isHidden());
        QVERIFY(w->withoutExtraStale() && w->withExtraStale());
        QCOMPARE(gauge(1), 0);
        QCOMPARE(gauge(2), 0);
        auto* extra = find<QComboBox>("ExtraMoney");
        QStringList items;
        for (int i = 0; i < extra->count(); ++i)
            items << extra->itemText(i);
        QCOMPARE(items, (QStringList{"     5", "   10", "   15", "   20", "   25", "   50", "   75", " 100", " 250",
                                     " 500", "1000"}));
        QCOMPARE(extra->currentIndex(), 0);
        auto* treat = find<QComboBox>("TreatLike");
        QCOMPARE(treat->count(), 2);
        QCOMPARE(treat->itemText(0), QStringLiteral(" Credit Card"));
        QCOMPARE(treat->itemText(1), QStringLiteral(" Loan"));
        QCOMPARE(treat->currentIndex(), 0);
        for (QComboBox* list : {extra, treat}) {
            QVERIFY(!list->isEditable());
            QVERIFY(!(list->focusPolicy() & Qt::TabFocus));
        }
        const std::pair<const char*, const char*> hints[] = {{"BtnPlus05", "Changes extra amount to $5"},
                                                             {"BtnPlus10", "Changes extra amount to $10"},
                                                             {"BtnPlus20", "Changes extra amount to $20"}};
        for (const auto& [name, hint] : hints)
            QCOMPARE(find(name)->toolTip(), QString::fromLatin1(hint));
    }

    // Page n shows its notebook page and the frame buttons of its place.
    void pages_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("notebookPage");
        QTest::addColumn<QString>("innerPage");
        QTest::addColumn<QString>("buttons"); // shown of PrevChapt, Back, Next, NextChapt
        QTest::newRow("1") << 1 << "Overview" << "" << "PN";
        QTest::newRow("2") << 2 << "page00" << "" << "BN";
        QTest::newRow("3") << 3 << "page01" << "Page01" << "BN";
        QTest::newRow("4") << 4 << "page01" << "Page02" << "BN";
        QTest::newRow("5") << 5 << "page002" << "" << "BC";
    }
    void pages()
    {
        QFETCH(int, page);
        QFETCH(QString, notebookPage);
        QFETCH(QString, innerPage);
        QFETCH(QString, buttons);
        for (bool back : {false, true}) {
            if (back)
                goToPage(5); // and back again
            goToPage(page);
            QCOMPARE(label("PageNumberPanel"), QString::number(page));
            QCOMPARE(w->notebook()->currentWidget()->objectName(), notebookPage);
            if (!innerPage.isEmpty())
                QCOMPARE(find<QStackedWidget>("Notebook2")->currentWidget()->objectName(), innerPage);
            QCOMPARE(find("BtnPrevChapt")->isVisible(), buttons.contains(QLatin1Char('P')));
            QCOMPARE(find("BtnBack")->isVisible(), buttons.contains(QLatin1Char('B')));
            QCOMPARE(find("BtnNext")->isVisible(), buttons.contains(QLatin1Char('N')));
            QCOMPARE(find("BtnNextChapt")->isVisible(), buttons.contains(QLatin1Char('C')));
        }
        if (page == 5)
            QCOMPARE(QApplication::focusWidget(), find("EditName"));
    }

    void backOnFirstAndNextOnLastDoNothing()
    {
        w->BtnBackClick();
        QCOMPARE(w->currentPage(), 1);
        QCOMPARE(w->notebook()->currentIndex(), 0);
        goToPage(5);
        w->BtnNextClick();
        QCOMPARE(w->currentPage(), 5);
        QCOMPARE(label("PageNumberPanel"), QStringLiteral("5"));
        QCOMPARE(w->notebook()->currentWidget()->objectName(), QStringLiteral("page002"));
    }

    // The worked summaries, read back from the table's own total cells.
    void summaries_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("extraTotal");
        QTest::addColumn<QString>("withExtraTotal");
        QTest::addColumn<QStringList>("summary"); // extra, savings, [total savings,] percent
        QTest::newRow("3, $5") << 3 << "BtnPlus05" << "25.00   " << "5,723.29   "
                               << QStringList{"$5", " $4,173.71 ", "42.17%"};
        QTest::newRow("3, $10") << 3 << "BtnPlus10" << "50.00   " << "4,151.99   "
                                << QStringList{"$10", " $5,745.01 ", "58.05%"};
        QTest::newRow("3, $20") << 3 << "BtnPlus20" << "100.00   " << "2,727.58   "
                                << QStringList{"$20", " $7,169.42 ", "72.44%"};
        QTest::newRow("4, $5") << 4 << "BtnPlus05" << "25.00   " << "3,496.72   "
                               << QStringList{"$5", " $1,368.14 ", " $6,400.28 ", " 64.67% "};
        QTest::newRow("4, $10") << 4 << "BtnPlus10" << "50.00   " << "2,807.75   "
                                << QStringList{"$10", " $2,057.11 ", " $7,089.25 ", " 71.63% "};
        QTest::newRow("4, $20") << 4 << "BtnPlus20" << "100.00   " << "2,058.74   "
                                << QStringList{"$20", " $2,806.12 ", " $7,838.26 ", " 79.20% "};
    }
    void summaries()
    {
        QFETCH(int, page);
        QFETCH(QString, button);
        QFETCH(QString, extraTotal);
        QFETCH(QString, withExtraTotal);
        QFETCH(QStringList, summary);
        goToPage(page);
        // On arrival the page shows $5; a button changes only the extra columns and the summary.
        const QString noExtraTotal = label("IntATotal");
        click(button.toLatin1().constData());
        QCOMPARE(label("IntATotal"), noExtraTotal);
        QCOMPARE(label("ExtraTotal"), extraTotal);
        QCOMPARE(label("IntBTotal"), withExtraTotal);
        const QString perCard = extraTotal.left(extraTotal.indexOf(QLatin1Char('.')));
        for (int row = 1; row <= 5; ++row)
            QCOMPARE(label(qPrintable(QStringLiteral("Extra%1").arg(row, 2, 10, QLatin1Char('0')))),
                     QString::number(perCard.toInt() / 5) + QStringLiteral(".00   "));
        const QStringList shown = page == 3 ? QStringList{label("lblExtraPg2"), label("lblSavingsPg2"),
                                                          label("lblPercentPg2")}
                                            : QStringList{label("lblExtraPg3"), label("lblSavingsPg3"),
                                                          label("lblTotalSavingsPg3"), label("lblPercentPg3")};
        QCOMPARE(shown, summary);
    }

    // Each computed column's total is the sum of its five card cells.
    void totalsAreSums_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("noExtraTotal");
        QTest::newRow("declining") << 3 << "9,897.00   ";
        QTest::newRow("constant") << 4 << "4,864.86   ";
    }
    void totalsAreSums()
    {
        QFETCH(int, page);
        QFETCH(QString, noExtraTotal);
        goToPage(page);
        QCOMPARE(label("IntATotal"), noExtraTotal);
        for (const char* button : {"BtnPlus05", "BtnPlus10", "BtnPlus20"}) {
            click(button);
            for (const char* column : {"IntA", "IntB", "Extra"}) {
                double sum = 0;
                for (int row = 1; row <= 5; ++row) {
                    const QString cell = label(qPrintable(QStringLiteral("%1%2").arg(column).arg(row, 2, 10, QLatin1Char('0'))));
                    QVERIFY(cell.endsWith(QStringLiteral("   ")));
                    sum += TextToAmount(cell.toStdString());
                }
                QCOMPARE(label(qPrintable(QStringLiteral("%1Total").arg(column))),
                         QString::fromStdString(AmountToText(sum)) + QStringLiteral("   "));
            }
        }
    }

    void pageColours_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QColor>("titleColour");
        QTest::addColumn<QColor>("totalBackground");
        QTest::addColumn<QColor>("totalText");
        QTest::newRow("3") << 3 << "Declining Payment Method" << colour::maroon << QColor(192, 192, 192) << colour::black;
        QTest::newRow("4") << 4 << "Constant Payment Method" << colour::green << colour::green << colour::white;
    }
    void pageColours()
    {
        QFETCH(int, page);
        QFETCH(QString, title);
        QFETCH(QColor, titleColour);
        QFETCH(QColor, totalBackground);
        QFETCH(QColor, totalText);
        for (int visit : {page, 7 - page, page}) { // there, to the other page, back
            goToPage(visit);
        }
        QCOMPARE(label("Title01"), title);
        QCOMPARE(find("Title01")->palette().color(QPalette::WindowText), titleColour);
        QCOMPARE(find("IntATotal")->palette().color(QPalette::Window), totalBackground);
        QCOMPARE(find("IntATotal")->palette().color(QPalette::WindowText), totalText);
    }

    // Each page keeps its own choice: $20 on page 3 stays when page 4 is
    // visited, which shows its own $5.
    void choicesKeptPerPage()
    {
        goToPage(3);
        click("BtnPlus20");
        QCOMPARE(label("lblExtraPg2"), QStringLiteral("$20"));
        goToPage(4);
        QCOMPARE(label("lblExtraPg3"), QStringLiteral("$5"));
        QCOMPARE(label("IntBTotal"), QStringLiteral("3,496.72   "));
        goToPage(3);
        QCOMPARE(label("lblExtraPg2"), QStringLiteral("$20"));
        QCOMPARE(label("IntBTotal"), QStringLiteral("2,727.58   "));
        QCOMPARE(label("lblSavingsPg2"), QStringLiteral(" $7,169.42 "));
    }

    // ---- the calculator ---------------------------------------------------------

    void accessibleNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("spoken");
        QTest::newRow("name") << "EditName" << "Creditor Name";
        QTest::newRow("apr") << "EditApr" << "Annual Percentage Rate";
        QTest::newRow("bal") << "EditBal" << "Current Balance";
        QTest::newRow("pmt") << "EditPmt" << "Monthly Payment";
        QTest::newRow("extra") << "ExtraMoney" << "Extra Money Amount";
        QTest::newRow("treat") << "TreatLike" << "Treat Like A ...";
        const char* words[] = {"Payoff Time Yr", "Payoff Time Mo", "Total Payments", "Interest Paid", "Money Paid",
                               "MONEY SAVED"};
        for (int i = 0; i < 6; ++i) {
            if (i < 5)
                QTest::addRow("%s", qPrintable(kLeft[i]))
                    << kLeft[i] << QStringLiteral("Without Extra Money: ") + QLatin1String(words[i]);
            QTest::addRow("%s", qPrintable(kRight[i]))
                << kRight[i] << QStringLiteral("With Extra Money: ") + QLatin1String(words[i]);
        }
        QTest::newRow("gauge 1") << "Gauge1" << "Without Extra Money: payoff progress";
        QTest::newRow("gauge 2") << "Gauge2" << "With Extra Money: payoff progress";
    }
    void accessibleNames()
    {
        QFETCH(QString, name);
        QFETCH(QString, spoken);
        QWidget* control = find(name.toLatin1().constData());
        if (!qobject_cast<QComboBox*>(control)) {
            QCOMPARE(quenmark::test::spokenName(control), spoken);
            return;
        }
        // A list is read by its choice, and labelled by its label's words.
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(control);
        QStringList labels;
        for (const auto& [other, relation] : iface->relations(QAccessible::Label))
            labels << other->text(QAccessible::Name);
        QCOMPARE(labels, QStringList{spoken});
        QCOMPARE(control->accessibleName(), spoken);
    }

    void tabOrder()
    {
        goToPage(5);
        QCOMPARE(QApplication::focusWidget(), find("EditName"));
        for (const char* n : {"EditApr", "EditBal", "EditPmt", "BtnCalculate"}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), QString::fromLatin1(n));
        }
        // The lists are reached by their keys.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_E, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), find("ExtraMoney"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_T, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), find("TreatLike"));
    }

    // Card 2 in both modes with $5 extra: every figure of both panels.
    void cardTwo_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QStringList>("left");
        QTest::addColumn<QStringList>("right");
        QTest::newRow("credit card") << " Credit Card" << QStringList{"15", "3", "183", "$2,487.89", "$4,587.89"}
                                     << QStringList{"10", "4", "124", "$1,763.36", "$3,863.36", "$724.53"};
        QTest::newRow("loan") << " Loan" << QStringList{"5", "1", "61", "$1,100.63", "$3,200.63"}
                              << QStringList{"4", "5", "53", "$942.66", "$3,042.66", "$157.97"};
    }
    void cardTwo()
    {
        QFETCH(QString, mode);
        QFETCH(QStringList, left);
        QFETCH(QStringList, right);
        goToPage(5);
        type("EditName", QStringLiteral("Card 2"));
        enter("17.9", "2100", "53");
        choose("TreatLike", mode);
        int shownSavedEarly = 0;
        w->payoffRunner().onYield = [&](const PayoffState&) {
            QVERIFY(lockedForRun());
            if (!result("MoneySaved2").isEmpty())
                ++shownSavedEarly;
        };
        calculate();
        QCOMPARE(results(kLeft), left);
        QCOMPARE(results(kRight), right);
        QCOMPARE(gauge(1), 100);
        QCOMPARE(gauge(2), 100);
        QCOMPARE(shownSavedEarly, 0); // filled only when the right gauge reaches 100
        QVERIFY(fake.messages.isEmpty());
        QVERIFY(!lockedForRun());
        QVERIFY(find("BtnNextChapt")->isEnabled());
        QVERIFY(!find("LblAbort")->isVisible());
        QCOMPARE(find<QLineEdit>("EditBal")->text(), QStringLiteral("2100.00"));
        QVERIFY(!w->withoutExtraStale() && !w->withExtraStale());
    }

    // The calculator reproduces the fixed figures of pages 3 and 4 for every
    // sample card (read from the page's own tables), and its payment counts
    // are the payoff months of chapter 6's charts.
    void figuresMatchTheTables_data()
    {
        QTest::addColumn<int>("card");
        QTest::addColumn<bool>("loan");
        QTest::addColumn<int>("months");
        const int declining[5] = {277, 183, 159, 133, 103};
        const int constant[5] = {98, 61, 69, 101, 71};
        for (int card = 1; card <= 5; ++card) {
            QTest::addRow("card %d credit card", card) << card << false << declining[card - 1];
            QTest::addRow("card %d loan", card) << card << true << constant[card - 1];
        }
    }
    void figuresMatchTheTables()
    {
        QFETCH(int, card);
        QFETCH(bool, loan);
        QFETCH(int, months);
        const QString row = QStringLiteral("%1").arg(card, 2, 10, QLatin1Char('0'));
        auto cell = [&](const char* column) {
            return label(qPrintable(QLatin1String(column) + row)).trimmed();
        };
        // The card as page 2 shows it.
        goToPage(2);
        const QString apr = cell("CardApr").remove(QLatin1Char('%'));
        const QString balance = cell("CardBal").remove(QLatin1Char('$')).remove(QLatin1Char(','));
        const QString payment = cell("CardPmt").remove(QLatin1Char('$'));
        // Its interest figures as page 3 (declining) or 4 (constant) shows them.
        goToPage(loan ? 4 : 3);
        const QString noExtra = cell("IntA");
        QStringList withExtra;
        for (const char* button : {"BtnPlus05", "BtnPlus10", "BtnPlus20"}) {
            click(button);
            withExtra << cell("IntB");
        }

        goToPage(5);
        enter(apr, balance, payment);
        choose("TreatLike", loan ? QStringLiteral(" Loan") : QStringLiteral(" Credit Card"));
        const int runsBefore = w->payoffRunner().runsStarted();
        const QString extras[3] = {QStringLiteral("     5"), QStringLiteral("   10"), QStringLiteral("   20")};
        for (int i = 0; i < 3; ++i) {
            choose("ExtraMoney", extras[i]);
            calculate();
            QCOMPARE(result("InterestPaid1"), QStringLiteral("$") + noExtra);
            QCOMPARE(result("TotalPayments1"), QString::number(months));
            QCOMPARE(result("InterestPaid2"), QStringLiteral("$") + withExtra[i]);
            QCOMPARE(gauge(2), 100);
        }
        // Only the first Calculate ran the panel without extra money.
        QCOMPARE(w->payoffRunner().runsStarted() - runsBefore, 4);
        QVERIFY(fake.messages.isEmpty());
    }

    // Which panels a Calculate reruns after a change.
    void staleFlags_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<int>("runs");
        QTest::newRow("nothing") << "" << 1;
        QTest::newRow("extra amount") << "extra" << 1;
        QTest::newRow("treat like") << "treat" << 2;
        QTest::newRow("creditor name") << "EditName" << 2;
        QTest::newRow("apr") << "EditApr" << 2;
        QTest::newRow("balance") << "EditBal" << 2;
        QTest::newRow("payment") << "EditPmt" << 2;
    }
    void staleFlags()
    {
        QFETCH(QString, change);
        QFETCH(int, runs);
        goToPage(5);
        enter("17.9", "2100", "53");
        calculate();
        const QStringList left = results(kLeft);
        QCOMPARE(left[2], QStringLiteral("183"));
        if (change == QLatin1String("extra"))
            choose("ExtraMoney", QStringLiteral("   10"));
        else if (change == QLatin1String("treat"))
            choose("TreatLike", QStringLiteral(" Loan"));
        else if (!change.isEmpty())
            QTest::keyClick(find<QLineEdit>(change.toLatin1().constData()), Qt::Key_0);
        // A change empties the panels it makes stale at once.
        const bool both = runs == 2;
        if (!change.isEmpty()) {
            QCOMPARE(results(kRight), QStringList(kRight.size(), QString()));
            QCOMPARE(gauge(2), 0);
            QCOMPARE(results(kLeft), both ? QStringList(kLeft.size(), QString()) : left);
            QCOMPARE(gauge(1), both ? 0 : 100);
        }
        const int before = w->payoffRunner().runsStarted();
        calculate();
        QCOMPARE(w->payoffRunner().runsStarted() - before, runs);
        QVERIFY(!result("MoneySaved2").isEmpty());
        if (!both)
            QCOMPARE(results(kLeft), left);
    }

    // Stop in the left run: the right run never starts, both panels are
    // stale, and the next Calculate runs both again.
    void stopInTheLeftRun()
    {
        goToPage(5);
        enter("30", "100000", "2601");
        int yields = 0;
        QString atLastYield;
        w->payoffRunner().onYield = [&](const PayoffState& s) {
            atLastYield = result("TotalPayments1");
            QCOMPARE(atLastYield, QString::fromStdString(CountToText(s.MonthCount)));
            if (++yields == 40)
                QTimer::singleShot(0, this, [this] { click("BtnStop"); });
        };
        const int before = w->payoffRunner().runsStarted();
        calculate();
        QCOMPARE(w->payoffRunner().runsStarted() - before, 1);
        QVERIFY(find("LblAbort")->isVisible());
        QCOMPARE(label("LblAbort"), QStringLiteral(" ** Calculation Aborted by User ** "));
        // No last notification: the figures of the last refresh stay.
        QCOMPARE(result("TotalPayments1"), atLastYield);
        QCOMPARE(result("TotalPayments1"), QStringLiteral("280"));
        QVERIFY(gauge(1) < 100);
        QCOMPARE(results(kRight), QStringList(kRight.size(), QString()));
        QVERIFY(w->withoutExtraStale() && w->withExtraStale());
        QVERIFY(!lockedForRun());
        QVERIFY(!w->liveSurface()->hasPending()); // the last figures reached the screen

        w->payoffRunner().onYield = nullptr;
        calculate();
        QCOMPARE(w->payoffRunner().runsStarted() - before, 3);
        QVERIFY(!find("LblAbort")->isVisible());
        QCOMPARE(result("TotalPayments1"), QStringLiteral("5,387"));
        QCOMPARE(gauge(2), 100);
        QVERIFY(!result("MoneySaved2").isEmpty());
    }

    void stopInTheRightRun()
    {
        goToPage(5);
        enter("30", "100000", "2601");
        int yields = 0;
        w->payoffRunner().onYield = [&](const PayoffState&) {
            if (w->payoffRunner().runsStarted() == 2 && ++yields == 3)
                QTimer::singleShot(0, this, [this] { click("BtnStop"); });
        };
        calculate();
        QCOMPARE(result("TotalPayments1"), QStringLiteral("5,387"));
        QCOMPARE(result("TotalPayments2"), QStringLiteral("21"));
        QVERIFY(result("MoneySaved2").isEmpty());
        QVERIFY(w->withoutExtraStale() && w->withExtraStale());
    }

    // Part of the edge cases of the payment check and the zero-interest runs.
    void paymentCheck_data()
    {
        QTest::addColumn<QString>("apr");
        QTest::addColumn<QString>("balance");
        QTest::addColumn<QString>("payment");
        QTest::addColumn<QString>("message"); // empty: the run goes on
        QTest::addColumn<QString>("paymentBox");
        QTest::newRow("18 / 1234.56 / 20.00") << "18" << "1234.56" << "20.00" << "" << "20.00";
        QTest::newRow("18 / 1234.56 / 19.99") << "18" << "1234.56" << "19.99" << paymentMessage("19.99", "20.00")
                                              << "20.00";
        QTest::newRow("0 / 900 / 0") << "0" << "900" << "0" << paymentMessage("0.00", "25.00") << "25.00";
        QTest::newRow("17.9 / 0 / 0.50") << "17.9" << "0" << "0.50" << paymentMessage("0.50", "1.00") << "1.00";
    }
    void paymentCheck()
    {
        QFETCH(QString, apr);
        QFETCH(QString, balance);
        QFETCH(QString, payment);
        QFETCH(QString, message);
        QFETCH(QString, paymentBox);
        goToPage(5);
        enter(apr, balance, payment);
        const int before = w->payoffRunner().runsStarted();
        calculate();
        QCOMPARE(find<QLineEdit>("EditPmt")->text(), paymentBox);
        if (message.isEmpty()) {
            QVERIFY(fake.messages.isEmpty());
            QCOMPARE(w->payoffRunner().runsStarted() - before, 2);
            return;
        }
        QCOMPARE(fake.messages.size(), 1);
        QCOMPARE(fake.messages[0].icon, Platform::MessageIcon::Error);
        QCOMPARE(fake.messages[0].text, message);
        QCOMPARE(fake.beeps, 1);
        QCOMPARE(QApplication::focusWidget(), find("EditPmt"));
        QCOMPARE(find<QLineEdit>("EditPmt")->selectedText(), paymentBox);
        QCOMPARE(w->payoffRunner().runsStarted(), before);
        QCOMPARE(result("TotalPayments1"), QString());
    }

    void aprAbove30GoesOn()
    {
        goToPage(5);
        enter("35", "2100", "55");
        calculate();
        QCOMPARE(fake.messages.size(), 1);
        QCOMPARE(fake.messages[0].icon, Platform::MessageIcon::Information);
        QCOMPARE(fake.messages[0].text,
                 QStringLiteral("The Annual Percentage Rate you entered of 35.00% is too high.\n\nThe Annual Percentage "
                                "Rate will automatically be adjusted to 30.00%.\n"));
        QCOMPARE(find<QLineEdit>("EditApr")->text(), QStringLiteral("30.00"));
        QCOMPARE(gauge(2), 100); // went on at 30 %, where 55.00 is the least accepted
        QVERIFY(result("TotalPayments1").remove(QLatin1Char(',')).toInt() > 1000);
    }

    // APR 0, balance 900, payment 25: no interest; the card payment follows
    // the balance down to the $15 floor, the loan payment stays.
    void noInterest_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("payments");
        QTest::newRow("credit card") << " Credit Card" << "55";
        QTest::newRow("loan") << " Loan" << "36";
    }
    void noInterest()
    {
        QFETCH(QString, mode);
        QFETCH(QString, payments);
        goToPage(5);
        enter("0", "900", "0");
        calculate(); // suggests 25.00
        choose("TreatLike", mode);
        calculate();
        QCOMPARE(fake.messages.size(), 1);
        QCOMPARE(result("TotalPayments1"), payments);
        QCOMPARE(result("InterestPaid1"), QStringLiteral("$0.00"));
        QCOMPARE(result("MoneyPaid1"), QStringLiteral("$900.00"));
        QCOMPARE(result("InterestPaid2"), QStringLiteral("$0.00"));
        QCOMPARE(result("MoneySaved2"), QStringLiteral("$0.00"));
    }

    // Balance 0: nothing runs, nothing shows; the stale panels are emptied.
    void noBalance()
    {
        goToPage(5);
        enter("17.9", "2100", "53");
        calculate();
        type("EditBal", QStringLiteral("0"));
        const int before = w->payoffRunner().runsStarted();
        calculate();
        QVERIFY(fake.messages.isEmpty());
        QCOMPARE(w->payoffRunner().runsStarted(), before);
        QCOMPARE(results(kLeft), QStringList(kLeft.size(), QString()));
        QCOMPARE(results(kRight), QStringList(kRight.size(), QString()));
        QVERIFY(!find("BtnStop")->isVisible());
    }

    // Closing the window in any way during either run ends the runs, then
    // the chapter with result 2 (or the leaving button's result).
    void closeDuringRun_data()
    {
        QTest::addColumn<int>("run");
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("result");
        for (int run : {1, 2}) {
            QTest::addRow("run %d, close()", run) << run << "close" << 2;
            QTest::addRow("run %d, title bar", run) << run << "titlebar" << 2;
            QTest::addRow("run %d, contents", run) << run << "contents" << 4;
            QTest::addRow("run %d, destroyed", run) << run << "destroy" << -1;
        }
    }
    void closeDuringRun()
    {
        QFETCH(int, run);
        QFETCH(QString, how);
        QFETCH(int, result);
        goToPage(5);
        enter("30", "100000", "2601");
        TChapter_007* raw = w.get();
        bool asked = false;
        raw->payoffRunner().onYield = [&, raw](const PayoffState&) {
            if (asked || raw->payoffRunner().runsStarted() != run)
                return;
            asked = true;
            QTimer::singleShot(0, this, [this, how] {
                if (how == QLatin1String("close")) {
                    w->close();
                } else if (how == QLatin1String("titlebar")) {
                    QCloseEvent close;
                    QApplication::sendEvent(w->windowHandle(), &close);
                } else if (how == QLatin1String("contents")) {
                    w->BtnContentsClick();
                } else {
                    w.reset();
                }
            });
        };
        raw->BtnCalculateClick();
        if (result < 0) {
            QVERIFY(!w);
            return;
        }
        QCOMPARE(w->result(), result);
        QVERIFY(!w->isVisible());
        QCOMPARE(w->payoffRunner().runsStarted(), run);
        QVERIFY(!w->payoffRunner().running());
    }

    void runsInTheChapterLoopFactory()
    {
        std::unique_ptr<LessonFrame> chapter(createChapterWindow(7, nullptr));
        QVERIFY(qobject_cast<TChapter_007*>(chapter.get()));
    }

    // Typed text of every kind and random list choices: every run ends, every
    // box shows two decimals, no result is non-finite.
    void fuzzTypedInput()
    {
        goToPage(5);
        quenmark::test::TypedTextGenerator generator(20240707u);
        const QRegularExpression twoDecimals(QStringLiteral("^\\d+\\.\\d\\d$"));
        const QRegularExpression nonFinite(QStringLiteral("inf|nan"), QRegularExpression::CaseInsensitiveOption);
        auto* extra = find<QComboBox>("ExtraMoney");
        auto* treat = find<QComboBox>("TreatLike");
        const char* boxes[] = {"EditApr", "EditBal", "EditPmt"};
        for (int i = 0; i < 1000; ++i) {
            quenmark::test::enterText(find<QLineEdit>("EditName"), generator.next());
            for (const char* box : boxes)
                quenmark::test::enterText(find<QLineEdit>(box), generator.next());
            extra->setCurrentIndex(generator.pick(extra->count()));
            treat->setCurrentIndex(generator.pick(2));
            calculate();
            for (const char* box : boxes) {
                const QString t = find<QLineEdit>(box)->text();
                QVERIFY2(twoDecimals.match(t).hasMatch(), qPrintable(QStringLiteral("%1 shows '%2'").arg(box, t)));
            }
            QVERIFY(find<QLineEdit>("EditApr")->text().toDouble() <= 30.0);
            for (const QString& r : results(kLeft) + results(kRight))
                QVERIFY2(!nonFinite.match(r).hasMatch(), qPrintable(r));
            QVERIFY(!w->payoffRunner().running());
            QVERIFY(find("BtnCalculate")->isEnabled());
            QVERIFY(!find("BtnStop")->isVisible());
        }
    }
};

QTEST_MAIN(TestChapt07)
#include "tst_chapt07.moc"
