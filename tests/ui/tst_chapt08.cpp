// Chapter 8: the page steps over nine pages, the pie walk driven by real
// pointer moves and by the keyboard, the pies as drawn, the quoted texts, the
// names a screen reader hears and the stage texts' fit. (The charts of pages 7
// to 9: tst_chapt08_charts.)
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStackedWidget>
#include <QtTest>
#include <algorithm>
#include <cmath>
#include <memory>
#include <numeric>

#include "ChapterFixture.h"
#include "FakePlatform.h"
#include "PageChecks.h"
#include "TestWidgets.h"
#include "lessons/Chapt08.h"
#include "lessons/Chapters.h"
#include "pictures/Pies.h"

using namespace quenmark;

namespace {
const QRect kPanels[] = {
    {14, 117, 129, 89}, {14, 221, 129, 89}, {155, 221, 129, 89}, {295, 221, 129, 89}, {436, 221, 129, 89}};
const QColor kSlice[] = {{0, 255, 255}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 0}};

// Which card (1-based priority) lies at `u`, the clockwise share of a turn from twelve o'clock.
int cardAt(double u)
{
    const auto& pay = TChapter_008::kPiePayments;
    const double total = std::accumulate(pay.begin(), pay.end(), 0.0);
    double from = -pay[0] / total; // slice 1 ends at twelve o'clock
    for (int p = 1; p <= 5; ++p) {
        const double to = from + pay[static_cast<std::size_t>(p - 1)] / total;
        if ((u >= from && u < to) || (u - 1 >= from && u - 1 < to))
            return p;
        from = to;
    }
    return 0;
}
} // namespace

class TestChapt08 : public QObject, public quenmark::test::ChapterFixture<TChapter_008>
{
    Q_OBJECT

private:
    QWidget* piePage() { return w->notebook()->widget(2); }
    int stageText() { return find<QStackedWidget>("Notebook3")->currentIndex(); }
    void pointAt(QWidget* target, QPoint at)
    {
        QTest::mouseMove(w->windowHandle(), target->mapTo(w.get(), at));
    }
    // A named place on the pie page: a pie, a gap between pies, a reset zone or a frame button.
    void pointAt(const QString& place)
    {
        static const QHash<QString, QPoint> onPage{
            {"gap12", {78, 213}},  {"gap23", {149, 265}}, {"gap34", {289, 265}},  {"gap45", {430, 265}},
            {"above", {300, 214}}, {"box2", {60, 60}},    {"margin", {570, 318}}, {"text", {300, 140}}};
        if (onPage.contains(place))
            return pointAt(piePage(), onPage[place]);
        if (place == QLatin1String("caption5"))
            return pointAt(find("Pie5Panel"), {64, 78});
        bool isStage = false;
        const int stage = place.toInt(&isStage);
        QWidget* target =
            isStage ? find(qPrintable(QStringLiteral("PieImage%1").arg(stage))) : find(qPrintable(place));
        QVERIFY(target);
        if (qobject_cast<QPushButton*>(target) && target->isHidden()) {
            target->show(); // a chapter button, as on the first or last page, in front of its partner
            target->raise();
        }
        pointAt(target, target->rect().center());
    }
    // The pies lifted now (on any page), as digits ("" when none); a lifted pie shows both its panels.
    QString lifted()
    {
        QString out;
        for (int s = 1; s <= 5; ++s) {
            const bool frame = !find(qPrintable(QStringLiteral("Pie%1Shadow1").arg(s)))->isHidden();
            const bool shadow = !find(qPrintable(QStringLiteral("Pie%1Shadow2").arg(s)))->isHidden();
            if (frame != shadow)
                return QStringLiteral("frame and shadow of pie %1 differ").arg(s);
            if (frame)
                out += QString::number(s);
        }
        return out;
    }

private slots:
    void init()
    {
        fake.clear();
        w = std::make_unique<TChapter_008>();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    }
    void cleanup() { w.reset(); }

