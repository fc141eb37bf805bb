// Fixed layouts as data: a table of {name, rect, text, colours, font} turned
// into widgets by one helper. The colours and fonts are in common/Look.h.
#pragma once

#include <QColor>
#include <QRect>
#include <QString>
#include <span>

#include "common/Look.h"

class QLabel;
class QWidget;

namespace quenmark {

enum class CellKind {
    Label,       // plain text, transparent unless a background is given
    Panel,       // single-line border, centred caption by default
    RaisedPanel, // bevelled panel (header items)
    Shadow,      // plain filled block without text (black shadow behind a panel)
};

struct CellSpec
{
    const char* name = "";   // object name; may be empty
    QRect rect = {};
    QString text = {};
    QColor background = {}; // invalid: inherit / transparent
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
    return {.rect = rect, .background = colour::black, .kind = CellKind::Shadow};
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
