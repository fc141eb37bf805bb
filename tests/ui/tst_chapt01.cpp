// Chapter 1: the pages, the quiz and the answer of the loan question.
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QToolButton>
#include <QtTest>
#include <memory>

#include "FakePlatform.h"
#include "TestWidgets.h"
#include "common/Layout.h"
#include "lessons/Chapt01.h"
#include "lessons/Chapters.h"
#include "pictures/Pictures.h"
#include "common/WebStuff.h"

using namespace quenmark;

namespace {
const QString kAgain = QStringLiteral("\nCheck your answer again or click the \"Next Page\" button.");
}

class TestChapt01 : public QObject
{
    Q_OBJECT

private:
    FakePlatform fake;
    std::unique_ptr<TChapter_001> w;

    template <typename T = QWidget>
    T* find(const char* name)
    {
        return quenmark::test::child<T>(w.get(), name);
    }
    void click(const char* name, int times = 1)
    {
        auto* b = find<QAbstractButton>(name);
        QVERIFY(b);
        for (int i = 0; i < times; ++i)
            QTest::mouseClick(b, Qt::LeftButton);
    }
    void goToPage(int page) // 1-based
    {
        while (w->currentPage() < page)
            click("BtnNext");
    }
    // Sets the guess with the spin buttons, starting from 1 year 1 month.
    void guess(int years, int months)
    {
        click("SpinButton_YearsUp", years - 1);
        click("SpinButton_MonthsUp", months - 1);
    }
    QString answer() { return find<QLabel>("Page02_Answer")->text(); }
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
        QCOMPARE(w->currentPage(), 1);
        QCOMPARE(w->totalPageCount(), 5);
        QCOMPARE(find<QLabel>("TotalPages")->text(), QStringLiteral("5"));
        QCOMPARE(w->notebook()->currentIndex(), 0);
        QCOMPARE(w->findChild<QPushButton*>(QStringLiteral("BtnPrevChapt")), nullptr);
        QVERIFY(!find("BtnBack")->isVisible());
        QVERIFY(find("BtnNext")->isVisible());
        QCOMPARE(find<QLabel>("Page02_Years")->text(), QStringLiteral("1"));
        QCOMPARE(find<QLabel>("Page02_Months")->text(), QStringLiteral("1"));
        QCOMPARE(find<QPushButton>("BtnCheckAnswer")->text(), QStringLiteral("Check Answer"));
        QVERIFY(find("BtnShowAnswer")->isHidden());
        QVERIFY(answer().isEmpty());
        QVERIFY(find("Page03_Answer")->isHidden());
        QVERIFY(find("Page03_LegalPanel")->isHidden());
        QCOMPARE(find<QLabel>("CopyrightNotice")->text(), gstrCopyright);
        QCOMPARE(find<QLabel>("BottomCopyrightNotice")->text(), gstrCopyright);
        QCOMPARE(find<QLabel>("SecondNotice")->text(), SecondNoticeLine());
    }

    void pageNamesAndLastPage()
    {
        const QStringList names{"page00", "page01", "page02", "page03", "Page04"};
        for (int i = 0; i < names.size(); ++i)
            QCOMPARE(w->notebook()->widget(i)->objectName(), names[i]);
        goToPage(5);
        QCOMPARE(w->notebook()->currentIndex(), 4);
        QVERIFY(!find("BtnNext")->isVisible());
        QVERIFY(find("BtnNextChapt")->isVisible());
        click("BtnBack");
        QVERIFY(find("BtnNext")->isVisible());
        QVERIFY(!find("BtnNextChapt")->isVisible());
    }

    void picturesAreLoaded_data()
    {
        QTest::addColumn<QString>("name");
        for (const char* n : {"TitlePicture", "CardPicture", "HousePicture", "CarPicture", "GraphPicture"})
            QTest::newRow(n) << QString::fromLatin1(n);
    }
    void picturesAreLoaded()
    {
        QFETCH(QString, name);
        auto* picture = w->findChild<QLabel*>(name);
        QVERIFY(picture);
        QVERIFY(!picture->pixmap().isNull());
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

    void shadowsBehindHouseAndCar()
    {
        for (const char* n : {"CardPictureShadow", "HousePictureShadow", "CarPictureShadow"}) {
            auto* shadow = find<QLabel>(n);
            QVERIFY(shadow);
            QCOMPARE(shadow->palette().color(QPalette::Window), QColor(128, 128, 128));
        }
    }

    void spinLimits_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("panel");
        QTest::addColumn<int>("clicks");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("beeps");
        QTest::newRow("years down at 1") << "SpinButton_YearsDown" << "Page02_Years" << 1 << "1" << 1;
        QTest::newRow("years up to 20") << "SpinButton_YearsUp" << "Page02_Years" << 19 << "20" << 0;
        QTest::newRow("years up past 20") << "SpinButton_YearsUp" << "Page02_Years" << 22 << "20" << 3;
        QTest::newRow("months down at 1") << "SpinButton_MonthsDown" << "Page02_Months" << 2 << "1" << 2;
        QTest::newRow("months up to 12") << "SpinButton_MonthsUp" << "Page02_Months" << 11 << "12" << 0;
        QTest::newRow("months up past 12") << "SpinButton_MonthsUp" << "Page02_Months" << 12 << "12" << 1;
    }
    void spinLimits()
    {
        QFETCH(QString, button);
        QFETCH(QString, panel);
        QFETCH(int, clicks);
        QFETCH(QString, shown);
        QFETCH(int, beeps);
        goToPage(3);
        click(button.toLatin1().constData(), clicks);
        QCOMPARE(find<QLabel>(panel.toLatin1().constData())->text(), shown);
        QCOMPARE(fake.beeps, beeps);
    }

    void spinDownFromTop()
    {
        goToPage(3);
        guess(20, 12);
        click("SpinButton_YearsDown", 5);
        click("SpinButton_MonthsDown", 9);
        QCOMPARE(find<QLabel>("Page02_Years")->text(), QStringLiteral("15"));
        QCOMPARE(find<QLabel>("Page02_Months")->text(), QStringLiteral("3"));
        QCOMPARE(fake.beeps, 0);
    }

    void checkAnswer_data()
    {
        QTest::addColumn<int>("years");
        QTest::addColumn<int>("months");
        QTest::addColumn<QString>("text");
        QTest::newRow("15 years 4 months")
            << 15 << 4
            << "Wrong!!!\nThe years are correct.\nDecrease the number of months." + kAgain;
        QTest::newRow("1 year 1 month")
            << 1 << 1 << "Wrong!!!\nIncrease the number of years.\nIncrease the number of months." + kAgain;
        QTest::newRow("14 years 2 months")
            << 14 << 2 << "Wrong!!!\nIncrease the number of years.\nIncrease the number of months." + kAgain;
        QTest::newRow("16 years 3 months")
            << 16 << 3 << "Wrong!!!\nDecrease the number of years.\nThe months are correct." + kAgain;
        QTest::newRow("20 years 12 months")
            << 20 << 12 << "Wrong!!!\nDecrease the number of years.\nDecrease the number of months." + kAgain;
    }
    void checkAnswer()
    {
        QFETCH(int, years);
        QFETCH(int, months);
        QFETCH(QString, text);
        goToPage(3);
        guess(years, months);
        click("BtnCheckAnswer");
        QCOMPARE(answer(), text);
        QCOMPARE(answerColour(), colour::maroon);
        QCOMPARE(fake.beeps, 1);
        QCOMPARE(find<QPushButton>("BtnCheckAnswer")->text(), QStringLiteral("Check Again"));
        QVERIFY(find("BtnShowAnswer")->isVisible());
    }

    void rightAtFirstGuess()
    {
        goToPage(3);
        guess(15, 3);
        click("BtnCheckAnswer");
        QCOMPARE(answer(), QStringLiteral("Right!!!\nGood job!\n15 Years and 3 Months seems hard to believe doesn't it."));
        QCOMPARE(answerColour(), QColor(0, 64, 128));
        QCOMPARE(fake.beeps, 0);
        QCOMPARE(find<QPushButton>("BtnCheckAnswer")->text(), QStringLiteral("Check Answer"));
        QVERIFY(find("BtnShowAnswer")->isHidden());
    }

    void checkAgainKeptAfterRightAnswer()
    {
        goToPage(3);
        guess(10, 6);
        click("BtnCheckAnswer");
        click("SpinButton_YearsUp", 5);
        click("SpinButton_MonthsDown", 3);
        click("BtnCheckAnswer");
        QVERIFY(answer().startsWith(QStringLiteral("Right!!!")));
        QCOMPARE(answerColour(), QColor(0, 64, 128));
        QCOMPARE(find<QPushButton>("BtnCheckAnswer")->text(), QStringLiteral("Check Again"));
        QVERIFY(find("BtnShowAnswer")->isVisible());
        QCOMPARE(fake.beeps, 1);
    }

    void showAnswer()
    {
        goToPage(3);
        click("BtnCheckAnswer");
        click("BtnShowAnswer");
        QCOMPARE(find<QLabel>("Page02_Years")->text(), QStringLiteral("15"));
        QCOMPARE(find<QLabel>("Page02_Months")->text(), QStringLiteral("3"));
        QCOMPARE(answer(), QStringLiteral("\n15 Years and 3 Months.  Seems hard to believe doesn't it."));
        QCOMPARE(answerColour(), QColor(0, 64, 128));
        QCOMPARE(find<QPushButton>("BtnCheckAnswer")->text(), QStringLiteral("Check Again"));
        QCOMPARE(fake.beeps, 1);
        // The spin buttons go on from the shown answer.
        click("SpinButton_MonthsUp");
        QCOMPARE(find<QLabel>("Page02_Months")->text(), QStringLiteral("4"));
    }

    void loanAnswer()
    {
        goToPage(4);
        QCOMPARE(w->notebook()->currentWidget()->objectName(), QStringLiteral("page03"));
        QVERIFY(!find("Page03_Answer")->isVisible());
        click("Button3");
        QVERIFY(find("Page03_Answer")->isVisible());
        QVERIFY(find("Page03_LegalPanel")->isVisible());
        QCOMPARE(find<QLabel>("Page03_Answer")->text(), QStringLiteral("5 years and 1 month."));
        QCOMPARE(find<QLabel>("Page03_LegalQuestion")->text(),
                 QStringLiteral("This should raise a few questions.   Is this legal?   How do they do that?"));
        QCOMPARE(find<QLabel>("Page03_LegalAnswer")->text(),
                 QStringLiteral("Yes it is legal.  They do it every day.  To understand how they do this is rather "
                                "complicated.  Just follow along and I will explain how this is done."));
    }

    void reopeningStartsAfresh()
    {
        goToPage(3);
        guess(4, 4);
        click("BtnCheckAnswer");
        goToPage(4);
        click("Button3");
        click("BtnQuit");
        QCOMPARE(w->result(), 2);
        // The chapter loop makes a new window for every visit.
        std::unique_ptr<LessonFrame> again(createChapterWindow(1, nullptr));
        QVERIFY(dynamic_cast<TChapter_001*>(again.get()));
        again->show();
        QCOMPARE(again->currentPage(), 1);
        auto* ans = again->findChild<QWidget*>(QStringLiteral("Page03_Answer"));
        auto* legal = again->findChild<QWidget*>(QStringLiteral("Page03_LegalPanel"));
        QVERIFY(ans && ans->isHidden());
        QVERIFY(legal && legal->isHidden());
        QCOMPARE(again->findChild<QLabel*>(QStringLiteral("Page02_Years"))->text(), QStringLiteral("1"));
        QCOMPARE(again->findChild<QPushButton*>(QStringLiteral("BtnCheckAnswer"))->text(),
                 QStringLiteral("Check Answer"));
        QVERIFY(again->findChild<QWidget*>(QStringLiteral("BtnShowAnswer"))->isHidden());
        QVERIFY(again->findChild<QLabel*>(QStringLiteral("Page02_Answer"))->text().isEmpty());
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
    }
    void quotedTexts()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        auto* l = w->findChild<QLabel*>(name);
        QVERIFY(l);
        QCOMPARE(l->text(), text);
    }

    void spinButtonsHaveNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("accessible");
        QTest::newRow("years up") << "SpinButton_YearsUp" << "Years up";
        QTest::newRow("years down") << "SpinButton_YearsDown" << "Years down";
        QTest::newRow("months up") << "SpinButton_MonthsUp" << "Months up";
        QTest::newRow("months down") << "SpinButton_MonthsDown" << "Months down";
    }
    void spinButtonsHaveNames()
    {
        QFETCH(QString, name);
        QFETCH(QString, accessible);
        auto* b = w->findChild<QToolButton*>(name);
        QVERIFY(b);
        QCOMPARE(b->accessibleName(), accessible);
    }

    // A screen reader hears the guess as it stands after the spin buttons.
    void guessPanelsReadTheirNumber()
    {
        goToPage(3);
        guess(15, 4);
        QCOMPARE(quenmark::test::spokenName(find("Page02_Years")), QStringLiteral("15"));
        QCOMPARE(quenmark::test::spokenName(find("Page02_Months")), QStringLiteral("4"));
    }

    void answerLabelLook()
    {
        auto* a = find<QLabel>("Page02_Answer");
        QCOMPARE(a->size(), QSize(401, 66));
        QCOMPARE(a->font().pixelSize(), 12);
        QVERIFY(a->font().bold());
        QCOMPARE(answerColour(), QColor(0, 64, 128));
    }
};

QTEST_MAIN(TestChapt01)
#include "tst_chapt01.moc"
