#include "common/ButtonPictures.h"

#include "common/Look.h"

#include <QGuiApplication>
#include <QHash>
#include <QPainter>
#include <QPushButton>

namespace quenmark {

namespace {

// The screens' scale: pictures are drawn at it, so they stay crisp when the
// desktop is scaled (2 on most high-density screens, 1 offscreen).
qreal screenScale()
{
    return qApp ? qMax<qreal>(1.0, qApp->devicePixelRatio()) : 1.0;
}

// A pixmap of `size` logical pixels at the screens' scale, filled with `fill`.
QPixmap scaledPixmap(QSize size, const QColor& fill)
{
    const qreal scale = screenScale();
    QPixmap pm(size * scale);
    pm.setDevicePixelRatio(scale);
    pm.fill(fill);
    return pm;
}

QPixmap transparentPixmap(QSize size)
{
    return scaledPixmap(size, Qt::transparent);
}

QHash<QString, QPixmap>& cache()
{
    static QHash<QString, QPixmap> pictures;
    return pictures;
}

} // namespace

QPixmap ButtonPicture(const QString& words, int imageWidth)
{
    const QString key = QStringLiteral("btn|%1|%2|%3").arg(words).arg(imageWidth).arg(screenScale());
    if (auto it = cache().constFind(key); it != cache().constEnd())
        return *it;

    const int h = kButtonPictureHeight;
    QPixmap pm = transparentPixmap(QSize(2 * imageWidth, h));
    {
        QPainter p(&pm);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.setFont(arialPx(12, true));
        const QRect normal(0, 0, imageWidth, h);
        const QRect greyed(imageWidth, 0, imageWidth, h);
        p.setPen(colour::black);
        p.drawText(normal, Qt::AlignCenter, words);
        // Greyed: a white emboss one pixel down-right under grey words.
        p.setPen(colour::white);
        p.drawText(greyed.translated(1, 1), Qt::AlignCenter, words);
        p.setPen(QColor(128, 128, 128));
        p.drawText(greyed, Qt::AlignCenter, words);
    }
    cache().insert(key, pm);
    return pm;
}

QIcon IconFromDoublePicture(const QPixmap& doublePicture)
{
    // Halves in device pixels; each keeps the picture's scale.
    const int w = doublePicture.width() / 2;
    const int h = doublePicture.height();
    QPixmap normal = doublePicture.copy(0, 0, w, h);
    QPixmap greyed = doublePicture.copy(w, 0, w, h);
    normal.setDevicePixelRatio(doublePicture.devicePixelRatio());
    greyed.setDevicePixelRatio(doublePicture.devicePixelRatio());
    QIcon icon;
    icon.addPixmap(normal, QIcon::Normal);
    icon.addPixmap(greyed, QIcon::Disabled);
    return icon;
}

void SetButtonPicture(QPushButton* button, const QString& words)
{
    const int imageWidth = qMax(16, button->width() - 10);
    button->setText(QString());
    button->setIcon(IconFromDoublePicture(ButtonPicture(words, imageWidth)));
    button->setIconSize(QSize(imageWidth, kButtonPictureHeight));
    button->setAccessibleName(words);
}

QPixmap BandPicture(const QString& words, const QColor& band, QSize size, int fontPx)
{
    const QString key = QStringLiteral("band|%1|%2|%3x%4|%5")
                            .arg(words, band.name())
                            .arg(size.width())
                            .arg(size.height())
                            .arg(fontPx) +
                        QStringLiteral("|%1").arg(screenScale());
    if (auto it = cache().constFind(key); it != cache().constEnd())
        return *it;

    QPixmap pm = scaledPixmap(QSize(2 * size.width(), size.height()), colour::silver);
    {
        QPainter p(&pm);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.setFont(arialPx(BandFontPx({words}, size.width(), fontPx), true));
        const int grey = qGray(band.rgb());
        const QColor greyBand(grey, grey, grey);
        for (int half = 0; half < 2; ++half) {
            const QRect r(half * size.width(), 0, size.width(), size.height());
            const QRect bandRect = r.adjusted(2, 3, -2, -3);
            p.fillRect(bandRect, half == 0 ? band : greyBand);
            p.setPen(half == 0 ? band.lighter(160) : greyBand.lighter(130));
            p.drawLine(bandRect.topLeft(), bandRect.topRight());
            p.setPen(half == 0 ? band.darker(180) : greyBand.darker(150));
            p.drawLine(bandRect.bottomLeft(), bandRect.bottomRight());
            p.setPen(half == 0 ? colour::white : colour::lightGrey);
            p.drawText(bandRect.adjusted(10, 0, -6, 0), Qt::AlignLeft | Qt::AlignVCenter, words);
        }
    }
    cache().insert(key, pm);
    return pm;
}

int BandTextRoom(int bandWidth)
{
    // The band leaves 2 pixels at each side, the words 10 before and 6 after.
    return bandWidth - 20;
}

int BandFontPx(const QStringList& titles, int bandWidth, int largestPx)
{
    constexpr int kSmallest = 9;
    const int room = BandTextRoom(bandWidth);
    int px = qMax(kSmallest, largestPx);
    for (; px > kSmallest; --px) {
        const QFontMetrics metrics(arialPx(px, true));
        bool fits = true;
        for (const QString& title : titles)
            fits = fits && metrics.horizontalAdvance(title) <= room;
        if (fits)
            break;
    }
    return px;
}

QPixmap HeadingPicture(const QString& words, const QColor& band, QSize size, int fontPx)
{
    QPixmap pm = scaledPixmap(size, band);
    QPainter p(&pm);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QRect r(QPoint(0, 0), size);
    p.setPen(band.lighter(170));
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(band.darker(200));
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
    p.setFont(arialPx(fontPx, true));
    // Drop shadow under white words: what makes it a picture rather than a label.
    p.setPen(band.darker(250));
    p.drawText(r.translated(1, 1), Qt::AlignCenter, words);
    p.setPen(colour::white);
    p.drawText(r, Qt::AlignCenter, words);
    return pm;
}

} // namespace quenmark
