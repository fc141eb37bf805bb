// Fixed layouts as data: a table of {name, rect, text, colours, font} turned
// into widgets by one helper, plus the colours and fonts the lessons share.
#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <span>

class QLabel;
class QWidget;

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
inline const QColor navyText{0, 64, 128}; // colour value 8404992: blue 128, green 64, red 0
} // namespace colour

// Arial at a pixel size (the design's sizes are pixel heights).
QFont arialPx(int pixelSize, bool bold = false);

enum class CellKind {
    Label,       // plain text, transparent unless a background is given
    Panel,       // single-line border, centred caption by default
    RaisedPanel, // bevelled panel (header items)
    Shadow,      // plain filled block without text (black shadow behind a panel)
};

struct CellSpec
{
    const char* name = "";   // object name; may be empty
    QRect rect;
    QString text;
    QColor background;       // invalid: inherit / transparent
    QColor foreground = colour::black;
    int fontPx = 11;
    bool bold = false;
    Qt::Alignment align = {}; // empty: the kind's own (labels left, panels centred)
    CellKind kind = CellKind::Label;
    bool wordWrap = false;
};

// A black block without text: the shadow behind a panel.
inline CellSpec shadowSpec(const QRect& rect)
{
    CellSpec s;
    s.rect = rect;
    s.background = colour::black;
    s.kind = CellKind::Shadow;
    return s;
}

// A text cell in one line: the fields most layouts set.
CellSpec textCell(const char* name, const QRect& rect, const QString& text, int fontPx, bool bold = false,
                  const QColor& foreground = colour::black, Qt::Alignment align = {}, bool wordWrap = false);

// One widget for one spec, owned by `parent`.
QLabel* makeCell(QWidget* parent, const CellSpec& spec);
// All specs of a table, in order.
void makeCells(QWidget* parent, std::span<const CellSpec> specs);

// Fills `widget`'s background with `colour` (windows, pages, shadow panels).
void setBackground(QWidget* widget, const QColor& colour);

// Recolour an existing cell and repaint it at once.
void setCellColours(QLabel* cell, const QColor& background, const QColor& foreground);

} // namespace quenmark
