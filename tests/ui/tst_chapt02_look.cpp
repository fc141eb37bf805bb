// The looks that only a run or an answer brings (every page as it opens is
// checked by tst_look): the calculators' figures fit their boxes after the
// longest runs, the note after a run keeps clear of its border, and the quiz's
// longest answer fits. With QUENMARK_SHOTS set to a folder, the calculator
// pages are also saved there as pictures for a look by eye.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QtTest>
#include <map>
#include <memory>

#include "FakePlatform.h"
#include "TestWidgets.h"
#include "common/LessonFrame.h"
#include "common/ResultBox.h"
#include "lessons/Chapters.h"

using namespace quenmark;

class TestChapt02Look : public QObject
{
    Q_OBJECT

private:
    FakePlatform fake;

    // Every result box of the calculator page shows a figure that fits it
    // (4 pixels in from each side at most); every control lies inside the page.
    static void figuresFit(LessonFrame* w, int boxCount, const QString& shot)
    {
        QWidget* page = w->notebook()->currentWidget();
        const auto boxes = page->findChildren<ResultBox*>();
        QCOMPARE(boxes.size(), boxCount);
        for (auto* box : boxes)
            QVERIFY2(!box->text().isEmpty() && box->fontMetrics().horizontalAdvance(box->text()) <= box->width() - 8,
                     qPrintable(box->objectName() + QStringLiteral(" is too narrow for ") + box->text()));
        for (QWidget* child : page->findChildren<QWidget*>()) {
            const QRect r(child->mapTo(page, QPoint(0, 0)), child->size());
            QVERIFY2(!child->isVisible() || page->rect().contains(r), qPrintable(child->objectName()));
        }
        const QString dir = qEnvironmentVariable("QUENMARK_SHOTS");
        if (!dir.isEmpty())
            QVERIFY(w->grab().save(dir + QLatin1Char('/') + shot));
    }
    static std::unique_ptr<LessonFrame> openLastPage(int chapter, const std::map<QString, QString>& boxes)
    {
        std::unique_ptr<LessonFrame> w(createChapterWindow(chapter, nullptr));
        w->show();
        (void)QTest::qWaitForWindowExposed(w.get());
        while (w->currentPage() < w->totalPageCount())
            w->BtnNextClick();
        for (const auto& [name, value] : boxes)
            w->findChild<QLineEdit*>(name)->setText(value);
        return w;
    }

private slots:
    // The calculator after a stopped run shows every one of its controls at once.
    void calculatorAfterStoppedRun()
    {
        auto w = openLastPage(2, {{"EditName", "First Example Bank"}, {"EditApr", "30"},
                                  {"EditBal", "999999999999.99"}, {"EditPmt", "0"}});
        auto* go = w->findChild<QPushButton*>(QStringLiteral("BtnGoFigure"));
        go->click(); // the payment is raised to the least accepted
        auto* stop = w->findChild<QPushButton*>(QStringLiteral("BtnStop"));
        QTimer::singleShot(0, stop, [stop] { stop->click(); });
        go->click();
        for (const char* name : {"LblAbort", "PanelWhy", "StdPanel"})
            QVERIFY(w->findChild<QWidget*>(QString::fromLatin1(name))->isVisible());
        figuresFit(w.get(), 6, QStringLiteral("ch2_calculator_stopped.png"));
    }

    // The extra-money calculator after the longest runs ($1000 extra).
    void extraMoneyCalculatorAfterLargestRuns_data()
    {
        QTest::addColumn<QString>("apr");
        QTest::addColumn<int>("mode");
        QTest::newRow("30, card") << "30" << 0;
        QTest::newRow("0, card") << "0" << 0;
        QTest::newRow("30, loan") << "30" << 1;
    }
    void extraMoneyCalculatorAfterLargestRuns()
    {
        QFETCH(QString, apr);
        QFETCH(int, mode);
        auto w = openLastPage(7, {{"EditApr", apr}, {"EditBal", "999999999999.99"}, {"EditPmt", "0.01"}});
        w->findChild<QComboBox*>(QStringLiteral("TreatLike"))->setCurrentIndex(mode);
        w->findChild<QComboBox*>(QStringLiteral("ExtraMoney"))->setCurrentIndex(10);
        auto* go = w->findChild<QPushButton*>(QStringLiteral("BtnCalculate"));
        go->click(); // the payment is raised to the least accepted
        go->click();
        figuresFit(w.get(), 11, QStringLiteral("ch7_calculator_%1_%2.png").arg(apr).arg(mode));
    }

    // The note after a run shows all its lines, with nothing but its ground
    // in a band of 3 pixels inside its border.
    void whyPanelHasPadding()
    {
        std::unique_ptr<LessonFrame> w(createChapterWindow(2, nullptr));
        auto* why = w->findChild<QLabel*>(QStringLiteral("PanelWhy"));
        QVERIFY(why->heightForWidth(why->width()) <= why->height());
        const QImage img = why->grab().toImage();
        const QRect inner = img.rect().adjusted(4, 4, -4, -4);
        for (int y = 1; y < img.height() - 1; ++y)
            for (int x = 1; x < img.width() - 1; ++x)
                QVERIFY(inner.contains(x, y) || img.pixel(x, y) == img.pixel(1, 1));
    }

    // The longest texts of the quiz's answer fit the answer label.
    void quizAnswersFit()
    {
        std::unique_ptr<LessonFrame> w(createChapterWindow(1, nullptr));
        w->show();
        auto* answer = w->findChild<QLabel*>(QStringLiteral("Page02_Answer"));
        QVERIFY(answer);
        const QString longest = QStringLiteral(
            "Wrong!!!\nDecrease the number of years.\nDecrease the number of months.\nCheck your answer again or "
            "click the \"Next Page\" button.");
        answer->setText(longest);
        for (const QString& line : longest.split(QLatin1Char('\n')))
            QVERIFY(answer->fontMetrics().horizontalAdvance(line) <= answer->contentsRect().width());
        QVERIFY(test::neededHeight(answer) <= answer->contentsRect().height());
    }
};

QTEST_MAIN(TestChapt02Look)
#include "tst_chapt02_look.moc"
