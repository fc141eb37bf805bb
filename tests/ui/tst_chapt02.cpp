// Chapter 2: the term pages and the payoff calculator.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QBackingStore>
#include <QPushButton>
#include <QStackedWidget>
#include <QtTest>
#include <QRegularExpression>
#include <memory>

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

class TestChapt02 : public QObject
{
    Q_OBJECT

private:
    FakePlatform fake;
    std::unique_ptr<TChapter_002> w;

    template <typename T = QWidget>
    T* find(const char* name)
    {
        return quenmark::test::child<T>(w.get(), name);
    }
    QLineEdit* edit(const char* name) { return find<QLineEdit>(name); }
    ResultBox* box(const char* name) { return find<ResultBox>(name); }
    // The text of an input box or of a result box.
    QString text(const char* name)
    {
        if (auto* r = w->findChild<ResultBox*>(QString::fromLatin1(name)))
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
    // Types into a box as a user would: focus, select all, type.
    void type(const char* box, const QString& s) { quenmark::test::typeInto(edit(box), s); }
    void enter(const QString& apr, const QString& balance, const QString& payment)
    {
        type("EditApr", apr);
        type("EditBal", balance);
        type("EditPmt", payment);
    }
    void calculate() { QTest::mouseClick(find<QPushButton>("BtnGoFigure"), Qt::LeftButton); }
    QStringList results()
    {
        QStringList r;
        for (const char* n : {"EditStdYr", "EditStdMo", "EditStdPayments", "EditStdInterest", "EditStdMoney",
                              "EditStdAverage"})
            r << text(n);
        return r;
    }
    bool frameButtonsEnabled()
    {
        for (const char* n : {"BtnQuit", "BtnContents", "BtnBack", "BtnNextChapt"})
            if (!find(n)->isEnabled())
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
        QCOMPARE(w->currentPage(), 1);
        QVERIFY(find("LblAbort")->isHidden());
        QVERIFY(find("PanelWhy")->isHidden());
        QVERIFY(find("BtnStop")->isHidden());
        for (const char* n : {"EditName", "EditApr", "EditBal", "EditPmt"})
            QVERIFY(text(n).isEmpty());
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
        QWidget* page = w->notebook()->widget(index);
        QVERIFY(page);
        auto* h = page->findChild<QLabel*>(QStringLiteral("Heading"));
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
        for (int i = 0; i < rows.size() / 2; ++i) {
            auto* t = page->findChild<QLabel*>(QStringLiteral("ExampleText%1").arg(i + 1));
            auto* v = page->findChild<QLabel*>(QStringLiteral("ExampleValue%1").arg(i + 1));
            QVERIFY(t && v);
            QCOMPARE(t->text(), rows[2 * i]);
            QCOMPARE(v->text(), rows[2 * i + 1]);
        }
        QVERIFY(!page->findChild<QLabel*>(QStringLiteral("ExampleText%1").arg(rows.size() / 2 + 1)));
    }

    void calculatorTexts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::newRow("name") << "LabelName" << "Creditor Name";
        QTest::newRow("apr") << "LabelAPR" << "Annual Percentage Rate";
        QTest::newRow("bal") << "LabelBal" << "Current Balance";
        QTest::newRow("pmt") << "LabelPmt" << "Monthly Payment";
        QTest::newRow("time") << "lblStdTime" << "Payoff Time";
        QTest::newRow("yr") << "lblStdYr" << " Yr ";
        QTest::newRow("mo") << "lblStdMo" << " Mo ";
        QTest::newRow("payments") << "lblStdPayments" << " Total Payments ";
        QTest::newRow("interest") << "lblStdInterest" << "Interest Paid ";
        QTest::newRow("money") << "lblStdMoney" << "Money Paid ";
        QTest::newRow("average") << "lblStdAverage" << "Average Payment";
        QTest::newRow("abort") << "LblAbort" << " ** Calculation Aborted by User ** ";
        QTest::newRow("why") << "PanelWhy"
                             << "In the next chapter, I'll explain why credit cards cost so much and take so long to "
                                "pay off.";
    }
    void calculatorTexts()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        auto* l = w->findChild<QLabel*>(name);
        QVERIFY(l);
        QCOMPARE(l->text(), text);
        QCOMPARE(find<QPushButton>("BtnGoFigure")->text(), QStringLiteral("Calculate"));
        QCOMPARE(find<QPushButton>("BtnStop")->text(), QStringLiteral("Stop"));
    }

    void accessibleNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("accessible");
        QTest::newRow("name") << "EditName" << "Creditor Name";
        QTest::newRow("apr") << "EditApr" << "Annual Percentage Rate";
        QTest::newRow("bal") << "EditBal" << "Current Balance";
        QTest::newRow("pmt") << "EditPmt" << "Monthly Payment";
        QTest::newRow("yr") << "EditStdYr" << "Payoff Time Yr";
        QTest::newRow("mo") << "EditStdMo" << "Payoff Time Mo";
        QTest::newRow("payments") << "EditStdPayments" << "Total Payments";
        QTest::newRow("interest") << "EditStdInterest" << "Interest Paid";
        QTest::newRow("money") << "EditStdMoney" << "Money Paid";
        QTest::newRow("average") << "EditStdAverage" << "Average Payment";
    }
    void accessibleNames()
    {
        QFETCH(QString, name);
        QFETCH(QString, accessible);
        auto* e = w->findChild<QWidget*>(name);
        QVERIFY(e);
        QCOMPARE(e->accessibleName(), accessible);
        QCOMPARE(quenmark::test::spokenName(e), accessible);
    }

    // A screen reader reads each result box as a read-only text with its
    // name and its figure, and the gauge as a progress bar with its percentage.
    void resultBoxesAreReadOnly()
    {
        openCalculator();
        enter("17.9", "2100", "53");
        calculate();
        const std::pair<const char*, const char*> figures[] = {
            {"EditStdYr", "15"}, {"EditStdMo", "3"}, {"EditStdPayments", "183"}, {"EditStdInterest", "$2,487.89"},
            {"EditStdMoney", "$4,587.89"}, {"EditStdAverage", "$25.07"}};
        for (const auto& [n, figure] : figures) {
            QCOMPARE(box(n)->focusPolicy(), Qt::NoFocus);
            QCOMPARE(box(n)->cursor().shape(), Qt::ArrowCursor);
            QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(box(n));
            QVERIFY(iface);
            QCOMPARE(iface->role(), QAccessible::EditableText);
            QVERIFY(iface->state().readOnly);
            QCOMPARE(iface->text(QAccessible::Value), QString::fromLatin1(figure));
            QAccessibleTextInterface* t = iface->textInterface();
            QVERIFY(t);
            QCOMPARE(t->characterCount(), static_cast<int>(qstrlen(figure)));
            QCOMPARE(t->text(0, t->characterCount()), QString::fromLatin1(figure));
        }
        QAccessibleInterface* g = QAccessible::queryAccessibleInterface(find("Gauge"));
        QVERIFY(g);
        QCOMPARE(g->role(), QAccessible::ProgressBar);
        QCOMPARE(g->text(QAccessible::Value), QStringLiteral("100%"));
        QVERIFY(g->valueInterface());
        QCOMPARE(g->valueInterface()->currentValue().toInt(), 100);
        QCOMPARE(g->valueInterface()->minimumValue().toInt(), 0);
        QCOMPARE(g->valueInterface()->maximumValue().toInt(), 100);
    }

    // Every display update is in the window at once: the backing store holds
    // the payments box as it paints itself now, at every yield of the run.
    void everyUpdateIsDrawnIntoTheWindow()
    {
        openCalculator();
        enter("17.9", "2100", "53");
        ResultBox* payments = box("EditStdPayments");
        int checked = 0;
        bool same = true;
        w->payoffRunner().onYield = [&](const PayoffState&) {
            auto* image = dynamic_cast<QImage*>(w->backingStore()->paintDevice());
            QVERIFY(image);
            const QRect r(payments->mapTo(w.get(), QPoint(0, 0)), payments->size());
            const QImage inWindow = image->copy(r).convertToFormat(QImage::Format_RGB32);
            const QImage fresh = payments->grab().toImage().convertToFormat(QImage::Format_RGB32);
            same = same && inWindow == fresh;
            ++checked;
        };
        calculate();
        QCOMPARE(checked, 183 / 7);
        QVERIFY(same);
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
        QCOMPARE(gauge(), 100);
        QVERIFY(!w->liveSurface()->hasPending());
        const int yields = w->payoffRunner().lastState().MonthCount / 7;
        const int expected = msPerUpdate == 0 ? 2 : 2 + yields * msPerUpdate / 8;
        QVERIFY2(qAbs(w->liveSurface()->flushCount() - flushes - expected) <= 1,
                 qPrintable(QString::number(w->liveSurface()->flushCount() - flushes)));
    }

    void focusAndTabOrder()
    {
        openCalculator();
        QCOMPARE(QApplication::focusWidget(), find("EditName"));
        const char* order[] = {"EditApr", "EditBal", "EditPmt", "BtnGoFigure"};
        for (const char* n : order) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), QString::fromLatin1(n));
        }
        // Tab through the empty boxes read them as 0.00.
        QCOMPARE(text("EditApr"), QStringLiteral("0.00"));
        QCOMPARE(text("EditPmt"), QStringLiteral("0.00"));
        QVERIFY(text("EditName").isEmpty());
    }

    void nextArrivingFocusesName()
    {
        openCalculator();
        QTest::mouseClick(find<QPushButton>("BtnBack"), Qt::LeftButton);
        QTest::mouseClick(find<QPushButton>("BtnNext"), Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), find("EditName"));
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
        QTest::mouseClick(w->findChild<QLabel*>(label), Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget()->objectName(), box);
    }

    void readingOnExit_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("empty") << "EditBal" << "" << "0.00";
        QTest::newRow("plain") << "EditBal" << "2100" << "2100.00";
        QTest::newRow("cents") << "EditPmt" << "53.005" << "53.01";
        QTest::newRow("negative") << "EditPmt" << "-5" << "0.00";
        QTest::newRow("apr 17.9") << "EditApr" << "17.9" << "17.90";
        QTest::newRow("apr 30.004") << "EditApr" << "30.004" << "30.00";
        QTest::newRow("apr 30.005") << "EditApr" << "30.005" << "30.00";
        QTest::newRow("negative apr") << "EditApr" << "-45" << "0.00";
        QTest::newRow("letters") << "EditBal" << "abc" << "0.00";
    }
    void readingOnExit()
    {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        openCalculator();
        type(box.toLatin1().constData(), typed);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(text(box.toLatin1().constData()), shown);
        QVERIFY(fake.messages.isEmpty());
        QCOMPARE(fake.beeps, 0);
    }

    void aprAbove30_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("quoted");
        QTest::newRow("45") << "45" << "45.00";
        QTest::newRow("30.006") << "30.006" << "30.01";
        QTest::newRow("1e3") << "1000" << "1000.00";
    }
    void aprAbove30()
    {
        QFETCH(QString, typed);
        QFETCH(QString, quoted);
        openCalculator();
        type("EditApr", typed);
        QTest::keyClick(edit("EditApr"), Qt::Key_Tab);
        QCOMPARE(fake.messages.size(), 1);
        QCOMPARE(fake.messages[0].title, QStringLiteral("Information"));
        QCOMPARE(fake.messages[0].icon, Platform::MessageIcon::Information);
        QCOMPARE(fake.messages[0].text, QString(kAprMessage45).replace(QStringLiteral("45.00"), quoted));
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

    void runningExample()
    {
        openCalculator();
        enter("17.9", "2100", "53");
        calculate();
        QCOMPARE(results(), (QStringList{"15", "3", "183", "$2,487.89", "$4,587.89", "$25.07"}));
        QCOMPARE(gauge(), 100);
        QVERIFY(fake.messages.isEmpty());
        QVERIFY(find("PanelWhy")->isVisible());
        QVERIFY(!find("LblAbort")->isVisible());
        QVERIFY(!find("BtnStop")->isVisible());
        QVERIFY(find("BtnGoFigure")->isEnabled());
        QVERIFY(frameButtonsEnabled());
        QCOMPARE(text("EditApr"), QStringLiteral("17.90"));
        QCOMPARE(text("EditBal"), QStringLiteral("2100.00"));
        QCOMPARE(text("EditPmt"), QStringLiteral("53.00"));
    }

    void runDisplaysEverySeventhMonth()
    {
        openCalculator();
        enter("17.9", "2100", "53");
        QList<int> months;
        bool lockedDuringRun = true;
        QStringList shown;
        w->payoffRunner().onYield = [&](const PayoffState& s) {
            months << s.MonthCount;
            lockedDuringRun = lockedDuringRun && !find("BtnGoFigure")->isEnabled() && !find("BtnQuit")->isEnabled()
                              && !find("BtnContents")->isEnabled() && !find("BtnNextChapt")->isEnabled()
                              && find("BtnStop")->isVisible() && find("EditApr")->isEnabled();
            shown << text("EditStdPayments");
        };
        calculate();
        QCOMPARE(months.size(), 183 / 7);
        QCOMPARE(months.first(), 7);
        QCOMPARE(months.last(), 182);
        QVERIFY(lockedDuringRun);
        // The display is written before each yield.
        QCOMPARE(shown.first(), QStringLiteral("7"));
        QCOMPARE(shown.last(), QStringLiteral("182"));
    }

    void leastAcceptedPaymentMessage()
    {
        openCalculator();
        enter("17.9", "2100", "20");
        calculate();
        QCOMPARE(fake.messages.size(), 1);
        QCOMPARE(fake.messages[0].title, QStringLiteral("Error"));
        QCOMPARE(fake.messages[0].icon, Platform::MessageIcon::Error);
        QCOMPARE(fake.messages[0].text, paymentMessage("20.00", "34.00"));
        QCOMPARE(fake.beeps, 1);
        QCOMPARE(text("EditPmt"), QStringLiteral("34.00"));
        QCOMPARE(QApplication::focusWidget(), find("EditPmt"));
        QCOMPARE(edit("EditPmt")->selectedText(), QStringLiteral("34.00"));
        // Nothing was calculated.
        QVERIFY(text("EditStdPayments").isEmpty());
        QVERIFY(find("PanelWhy")->isHidden());

        calculate();
        QCOMPARE(fake.messages.size(), 1);
        QCOMPARE(results(), (QStringList{"69", "6", "834", "$15,760.05", "$17,860.05", "$21.41"}));
    }

    void zeroRateSuggestedPayment()
    {
        openCalculator();
        enter("0", "2100", "");
        calculate();
        QCOMPARE(fake.messages.size(), 1);
        QCOMPARE(fake.messages[0].title, QStringLiteral("Error"));
        QCOMPARE(fake.messages[0].text, paymentMessage("0.00", "58.33"));
        QCOMPARE(text("EditPmt"), QStringLiteral("58.33"));
        QCOMPARE(edit("EditPmt")->selectedText(), QStringLiteral("58.33"));
        QVERIFY(text("EditStdPayments").isEmpty());

        calculate();
        QCOMPARE(fake.messages.size(), 1);
        QCOMPARE(results(), (QStringList{"3", "1", "37", "$0.00", "$2,100.00", "$56.76"}));
        QCOMPARE(gauge(), 100);
        QVERIFY(find("PanelWhy")->isHidden());
    }

    void noBalanceWithInterest()
    {
        openCalculator();
        enter("17.9", "0", "0");
        calculate();
        QCOMPARE(fake.messages.size(), 1);
        QCOMPARE(fake.messages[0].text, paymentMessage("0.00", "1.00"));
        QCOMPARE(text("EditPmt"), QStringLiteral("1.00"));
        calculate();
        QCOMPARE(fake.messages.size(), 1);
        QCOMPARE(results(), (QStringList{"0", "0", "0", "$0.00", "$0.00", ""}));
        QCOMPARE(gauge(), 100);
        QVERIFY(find("PanelWhy")->isVisible());
    }

    void noBalanceNoInterest()
    {
        openCalculator();
        enter("0", "0", "");
        calculate();
        QVERIFY(fake.messages.isEmpty());
        QCOMPARE(fake.beeps, 0);
        QCOMPARE(results(), (QStringList{"0", "0", "0", "$0.00", "$0.00", ""}));
        QCOMPARE(gauge(), 100);
        QVERIFY(find("PanelWhy")->isHidden());
    }

    void noInterest()
    {
        openCalculator();
        enter("0", "2100", "100");
        calculate();
        QCOMPARE(results(), (QStringList{"1", "9", "21", "$0.00", "$2,100.00", "$100.00"}));
    }

    void stopDuringLongRun()
    {
        openCalculator();
        enter("30", "100000", "2601");
        // Runs at the run's first yield (month 7), as a click made meanwhile would.
        QTimer::singleShot(0, this, [this] { QTest::mouseClick(find<QPushButton>("BtnStop"), Qt::LeftButton); });
        calculate();
        QVERIFY(find("LblAbort")->isVisible());
        QCOMPARE(find<QLabel>("LblAbort")->text(), QStringLiteral(" ** Calculation Aborted by User ** "));
        QVERIFY(gauge() < 100);
        QCOMPARE(text("EditStdPayments"), QStringLiteral("7"));
        QVERIFY(!find("BtnStop")->isVisible());
        QVERIFY(find("BtnGoFigure")->isEnabled());
        QVERIFY(frameButtonsEnabled());

        // The next Calculate hides the notice again.
        enter("17.9", "2100", "53");
        calculate();
        QVERIFY(!find("LblAbort")->isVisible());
        QCOMPARE(text("EditStdPayments"), QStringLiteral("183"));
    }

    void stopLateInLongRun()
    {
        openCalculator();
        enter("30", "100000", "2601");
        int yields = 0;
        w->payoffRunner().onYield = [&](const PayoffState&) {
            if (++yields == 500)
                QTimer::singleShot(0, this, [this] { find<QPushButton>("BtnStop")->click(); });
        };
        calculate();
        QVERIFY(find("LblAbort")->isVisible());
        QCOMPARE(text("EditStdPayments"), QStringLiteral("3,500"));
        QVERIFY(gauge() < 100);
    }

    void longRunFinishes()
    {
        openCalculator();
        enter("30", "100000", "2601");
        calculate();
        QCOMPARE(text("EditStdPayments"), QStringLiteral("5,381"));
        QCOMPARE(gauge(), 100);
    }

    void closeDuringRun_data()
    {
        QTest::addColumn<bool>("titleBar");
        QTest::newRow("close()") << false;
        QTest::newRow("title bar") << true;
    }
    void closeDuringRun()
    {
        QFETCH(bool, titleBar);
        openCalculator();
        enter("30", "100000", "2601");
        QTimer::singleShot(0, this, [this, titleBar] {
            if (titleBar) {
                QCloseEvent close; // what the window system sends for the close button
                QApplication::sendEvent(w->windowHandle(), &close);
            } else {
                w->close();
            }
        });
        calculate();
        QCOMPARE(w->result(), 2);
        QVERIFY(!w->isVisible());
        // The run ended at once.
        QCOMPARE(text("EditStdPayments"), QStringLiteral("7"));
    }

    void closeDuringModalRun()
    {
        // As the chapter loop shows it: modal, released after it closes.
        w->hide();
        QTimer::singleShot(0, this, [this] {
            openCalculator();
            enter("30", "100000", "2601");
            QTimer::singleShot(0, this, [this] { w->close(); });
            calculate();
        });
        const int result = w->exec();
        QCOMPARE(result, 2);
        w.reset();
    }

    void windowDestroyedDuringRun()
    {
        openCalculator();
        enter("30", "100000", "2601");
        TChapter_002* raw = w.get();
        QTimer::singleShot(0, this, [this] { w.reset(); });
        raw->BtnGoFigureClick();
        QVERIFY(!w);
    }

    void leavingButtonDuringRunWaitsForIt()
    {
        openCalculator();
        enter("30", "100000", "2601");
        QTimer::singleShot(0, this, [this] { w->BtnContentsClick(); });
        calculate();
        QCOMPARE(w->result(), 4);
        QVERIFY(!w->isVisible());
    }

    // Two runs in a row (as the extra-money calculator makes them) keep the
    // controls locked in between.
    void runnerHoldsLockAcrossRuns()
    {
        openCalculator();
        PayoffRunner& runner = w->payoffRunner();
        int shown = 0;
        auto count = [&](const PayoffState&) { ++shown; };
        runner.beginRuns();
        QCOMPARE(runner.run(17.9, 2100, 53, PayoffOptions::payoffCalculator(), count),
                 PayoffRunner::Outcome::Finished);
        QVERIFY(runner.running());
        QVERIFY(!find("BtnGoFigure")->isEnabled());
        QVERIFY(!find("BtnQuit")->isEnabled());
        QVERIFY(find("BtnStop")->isVisible());
        QCOMPARE(runner.run(17.9, 2100, 34, PayoffOptions::payoffCalculator(), count),
                 PayoffRunner::Outcome::Finished);
        QCOMPARE(runner.lastState().MonthCount, 834);
        QVERIFY(runner.endRuns());
        QVERIFY(!runner.running());
        QVERIFY(find("BtnGoFigure")->isEnabled());
        QVERIFY(frameButtonsEnabled());
        QVERIFY(!find("BtnStop")->isVisible());
        QCOMPARE(shown, (183 / 7 + 2) + (834 / 7 + 2));
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
        const QRegularExpression twoDecimals(QStringLiteral("^\\d+\\.\\d\\d$"));
        const QRegularExpression nonFinite(QStringLiteral("inf|nan"), QRegularExpression::CaseInsensitiveOption);
        int runs = 0;
        for (int i = 0; i < 1000; ++i) {
            const char* boxes[] = {"EditApr", "EditBal", "EditPmt"};
            for (const char* box : boxes)
                quenmark::test::enterText(edit(box), generator.next());
            calculate();
            ++runs;
            for (const char* box : boxes) {
                const QString t = text(box);
                QVERIFY2(twoDecimals.match(t).hasMatch(), qPrintable(QStringLiteral("%1 shows '%2'").arg(box, t)));
            }
            QVERIFY(text("EditApr").toDouble() <= 30.0);
            for (const QString& r : results())
                QVERIFY2(!nonFinite.match(r).hasMatch(), qPrintable(r));
            QVERIFY(find("BtnGoFigure")->isEnabled());
            QVERIFY(!find("BtnStop")->isVisible());
            QVERIFY(gauge() >= 0 && gauge() <= 100);
        }
        QCOMPARE(runs, 1000);
    }
};

QTEST_MAIN(TestChapt02)
#include "tst_chapt02.moc"
