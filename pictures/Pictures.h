// Artwork access: JPEG pictures decoded by our own libjpeg decoder, PNG through Qt,
// and the button pictures (words drawn as a normal and a greyed image side by side).
#pragma once

#include <QByteArray>
#include <QImage>
#include <QPixmap>
#include <QString>

namespace quenmark {

// Decodes JPEG data. A damaged picture (truncated, garbage, empty) gives a null
// image and, when `error` is given, the reason; it never ends the program.
QImage DecodeJpeg(const QByteArray& data, QString* error = nullptr);

// The embedded picture ":/art/<name>". A .jpg goes through DecodeJpeg. A picture
// that cannot be read is an empty pixmap and is reported once on stderr.
QPixmap LoadArt(const QString& name);

} // namespace quenmark
