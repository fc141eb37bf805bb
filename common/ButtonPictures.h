// Button pictures: the words of a button drawn as a picture that holds the
// normal image and the greyed image side by side. Drawn by code at first use
// and kept for the rest of the run.
#pragma once

#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>
#include <QStringList>

class QAbstractButton;
class QPushButton;

namespace quenmark {

// The size of one of the two images of a frame or contents button's picture.
inline constexpr int kButtonPictureHeight = 20;

// Black bold words on a transparent ground (normal) next to the same words
// greyed and embossed (disabled); width 2 * `imageWidth`.
QPixmap ButtonPicture(const QString& words, int imageWidth);

// Splits a double picture into an icon with a normal and a disabled image.
QIcon IconFromDoublePicture(const QPixmap& doublePicture);

// Gives `button` the picture of `words` (no text of its own) and `words` as its
// accessible name, so a screen reader can read it.
void SetButtonPicture(QPushButton* button, const QString& words);

// A chapter band: white bold words on a band of `band` colour, normal image
// and greyed image side by side, each `size`. Words too long for the band at
// `fontPx` are drawn smaller until they fit.
QPixmap BandPicture(const QString& words, const QColor& band, QSize size, int fontPx = 15);

// The room the words have on a band `bandWidth` wide.
int BandTextRoom(int bandWidth);

// The largest bold Arial pixel size, at most `largestPx`, at which every one of
// `titles` fits a band `bandWidth` wide: one size for a column of bands.
int BandFontPx(const QStringList& titles, int bandWidth, int largestPx = 15);

// A heading drawn as a picture (white bold words on `band`, with a bevel), one image.
QPixmap HeadingPicture(const QString& words, const QColor& band, QSize size, int fontPx);

} // namespace quenmark
