// Our own small JPEG decoder over libjpeg. libjpeg's default error handler
// prints and ends the program; here an error jumps back to decodeInto(), which
// owns nothing with a destructor, and the picture comes out empty.
#include "pictures/Pictures.h"

#include <QFile>
#include <QHash>
#include <QSet>
#include <QTextStream>

#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>

namespace quenmark {

namespace {

struct ErrorManager
{
    jpeg_error_mgr pub;  // must be first: libjpeg hands us a jpeg_error_mgr*
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void errorExit(j_common_ptr info)
{
    auto* err = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, err->message);
    std::longjmp(err->jump, 1);
}

void keepMessage(j_common_ptr info)
{
    // Warnings are counted in num_warnings; keep the first text instead of printing it.
    auto* err = reinterpret_cast<ErrorManager*>(info->err);
    if (err->message[0] == '\0')
        (*info->err->format_message)(info, err->message);
}

// Decodes into `image`. Returns false with `err->message` set on any error or
// warning. No object with a destructor lives in this frame (longjmp target).
bool decodeInto(const unsigned char* data, unsigned long size, QImage* image, ErrorManager* err)
{
    jpeg_decompress_struct info;
    info.err = jpeg_std_error(&err->pub);
    err->pub.error_exit = errorExit;
    err->pub.output_message = keepMessage;
    err->message[0] = '\0';

    if (setjmp(err->jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, size);
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    if (info.output_components != 3 || info.output_width == 0 || info.output_height == 0
        || info.output_width > 16384 || info.output_height > 16384) {
        jpeg_destroy_decompress(&info);
        std::snprintf(err->message, sizeof err->message, "unsupported picture layout");
        return false;
    }
    *image = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                    QImage::Format_RGB888);
    if (image->isNull()) {
        jpeg_destroy_decompress(&info);
        std::snprintf(err->message, sizeof err->message, "out of memory");
        return false;
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image->scanLine(static_cast<int>(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    const long warnings = err->pub.num_warnings;
    jpeg_destroy_decompress(&info);
    if (warnings > 0)
        return false; // e.g. "Premature end of JPEG file": the picture is damaged
    return true;
}

void reportOnce(const QString& name, const QString& reason)
{
    static QSet<QString> reported;
    if (reported.contains(name))
        return;
    reported.insert(name);
    QTextStream(stderr) << "quenmark: picture " << name << " cannot be shown: " << reason << "\n";
}

} // namespace

QImage DecodeJpeg(const QByteArray& data, QString* error)
{
    if (data.isEmpty()) {
        if (error)
            *error = QStringLiteral("empty data");
        return QImage();
    }
    QImage image;
    ErrorManager err{};
    const bool ok = decodeInto(reinterpret_cast<const unsigned char*>(data.constData()),
                               static_cast<unsigned long>(data.size()), &image, &err);
    if (!ok) {
        if (error)
            *error = QString::fromLocal8Bit(err.message);
        return QImage();
    }
    return image;
}

QPixmap LoadArt(const QString& name)
{
    static QHash<QString, QPixmap> loaded;
    if (auto it = loaded.constFind(name); it != loaded.constEnd())
        return *it;

    QFile file(QStringLiteral(":/art/") + name);
    QImage image;
    QString reason;
    if (!file.open(QIODevice::ReadOnly)) {
        reason = QStringLiteral("not found");
    } else {
        const QByteArray data = file.readAll();
        if (name.endsWith(QLatin1String(".jpg"), Qt::CaseInsensitive)
            || name.endsWith(QLatin1String(".jpeg"), Qt::CaseInsensitive)) {
            image = DecodeJpeg(data, &reason);
        } else if (!image.loadFromData(data)) {
            reason = QStringLiteral("not a readable picture");
        }
    }
    QPixmap pixmap;
    if (image.isNull())
        reportOnce(name, reason);
    else
        pixmap = QPixmap::fromImage(image);
    loaded.insert(name, pixmap);
    return pixmap;
}

} // namespace quenmark
