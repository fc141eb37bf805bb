// The pages of the table chapters 3, 4 and 5 are tidy: every visible cell and
// label lies inside its page and every text fits its cell, with the tables
// full. With QUENMARK_SHOTS set to a folder, each page is saved there as a
// picture for a look by eye.
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QTextDocument>
#include <QtTest>
#include <memory>

#include "FakePlatform.h"
#include "TestWidgets.h"
#include "common/LessonFrame.h"
#include "lessons/Chapters.h"

using namespace quenmark;

class TestTablesLook : public QObject
{
    Q_OBJECT

private:
    FakePlatform fake;

    static void checkPage(LessonFrame* w, const QString& where)
    {
        QWidget* current = w->notebook()->currentWidget();
        const QRect area(QPoint(0, 0), QSize(578, 325));
        QCOMPARE(current->size(), area.size());
        int checked = 0;
        for (QWidget* child : current->findChildren<QWidget*>()) {
            if (!child->isVisible())
                continue;
            const QRect r(child->mapTo(current, QPoint(0, 0)), child->size());
            QVERIFY2(area.contains(r), qPrintable(where + QLatin1Char(' ') + child->objectName() +
                                                  QStringLiteral(" leaves the page")));
            auto* label = qobject_cast<QLabel*>(child);
            if (!label || label->text().isEmpty())
                continue;
            ++checked;
            if (!label->wordWrap() && label->textFormat() != Qt::RichText)
                QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->contentsRect().width(),
                         qPrintable(where + QLatin1Char(' ') + label->objectName() +
                                    QStringLiteral(" is too narrow for '%1'").arg(label->text())));
            QVERIFY2(test::neededHeight(label) <= label->contentsRect().height(),
                     qPrintable(where + QLatin1Char(' ') + label->objectName() +
                                QStringLiteral(" is too low: needs %1, has %2")
                                    .arg(test::neededHeight(label))
                                    .arg(label->contentsRect().height())));
        }
        QVERIFY2(checked > 0, qPrintable(where + QStringLiteral(" shows no text")));
        const QString dir = qEnvironmentVariable("QUENMARK_SHOTS");
        if (!dir.isEmpty())
            QVERIFY(w->grab().save(QStringLiteral("%1/%2.png").arg(dir, where)));
    }

private slots:
    void pagesAreTidy_data()
    {
        QTest::addColumn<int>("chapter");
        for (int chapter : {3, 4, 5})
            QTest::addRow("chapter %d", chapter) << chapter;
    }
    // Every page, forward; where a table is being filled, before and after "Show All".
    void pagesAreTidy()
    {
        QFETCH(int, chapter);
        std::unique_ptr<LessonFrame> w(createChapterWindow(chapter, nullptr));
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        auto* next = w->findChild<QPushButton*>(QStringLiteral("BtnNext"));
        auto* showAll = w->findChild<QPushButton*>(QStringLiteral("ShowAll"));
        for (int page = 1;; ++page) {
            QCOMPARE(w->currentPage(), page);
            const QString where = QStringLiteral("ch%1_page%2").arg(chapter).arg(page, 2, 10, QLatin1Char('0'));
            checkPage(w.get(), where);
            if (showAll && showAll->isVisible()) {
                showAll->click();
                checkPage(w.get(), where + QStringLiteral("_full"));
            }
            if (page == w->totalPageCount())
                break;
            next->click();
        }
    }
};

QTEST_MAIN(TestTablesLook)
#include "tst_chapt03_05_look.moc"
