// Pictures: our JPEG decoder on good and damaged data, the embedded artwork,
// the button pictures, and the font the fixed layouts are measured in.
#include "common/Layout.h"
#include "common/ButtonPictures.h"
#include "pictures/Pictures.h"

#include <QBuffer>
#include <QFile>
#include <QFontInfo>
#include <QLineF>
#include <QSet>
#include <QtTest>

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
    // Drawn at the screens' scale (the suite runs this test at 1 and at 2), so
    // the words stay crisp on a scaled desktop; laid out in logical pixels.
    const qreal scale = qApp->devicePixelRatio();
    const QPixmap pm = ButtonPicture(QStringLiteral("Next Page"), 81);
    QCOMPARE(pm.deviceIndependentSize().toSize(), QSize(162, kButtonPictureHeight));
    QCOMPARE(pm.devicePixelRatio(), scale);
    const QImage img = pm.toImage();
    const int w = qRound(81 * scale), h = qRound(kButtonPictureHeight * scale);
    QCOMPARE(img.copy(0, 0, w, h) == img.copy(w, 0, w, h), false);
    const QIcon icon = IconFromDoublePicture(pm);
    QVERIFY(!icon.pixmap(QSize(81, kButtonPictureHeight), QIcon::Normal).isNull());
    QVERIFY(!icon.pixmap(QSize(81, kButtonPictureHeight), QIcon::Disabled).isNull());
    const QPixmap band = BandPicture(QStringLiteral("3   Minimum Payments vs Constant Payments"), Qt::darkGreen,
                                     QSize(307, 33));
    QCOMPARE(band.deviceIndependentSize().toSize(), QSize(614, 33));
    QCOMPARE(band.devicePixelRatio(), scale);
    const QPixmap heading = HeadingPicture(QStringLiteral("Year to Date Totals"), QColor(128, 128, 0), QSize(310, 23), 14);
    QCOMPARE(heading.deviceIndependentSize().toSize(), QSize(310, 23));
    QCOMPARE(heading.devicePixelRatio(), scale);
}

void PictureTests::awardWordsClearTheRing()
{
    // Following the maroon ring from its leftmost pixel through touching maroon
    // pixels stays within a thin ring: no word runs into it. The words are there.
    const QImage badge = LoadArt(QStringLiteral("award_badge.png")).toImage().convertToFormat(QImage::Format_ARGB32);
    auto maroon = [&](QPoint p) {
        const QColor c = badge.pixelColor(p);
        return badge.rect().contains(p) && c.alpha() > 128 && c.red() - c.green() > 70 && c.green() < 120;
    };
    const QPointF centre = QRectF(badge.rect()).center();
    QPoint start(0, badge.height() / 2);
    while (start.x() < centre.x() && !maroon(start))
        start.rx()++;
    QList<QPoint> todo{start};
    QSet<QPoint> ring{start};
    double nearest = 1e9, farthest = 0;
    while (!todo.isEmpty()) {
        const QPoint p = todo.takeLast();
        const double r = QLineF(centre, p).length();
        nearest = std::min(nearest, r);
        farthest = std::max(farthest, r);
        for (const QPoint step : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1), QPoint(1, 1),
                                  QPoint(-1, -1), QPoint(1, -1), QPoint(-1, 1)})
            if (maroon(p + step) && !ring.contains(p + step))
                ring.insert(p + step), todo.append(p + step);
    }
    QVERIFY2(farthest - nearest < 4, qPrintable(QStringLiteral("ring from radius %1 to %2").arg(nearest).arg(farthest)));
    int words = 0;
    for (int y = 0; y < badge.height(); ++y)
        for (int x = 0; x < badge.width(); ++x)
            words += maroon(QPoint(x, y)) && !ring.contains(QPoint(x, y));
    QVERIFY(words > 50);
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
