// The colours and the font the program draws with: shared by the widget
// layer, the pictures and the screens.
#pragma once

#include <QColor>
#include <QFont>

namespace quenmark {

namespace colour {
inline const QColor white{255, 255, 255};
inline const QColor black{0, 0, 0};
inline const QColor maroon{128, 0, 0};
inline const QColor green{0, 128, 0};
inline const QColor yellow{255, 255, 0};
inline const QColor teal{0, 128, 128};
inline const QColor darkBlue{0, 0, 64};
inline const QColor textBlue{0, 64, 128};
inline const QColor lightGrey{212, 212, 212};
inline const QColor silver{192, 192, 192};
} // namespace colour

// Arial at a pixel size (the design's sizes are pixel heights).
QFont arialPx(int pixelSize, bool bold = false);

} // namespace quenmark
