// Chapter 9: page turning and the frame buttons, the two web buttons on every
// page, the eight hover zones and the areas that return to the general
// description, the zones lying over the parts of the drawn main window, and
// the keyboard reaching every zone.
#include "common/WebStuff.h"
#include "lessons/Chapt09.h"
#include "lessons/Chapters.h"
#include "pictures/Owlhaven.h"
#include "FakePlatform.h"
#include "PageWalk.h"
#include "TestWidgets.h"

#include <QPainter>
#include <QPushButton>
#include <QSet>
#include <QStackedWidget>
#include <QtTest>
#include <memory>

using namespace quenmark;
using quenmark::test::child;
using quenmark::test::pointAt;

class TestChapt09 : public QObject
{
    Q_OBJECT

    FakePlatform fake;
    std::unique_ptr<TChapter_009> w;

    QStackedWidget* descriptions() const { return child<QStackedWidget>(w.get(), "Notebook2"); }
    QWidget* zone(int k) const { return child(w.get(), QStringLiteral("PaintBox%1").arg(k).toLatin1().constData()); }
    void turnTo(int page)
    {
        while (w->currentPage() < page)
            w->BtnNextClick();
        while (w->currentPage() > page)
            w->BtnBackClick();
    }

private slots:
    void init()
    {
        fake.clear();
        InitWebStuff();
        w.reset(static_cast<TChapter_009*>(createChapterWindow(9, nullptr)));
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    }
    void cleanup() { w.reset(); }

    void openingState()
    {
        QCOMPARE(w->windowTitle(), QStringLiteral("Chapter 9"));
        QCOMPARE(child<QLabel>(w.get(), "TotalPages")->text(), QStringLiteral("3"));
        QCOMPARE(child<QLabel>(w.get(), "HeaderTitle")->text(), QStringLiteral(" A Computer Based Rapid Debt Program"));
        QCOMPARE(w->notebook()->count(), 3);
        QCOMPARE(descriptions()->count(), 9);
        QCOMPARE(w->notebook()->size(), QSize(581, 287));
        QCOMPARE(child(w.get(), "Notebook2")->geometry(), QRect(311, 8, 263, 273));
        QCOMPARE(child(w.get(), "MainScreenPicture")->geometry(), QRect(11, 22, 292, 218));
        QCOMPARE(child(w.get(), "OwlhavenLogo")->geometry(), QRect(12, 9, 372, 56));
        QVERIFY(!w->findChild<QPushButton*>(QStringLiteral("BtnNextChapt")));
        // A visit that left the tour on a description starts again on the general one.
        turnTo(2);
        pointAt(zone(3));
        QCOMPARE(descriptions()->currentIndex(), 3);
        w->hide();
        w->show();
        QCOMPARE(w->currentPage(), 1);
        QCOMPARE(w->notebook()->currentIndex(), 0);
        QCOMPARE(descriptions()->currentIndex(), 0);
    }

    void frameButtons_data()
    {
        QTest::addColumn<QList<int>>("steps"); // +1 Next, -1 Back
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("shown");     // of PrevChapt, Back, Next: 1 shown, 0 hidden
        QTest::newRow("opening") << QList<int>{} << 1 << "101";
        QTest::newRow("page 2") << QList<int>{1} << 2 << "011";
        QTest::newRow("page 3, the last") << QList<int>{1, 1} << 3 << "010";
        QTest::newRow("Next on 3 does nothing") << QList<int>{1, 1, 1} << 3 << "010";
        QTest::newRow("back from 3") << QList<int>{1, 1, -1} << 2 << "011";
        QTest::newRow("back to 1") << QList<int>{1, 1, -1, -1} << 1 << "101";
        QTest::newRow("Back on 1 does nothing") << QList<int>{-1} << 1 << "101";
    }
    void frameButtons()
    {
        QFETCH(QList<int>, steps);
        QFETCH(int, page);
        QFETCH(QString, shown);
        for (int step : steps) {
            QPushButton* b = child<QPushButton>(w.get(), step > 0 ? "BtnNext" : "BtnBack");
            if (b->isVisible())
                QTest::mouseClick(b, Qt::LeftButton);
            else
                step > 0 ? w->BtnNextClick() : w->BtnBackClick();
        }
        QCOMPARE(w->currentPage(), page);
        QCOMPARE(child<QLabel>(w.get(), "PageNumberPanel")->text(), QString::number(page));
        QCOMPARE(w->notebook()->currentIndex(), page - 1);
        const char* names[] = {"BtnPrevChapt", "BtnBack", "BtnNext"};
        for (int i = 0; i < 3; ++i)
            QVERIFY2(child(w.get(), names[i])->isVisible() == (shown[i] == QLatin1Char('1')), names[i]);
        // With no button focused, Enter turns the page only where Next shows.
        w->notebook()->setFocus();
        QTest::keyClick(w.get(), Qt::Key_Return);
        QCOMPARE(w->currentPage(), shown[2] == QLatin1Char('1') ? page + 1 : page);
    }

