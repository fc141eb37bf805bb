// Pictures: our JPEG decoder on good and damaged data, the embedded artwork,
// the button pictures, and the font the fixed layouts are measured in.
#include "common/Layout.h"
#include "pictures/ButtonPictures.h"
#include "pictures/Pictures.h"

#include <QBuffer>
#include <QFile>
#include <QFontInfo>
#include <QSet>
#include <QtTest>
#include <cmath>

using namespace quenmark;

namespace {
QByteArray artBytes(const QString& name)
{
    QFile f(QStringLiteral(":/art/") + name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

class PictureTests : public QObject
{
    Q_OBJECT
private slots:
    void goodJpegDecodes();
    void damagedJpeg_data();
    void damagedJpeg();
    void shellArtwork_data();
    void shellArtwork();
    void missingArtIsEmpty();
    void buttonPictureHasTwoImages();
    void awardWordsClearTheRing();
    void bandFontFitsEveryTitle_data();
    void bandFontFitsEveryTitle();
    void arialIsMetricCompatible();
};

void PictureTests::goodJpegDecodes()
{
    QString error;
    const QImage img = DecodeJpeg(artBytes(QStringLiteral("edition_badge.jpg")), &error);
    QVERIFY2(!img.isNull(), qPrintable(error));
    QCOMPARE(img.size(), QSize(134, 88));
    QVERIFY(error.isEmpty());
    // A colour from the middle of the gold frame, not black.
    QVERIFY(qRed(img.pixel(2, 44)) > 100);
}

void PictureTests::damagedJpeg_data()
{
    QTest::addColumn<QByteArray>("data");
    const QByteArray good = artBytes(QStringLiteral("edition_badge.jpg"));
    QVERIFY(good.size() > 1000);
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("garbage") << QByteArray(4096, '\x5a');
    QTest::newRow("only the start marker") << good.left(2);
    QTest::newRow("header only") << good.left(300);
    QTest::newRow("truncated half-way") << good.left(good.size() / 2);
    QTest::newRow("truncated before the end marker") << good.left(good.size() - 2);
    QByteArray scrambled = good;
    for (qsizetype i = good.size() / 3; i < good.size() - 2; i += 7)
        scrambled[i] = char(0xff);
    QTest::newRow("scrambled scan data") << scrambled;
    QByteArray png = artBytes(QStringLiteral("award_badge.png"));
    QTest::newRow("a PNG") << png;
}

void PictureTests::damagedJpeg()
{
    QFETCH(QByteArray, data);
    QString error;
    const QImage img = DecodeJpeg(data, &error);
    QVERIFY(img.isNull());
    QVERIFY(!error.isEmpty());
    // Again: the decoder holds no state between pictures.
    QVERIFY(!DecodeJpeg(artBytes(QStringLiteral("edition_badge.jpg"))).isNull());
}

void PictureTests::shellArtwork_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");
    QTest::newRow("splash") << "splash_name.png" << QSize(307, 239);
    QTest::newRow("award") << "award_badge.png" << QSize(84, 84);
    QTest::newRow("edition") << "edition_badge.jpg" << QSize(134, 88);
    QTest::newRow("signature") << "goodbye_signature.png" << QSize(170, 44);
    QTest::newRow("stand-by icon") << "standby_icon.png" << QSize(32, 32);
    QTest::newRow("reminder icon") << "stale_icon.png" << QSize(32, 32);
    QTest::newRow("program icon") << "quenmark.png" << QSize(128, 128);
}

void PictureTests::shellArtwork()
{
    QFETCH(QString, name);
    QFETCH(QSize, size);
    const QPixmap pm = LoadArt(name);
    QVERIFY(!pm.isNull());
    QCOMPARE(pm.size(), size);
}

void PictureTests::missingArtIsEmpty()
{
    QVERIFY(LoadArt(QStringLiteral("no_such_picture.jpg")).isNull());
    QVERIFY(LoadArt(QStringLiteral("no_such_picture.jpg")).isNull()); // reported once, still empty
}

void PictureTests::buttonPictureHasTwoImages()
{
    const QPixmap pm = ButtonPicture(QStringLiteral("Next Page"), 81);
    QCOMPARE(pm.size(), QSize(162, kButtonPictureHeight));
    const QImage img = pm.toImage();
    QCOMPARE(img.copy(0, 0, 81, kButtonPictureHeight) == img.copy(81, 0, 81, kButtonPictureHeight), false);
    const QIcon icon = IconFromDoublePicture(pm);
    QVERIFY(!icon.pixmap(QSize(81, kButtonPictureHeight), QIcon::Normal).isNull());
    QVERIFY(!icon.pixmap(QSize(81, kButtonPictureHeight), QIcon::Disabled).isNull());
    const QPixmap band = BandPicture(QStringLiteral("3   Minimum Payments vs Constant Payments"), Qt::darkGreen,
                                     QSize(307, 33));
    QCOMPARE(band.size(), QSize(614, 33));
}

void PictureTests::awardWordsClearTheRing()
{
    // The maroon ring and the maroon words must be apart: the ring, followed
    // from its leftmost pixel on the middle row through touching maroon pixels,
    // stays a thin ring and never runs into a word near the middle.
    const QImage badge = LoadArt(QStringLiteral("award_badge.png")).toImage().convertToFormat(QImage::Format_ARGB32);
    QVERIFY(!badge.isNull());
    auto maroon = [&](int x, int y) {
        const QColor c = badge.pixelColor(x, y);
        return c.alpha() > 128 && c.red() - c.green() > 70 && c.green() < 120;
    };
    const QPoint centre(badge.width() / 2, badge.height() / 2);
    QPoint start(-1, -1);
    for (int x = 0; x < centre.x() && start.x() < 0; ++x)
        if (maroon(x, centre.y()))
            start = QPoint(x, centre.y());
    QVERIFY(start.x() >= 0);
    QList<QPoint> todo{start};
    QSet<int> seen{start.y() * badge.width() + start.x()};
    double nearest = 1e9, farthest = 0;
    int words = 0; // maroon pixels not in the ring
    while (!todo.isEmpty()) {
        const QPoint p = todo.takeLast();
        const double r = std::hypot(p.x() - centre.x(), p.y() - centre.y());
        nearest = std::min(nearest, r);
        farthest = std::max(farthest, r);
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                const QPoint q(p.x() + dx, p.y() + dy);
                const int key = q.y() * badge.width() + q.x();
                if (badge.rect().contains(q) && !seen.contains(key) && maroon(q.x(), q.y())) {
                    seen.insert(key);
                    todo.append(q);
                }
            }
    }
    QVERIFY2(farthest - nearest < 4, qPrintable(QStringLiteral("the ring runs from radius %1 to %2").arg(nearest).arg(farthest)));
    for (int y = 0; y < badge.height(); ++y)
        for (int x = 0; x < badge.width(); ++x)
            words += maroon(x, y) && !seen.contains(y * badge.width() + x);
    QVERIFY(words > 50); // the words are there, apart from the ring
}

void PictureTests::bandFontFitsEveryTitle_data()
{
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<int>("width");
    QTest::newRow("short titles keep the largest size") << QStringList{"1   Intro", "2   Terms"} << 307;
    QTest::newRow("one long title sets the size for all")
        << QStringList{"1   Intro", "7   The Effect of Adding $5 to Each Payment"} << 307;
    QTest::newRow("contents titles") << QStringList{"3   Minimum Payments vs Constant Payments",
                                                    "7   The Effect of Adding $5 to Each Payment",
                                                    "9   A Computer Based Rapid Debt Program"}
                                     << 307;
    QTest::newRow("narrow band") << QStringList{"5   New Charges & Skipped Payments"} << 200;
    QTest::newRow("too long for any size") << QStringList{QString(200, QLatin1Char('W'))} << 307;
}

void PictureTests::bandFontFitsEveryTitle()
{
    // The largest size up to 15 at which every title fits; the next size up
    // would not fit one of them. Nothing below the smallest size.
    QFETCH(QStringList, titles);
    QFETCH(int, width);
    const int px = BandFontPx(titles, width);
    QVERIFY(px >= 9 && px <= 15);
    auto allFit = [&](int size) {
        const QFontMetrics m(arialPx(size, true));
        for (const QString& t : titles)
            if (m.horizontalAdvance(t) > BandTextRoom(width))
                return false;
        return true;
    };
    QVERIFY(allFit(px) || px == 9);
    QVERIFY(px == 15 || !allFit(px + 1));
}

void PictureTests::arialIsMetricCompatible()
{
    // The fixed layouts are measured in Arial; without a metric-compatible face
    // Qt falls back to a wider one and texts no longer fit their places.
    QCOMPARE(QFontInfo(QFont(QStringLiteral("Arial"))).family(), QStringLiteral("Liberation Sans"));
    const QFont f = arialPx(27, true);
    QCOMPARE(f.pixelSize(), 27);
    QCOMPARE(QFontInfo(f).family(), QStringLiteral("Liberation Sans"));
}

QTEST_MAIN(PictureTests)
#include "tst_pictures.moc"