    // Next from 1 to 9 and back: the notebook page of each counter value; Next on 9
    // and Back on 1 do nothing.
    void pageSteps()
    {
        const int notebookPage[] = {0, 0, 1, 2, 3, 4, 5, 6, 6, 6};
        auto check = [&](int page) {
            QCOMPARE(w->currentPage(), page);
            QCOMPARE(find<QLabel>("PageNumberPanel")->text(), QString::number(page));
            QCOMPARE(find<QLabel>("TotalPages")->text(), QStringLiteral("9"));
            QCOMPARE(w->notebook()->currentIndex(), notebookPage[page]);
        };
        for (int page = 2; page <= 9; ++page) {
            w->BtnNextClick();
            check(page);
        }
        QVERIFY(!find("BtnNext")->isVisible());
        w->BtnNextClick();
        check(9);
        for (int page = 8; page >= 1; --page) {
            w->BtnBackClick();
            check(page);
        }
        w->BtnBackClick();
        check(1);
        QVERIFY(find("BtnPrevChapt")->isVisible());
    }

    // Each row: pointer moves in turn, then per move the stage text shown and the pies lifted.
    void pieWalk_data()
    {
        QTest::addColumn<QString>("moves");
        QTest::addColumn<QString>("texts");
        QTest::addColumn<QString>("lifts");
        const char* const row = "1 gap12 2 gap23 3 gap34 4 gap45 5";
        const char* const rowSeen = "1 1 2 2 3 3 4 4 5";
        QTest::newRow("Stage 3 first does nothing") << "3" << "0" << "-";
        QTest::newRow("1, gap, 2") << "1 gap12 2" << "1 1 2" << "1 1 2";
        QTest::newRow("1, above, 2 does nothing") << "1 above 2" << "1 0 0" << "1 - -";
        QTest::newRow("1 to 5 along the row") << row << rowSeen << rowSeen;
        QTest::newRow("Stage 5 caption resets") << QStringLiteral("%1 caption5").arg(row)
                                                << QStringLiteral("%1 0").arg(rowSeen)
                                                << QStringLiteral("%1 -").arg(rowSeen);
        QTest::newRow("back along the row") << "1 gap12 2 gap23 3 gap23 2 gap12 1" << "1 1 2 2 3 3 2 2 1"
                                            << "1 1 2 2 3 3 2 2 1";
        QTest::newRow("area above Stage 1") << "1 box2 1" << "1 0 1" << "1 - 1";
        QTest::newRow("margin by Stage 5") << "1 gap12 2 margin 2" << "1 1 2 0 0" << "1 1 2 - -";
        QTest::newRow("stage text area") << "1 text" << "1 0" << "1 -";
        for (const char* button : {"BtnQuit", "BtnContents", "BtnPrevChapt", "BtnBack", "BtnNext", "BtnNextChapt"})
            QTest::addRow("frame button %s", button)
                << QStringLiteral("1 gap12 2 %1 2").arg(button) << "1 1 2 0 0" << "1 1 2 - -";
    }
    void pieWalk()
    {
        QFETCH(QString, moves);
        QFETCH(QString, texts);
        QFETCH(QString, lifts);
        goToPage(3);
        pointAt(QStringLiteral("gap12"));
        const QStringList m = moves.split(' '), t = texts.split(' '), l = lifts.split(' ');
        QCOMPARE(t.size(), m.size());
        QCOMPARE(l.size(), m.size());
        for (int i = 0; i < m.size(); ++i) {
            pointAt(m[i]);
            QVERIFY2(stageText() == t[i].toInt(),
                     qPrintable(QStringLiteral("after move %1 (%2)").arg(i + 1).arg(m[i])));
            QVERIFY2(lifted() == (l[i] == "-" ? QString() : l[i]),
                     qPrintable(QStringLiteral("after move %1").arg(i + 1)));
        }
        QCOMPARE(w->stageOneVisited(), t.last() != "0");

        // As seen: a lifted pie has a black outline and a shadow down and right.
        const QImage page = piePage()->grab().toImage();
        if (const QString dir = qEnvironmentVariable("QUENMARK_SHOTS"); !dir.isEmpty())
            QVERIFY(page.save(QStringLiteral("%1/ch8_walk_%2.png").arg(dir, QTest::currentDataTag())));
        for (int s = 1; s <= 5; ++s) {
            const QRect r = kPanels[s - 1];
            const QColor expected =
                lifted().contains(QString::number(s)) ? QColor(Qt::black) : QColor(Qt::white);
            QCOMPARE(page.pixelColor(r.left() - 1, r.center().y()), expected);
            QCOMPARE(page.pixelColor(r.right() + 3, r.bottom() + 3), expected);
            QCOMPARE(page.pixelColor(r.left() + 1, r.top() + 1), QColor(Qt::white));
        }
    }

