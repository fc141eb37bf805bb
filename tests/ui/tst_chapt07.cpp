// Chapter 7: the pages, the table of interest figures with its summaries, and
// the extra-money calculator driven as a user drives it.
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QtTest>
#include <memory>

#include "ChapterFixture.h"
#include "FakePlatform.h"
#include "TestWidgets.h"
#include "TypedInput.h"
#include "common/Layout.h"
#include "common/ResultBox.h"
#include "core/MoneyText.h"
#include "lessons/Chapt07.h"
#include "lessons/Chapters.h"

using namespace quenmark;

namespace {
const QStringList kLeft{"Years1", "Months1", "TotalPayments1", "InterestPaid1", "MoneyPaid1"};
const QStringList kRight{"Years2", "Months2", "TotalPayments2", "InterestPaid2", "MoneyPaid2", "MoneySaved2"};
const QString kPaymentProblem = QStringLiteral("There's a problem with the payment you entered.\n\n$%1 is too low and "
                                               "will never pay off this debt.  It will automatically be adjusted to $%2.");
QString row2(int row) // "01".."05"
{
    return QStringLiteral("%1").arg(row, 2, 10, QLatin1Char('0'));
}
} // namespace

class TestChapt07 : public QObject, public quenmark::test::ChapterFixture<TChapter_007>
{
    Q_OBJECT

private:
    QStringList results(const QStringList& names)
    {
        QStringList r;
        for (const QString& n : names)
            r << find<ResultBox>(n)->text();
        return r;
    }
    QString result(const QString& name) { return find<ResultBox>(name)->text(); }
    int gauge(int n) { return find<LightGauge>(QStringLiteral("Gauge%1").arg(n))->value(); }
    int runs() { return w->payoffRunner().runsStarted(); }
    void choose(const char* list, const QString& item)
    {
        auto* combo = find<QComboBox>(QLatin1String(list));
        QVERIFY2(combo->findText(item) >= 0, qPrintable(item));
        combo->setCurrentIndex(combo->findText(item));
    }
    void calculate() { click("BtnCalculate"); }
    bool lockedForRun()
    {
        for (const char* n : {"BtnCalculate", "BtnQuit", "BtnContents", "BtnBack"})
            if (find(QLatin1String(n))->isEnabled())
                return false;
        return find(QStringLiteral("BtnStop"))->isVisible();
    }

private slots:
    void init()
    {
        fake.clear();
        w = std::make_unique<TChapter_007>();
        w->show();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
    }
    void cleanup() { w.reset(); }

    void opening()
    {
        QVERIFY(qobject_cast<TChapter_007*>(std::unique_ptr<LessonFrame>(createChapterWindow(7, nullptr)).get()));
        QVERIFY(find("LblAbort")->isHidden() && find("BtnStop")->isHidden());
        QVERIFY(w->withoutExtraStale() && w->withExtraStale());
        QCOMPARE(gauge(1) + gauge(2), 0);
        const std::pair<const char*, QStringList> lists[] = {
            {"ExtraMoney", {"     5", "   10", "   15", "   20", "   25", "   50", "   75", " 100", " 250", " 500", "1000"}},
            {"TreatLike", {" Credit Card", " Loan"}}};
        for (const auto& [name, items] : lists) {
            auto* list = find<QComboBox>(QLatin1String(name));
            QStringList shown;
            for (int i = 0; i < list->count(); ++i)
                shown << list->itemText(i);
            QCOMPARE(shown, items);
            QCOMPARE(list->currentIndex(), 0);
            QVERIFY(!list->isEditable() && !(list->focusPolicy() & Qt::TabFocus));
        }
        for (int amount : {5, 10, 20})
            QCOMPARE(find(QStringLiteral("BtnPlus%1").arg(amount, 2, 10, QLatin1Char('0')))->toolTip(),
                     QStringLiteral("Changes extra amount to $%1").arg(amount));
    }

