// The lesson pages of chapters 1, 2 and 7 are tidy: every control lies inside the
// page area and every text fits its label. With QUENMARK_SHOTS set to a folder,
// each page is also saved there as a picture for a look by eye.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTextDocument>
#include <QtTest>
#include <memory>

#include "FakePlatform.h"
#include "common/LessonFrame.h"
#include "common/ResultBox.h"
#include "lessons/Chapters.h"

using namespace quenmark;

class TestChapt02Look : public QObject
{
    Q_OBJECT

private:
    FakePlatform fake;

    // Height the label's text needs at its width.
    static int neededHeight(const QLabel* l)
    {
        if (l->textFormat() == Qt::RichText || (l->textFormat() == Qt::AutoText && Qt::mightBeRichText(l->text()))) {
            QTextDocument doc;
            doc.setDefaultFont(l->font());
            doc.setDocumentMargin(0);
            doc.setHtml(l->text());
            doc.setTextWidth(l->contentsRect().width());
            return qCeil(doc.size().height());
        }
        if (l->wordWrap())
            return l->heightForWidth(l->width());
        return l->fontMetrics().boundingRect(l->contentsRect(), int(l->alignment()), l->text()).height();
    }

private slots:
    void pagesAreTidy_data()
    {
        QTest::addColumn<int>("chapter");
        QTest::addColumn<int>("page");
        for (int chapter : {1, 2, 7})
            for (int page = 1; page <= (chapter == 2 ? 8 : 5); ++page)
                QTest::addRow("chapter %d page %d", chapter, page) << chapter << page;
    }
    void pagesAreTidy()
    {
        QFETCH(int, chapter);
        QFETCH(int, page);
        std::unique_ptr<LessonFrame> w(createChapterWindow(chapter, nullptr));
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        auto* next = w->findChild<QPushButton*>(QStringLiteral("BtnNext"));
        while (w->currentPage() < page)
            next->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest); // rows laid out by layouts
        QWidget* current = w->notebook()->currentWidget();
        const QRect area(QPoint(0, 0), QSize(578, 325));
        QCOMPARE(current->size(), area.size());

        for (QWidget* child : current->findChildren<QWidget*>()) {
            if (!child->isVisibleTo(current) || child->isWindow())
                continue; // a hidden inner page, or a list's pop-up
            const QRect r(child->mapTo(current, QPoint(0, 0)), child->size());
            QVERIFY2(area.contains(r), qPrintable(child->objectName() + QStringLiteral(" leaves the page ")
                                                  + QString::fromLatin1(child->metaObject()->className())));
            auto* label = qobject_cast<QLabel*>(child);
            if (!label || label->text().isEmpty())
                continue;
            if (!label->wordWrap() && label->textFormat() == Qt::PlainText) {
                const QStringList lines = label->text().split(QLatin1Char('\n'));
                for (const QString& line : lines)
                    QVERIFY2(label->fontMetrics().horizontalAdvance(line) <= label->contentsRect().width(),
                             qPrintable(label->objectName() + QStringLiteral(" is too narrow for '%1'").arg(line)));
            }
            QVERIFY2(neededHeight(label) <= label->contentsRect().height(),
                     qPrintable(label->objectName() + QStringLiteral(" is too low: needs %1, has %2")
                                                          .arg(neededHeight(label))
                                                          .arg(label->contentsRect().height())));
        }

