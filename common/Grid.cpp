#include "common/Grid.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPalette>
#include <QWidget>
#include <algorithm>

namespace quenmark {

QRect gridCellRect(const GridSpec& spec, int column, int row)
{
    const GridColumn& c = spec.columns[static_cast<std::size_t>(column)];
    const int slot = spec.withHeader ? row : row - 1;
    return QRect(spec.left + c.x, spec.top + slot * kGridPitch, c.width, kGridRowHeight);
}

QString gridCellName(const GridSpec& spec, int column, int row)
{
    const GridColumn& c = spec.columns[static_cast<std::size_t>(column)];
    return QString::fromLatin1(c.prefix) + QStringLiteral("%1").arg(spec.number + row, 2, 10, QLatin1Char('0'));
}

QLabel* makeGridCell(QWidget* parent, const QString& name, const QRect& rect, const QString& text,
                     const CellLook& look, bool bold)
{
    QLabel* cell = makeCell(parent, {.rect = rect,
                                     .text = text,
                                     .background = look.background,
                                     .foreground = look.text,
                                     .fontPx = kGridFontPx,
                                     .bold = bold,
                                     .kind = CellKind::Panel});
    cell->setObjectName(name);
    return cell;
}

QString PadAmount(const QString& amount, int longest)
{
    const int shorter = longest - static_cast<int>(amount.size());
    if (shorter <= 0)
        return amount;
    // A blank is about half a figure wide, so each missing character takes two,
    // except that one character is made up by two and two by three.
    const int blanks = shorter == 1 ? 2 : shorter == 2 ? 3 : 5 + 2 * (shorter - 3);
    return QString(blanks, QLatin1Char(' ')) + amount;
}

void makeGrid(QWidget* parent, const GridSpec& spec, std::span<const char* const> texts, bool alignAmounts)
{
    const int columns = static_cast<int>(spec.columns.size());
    if (columns == 0)
        return;
    if (spec.withHeader) {
        for (int c = 0; c < columns; ++c) {
            const char* header = spec.columns[static_cast<std::size_t>(c)].header;
            makeGridCell(parent, gridCellName(spec, c, 0), gridCellRect(spec, c, 0),
                         QCoreApplication::translate(spec.context, header ? header : ""),
                         {spec.headerBackground, spec.headerText}, true);
        }
    }
    const int rows = static_cast<int>(texts.size()) / columns;
    auto text = [&](int row, int column) {
        const char* t = texts[static_cast<std::size_t>(row * columns + column)];
        return QString::fromUtf8(t ? t : "");
    };
    for (int c = 0; c < columns; ++c) {
        int longest = 0;
        if (alignAmounts)
            for (int r = 0; r < rows; ++r)
                longest = std::max(longest, static_cast<int>(text(r, c).size()));
        for (int r = 0; r < rows; ++r) {
            const QString t = alignAmounts ? PadAmount(text(r, c), longest) : text(r, c);
            makeGridCell(parent, gridCellName(spec, c, r + 1), gridCellRect(spec, c, r + 1), t, kNormalCell);
        }
    }
}

std::vector<MarkedCell> cellRange(const char* prefix, int from, int to, CellRole role)
{
    std::vector<MarkedCell> cells;
    for (int n = from; n <= to; ++n)
        cells.push_back({QString::fromLatin1(prefix) + QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')), role});
    return cells;
}

std::vector<MarkedCell> joinCells(std::initializer_list<std::vector<MarkedCell>> parts)
{
    std::vector<MarkedCell> cells;
    for (const auto& part : parts)
        cells.insert(cells.end(), part.begin(), part.end());
    return cells;
}

CellLook lookFor(CellRole role, bool highlighted, const QColor& headerText)
{
    switch (role) {
    case CellRole::Body:
        return highlighted ? kHighlightedCell : kNormalCell;
    case CellRole::Header:
        return highlighted ? kHighlightedHeader : CellLook{colour::white, headerText};
    case CellRole::Cross:
        return highlighted ? kHighlightedHeader : kNormalCell;
    }
    return kNormalCell;
}

Highlighter::Highlighter(QWidget* root, std::vector<HighlightRow> rows)
    : m_rows(std::move(rows))
{
    for (QLabel* label : root->findChildren<QLabel*>())
        if (!label->objectName().isEmpty())
            m_cells.insert(label->objectName(), label);
}

bool Highlighter::run(const QString& routine)
{
    for (const HighlightRow& row : m_rows) {
        if (row.highlight == routine)
            return set(row, true);
        if (row.restore == routine)
            return set(row, false);
    }
    return false;
}

void Highlighter::runAll(std::span<const char* const> routines)
{
    for (const char* routine : routines)
        if (routine)
            run(QString::fromLatin1(routine));
}

bool Highlighter::set(const HighlightRow& row, bool on)
{
    QLabel* guard = cell(row.guard);
    if (!guard)
        return false;
    const QColor target = on ? colour::green : colour::white;
    if (guard->palette().color(QPalette::Window) == target)
        return false;
    const QString described = on ? QCoreApplication::translate("quenmark::Grid", "highlighted") : QString();
    for (const MarkedCell& marked : row.cells) {
        QLabel* c = cell(marked.name);
        if (!c)
            continue;
        const CellLook look = lookFor(marked.role, on, row.headerText);
        // What the commentary points at is told to a screen reader too, not only shown in colour.
        c->setAccessibleDescription(described);
        setCellColours(c, look.background, look.text); // repaints the cell at once
    }
    return true;
}

} // namespace quenmark