    // Page n shows its notebook page and the frame buttons of its place,
    // reached forward or back.
    void pages_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("notebookPage");
        QTest::addColumn<QString>("buttons"); // shown: PrevChapt, Back, Next, NextChapt
        QTest::newRow("1") << 1 << "Overview" << "PN";
        QTest::newRow("2") << 2 << "page00" << "BN";
        QTest::newRow("3") << 3 << "page01/Page01" << "BN";
        QTest::newRow("4") << 4 << "page01/Page02" << "BN";
        QTest::newRow("5") << 5 << "page002" << "BC";
    }
    void pages()
    {
        QFETCH(int, page);
        QFETCH(QString, notebookPage);
        QFETCH(QString, buttons);
        for (int via : {page, 5, 1}) {
            goToPage(via);
            goToPage(page);
            QString shown = w->notebook()->currentWidget()->objectName();
            if (page == 3 || page == 4)
                shown += QLatin1Char('/') + find<QStackedWidget>("Notebook2")->currentWidget()->objectName();
            QCOMPARE(shown, notebookPage);
            QCOMPARE(label("PageNumberPanel"), QString::number(page));
            QString visible;
            for (const auto& [name, letter] : {std::pair{"BtnPrevChapt", 'P'}, {"BtnBack", 'B'}, {"BtnNext", 'N'},
                                               {"BtnNextChapt", 'C'}})
                if (find(QLatin1String(name))->isVisible())
                    visible += QLatin1Char(letter);
            QCOMPARE(visible, buttons);
        }
        // Back on page 1 and Next on page 5 do nothing.
        (page == 1 ? w->BtnBackClick() : w->BtnNextClick());
        QCOMPARE(w->currentPage(), page == 1 || page == 5 ? page : page + 1);
        if (page == 5)
            QCOMPARE(QApplication::focusWidget(), find("EditName"));
    }

    // The worked summaries, read back from the table's own total cells; every
    // total is the sum of its five card cells.
    void summaries_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("amount");
        QTest::addColumn<QStringList>("totals"); // no extra, extra, with extra
        QTest::addColumn<QStringList>("summary"); // extra, savings, [total savings,] percent
        const QString d = QStringLiteral("9,897.00   ");
        const QString c = QStringLiteral("4,864.86   ");
        QTest::newRow("3, $5") << 3 << 5 << QStringList{d, "25.00   ", "5,723.29   "}
                               << QStringList{"$5", " $4,173.71 ", "42.17%"};
        QTest::newRow("3, $10") << 3 << 10 << QStringList{d, "50.00   ", "4,151.99   "}
                                << QStringList{"$10", " $5,745.01 ", "58.05%"};
        QTest::newRow("3, $20") << 3 << 20 << QStringList{d, "100.00   ", "2,727.58   "}
                                << QStringList{"$20", " $7,169.42 ", "72.44%"};
        QTest::newRow("4, $5") << 4 << 5 << QStringList{c, "25.00   ", "3,496.72   "}
                               << QStringList{"$5", " $1,368.14 ", " $6,400.28 ", " 64.67% "};
        QTest::newRow("4, $10") << 4 << 10 << QStringList{c, "50.00   ", "2,807.75   "}
                                << QStringList{"$10", " $2,057.11 ", " $7,089.25 ", " 71.63% "};
        QTest::newRow("4, $20") << 4 << 20 << QStringList{c, "100.00   ", "2,058.74   "}
                                << QStringList{"$20", " $2,806.12 ", " $7,838.26 ", " 79.20% "};
    }
    void summaries()
    {
        QFETCH(int, page);
        QFETCH(int, amount);
        QFETCH(QStringList, totals);
        QFETCH(QStringList, summary);
        goToPage(page);
        QCOMPARE(page == 3 ? label("lblExtraPg2") : label("lblExtraPg3"), QStringLiteral("$5")); // on arrival
        QTest::mouseClick(find<QPushButton>(QStringLiteral("BtnPlus%1").arg(amount, 2, 10, QLatin1Char('0'))),
                          Qt::LeftButton);
        QStringList shownTotals;
        for (const char* column : {"IntA", "Extra", "IntB"}) {
            double sum = 0;
            for (int row = 1; row <= 5; ++row)
                sum += TextToAmount(label(QLatin1String(column) + row2(row)).toStdString());
            const QString total = label(QLatin1String(column) + QStringLiteral("Total"));
            QCOMPARE(total, QString::fromStdString(AmountToText(sum)) + QStringLiteral("   "));
            shownTotals << total;
        }
        QCOMPARE(shownTotals, totals);
        QCOMPARE(label("Extra01"), QStringLiteral("%1.00   ").arg(amount));
        const QStringList names = page == 3 ? QStringList{"lblExtraPg2", "lblSavingsPg2", "lblPercentPg2"}
                                            : QStringList{"lblExtraPg3", "lblSavingsPg3", "lblTotalSavingsPg3",
                                                          "lblPercentPg3"};
        QStringList shown;
        for (const QString& n : names)
            shown << label(n);
        QCOMPARE(shown, summary);
    }

    // "$20 Extra" on page 3, then page 4 (its own $5), back to page 3 ($20
    // kept); each page's title and total colours.
    void choicesAndColoursPerPage()
    {
        goToPage(3);
        click("BtnPlus20");
        goToPage(4);
        QCOMPARE(label("lblExtraPg3"), QStringLiteral("$5"));
        QCOMPARE(label("IntBTotal"), QStringLiteral("3,496.72   "));
        QCOMPARE(label("Title01"), QStringLiteral("Constant Payment Method"));
        QCOMPARE(find("Title01")->palette().color(QPalette::WindowText), colour::green);
        QCOMPARE(find("IntATotal")->palette().color(QPalette::Window), colour::green);
        QCOMPARE(find("IntATotal")->palette().color(QPalette::WindowText), colour::white);
        goToPage(3);
        QCOMPARE(label("lblExtraPg2"), QStringLiteral("$20"));
        QCOMPARE(label("lblSavingsPg2"), QStringLiteral(" $7,169.42 "));
        QCOMPARE(label("Title01"), QStringLiteral("Declining Payment Method"));
        QCOMPARE(find("Title01")->palette().color(QPalette::WindowText), colour::maroon);
        QCOMPARE(find("IntATotal")->palette().color(QPalette::Window), QColor(192, 192, 192));
        QCOMPARE(find("IntATotal")->palette().color(QPalette::WindowText), colour::black);
    }

    // ---- the calculator ---------------------------------------------------------

    void accessibility_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("spoken");
        QTest::newRow("apr") << "EditApr" << "Annual Percentage Rate";
        QTest::newRow("pmt") << "EditPmt" << "Monthly Payment";
        QTest::newRow("extra") << "ExtraMoney" << "Extra Money Amount";
        QTest::newRow("treat") << "TreatLike" << "Treat Like A ...";
        const char* words[] = {"Payoff Time Yr", "Payoff Time Mo", "Total Payments", "Interest Paid", "Money Paid",
                               "MONEY SAVED"};
        for (int i = 0; i < 6; ++i) {
            if (i < 5)
                QTest::addRow("%s", qPrintable(kLeft[i])) << kLeft[i] << QStringLiteral("Without Extra Money: ") + words[i];
            QTest::addRow("%s", qPrintable(kRight[i])) << kRight[i] << QStringLiteral("With Extra Money: ") + words[i];
        }
        QTest::newRow("gauge 1") << "Gauge1" << "Without Extra Money: payoff progress";
        QTest::newRow("gauge 2") << "Gauge2" << "With Extra Money: payoff progress";
    }
    void accessibility()
    {
        QFETCH(QString, name);
        QFETCH(QString, spoken);
        QWidget* control = find(name);
        QCOMPARE(control->accessibleName(), spoken);
        if (!qobject_cast<QComboBox*>(control)) {
            QCOMPARE(quenmark::test::spokenName(control), spoken);
            return;
        }
        // A list is read by its choice and labelled by its label; its key reaches it.
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(control);
        QStringList labels;
        for (const auto& [other, relation] : iface->relations(QAccessible::Label))
            labels << other->text(QAccessible::Name);
        QCOMPARE(labels, QStringList{spoken});
        goToPage(5);
        QTest::keyClick(QApplication::focusWidget(), name == QLatin1String("ExtraMoney") ? Qt::Key_E : Qt::Key_T,
                        Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), control);
    }

    void tabOrder()
    {
        goToPage(5);
        for (const char* n : {"EditApr", "EditBal", "EditPmt", "BtnCalculate"}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), QString::fromLatin1(n));
        }
    }

    // Card 2 with $5 extra: every figure of both panels.
    void cardTwo_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QStringList>("figures"); // left, then right
        QTest::newRow("credit card") << " Credit Card"
                                     << QStringList{"15", "3", "183", "$2,487.89", "$4,587.89", "10", "4", "124",
                                                    "$1,763.36", "$3,863.36", "$724.53"};
        QTest::newRow("loan") << " Loan"
                              << QStringList{"5", "1", "61", "$1,100.63", "$3,200.63", "4", "5", "53", "$942.66",
                                             "$3,042.66", "$157.97"};
    }
    void cardTwo()
    {
        QFETCH(QString, mode);
        QFETCH(QStringList, figures);
        goToPage(5);
        enter("17.9", "2100", "53");
        choose("TreatLike", mode);
        bool savedEarly = false;
        bool locked = true;
        w->payoffRunner().onYield = [&](const PayoffState&) {
            locked = locked && lockedForRun();
            savedEarly = savedEarly || !result("MoneySaved2").isEmpty();
        };
        calculate();
        QCOMPARE(results(kLeft + kRight), figures);
        QCOMPARE(gauge(1) + gauge(2), 200);
        QVERIFY(locked);
        QVERIFY(!savedEarly); // MONEY SAVED only once the right gauge reaches 100
        QVERIFY(!lockedForRun() && find("BtnNextChapt")->isEnabled());
        QVERIFY(fake.messages.isEmpty());
        QCOMPARE(find<QLineEdit>("EditBal")->text(), QStringLiteral("2100.00"));
        QVERIFY(!w->withoutExtraStale() && !w->withExtraStale());
    }

    // For every sample card (as page 2 shows it), in both modes, the
    // calculator gives the interest figures that pages 3 and 4 show (no
    // extra, $5, $10, $20), and the payoff months of chapter 6's charts.
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
        auto cell = [&](const char* column) { return label(QLatin1String(column) + row2(card)).trimmed(); };
        goToPage(2);
        const QString apr = cell("CardApr").remove(QLatin1Char('%'));
        const QString balance = cell("CardBal").remove(QLatin1Char('$')).remove(QLatin1Char(','));
        const QString payment = cell("CardPmt").remove(QLatin1Char('$'));
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
        const int before = runs();
        const QString extras[3] = {QStringLiteral("     5"), QStringLiteral("   10"), QStringLiteral("   20")};
        for (int i = 0; i < 3; ++i) {
            choose("ExtraMoney", extras[i]);
            calculate();
            QCOMPARE(result("InterestPaid1"), QStringLiteral("$") + noExtra);
            QCOMPARE(result("TotalPayments1"), QString::number(months));
            QCOMPARE(result("InterestPaid2"), QStringLiteral("$") + withExtra[i]);
        }
        QCOMPARE(runs() - before, 4); // the left panel ran once
        QVERIFY(fake.messages.isEmpty());
    }

    // Which panels a change empties at once, and which a Calculate reruns.
    void staleFlags_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<int>("runs");
        QTest::newRow("nothing") << "" << 1;
        QTest::newRow("extra amount") << "extra" << 1;
        QTest::newRow("treat like") << "treat" << 2;
        for (const char* box : {"EditName", "EditApr", "EditBal", "EditPmt"})
            QTest::newRow(box) << box << 2;
    }
    void staleFlags()
    {
        QFETCH(QString, change);
        QFETCH(int, runs);
        goToPage(5);
        enter("17.9", "2100", "53");
        calculate();
        const QStringList left = results(kLeft);
        if (change == QLatin1String("extra"))
            choose("ExtraMoney", QStringLiteral("   10"));
        else if (change == QLatin1String("treat"))
            choose("TreatLike", QStringLiteral(" Loan"));
        else if (!change.isEmpty())
            QTest::keyClick(find<QLineEdit>(change), Qt::Key_0);
        const bool both = runs == 2;
        if (!change.isEmpty()) {
            QCOMPARE(results(kRight), QStringList(kRight.size(), QString()));
            QCOMPARE(results(kLeft), both ? QStringList(kLeft.size(), QString()) : left);
            QCOMPARE(gauge(1) + gauge(2), both ? 0 : 100);
        }
        const int before = this->runs();
        calculate();
        QCOMPARE(this->runs() - before, runs);
        QVERIFY(!result("MoneySaved2").isEmpty());
        if (!both)
            QCOMPARE(results(kLeft), left);
    }

    // An input changed while the runs are under way leaves the panels it
    // concerns stale: the next Calculate recomputes them, so MONEY SAVED never
    // compares figures of different inputs.
    void changeDuringRuns_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("withoutStale");
        QTest::newRow("balance") << "EditBal" << true;
        QTest::newRow("extra amount") << "ExtraMoney" << false;
    }
    void changeDuringRuns()
    {
        QFETCH(QString, change);
        QFETCH(bool, withoutStale);
        goToPage(5);
        enter("30", "100000", "2601");
        bool changed = false;
        w->payoffRunner().onYield = [&](const PayoffState&) {
            if (!changed && (changed = true)) {
                if (auto* box = qobject_cast<QLineEdit*>(find(change)))
                    box->setText(QStringLiteral("5000"));
                else
                    choose("ExtraMoney", QStringLiteral("   50"));
            }
        };
        calculate();
        QCOMPARE(w->withoutExtraStale(), withoutStale);
        QVERIFY(w->withExtraStale());
        w->payoffRunner().onYield = nullptr;
        const int before = runs();
        calculate();
        QCOMPARE(runs() - before, withoutStale ? 2 : 1);
        const double a = TextToAmount(result("MoneyPaid1").mid(1).toStdString());
        const double b = TextToAmount(result("MoneyPaid2").mid(1).toStdString());
        QCOMPARE(result("MoneySaved2"), QStringLiteral("$") + QString::fromStdString(AmountToText(a - b)));
        QVERIFY(b < (withoutStale ? 6000 : a));
    }

    // Stop in the left run: the right run never starts, the left keeps the
    // figures of its last refresh (no last notification), both panels are
    // stale, and the next Calculate runs both again.
    void stopInTheLeftRun()
    {
        goToPage(5);
        enter("30", "100000", "2601");
        int yields = 0;
        w->payoffRunner().onYield = [&](const PayoffState&) {
            if (++yields == 40)
                QTimer::singleShot(0, this, [this] { click("BtnStop"); });
        };
        const int before = runs();
        calculate();
        QCOMPARE(runs() - before, 1);
        QVERIFY(find("LblAbort")->isVisible());
        QCOMPARE(label("LblAbort"), QStringLiteral(" ** Calculation Aborted by User ** "));
        QCOMPARE(result("TotalPayments1"), QStringLiteral("280")); // 40 x 7
        QVERIFY(gauge(1) < 100);
        QCOMPARE(results(kRight), QStringList(kRight.size(), QString()));
        QVERIFY(w->withoutExtraStale() && w->withExtraStale());
        QVERIFY(!lockedForRun());
        QVERIFY(!w->liveSurface()->hasPending()); // the last figures reached the screen

        w->payoffRunner().onYield = nullptr;
        calculate();
        QCOMPARE(runs() - before, 3);
        QVERIFY(!find("LblAbort")->isVisible());
        QCOMPARE(gauge(1) + gauge(2), 200);
    }

    // The payment check and the edge inputs of the calculator.
    void edgeInputs_data()
    {
        QTest::addColumn<QStringList>("inputs"); // APR, balance, payment, treat like
        QTest::addColumn<QString>("message");     // empty: none
        QTest::addColumn<QString>("boxes");       // APR and payment boxes after the Calculate
        QTest::addColumn<QString>("payments");    // left panel; "" nothing ran, "*" it ran
        QTest::newRow("APR 35 goes on at 30") << QStringList{"35", "2100", "55", " Credit Card"}
                                              << "The Annual Percentage Rate you entered of 35.00% is too high.\n\nThe "
                                                 "Annual Percentage Rate will automatically be adjusted to 30.00%.\n"
                                              << "30.00 55.00" << "*";
        QTest::newRow("18 / 1234.56 / 20.00") << QStringList{"18", "1234.56", "20", " Credit Card"} << ""
                                              << "18.00 20.00" << "*";
        QTest::newRow("18 / 1234.56 / 19.99") << QStringList{"18", "1234.56", "19.99", " Credit Card"}
                                              << kPaymentProblem.arg("19.99", "20.00") << "18.00 20.00" << "";
        QTest::newRow("0 / 900 / 0") << QStringList{"0", "900", "", " Credit Card"}
                                     << kPaymentProblem.arg("0.00", "25.00") << "0.00 25.00" << "";
        QTest::newRow("0 / 900 / 25 card") << QStringList{"0", "900", "25", " Credit Card"} << "" << "0.00 25.00"
                                           << "55";
        QTest::newRow("0 / 900 / 25 loan") << QStringList{"0", "900", "25", " Loan"} << "" << "0.00 25.00" << "36";
        QTest::newRow("balance 0, payment 0.50") << QStringList{"17.9", "0", "0.50", " Credit Card"}
                                                 << kPaymentProblem.arg("0.50", "1.00") << "17.90 1.00" << "";
        QTest::newRow("balance 0") << QStringList{"17.9", "0", "5", " Loan"} << "" << "17.90 5.00" << "";
    }
    void edgeInputs()
    {
        QFETCH(QStringList, inputs);
        QFETCH(QString, message);
        QFETCH(QString, boxes);
        QFETCH(QString, payments);
        goToPage(5);
        enter("17.9", "2100", "53");
        calculate(); // figures on show, which a change or a run replaces
        choose("TreatLike", inputs[3]);
        enter(inputs[0], inputs[1], inputs[2]);
        const int before = runs();
        calculate();
        QCOMPARE(fake.messages.size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty()) {
            QCOMPARE(fake.messages[0].text, message);
            QCOMPARE(fake.beeps, 1);
        }
        QCOMPARE(find<QLineEdit>("EditApr")->text() + QLatin1Char(' ') + find<QLineEdit>("EditPmt")->text(), boxes);
        QCOMPARE(runs() - before, payments.isEmpty() ? 0 : 2);
        if (payments.isEmpty()) {
            QCOMPARE(results(kLeft + kRight), QStringList(kLeft.size() + kRight.size(), QString()));
        } else {
            QCOMPARE(gauge(1) + gauge(2), 200);
            if (payments != QLatin1String("*"))
                QCOMPARE(result("TotalPayments1"), payments);
        }
        if (message.startsWith(QLatin1String("There's"))) { // the payment box is ready to correct
            QCOMPARE(QApplication::focusWidget(), find("EditPmt"));
            QCOMPARE(find<QLineEdit>("EditPmt")->selectedText(), find<QLineEdit>("EditPmt")->text());
        }
        if (inputs[0] == QLatin1String("0") && !payments.isEmpty())
            QCOMPARE(results({"InterestPaid1", "InterestPaid2"}), (QStringList{"$0.00", "$0.00"}));
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
        QCOMPARE(runs(), run);
        QVERIFY(!w->payoffRunner().running());
    }

    // Typed text of every kind and random list choices: every run ends, every
    // box shows two decimals, no result is non-finite.
    void fuzzTypedInput()
    {
        goToPage(5);
        quenmark::test::TypedTextGenerator generator(20240707u);
        auto* extra = find<QComboBox>("ExtraMoney");
        const QStringList boxes{"EditApr", "EditBal", "EditPmt"};
        for (int i = 0; i < 1000; ++i) {
            quenmark::test::enterText(find<QLineEdit>("EditName"), generator.next());
            for (const QString& box : boxes)
                quenmark::test::enterText(find<QLineEdit>(box), generator.next());
            extra->setCurrentIndex(generator.pick(extra->count()));
            find<QComboBox>("TreatLike")->setCurrentIndex(generator.pick(2));
            calculate();
            QStringList shown;
            for (const QString& box : boxes)
                shown << find<QLineEdit>(box)->text();
            QVERIFY2(quenmark::test::boxesReadBack(shown) && quenmark::test::allFinite(results(kLeft + kRight)),
                     qPrintable((shown + results(kLeft + kRight)).join(QLatin1Char('|'))));
            QVERIFY(!w->payoffRunner().running() && find("BtnCalculate")->isEnabled() && !find("BtnStop")->isVisible());
        }
    }
};

QTEST_MAIN(TestChapt07)
#include "tst_chapt07.moc"