    void webButtons_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("address");
        for (int page = 1; page <= 3; ++page) {
            QTest::addRow("Download on page %d", page) << page << "ButtonDownload"
                                                       << "https://www.owlhaven.example/downloads.html";
            QTest::addRow("Buy Now on page %d", page) << page << "ButtonBuyNow"
                                                      << "https://www.owlhaven.example/buynow.html";
        }
    }
    void webButtons()
    {
        QFETCH(int, page);
        QFETCH(QString, button);
        QFETCH(QString, address);
        turnTo(page);
        auto* b = w->findChild<QPushButton*>(button);
        QVERIFY(b && b->isVisible());
        QCOMPARE(b->toolTip(), QStringLiteral("Click here to order online from our website"));
        QCOMPARE(b->size(), QSize(95, 23));
        QCOMPARE(b->parentWidget()->objectName(), QStringLiteral("Panel1"));
        QTest::mouseClick(b, Qt::LeftButton);
        QCOMPARE(fake.openedUrls, QStringList{address});
        QVERIFY(w->isVisible());
        QCOMPARE(w->result(), 0);
        QCOMPARE(w->currentPage(), page);
    }

    // Pointing at zone k shows description k; every other part of the page
    // area that is not a button brings back the general description.
    void zonesAndResetAreas_data()
    {
        QTest::addColumn<int>("zone");
        QTest::addColumn<QString>("resetArea");
        QTest::addColumn<QPoint>("at");
        const std::pair<const char*, QPoint> areas[] = {
            {"Panel1", {250, 305}},           // between the two web buttons
            {"Notebook2", {130, 200}},        // the description itself
            {"Page2", {150, 270}},            // the prompt under the picture
            {"MainScreenPicture", {150, 147}}, // picture, between the big buttons
        };
        for (int k = 1; k <= 8; ++k)
            for (const auto& [name, at] : areas)
                QTest::addRow("PaintBox%d then %s", k, name) << k << QString::fromLatin1(name) << at;
    }
    void zonesAndResetAreas()
    {
        QFETCH(int, zone);
        QFETCH(QString, resetArea);
        QFETCH(QPoint, at);
        turnTo(2);
        QCOMPARE(descriptions()->currentIndex(), 0);
        pointAt(this->zone(zone));
        QCOMPARE(descriptions()->currentIndex(), zone);
        QCOMPARE(descriptions()->currentWidget()->objectName(), QStringLiteral("Description%1").arg(zone));
        // Moving within the zone keeps it.
        pointAt(this->zone(zone), QPoint(1, 1));
        QCOMPARE(descriptions()->currentIndex(), zone);
        QWidget* area = w->findChild<QWidget*>(resetArea);
        QVERIFY(area);
        // The point lies outside every zone and button.
        QWidget* under = w->childAt(area->mapTo(w.get(), at));
        QVERIFY(under && !qobject_cast<HoverZone*>(under) && !qobject_cast<QAbstractButton*>(under));
        pointAt(area, at);
        QCOMPARE(descriptions()->currentIndex(), 0);
    }

    void stripBetweenZones()
    {
        turnTo(2);
        QWidget* page = w->notebook()->currentWidget();
        QList<int> shown;
        for (QPoint at : {QPoint(40, 50), QPoint(76, 50), QPoint(120, 50)}) {
            QTest::mouseMove(w->windowHandle(), page->mapTo(w.get(), at));
            shown.append(descriptions()->currentIndex());
        }
        QCOMPARE(shown, (QList<int>{1, 0, 2}));
    }

    // Each zone covers the part of the drawn window it describes, and no other part.
    void zonesLieOverTheirParts()
    {
        const QPoint origin = child(w.get(), "MainScreenPicture")->pos();
        const auto& parts = OwlhavenPartRects();
        for (int k = 1; k <= 8; ++k) {
            const QRect zoneRect = zone(k)->geometry().translated(-origin);
            for (int j = 0; j < kOwlhavenPartCount; ++j) {
                const QRect part = parts[static_cast<std::size_t>(j)];
                const QRect common = zoneRect.intersected(part);
                const double covered = double(common.width()) * common.height() / (double(part.width()) * part.height());
                if (j == k - 1)
                    QVERIFY2(covered > 0.95, qPrintable(QStringLiteral("PaintBox%1 covers %2 of its part").arg(k).arg(covered)));
                else
                    QVERIFY2(common.isEmpty(), qPrintable(QStringLiteral("PaintBox%1 lies over part %2").arg(k).arg(j)));
            }
        }
    }

    // Every part of both pictures has something drawn on it, at any scale.
    void picturesArePainted_data()
    {
        QTest::addColumn<qreal>("scale");
        QTest::newRow("1x") << 1.0;
        QTest::newRow("2x") << 2.0;
        QTest::newRow("1.5x") << 1.5;
    }
    void picturesArePainted()
    {
        QFETCH(qreal, scale);
        auto distinctColours = [](const QImage& img, const QRect& r) {
            QSet<QRgb> seen;
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int x = r.left(); x <= r.right(); ++x)
                    seen.insert(img.pixel(x, y));
            return seen.size();
        };
        auto render = [scale](QSize size, auto paint) {
            QImage img((QSizeF(size) * scale).toSize(), QImage::Format_ARGB32);
            img.fill(Qt::white);
            QPainter p(&img);
            paint(p, QRectF(QPointF(0, 0), QSizeF(img.size())));
            return img;
        };
        const QImage screen = render(kOwlhavenScreenSize, PaintOwlhavenScreen);
        for (const QRect& part : OwlhavenPartRects()) {
            const QRect scaled((QPointF(part.topLeft()) * scale).toPoint(), (QSizeF(part.size()) * scale).toSize());
            QVERIFY2(distinctColours(screen, scaled) >= 4, qPrintable(QStringLiteral("part at %1,%2").arg(part.x()).arg(part.y())));
        }
        const QImage logo = render(kOwlhavenLogoSize, PaintOwlhavenLogo);
        QVERIFY(distinctColours(logo, logo.rect()) >= 16);
    }

    // Tab reaches every zone; a zone reached by the keyboard shows its description.
    void keyboardReachesZones()
    {
        turnTo(2);
        QList<QWidget*> chain;
        QWidget* start = child(w.get(), "BtnQuit");
        for (QWidget* f = start->nextInFocusChain(); f && f != start && chain.size() < 200; f = f->nextInFocusChain())
            chain.append(f);
        for (int k = 1; k <= 8; ++k) {
            QVERIFY(chain.contains(zone(k)));
            QVERIFY(zone(k)->focusPolicy() & Qt::TabFocus);
            zone(k)->setFocus(Qt::TabFocusReason);
            QCOMPARE(descriptions()->currentIndex(), k);
            QVERIFY(!test::spokenName(zone(k)).isEmpty());
            QVERIFY(zone(k)->accessibleDescription().size() > 40);
        }
    }
};

QTEST_MAIN(TestChapt09)
#include "tst_chapt09.moc"
