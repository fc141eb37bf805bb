// Redraws every registered picture into the given folder.
#include "Artwork.h"

#include <QDir>
#include <QGuiApplication>
#include <QTextStream>
#include <vector>

namespace quenmark::artwork {
namespace {
std::vector<Piece>& pieces()
{
    static std::vector<Piece> all;
    return all;
}
} // namespace

bool add(Piece piece)
{
    pieces().push_back(std::move(piece));
    return true;
}
} // namespace quenmark::artwork

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    if (argc != 2) {
        err << "usage: quenmark-artwork OUTDIR\n";
        return 2;
    }
    QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.exists() && !QDir().mkpath(out.path())) {
        err << "quenmark-artwork: cannot create " << out.path() << "\n";
        return 1;
    }
    int failures = 0;
    for (const auto& piece : quenmark::artwork::pieces()) {
        const QImage image = piece.draw();
        const QString path = out.filePath(piece.fileName);
        const bool jpeg = piece.fileName.endsWith(QLatin1String(".jpg"));
        if (image.isNull() || !image.save(path, jpeg ? "JPG" : "PNG", jpeg ? 90 : -1)) {
            err << "quenmark-artwork: could not write " << path << "\n";
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
