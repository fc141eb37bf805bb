// Chapter 1: the pages, the quiz and the answer of the loan question. (The
// frame's buttons on each page and a fresh state on every visit: tst_frame,
// tst_walk.)
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QToolButton>
#include <QtTest>
#include <memory>

#include "ChapterFixture.h"
#include "FakePlatform.h"
#include "TestWidgets.h"
#include "common/Layout.h"
#include "lessons/Chapt01.h"
#include "pictures/Pictures.h"
#include "common/WebStuff.h"

using namespace quenmark;

namespace {
const QString kAgain = QStringLiteral("\nCheck your answer again or click the \"Next Page\" button.");
const QString kRight = QStringLiteral("Right!!!\nGood job!\n15 Years and 3 Months seems hard to believe doesn't it.");
const QColor kNavy(0, 64, 128); // the answer's text blue
} // namespace

class TestChapt01 : public QObject, public quenmark::test::ChapterFixture<TChapter_001>
{
    Q_OBJECT

private:
    // Sets the guess with the spin buttons, starting from 1 year 1 month.
    void guess(int years, int months)
    {
        click("SpinButton_YearsUp", years - 1);
        click("SpinButton_MonthsUp", months - 1);
    }
    QString text(const QString& name) { return find<QLabel>(name)->text(); }
    QString answer() { return text("Page02_Answer"); }
    QColor answerColour() { return find<QLabel>("Page02_Answer")->palette().color(QPalette::WindowText); }

private slots:
    void init()
    {
        fake.clear();
        w = std::make_unique<TChapter_001>();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    }
    void cleanup() { w.reset(); }

    void opening()
    {
        QCOMPARE(w->windowTitle(), QStringLiteral("Chapter 1"));
        QCOMPARE(w->totalPageCount(), 5);
        QStringList pages;
        for (int i = 0; i < w->notebook()->count(); ++i)
            pages << w->notebook()->widget(i)->objectName();
        QCOMPARE(pages, (QStringList{"page00", "page01", "page02", "page03", "Page04"}));
        QCOMPARE(text("Page02_Years"), QStringLiteral("1"));
        QCOMPARE(text("Page02_Months"), QStringLiteral("1"));
        QCOMPARE(find<QPushButton>("BtnCheckAnswer")->text(), QStringLiteral("Check Answer"));
        QVERIFY(find("BtnShowAnswer")->isHidden());
        QVERIFY(find("Page03_Answer")->isHidden());
        QVERIFY(find("Page03_LegalPanel")->isHidden());
        QCOMPARE(text("CopyrightNotice"), gstrCopyright);
        QCOMPARE(text("SecondNotice"), SecondNoticeLine());
        // The answer label: empty, 401 by 66, Arial 12 px bold, dark blue.
        auto* a = find<QLabel>("Page02_Answer");
        QVERIFY(a->text().isEmpty());
        QCOMPARE(a->size(), QSize(401, 66));
        QCOMPARE(a->font().pixelSize(), 12);
        QVERIFY(a->font().bold());
        QCOMPARE(answerColour(), kNavy);
    }