    // Opening resets everything; turning pages with the keyboard keeps the pie
    // state, and coming back to the pies shows the introduction.
    void openingAndReopening()
    {
        auto opened = [this] {
            QCOMPARE(w->currentPage(), 1);
            QCOMPARE(find<QLabel>("TotalPages")->text(), QStringLiteral("9"));
            QCOMPARE(w->notebook()->currentIndex(), 0);
            QCOMPARE(stageText(), 0);
            QCOMPARE(lifted(), QString());
            QVERIFY(!w->stageOneVisited());
            QVERIFY(!find("BtnBack")->isVisible() && !find("BtnNextChapt")->isVisible());
        };
        opened();
        goToPage(3);
        for (const char* place : {"gap12", "1", "gap12", "2"})
            pointAt(QString::fromLatin1(place));
        QTest::keyClick(w.get(), Qt::Key_Return);
        QCOMPARE(w->currentPage(), 4);
        w->BtnBackClick();
        QCOMPARE(stageText(), 0);
        QCOMPARE(lifted(), QStringLiteral("2"));
        QVERIFY(w->stageOneVisited());
        w->hide();
        w->show(); // the next opening
        opened();
        std::unique_ptr<LessonFrame> made(createChapterWindow(8, nullptr));
        QVERIFY(dynamic_cast<TChapter_008*>(made.get()));
    }

