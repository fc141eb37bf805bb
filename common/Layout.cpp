#include "common/Layout.h"

#include <QLabel>
#include <QPalette>

namespace quenmark {

CellSpec textCell(const char* name, const QRect& rect, const QString& text, int fontPx, bool bold,
                  const QColor& foreground, Qt::Alignment align, bool wordWrap)
{
    return {.name = name,
            .rect = rect,
            .text = text,
            .foreground = foreground,
            .fontPx = fontPx,
            .bold = bold,
            .align = align,
            .wordWrap = wordWrap};
}

QLabel* makeCell(QWidget* parent, const CellSpec& spec)
{
    auto* cell = new QLabel(parent);
    if (spec.name && *spec.name)
        cell->setObjectName(QString::fromLatin1(spec.name));
    cell->setGeometry(spec.rect);
    cell->setFont(arialPx(spec.fontPx, spec.bold));
    cell->setWordWrap(spec.wordWrap);
    cell->setTextFormat(Qt::PlainText);

    Qt::Alignment align = spec.align;
    switch (spec.kind) {
    case CellKind::Label:
        if (!align)
            align = Qt::AlignLeft | Qt::AlignVCenter;
        break;
    case CellKind::Panel:
        cell->setFrameStyle(QFrame::Box | QFrame::Plain);
        cell->setLineWidth(1);
        if (!align)
            align = Qt::AlignCenter;
        break;
    case CellKind::RaisedPanel:
        cell->setFrameStyle(QFrame::Panel | QFrame::Raised);
        cell->setLineWidth(1);
        if (!align)
            align = Qt::AlignCenter;
        break;
    case CellKind::Shadow:
        cell->setAttribute(Qt::WA_TransparentForMouseEvents);
        break;
    }
    cell->setAlignment(align);
    // No fixed accessible name: a label is read by its current text, so a
    // cell whose text changes later (page number, results) is read as it is now.
    cell->setText(spec.text);
    setCellColours(cell, spec.background, spec.foreground);
    cell->show();
    return cell;
}

void makeCells(QWidget* parent, std::span<const CellSpec> specs)
{
    for (const CellSpec& spec : specs)
        makeCell(parent, spec);
}

void setBackground(QWidget* widget, const QColor& colour)
{
    QPalette pal = widget->palette();
    pal.setColor(QPalette::Window, colour);
    widget->setPalette(pal);
    widget->setAutoFillBackground(true);
}

void setCellColours(QLabel* cell, const QColor& background, const QColor& foreground)
{
    QPalette pal = cell->palette();
    if (background.isValid()) {
        pal.setColor(QPalette::Window, background);
        cell->setAutoFillBackground(true);
    } else {
        cell->setAutoFillBackground(false);
    }
    if (foreground.isValid()) {
        pal.setColor(QPalette::WindowText, foreground);
        pal.setColor(QPalette::Text, foreground);
    }
    cell->setPalette(pal);
    cell->repaint();
}

} // namespace quenmark
