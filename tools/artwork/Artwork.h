// The artwork redrawing tool: every source file in tools/artwork registers the
// pictures it draws; `quenmark-artwork OUTDIR` writes them all (PNG or JPEG by
// the file name's extension) into OUTDIR, normally pictures/art.
#pragma once

#include <QImage>
#include <QString>
#include <functional>

namespace quenmark::artwork {

struct Piece
{
    QString fileName;              // e.g. "splash_name.png", "edition_badge.jpg"
    std::function<QImage()> draw;  // draws the picture at its final size
};

// Registers a piece; returns true so it can initialise a static.
bool add(Piece piece);

} // namespace quenmark::artwork

// In a .cpp: QUENMARK_ARTWORK(uniqueTag, "file.png", []{ ... return image; });
#define QUENMARK_ARTWORK(tag, file, ...) \
    static const bool quenmark_artwork_##tag = ::quenmark::artwork::add({QStringLiteral(file), __VA_ARGS__})