    void keyboardWalk()
    {
        goToPage(3);
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        find("PieImage1")->setFocus(Qt::TabFocusReason);
        QCOMPARE(stageText(), 1);
        for (int stage = 2; stage <= 5; ++stage) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("PieImage%1").arg(stage));
            QCOMPARE(stageText(), stage);
            QCOMPARE(lifted(), QString::number(stage));
        }
    }

    // The drawn pie: slices in the given proportions and clockwise order with slice 1
    // ending at twelve o'clock, merged stage by stage; the rim at half brightness.
    void pieDrawing_data()
    {
        QTest::addColumn<int>("stage");
        for (int s = 1; s <= 5; ++s)
            QTest::addRow("stage %d", s) << s;
    }
    void pieDrawing()
    {
        QFETCH(int, stage);
        QImage img(400, 240, QImage::Format_RGB32);
        img.fill(Qt::white);
        QPainter p(&img);
        DrawSnowballPie(p, img.rect(), TChapter_008::kPiePayments, stage);
        p.end();
        const double rim = 240 * kPieRimShare;
        const QRectF top(0.5, 0.5, 399, 239 - rim);
        auto at = [&](double u, double radius, double down) {
            const double a = (90 - 360 * u) * M_PI / 180;
            return QPoint(qRound(top.center().x() + radius * top.width() / 2 * std::cos(a)),
                          qRound(top.center().y() - radius * top.height() / 2 * std::sin(a) + down));
        };
        for (int i = 0; i < 100; ++i) { // across the top face
            const double u = (i + 0.5) / 100;
            const int card = cardAt(u);
            // Stay clear of the slice edges.
            if (cardAt(u - 0.012) != card || cardAt(u + 0.012) != card)
                continue;
            const QColor want = kSlice[std::max(card, stage) - 1];
            QCOMPARE(img.pixelColor(at(u, 0.3, 0)), want);
        }
        for (double u : {0.27, 0.45, 0.55, 0.68, 0.72}) { // the rim at the front
            const QColor top = kSlice[std::max(cardAt(u), stage) - 1];
            const QColor want(qRound(top.red() / 2.0), qRound(top.green() / 2.0), qRound(top.blue() / 2.0));
            QCOMPARE(img.pixelColor(at(u, 0.97, rim / 2)), want);
        }
    }

    void pieSlicesOfOddPayments()
    {
        QVERIFY(SnowballPieSlices({}, 1).empty());
        const int zeros[] = {0, 0};
        QVERIFY(SnowballPieSlices(zeros, 1).empty());
        const int some[] = {10, 0, -5, 30};
        const auto slices = SnowballPieSlices(some, 9); // the last stage
        QCOMPARE(slices.size(), std::size_t(1));
        QCOMPARE(slices[0].priority, 4);
        QCOMPARE(slices[0].dollars, 40);
        QImage img(20, 3, QImage::Format_RGB32);
        QPainter p(&img);
        DrawSnowballPie(p, img.rect(), some, 0); // too small to draw: nothing, no failure
    }

    void quotedTexts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        const char* const rows[][2] = {
            {"OverviewHeading", " Chapter Overview: "},
            {"OverviewIntro", "In this chapter we will look at how to maximize the use of your money."},
            {"PieHeading", "The Concept of Payment Snowballing"},
            {"PiePrompt", "Begin by moving the mouse pointer over this graph"},
            {"StageFirst", " 1st "},
            {"StageFirstText", "Assign a payoff priority to each credit card."},
            {"StageSecond", " 2nd "},
            {"StageSecondText", "Make a commitment to pay each creditor the same amount each and every month. "
                                "This is critical."},
            {"StageBand2", " Look what happens when the 1st credit card gets paid off. "},
            {"StageBand3", " Look what happens when 2 credit cards are paid off. "},
            {"StageBand4", " Look what happens when 3 credit cards are paid off. "},
            {"PledgeExample", "For example if there are 5 credit cards:"},
            {"PledgeInsteadHead", "Instead of adding..."},
            {"PledgeHave3", "$100 in Pledge Money"},
            {"SortedNote", "First they get sorted by Highest Annual Percentage Rate"},
            {"CardName1", "Card 1"},
            {"CardApr1", "19.8"},
            {"CardBal1", "$1,543.68"},
            {"CardPmt1", "$32.00"},
            {"CardApr5", "21.0"},
            {"CardBal4", "$832.91"},
        };
        for (const auto& row : rows)
            QTest::newRow(row[0]) << row[0] << row[1];
    }
    void quotedTexts()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        auto* l = find<QLabel>(qPrintable(name));
        QVERIFY(l);
        QCOMPARE(l->text(), text);
    }

    // A screen reader hears what each pie holds and what each zone does.
    void accessibleNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("spoken");
        QTest::addColumn<QString>("described");
        QTest::newRow("pie 1") << "PieImage1" << "Stage 1 pie" << "slice 4 $53";
        QTest::newRow("pie 2") << "PieImage2" << "Stage 2 pie" << "slice 2 $51";
        QTest::newRow("pie 3") << "PieImage3" << "Stage 3 pie" << "slice 3 $68";
        QTest::newRow("pie 5") << "PieImage5" << "Stage 5 pie" << "slice 5 $158 of $158";
        for (const char* zone : {"PiePaintBox1", "PiePaintBox2", "PaintBox1", "PaintBox2"})
            QTest::newRow(zone) << zone << "Pie walk reset area" << "ends the pie walk";
        QTest::newRow("Notebook3") << "Notebook3" << "Stage text" << "ends the pie walk";
    }
    void accessibleNames()
    {
        QFETCH(QString, name);
        QFETCH(QString, spoken);
        QFETCH(QString, described);
        QWidget* c = find(qPrintable(name));
        QCOMPARE(quenmark::test::spokenName(c), spoken);
        QVERIFY2(c->accessibleDescription().contains(described), qPrintable(c->accessibleDescription()));
    }

    // The stage texts a walk shows (the pages reached by Next are checked by
    // tst_look for every chapter): every text fits and stays inside its page.
    void stageTextsAreTidy()
    {
        goToPage(3);
        auto* stages = find<QStackedWidget>("Notebook3");
        for (int i = 0; i < stages->count(); ++i) {
            stages->setCurrentIndex(i); // a notebook lays out only the page it shows
            const QString fault = quenmark::test::untidy(stages->currentWidget());
            QVERIFY2(fault.isEmpty(), qPrintable(QStringLiteral("stage text %1: %2").arg(i).arg(fault)));
        }
    }
};

QTEST_MAIN(TestChapt08)
#include "tst_chapt08.moc"