        const QString dir = qEnvironmentVariable("QUENMARK_SHOTS");
        if (!dir.isEmpty())
            QVERIFY(w->grab().save(QStringLiteral("%1/ch%2_page%3.png").arg(dir).arg(chapter).arg(page)));
    }

    // The calculator after a stopped run shows every one of its controls at once.
    void calculatorAfterStoppedRun()
    {
        std::unique_ptr<LessonFrame> w(createChapterWindow(2, nullptr));
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        auto* next = w->findChild<QPushButton*>(QStringLiteral("BtnNext"));
        while (w->currentPage() < 8)
            next->click();
        const std::pair<const char*, const char*> inputs[] = {
            {"EditName", "First Example Bank"}, {"EditApr", "30"}, {"EditBal", "999999999999.99"}, {"EditPmt", "0"}};
        for (const auto& [name, value] : inputs)
            w->findChild<QLineEdit*>(QString::fromLatin1(name))->setText(QString::fromLatin1(value));
        auto* go = w->findChild<QPushButton*>(QStringLiteral("BtnGoFigure"));
        go->click(); // the payment is raised to the least accepted
        auto* stop = w->findChild<QPushButton*>(QStringLiteral("BtnStop"));
        QTimer::singleShot(0, stop, [stop] { stop->click(); });
        go->click();
        QWidget* page = w->notebook()->currentWidget();
        for (const char* name : {"LblAbort", "PanelWhy", "StdPanel"})
            QVERIFY(page->findChild<QWidget*>(QString::fromLatin1(name))->isVisible());
        const auto boxes = page->findChildren<ResultBox*>();
        QCOMPARE(boxes.size(), 6);
        for (auto* box : boxes) {
            QVERIFY(!box->text().isEmpty());
            // The text stands 4 pixels in from each side of the box at most.
            QVERIFY2(box->fontMetrics().horizontalAdvance(box->text()) <= box->width() - 8,
                     qPrintable(box->objectName() + QStringLiteral(" is too narrow for ") + box->text()));
        }
        for (QWidget* child : page->findChildren<QWidget*>()) {
            if (!child->isVisible())
                continue;
            const QRect r(child->mapTo(page, QPoint(0, 0)), child->size());
            QVERIFY2(page->rect().contains(r), qPrintable(child->objectName()));
        }
        const QString dir = qEnvironmentVariable("QUENMARK_SHOTS");
        if (!dir.isEmpty())
            QVERIFY(w->grab().save(dir + QStringLiteral("/ch2_calculator_stopped.png")));
    }

    // The extra-money calculator after the longest pair of runs: every figure
    // fits its box, every control lies inside the page.
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
        std::unique_ptr<LessonFrame> w(createChapterWindow(7, nullptr));
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        auto* next = w->findChild<QPushButton*>(QStringLiteral("BtnNext"));
        while (w->currentPage() < 5)
            next->click();
        const std::pair<const char*, QString> inputs[] = {{"EditName", QStringLiteral("First Example Bank")},
                                                          {"EditApr", apr},
                                                          {"EditBal", QStringLiteral("999999999999.99")},
                                                          {"EditPmt", QStringLiteral("0.01")}};
        for (const auto& [name, value] : inputs)
            w->findChild<QLineEdit*>(QString::fromLatin1(name))->setText(value);
        w->findChild<QComboBox*>(QStringLiteral("TreatLike"))->setCurrentIndex(mode);
        w->findChild<QComboBox*>(QStringLiteral("ExtraMoney"))->setCurrentIndex(10); // 1000
        auto* go = w->findChild<QPushButton*>(QStringLiteral("BtnCalculate"));
        go->click(); // the payment is raised to the least accepted
        if (apr == QLatin1String("0")) {
            w->findChild<QLineEdit*>(QStringLiteral("EditPmt"))->setText(QStringLiteral("0.01"));
            go->click(); // after the suggestion of balance / 36, the least accepted
        }
        go->click();
        QWidget* page = w->notebook()->currentWidget();
        const auto boxes = page->findChildren<ResultBox*>();
        QCOMPARE(boxes.size(), 11);
        for (auto* box : boxes) {
            QVERIFY2(!box->text().isEmpty(), qPrintable(box->objectName()));
            QVERIFY2(box->fontMetrics().horizontalAdvance(box->text()) <= box->width() - 8,
                     qPrintable(box->objectName() + QStringLiteral(" is too narrow for ") + box->text()));
        }
        for (QWidget* child : page->findChildren<QWidget*>()) {
            if (!child->isVisible())
                continue;
            const QRect r(child->mapTo(page, QPoint(0, 0)), child->size());
            QVERIFY2(page->rect().contains(r), qPrintable(child->objectName()));
        }
        const QString dir = qEnvironmentVariable("QUENMARK_SHOTS");
        if (!dir.isEmpty())
            QVERIFY(w->grab().save(dir + QStringLiteral("/ch7_calculator_%1_%2.png").arg(apr).arg(mode)));
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
        QVERIFY(neededHeight(answer) <= answer->contentsRect().height());
    }
};

QTEST_MAIN(TestChapt02Look)
#include "tst_chapt02_look.moc"
