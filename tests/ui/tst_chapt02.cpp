// Chapter 2: the term pages and the payoff calculator. (Reading a box's text
// in every form: tst_core_reader; the run's figures: tst_core_payoff; Enter on
// the page: tst_keyboard.)
#include <QApplication>
#include <QBackingStore>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QtTest>
#include <memory>

#include "ChapterFixture.h"
#include "FakePlatform.h"
#include "TestWidgets.h"
#include "TypedInput.h"
#include "common/ResultBox.h"
#include "lessons/Chapt02.h"

using namespace quenmark;

namespace {
const QString kAprMessage45 = QStringLiteral(
    "The Annual Percentage Rate you entered of 45.00% is too high.\n\nThe Annual Percentage Rate will "
    "automatically be adjusted to 30.00%.\n");

QString paymentMessage(const QString& entered, const QString& adjusted)
{
    return QStringLiteral("There's a problem with the payment you entered.\n\n$") + entered
           + QStringLiteral(" is too low and will never pay off this debt.  It will automatically be adjusted to $")
           + adjusted + QStringLiteral(".");
}
} // namespace

class TestChapt02 : public QObject, public quenmark::test::ChapterFixture<TChapter_002>
{
    Q_OBJECT

private:
    QLineEdit* edit(const QString& name) { return find<QLineEdit>(name); }
    ResultBox* box(const QString& name) { return find<ResultBox>(name); }
    // The text of an input box or of a result box.
    QString text(const QString& name)
    {
        if (auto* r = w->findChild<ResultBox*>(name))
            return r->text();
        return edit(name)->text();
    }
    int gauge() { return find<LightGauge>("Gauge")->value(); }

    void openCalculator()
    {
        auto* next = find<QPushButton>("BtnNext");
        while (w->currentPage() < 8)
            QTest::mouseClick(next, Qt::LeftButton);
    }
    void calculate() { QTest::mouseClick(find<QPushButton>("BtnGoFigure"), Qt::LeftButton); }
    QStringList results()
    {
        QStringList r;
        for (const char* n : {"EditStdYr", "EditStdMo", "EditStdPayments", "EditStdInterest", "EditStdMoney",
                              "EditStdAverage"})
            r << text(QLatin1String(n));
        return r;
    }
    // Calculate, Quit, Contents, Back and Next Chapter all enabled (or all disabled).
    bool controlsEnabled(bool enabled = true)
    {
        for (const char* n : {"BtnGoFigure", "BtnQuit", "BtnContents", "BtnBack", "BtnNextChapt"})
            if (find(QLatin1String(n))->isEnabled() != enabled)
                return false;
        return true;
    }

private slots:
    void init()
    {
        fake.clear();
        fake.onMessage = nullptr;
        w = std::make_unique<TChapter_002>();
        w->show();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
    }
    void cleanup() { w.reset(); }

    void opening()
    {
        QCOMPARE(w->windowTitle(), QStringLiteral("Chapter 2"));
        QCOMPARE(w->totalPageCount(), 8);
        QVERIFY(find("LblAbort")->isHidden());
        QVERIFY(find("PanelWhy")->isHidden());
        QVERIFY(find("BtnStop")->isHidden());
        for (const char* n : {"EditName", "EditApr", "EditBal", "EditPmt"})
            QVERIFY(text(QLatin1String(n)).isEmpty());
    }