    void pictures_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("shadow"); // a grey panel behind it
        QTest::newRow("title") << "TitlePicture" << false;
        QTest::newRow("card") << "CardPicture" << true;
        QTest::newRow("house") << "HousePicture" << true;
        QTest::newRow("car") << "CarPicture" << true;
        QTest::newRow("graph") << "GraphPicture" << false;
    }
    void pictures()
    {
        QFETCH(QString, name);
        QFETCH(bool, shadow);
        QVERIFY(!find<QLabel>(name)->pixmap().isNull());
        auto* behind = w->findChild<QLabel*>(name + QStringLiteral("Shadow"));
        QCOMPARE(behind != nullptr, shadow);
        if (behind)
            QCOMPARE(behind->palette().color(QPalette::Window), QColor(128, 128, 128));
    }

    // The title page shows the splash screen's name picture at its own size,
    // centred, read by a screen reader as the name.
    void titlePageShowsTheSplashPicture()
    {
        auto* title = find<QLabel>("TitlePicture");
        const QImage splash = LoadArt(QStringLiteral("splash_name.png")).toImage();
        QCOMPARE(title->pixmap().toImage().convertToFormat(splash.format()), splash);
        QCOMPARE(title->size(), splash.size());
        QCOMPARE(title->geometry().center().x(), w->notebook()->widget(0)->rect().center().x());
        QCOMPARE(quenmark::test::spokenName(title), QStringLiteral("Quenmark"));
    }

    // Each spin button is two halves with their names; a click beyond the
    // limit only beeps; the other half steps back; the panel is read as the
    // number it shows.
    void spinButtons_data()
    {
        QTest::addColumn<QString>("spin");
        QTest::addColumn<bool>("up");
        QTest::addColumn<int>("clicks");
        QTest::addColumn<int>("shown");
        QTest::addColumn<int>("beeps");
        QTest::newRow("years down at 1") << "Years" << false << 1 << 1 << 1;
        QTest::newRow("years up to 20") << "Years" << true << 19 << 20 << 0;
        QTest::newRow("years up past 20") << "Years" << true << 22 << 20 << 3;
        QTest::newRow("months down at 1") << "Months" << false << 2 << 1 << 2;
        QTest::newRow("months up to 12") << "Months" << true << 11 << 12 << 0;
        QTest::newRow("months up past 12") << "Months" << true << 12 << 12 << 1;
    }
    void spinButtons()
    {
        QFETCH(QString, spin);
        QFETCH(bool, up);
        QFETCH(int, clicks);
        QFETCH(int, shown);
        QFETCH(int, beeps);
        goToPage(3);
        const QString button = QStringLiteral("SpinButton_") + spin;
        const QString half = button + (up ? QStringLiteral("Up") : QStringLiteral("Down"));
        const QString other = button + (up ? QStringLiteral("Down") : QStringLiteral("Up"));
        QCOMPARE(find<QToolButton>(half)->parentWidget(), find(button));
        QCOMPARE(find<QToolButton>(half)->accessibleName(), spin + (up ? QStringLiteral(" up") : QStringLiteral(" down")));
        QLabel* panel = find<QLabel>(QStringLiteral("Page02_") + spin);
        click(half, clicks);
        QCOMPARE(panel->text(), QString::number(shown));
        QCOMPARE(fake.beeps, beeps);
        click(other);
        QCOMPARE(panel->text(), QString::number(up ? shown - 1 : shown + 1));
        QCOMPARE(quenmark::test::spokenName(panel), panel->text());
        QCOMPARE(fake.beeps, beeps);
    }

    void checkAnswer_data()
    {
        QTest::addColumn<int>("years");
        QTest::addColumn<int>("months");
        QTest::addColumn<QString>("text");
        QTest::newRow("15 years 4 months")
            << 15 << 4 << "Wrong!!!\nThe years are correct.\nDecrease the number of months." + kAgain;
        QTest::newRow("1 year 1 month")
            << 1 << 1 << "Wrong!!!\nIncrease the number of years.\nIncrease the number of months." + kAgain;
        QTest::newRow("14 years 2 months")
            << 14 << 2 << "Wrong!!!\nIncrease the number of years.\nIncrease the number of months." + kAgain;
        QTest::newRow("16 years 3 months")
            << 16 << 3 << "Wrong!!!\nDecrease the number of years.\nThe months are correct." + kAgain;
        QTest::newRow("20 years 12 months")
            << 20 << 12 << "Wrong!!!\nDecrease the number of years.\nDecrease the number of months." + kAgain;
        QTest::newRow("right at once") << 15 << 3 << kRight;
    }
    void checkAnswer()
    {
        QFETCH(int, years);
        QFETCH(int, months);
        QFETCH(QString, text);
        const bool wrong = text.startsWith(QLatin1String("Wrong"));
        goToPage(3);
        guess(years, months);
        click("BtnCheckAnswer");
        QCOMPARE(answer(), text);
        QCOMPARE(answerColour(), wrong ? colour::maroon : kNavy);
        QCOMPARE(fake.beeps, wrong ? 1 : 0);
        QCOMPARE(find<QPushButton>("BtnCheckAnswer")->text(), wrong ? QStringLiteral("Check Again") : QStringLiteral("Check Answer"));
        QCOMPARE(find("BtnShowAnswer")->isVisible(), wrong);
    }

    // Once wrong, "Check Again" and "Show Answer" stay after a right answer.
    void checkAgainKeptAfterRightAnswer()
    {
        goToPage(3);
        guess(10, 6);
        click("BtnCheckAnswer");
        click("SpinButton_YearsUp", 5);
        click("SpinButton_MonthsDown", 3);
        click("BtnCheckAnswer");
        QCOMPARE(answer(), kRight);
        QCOMPARE(answerColour(), kNavy);
        QCOMPARE(find<QPushButton>("BtnCheckAnswer")->text(), QStringLiteral("Check Again"));
        QVERIFY(find("BtnShowAnswer")->isVisible());
        QCOMPARE(fake.beeps, 1);
    }

    void showAnswer()
    {
        goToPage(3);
        click("BtnCheckAnswer");
        click("BtnShowAnswer");
        QCOMPARE(text("Page02_Years"), QStringLiteral("15"));
        QCOMPARE(text("Page02_Months"), QStringLiteral("3"));
        QCOMPARE(answer(), QStringLiteral("\n15 Years and 3 Months.  Seems hard to believe doesn't it."));
        QCOMPARE(answerColour(), kNavy);
        QCOMPARE(find<QPushButton>("BtnCheckAnswer")->text(), QStringLiteral("Check Again"));
        QCOMPARE(fake.beeps, 1);
        // The spin buttons go on from the shown answer.
        click("SpinButton_MonthsUp");
        QCOMPARE(text("Page02_Months"), QStringLiteral("4"));
    }

    void loanAnswer()
    {
        goToPage(4);
        QCOMPARE(w->notebook()->currentWidget()->objectName(), QStringLiteral("page03"));
        QVERIFY(!find("Page03_Answer")->isVisible());
        click("Button3");
        QVERIFY(find("Page03_Answer")->isVisible());
        QVERIFY(find("Page03_LegalPanel")->isVisible());
    }

    void quotedTexts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::newRow("intro") << "Page02_Intro" << "Let's begin by looking at a typical credit card...";
        QTest::newRow("apr") << "Page02_AprValue" << "17.9%";
        QTest::newRow("balance") << "Page02_BalValue" << "$2,100";
        QTest::newRow("payment") << "Page02_PmtValue" << "$53";
        QTest::newRow("guess") << "Page02_Guess" << "Take a guess...";
        QTest::newRow("question")
            << "Page02_Question"
            << "How long do you think it would take to pay off this credit card if you only made the minimum "
               "payments shown on the monthly statement?";
        QTest::newRow("loan question")
            << "Page03_Question"
            << "If credit card issuers used the same method for repayment that banks use for automobiles, "
               "airplanes  and homes, how long do you think it would take to pay off?";
        QTest::newRow("using") << "Page03_Using" << "We are using $2100.00 at 17.9% APR with a monthly payment of $53.00";
        QTest::newRow("now") << "Page03_Now" << "Now...";
        QTest::newRow("remember") << "Page03_Remember" << "Remember...";
        QTest::newRow("loan answer") << "Page03_Answer" << "5 years and 1 month.";
        QTest::newRow("legal question")
            << "Page03_LegalQuestion" << "This should raise a few questions.   Is this legal?   How do they do that?";
        QTest::newRow("legal answer")
            << "Page03_LegalAnswer"
            << "Yes it is legal.  They do it every day.  To understand how they do this is rather complicated.  "
               "Just follow along and I will explain how this is done.";
    }
    void quotedTexts()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QCOMPARE(this->text(name), text);
    }
};

QTEST_MAIN(TestChapt01)
#include "tst_chapt01.moc"
