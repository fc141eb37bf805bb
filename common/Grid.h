// Tables of cells for the table chapters: a grid laid out from column
// positions and widths at a fixed row pitch, cells named by column and row,
// amounts lined up by left padding, and the one highlight operation that
// recolours a set of cells unless its guard cell shows it is already done.
#pragma once

#include <QColor>
#include <QHash>
#include <QRect>
#include <QString>
#include <initializer_list>
#include <span>
#include <vector>

#include "common/Layout.h"

class QLabel;
class QWidget;

namespace quenmark {

// Cells are 16 px high and stacked 15 px apart, so their borders overlap.
inline constexpr int kGridRowHeight = 16;
inline constexpr int kGridPitch = 15;
inline constexpr int kGridFontPx = 11;

// Background and text colour of a cell.
struct CellLook
{
    QColor background;
    QColor text;
};

struct GridColumn
{
    const char* prefix; // start of the cells' names: "Num", "Bal", "IPct" ...
    int x;
    int width;
    const char* header; // caption of the header cell (translated in GridSpec::context)
};

// The six columns of a payment ledger, "Pmt" 40 px wide and the others 80,
// each overlapping the one before by a pixel, from x 0 (GridSpec::left places them).
inline constexpr GridColumn kLedgerColumns[] = {
    {"Num", 0, 40, QT_TRANSLATE_NOOP("quenmark::Grid", "Pmt")},
    {"Bal", 39, 80, QT_TRANSLATE_NOOP("quenmark::Grid", "Balance")},
    {"Pmt", 118, 80, QT_TRANSLATE_NOOP("quenmark::Grid", "Payment")},
    {"Int", 197, 80, QT_TRANSLATE_NOOP("quenmark::Grid", "Interest")},
    {"Prin", 276, 80, QT_TRANSLATE_NOOP("quenmark::Grid", "Principal")},
    {"NBal", 355, 80, QT_TRANSLATE_NOOP("quenmark::Grid", "New Balance")},
};
inline constexpr int kLedgerWidth = 435;

struct GridSpec
{
    std::span<const GridColumn> columns;
    int left = 0;         // added to every column's x
    int top = 0;          // y of the first row made (the header row, if there is one)
    int number = 0;       // the header cells' names end in this two-digit number; body row k in number + k
    QColor headerText = colour::maroon;
    QColor headerBackground = colour::white;
    bool withHeader = true;
    const char* context = "quenmark::Grid"; // translation context of the headers
};

// Where cell (column, row) lies; row 0 is the header row, rows 1.. the body.
QRect gridCellRect(const GridSpec& spec, int column, int row);
// Its name: the column's prefix and two digits, e.g. "Prin" + 31 -> "Prin31".
QString gridCellName(const GridSpec& spec, int column, int row);

// One cell: a panel with a single-line border, Arial 11 px, caption centred.
QLabel* makeGridCell(QWidget* parent, const QString& name, const QRect& rect, const QString& text,
                     const CellLook& look, bool bold = false);

// The cells of a table on `parent`: the header row (bold, in the header
// colours) when spec.withHeader, then one body row for every columns.size()
// texts of `texts` (row after row; white cells, black text). With
// `alignAmounts`, the texts of each column are padded by PadAmount to the
// column's longest text.
void makeGrid(QWidget* parent, const GridSpec& spec, std::span<const char* const> texts, bool alignAmounts = false);

// `amount` padded on the left so that it lines up with an amount of
// `longest` characters in the same centred column: 2 spaces for one
// character shorter, 3 for two, 5 for three, and 2 more for each further one.
QString PadAmount(const QString& amount, int longest);

// ---- highlighting -------------------------------------------------------------------

inline const CellLook kNormalCell{colour::white, colour::black};
inline const CellLook kHighlightedCell{colour::green, colour::white};
inline const CellLook kHighlightedHeader{colour::green, colour::yellow};

enum class CellRole {
    Body,   // highlighted: green with white text; normal: white with black text
    Header, // highlighted: green with yellow text; normal: white with the table's header colour
    Cross,  // a highlighted column meets a highlighted row: green with yellow text; normal like Body
};

struct MarkedCell
{
    QString name;
    CellRole role = CellRole::Body;
};

// Cells named prefix + two digits, from..to, all in one role.
std::vector<MarkedCell> cellRange(const char* prefix, int from, int to, CellRole role = CellRole::Body);
// Several lists of cells as one.
std::vector<MarkedCell> joinCells(std::initializer_list<std::vector<MarkedCell>> parts);

// One row of a highlight table: a routine that highlights its cells and the
// routine that restores them, both guarded by one cell.
struct HighlightRow
{
    QString highlight;  // e.g. "HighlightCardPercents"
    QString restore;    // e.g. "RestoreCardPercents"
    QString guard;      // whose background tells whether the routine has anything to do
    QColor headerText;  // normal text colour of the row's header cells
    std::vector<MarkedCell> cells;
};

// The colours of a cell of `role`, highlighted or normal.
CellLook lookFor(CellRole role, bool highlighted, const QColor& headerText);

// Runs the routines of a highlight table over the named cells of one window.
class Highlighter
{
public:
    Highlighter() = default;
    // Indexes the named labels under `root` (made before this is called).
    Highlighter(QWidget* root, std::vector<HighlightRow> rows);

    // Runs the routine of that name (a row's highlight or restore name): reads
    // the guard cell's background and returns false at once if it already has
    // the routine's target; otherwise sets every cell's colours, repaints each
    // at once, and returns true. An unknown name does nothing.
    bool run(const QString& routine);
    // Runs the named routines in order (null names are skipped).
    void runAll(std::span<const char* const> routines);
    // The row's highlight (on) or restore (off) routine.
    bool set(const HighlightRow& row, bool on);

    const std::vector<HighlightRow>& rows() const { return m_rows; }
    QLabel* cell(const QString& name) const { return m_cells.value(name); }

private:
    QHash<QString, QLabel*> m_cells;
    std::vector<HighlightRow> m_rows;
};

} // namespace quenmark