    void headings_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("heading");
        QTest::newRow("0") << 0 << "Chapter Overview:";
        QTest::newRow("1") << 1 << "PERIODIC RATE";
        QTest::newRow("2") << 2 << "MONTHLY FINANCE CHARGE";
        QTest::newRow("3") << 3 << "MINIMUM PAYMENT PERCENTAGE";
        QTest::newRow("4") << 4 << "MINIMUM MONTHLY PAYMENT";
        QTest::newRow("5") << 5 << "Finance Charge Calculation Methods";
        QTest::newRow("6") << 6 << "INTRODUCTORY OFFER";
        QTest::newRow("7") << 7 << "Check Out One of Your Credit Cards";
    }
    void headings()
    {
        QFETCH(int, index);
        QFETCH(QString, heading);
        auto* h = w->notebook()->widget(index)->findChild<QLabel*>(QStringLiteral("Heading"));
        QVERIFY(h);
        QCOMPARE(h->text(), heading);
    }

    void exampleRows_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QStringList>("rows"); // text, value, text, value...
        QTest::newRow("periodic rate") << 1
                                       << QStringList{" Example  17.9% divided by 12", " = 1.4916666%", " Rounded",
                                                      " = 1.49167%", " Converted to a decimal number",
                                                      " = 0.0149167"};
        QTest::newRow("finance charge") << 2
                                        << QStringList{" Example $2100 multiplied by 0.0149167", " = $31.32507",
                                                       " Rounded", " = $31.33"};
        QTest::newRow("percentage") << 3
                                    << QStringList{" Example Minimum Payment Percentage", " = 2.5%",
                                                   " Converted to a whole number (divide by 100)", " = 0.025"};
        QTest::newRow("payment") << 4
                                 << QStringList{" Example  $2100 multiplied by 0.025", " = $52.50", " Rounded",
                                                " = $53.00"};
    }
    void exampleRows()
    {
        QFETCH(int, index);
        QFETCH(QStringList, rows);
        QWidget* page = w->notebook()->widget(index);
        QStringList shown;
        for (int i = 1; auto* t = page->findChild<QLabel*>(QStringLiteral("ExampleText%1").arg(i)); ++i)
            shown << t->text() << page->findChild<QLabel*>(QStringLiteral("ExampleValue%1").arg(i))->text();
        QCOMPARE(shown, rows);
    }

    // What the calculator page shows, and what a screen reader says for each
    // box: the words of its label.
    void calculatorWords_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("words");
        const std::pair<const char*, const char*> rows[] = {
            {"LabelName", "Creditor Name"}, {"LabelAPR", "Annual Percentage Rate"}, {"LabelBal", "Current Balance"},
            {"LabelPmt", "Monthly Payment"}, {"lblStdTime", "Payoff Time"}, {"lblStdYr", " Yr "}, {"lblStdMo", " Mo "},
            {"lblStdPayments", " Total Payments "}, {"lblStdInterest", "Interest Paid "}, {"lblStdMoney", "Money Paid "},
            {"lblStdAverage", "Average Payment"}, {"LblAbort", " ** Calculation Aborted by User ** "},
            {"PanelWhy", "In the next chapter, I'll explain why credit cards cost so much and take so long to pay off."},
            {"BtnGoFigure", "Calculate"}, {"BtnStop", "Stop"},
            // Spoken names.
            {"EditName", "Creditor Name"}, {"EditApr", "Annual Percentage Rate"}, {"EditBal", "Current Balance"},
            {"EditPmt", "Monthly Payment"}, {"EditStdYr", "Payoff Time Yr"}, {"EditStdMo", "Payoff Time Mo"},
            {"EditStdPayments", "Total Payments"}, {"EditStdInterest", "Interest Paid"}, {"EditStdMoney", "Money Paid"},
            {"EditStdAverage", "Average Payment"}, {"Gauge", "Payoff progress"}};
        for (const auto& [name, words] : rows)
            QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(words);
    }
    void calculatorWords()
    {
        QFETCH(QString, name);
        QFETCH(QString, words);
        QWidget* control = find(name);
        if (auto* l = qobject_cast<QLabel*>(control))
            QCOMPARE(l->text(), words);
        else if (auto* b = qobject_cast<QPushButton*>(control))
            QCOMPARE(b->text(), words);
        else
            QCOMPARE(quenmark::test::spokenName(control), words);
    }

    // A screen reader reads each result box as a read-only text with its
    // figure (reached by Tab, not by a click), and the gauge as a progress
    // bar with its percentage.
    void resultBoxesAreReadOnly()
    {
        openCalculator();
        enter("17.9", "2100", "53");
        calculate();
        const std::pair<const char*, const char*> figures[] = {
            {"EditStdYr", "15"}, {"EditStdMo", "3"}, {"EditStdPayments", "183"}, {"EditStdInterest", "$2,487.89"},
            {"EditStdMoney", "$4,587.89"}, {"EditStdAverage", "$25.07"}};
        for (const auto& [n, figure] : figures) {
            ResultBox* b = box(QLatin1String(n));
            QCOMPARE(b->focusPolicy(), Qt::TabFocus);
            QCOMPARE(b->cursor().shape(), Qt::ArrowCursor);
            QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(b);
            QCOMPARE(iface->role(), QAccessible::EditableText);
            QVERIFY(iface->state().readOnly);
            QCOMPARE(iface->text(QAccessible::Value), QString::fromLatin1(figure));
            QAccessibleTextInterface* t = iface->textInterface();
            QVERIFY(t);
            QCOMPARE(t->text(0, t->characterCount()), QString::fromLatin1(figure));
        }
        QAccessibleInterface* g = QAccessible::queryAccessibleInterface(find("Gauge"));
        QCOMPARE(g->role(), QAccessible::ProgressBar);
        QCOMPARE(g->text(QAccessible::Value), QStringLiteral("100%"));
        QVERIFY(g->valueInterface());
        QCOMPARE(g->valueInterface()->currentValue().toInt(), 100);
        QCOMPARE(g->valueInterface()->maximumValue().toInt(), 100);
    }

    // The running example end to end: the display is written after month 1
    // and every seventh month, each update is in the window at once (the
    // backing store holds the payments box as it paints itself now), and the
    // controls that could start a run or leave are locked meanwhile.
    void runningExample()
    {
        openCalculator();
        enter("17.9", "2100", "53");
        ResultBox* payments = box("EditStdPayments");
        QStringList shown;
        bool drawn = true;
        bool locked = true;
        w->payoffRunner().onYield = [&](const PayoffState&) {
            shown << payments->text();
            auto* image = dynamic_cast<QImage*>(w->backingStore()->paintDevice());
            const QRect r(payments->mapTo(w.get(), QPoint(0, 0)), payments->size());
            drawn = drawn && image
                    && image->copy(r).convertToFormat(QImage::Format_RGB32)
                           == payments->grab().toImage().convertToFormat(QImage::Format_RGB32);
            locked = locked && controlsEnabled(false) && find("BtnStop")->isVisible() && find("EditApr")->isEnabled();
        };
        calculate();
        QCOMPARE(shown.size(), 183 / 7);
        QCOMPARE(shown.first(), QStringLiteral("7"));
        QCOMPARE(shown.last(), QStringLiteral("182"));
        QVERIFY(drawn);
        QVERIFY(locked);
        QVERIFY(controlsEnabled() && !find("BtnStop")->isVisible() && !find("LblAbort")->isVisible());
        QCOMPARE(QStringList({text("EditApr"), text("EditBal"), text("EditPmt")}),
                 QStringList({"17.90", "2100.00", "53.00"}));
    }

    // The window system gets at most one flush per 8 ms of the clock, plus
    // those of the reset before the run and of its end, however many updates.
    void flushesAreCapped_data()
    {
        QTest::addColumn<int>("msPerUpdate");
        QTest::newRow("clock still") << 0;
        QTest::newRow("1 ms per update") << 1;
        QTest::newRow("8 ms per update") << 8;
    }
    void flushesAreCapped()
    {
        QFETCH(int, msPerUpdate);
        openCalculator();
        enter("30", "100000", "2601");
        w->payoffRunner().onYield = [&](const PayoffState&) { fake.now += static_cast<std::uint64_t>(msPerUpdate); };
        const int flushes = w->liveSurface()->flushCount();
        calculate();
        QCOMPARE(text("EditStdPayments"), QStringLiteral("5,381"));
        QCOMPARE(gauge(), 100);
        QVERIFY(!w->liveSurface()->hasPending());
        const int yields = w->payoffRunner().lastState().MonthCount / 7;
        const int expected = msPerUpdate == 0 ? 2 : 2 + yields * msPerUpdate / 8;
        QVERIFY2(qAbs(w->liveSurface()->flushCount() - flushes - expected) <= 1,
                 qPrintable(QString::number(w->liveSurface()->flushCount() - flushes)));
    }

    // Arriving on the page focuses the name; Tab runs name, APR, balance,
    // payment, Calculate, and reads the boxes it leaves.
    void focusAndTabOrder()
    {
        openCalculator();
        QCOMPARE(QApplication::focusWidget(), find("EditName"));
        for (const char* n : {"EditApr", "EditBal", "EditPmt", "BtnGoFigure"}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), QString::fromLatin1(n));
        }
        QCOMPARE(text("EditApr"), QStringLiteral("0.00"));
        QCOMPARE(text("EditPmt"), QStringLiteral("0.00"));
        QVERIFY(text("EditName").isEmpty());
    }

    void labelsFocusTheirBoxes_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("box");
        QTest::newRow("name") << "LabelName" << "EditName";
        QTest::newRow("apr") << "LabelAPR" << "EditApr";
        QTest::newRow("bal") << "LabelBal" << "EditBal";
        QTest::newRow("pmt") << "LabelPmt" << "EditPmt";
    }
    void labelsFocusTheirBoxes()
    {
        QFETCH(QString, label);
        QFETCH(QString, box);
        openCalculator();
        find<QPushButton>("BtnGoFigure")->setFocus();
        QTest::mouseClick(find<QLabel>(label), Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget()->objectName(), box);
    }

    // Leaving a box reads it and writes it back with two decimals, silently.
    void readingOnExit_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("empty") << "EditBal" << "" << "0.00";
        QTest::newRow("plain") << "EditBal" << "2100" << "2100.00";
        QTest::newRow("cents") << "EditPmt" << "53.005" << "53.01";
        QTest::newRow("negative apr") << "EditApr" << "-45" << "0.00";
    }
    void readingOnExit()
    {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        openCalculator();
        type(box, typed);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(text(box), shown);
        QVERIFY(fake.messages.isEmpty());
        QCOMPARE(fake.beeps, 0);
    }

    void aprAbove30()
    {
        openCalculator();
        type("EditApr", QStringLiteral("45"));
        QTest::keyClick(edit("EditApr"), Qt::Key_Tab);
        QCOMPARE(fake.messages.size(), 1);
        QCOMPARE(fake.messages[0].title, QStringLiteral("Information"));
        QCOMPARE(fake.messages[0].icon, Platform::MessageIcon::Information);
        QCOMPARE(fake.messages[0].text, kAprMessage45);
        QCOMPARE(fake.beeps, 1);
        QCOMPARE(text("EditApr"), QStringLiteral("30.00"));
        QCOMPARE(QApplication::focusWidget(), find("EditApr"));
        QCOMPARE(edit("EditApr")->selectedText(), QStringLiteral("30.00"));
        // The balance box was not read on the way: the focus went back at once.
        QVERIFY(text("EditBal").isEmpty());
    }

    void aprAbove30AtCalculateGoesOn()
    {
        openCalculator();
        edit("EditApr")->setText(QStringLiteral("45"));
        edit("EditBal")->setText(QStringLiteral("2100"));
        edit("EditPmt")->setText(QStringLiteral("55"));
        calculate();
        QCOMPARE(fake.messages.size(), 1);
        QCOMPARE(fake.messages[0].text, kAprMessage45);
        QCOMPARE(text("EditApr"), QStringLiteral("30.00"));
        // The run went on at 30 %: 55.00 is the least payment accepted there.
        QCOMPARE(gauge(), 100);
        QVERIFY(text("EditStdPayments").remove(QLatin1Char(',')).toInt() > 1000);
    }

    // A payment the check replaces (beep, error message, the box corrected,
    // focused and selected, nothing calculated) runs at the next Calculate.
    void calculations_data()
    {
        QTest::addColumn<QStringList>("inputs");  // APR, balance, payment as typed
        QTest::addColumn<QString>("message");     // the error message, or none
        QTest::addColumn<QString>("payment");     // EditPmt after the first Calculate
        QTest::addColumn<QStringList>("figures"); // after the run
        QTest::addColumn<bool>("why");            // PanelWhy shown (after a run with interest)
        QTest::newRow("least accepted") << QStringList{"17.9", "2100", "20"} << paymentMessage("20.00", "34.00")
                                        << "34.00"
                                        << QStringList{"69", "6", "834", "$15,760.05", "$17,860.05", "$21.41"} << true;
        QTest::newRow("no interest, no payment")
            << QStringList{"0", "2100", ""} << paymentMessage("0.00", "58.33") << "58.33"
            << QStringList{"3", "1", "37", "$0.00", "$2,100.00", "$56.76"} << false;
        QTest::newRow("no interest") << QStringList{"0", "2100", "100"} << "" << "100.00"
                                     << QStringList{"1", "9", "21", "$0.00", "$2,100.00", "$100.00"} << false;
        QTest::newRow("no balance, interest") << QStringList{"17.9", "0", "0"} << paymentMessage("0.00", "1.00")
                                              << "1.00" << QStringList{"0", "0", "0", "$0.00", "$0.00", ""} << true;
        QTest::newRow("no balance, no interest") << QStringList{"0", "0", ""} << "" << "0.00"
                                                 << QStringList{"0", "0", "0", "$0.00", "$0.00", ""} << false;
    }
    void calculations()
    {
        QFETCH(QStringList, inputs);
        QFETCH(QString, message);
        QFETCH(QString, payment);
        QFETCH(QStringList, figures);
        QFETCH(bool, why);
        openCalculator();
        enter(inputs[0], inputs[1], inputs[2]);
        calculate();
        QCOMPARE(text("EditPmt"), payment);
        QCOMPARE(fake.messages.size(), message.isEmpty() ? 0 : 1);
        QCOMPARE(fake.beeps, message.isEmpty() ? 0 : 1);
        if (!message.isEmpty()) {
            QCOMPARE(fake.messages[0].title, QStringLiteral("Error"));
            QCOMPARE(fake.messages[0].icon, Platform::MessageIcon::Error);
            QCOMPARE(fake.messages[0].text, message);
            QCOMPARE(QApplication::focusWidget(), find("EditPmt"));
            QCOMPARE(edit("EditPmt")->selectedText(), payment);
            QVERIFY(text("EditStdPayments").isEmpty());
            QVERIFY(find("PanelWhy")->isHidden());
            calculate();
            QCOMPARE(fake.messages.size(), 1);
        }
        QCOMPARE(results(), figures);
        QCOMPARE(gauge(), 100);
        QCOMPARE(find("PanelWhy")->isVisible(), why);
    }

    // Stop ends the run at once: the notice, the totals reached and a gauge
    // below 100; the next Calculate hides the notice again.
    void stop_data()
    {
        QTest::addColumn<int>("atYield");
        QTest::addColumn<QString>("payments");
        QTest::newRow("at once") << 1 << "7";
        QTest::newRow("late") << 500 << "3,500";
    }
    void stop()
    {
        QFETCH(int, atYield);
        QFETCH(QString, payments);
        openCalculator();
        enter("30", "100000", "2601");
        int yields = 0;
        w->payoffRunner().onYield = [&](const PayoffState&) {
            if (++yields == atYield) // clicked while the run lets input through
                QTimer::singleShot(0, this, [this] { QTest::mouseClick(find<QPushButton>("BtnStop"), Qt::LeftButton); });
        };
        calculate();
        QVERIFY(find("LblAbort")->isVisible());
        QCOMPARE(text("EditStdPayments"), payments);
        QVERIFY(gauge() < 100);
        QVERIFY(!find("BtnStop")->isVisible());
        QVERIFY(controlsEnabled());

        w->payoffRunner().onYield = nullptr;
        enter("17.9", "2100", "53");
        calculate();
        QVERIFY(!find("LblAbort")->isVisible());
        QCOMPARE(text("EditStdPayments"), QStringLiteral("183"));
    }

    // Closing the window in any way during a run ends the run at once, then
    // the chapter with result 2 (or the leaving button's result).
    void leavingDuringRun_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("result");
        QTest::newRow("close()") << "close" << 2;
        QTest::newRow("title bar") << "titlebar" << 2;
        QTest::newRow("contents") << "contents" << 4;
        QTest::newRow("destroyed") << "destroy" << -1;
    }
    void leavingDuringRun()
    {
        QFETCH(QString, how);
        QFETCH(int, result);
        openCalculator();
        enter("30", "100000", "2601");
        QTimer::singleShot(0, this, [this, how] {
            if (how == QLatin1String("close")) {
                w->close();
            } else if (how == QLatin1String("titlebar")) {
                QCloseEvent close; // what the window system sends for the close button
                QApplication::sendEvent(w->windowHandle(), &close);
            } else if (how == QLatin1String("contents")) {
                w->BtnContentsClick();
            } else {
                w.reset();
            }
        });
        TChapter_002* raw = w.get();
        raw->BtnGoFigureClick();
        if (result < 0) {
            QVERIFY(!w);
            return;
        }
        QCOMPARE(w->result(), result);
        QVERIFY(!w->isVisible());
        QCOMPARE(text("EditStdPayments"), QStringLiteral("7"));
    }

    // As the chapter loop shows it: modal, released after it closes.
    void closeDuringModalRun()
    {
        w->hide();
        QTimer::singleShot(0, this, [this] {
            openCalculator();
            enter("30", "100000", "2601");
            QTimer::singleShot(0, this, [this] { w->close(); });
            calculate();
        });
        QCOMPARE(w->exec(), 2);
        w.reset();
    }

    // Runs bracketed by beginRuns/endRuns (chapter 7 makes two in a row) keep
    // the controls locked in between, so no click slips through there.
    void runnerHoldsLockAcrossRuns()
    {
        openCalculator();
        PayoffRunner& runner = w->payoffRunner();
        auto none = [](const PayoffState&) {};
        runner.beginRuns();
        QCOMPARE(runner.run(17.9, 2100, 53, PayoffOptions::payoffCalculator(), none), PayoffRunner::Outcome::Finished);
        QVERIFY(runner.running() && controlsEnabled(false) && find("BtnStop")->isVisible());
        QCOMPARE(runner.run(17.9, 2100, 34, PayoffOptions::payoffCalculator(), none), PayoffRunner::Outcome::Finished);
        QVERIFY(runner.endRuns());
        QVERIFY(!runner.running() && controlsEnabled() && !find("BtnStop")->isVisible());
    }

    void creditorNameChangesNothing()
    {
        openCalculator();
        type("EditName", QStringLiteral("Big Bank \u00e9\u4e2d 45%"));
        QTest::keyClick(edit("EditName"), Qt::Key_Tab);
        QCOMPARE(text("EditName"), QStringLiteral("Big Bank \u00e9\u4e2d 45%"));
        QVERIFY(fake.messages.isEmpty());
        QCOMPARE(fake.beeps, 0);
    }

    // Typed text of every kind ends in a two-decimal value in every box and a
    // finite display.
    void fuzzTypedInput()
    {
        openCalculator();
        quenmark::test::TypedTextGenerator generator(20240611u);
        const QStringList boxes{"EditApr", "EditBal", "EditPmt"};
        for (int i = 0; i < 1000; ++i) {
            for (const QString& b : boxes)
                quenmark::test::enterText(edit(b), generator.next());
            calculate();
            QStringList shown;
            for (const QString& b : boxes)
                shown << text(b);
            QVERIFY2(quenmark::test::boxesReadBack(shown) && quenmark::test::allFinite(results()),
                     qPrintable((shown + results()).join(QLatin1Char('|'))));
            QVERIFY(controlsEnabled() && !find("BtnStop")->isVisible());
            QVERIFY(gauge() >= 0 && gauge() <= 100);
        }
    }
};

QTEST_MAIN(TestChapt02)
#include "tst_chapt02.moc"
