// What the bar charts of chapters 6 and 8 share: a bar that reports the pointer
// (or the keyboard focus) reaching it, a background zone that reports the
// pointer moving over a chart, the small arrow that marks a row of a card list,
// the self-centring chart title and the readout label, and the guard that
// shows or hides a set of bars only when it is not already in that state.
//
// A chart is a table of bars ({object name, rect, colour, row, what it reads})
// and one background rule: the chapter connects every bar's pointed() to one
// handler that looks its row up in the table.
#pragma once

#include <QColor>
#include <QList>
#include <QStringList>
#include <QObject>
#include <QWidget>
#include <span>

class QFrame;
class QLabel;

namespace quenmark {

// One bar: a filled rectangle. Moving the pointer over it, or the keyboard
// focus reaching it (the arrow keys inside its chart), emits pointed() with its
// index in its chart's table. Its accessible name says what pointing at it shows.
class ChartBar : public QWidget
{
    Q_OBJECT
public:
    ChartBar(QWidget* chart, const QString& objectName, const QRect& rect, const QColor& colour, int index,
             const QString& spokenName);

    QColor colour() const { return m_colour; }
    int index() const { return m_index; }

signals:
    void pointed(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QColor m_colour;
    int m_index = 0;
};

// Shows or hides a set of bars; touches them only when the first bar of the
// set is not already in the wanted state.
void ShowBarSet(std::span<ChartBar* const> bars, bool shown);

// A chart's panel. The pointer moving over its background emits moved(); the
// panel's children do not reach it unless they are made part of the background
// with PassPointerThrough, and bars take their moves for themselves.
// The keyboard reaches the panel with Tab; the arrow keys then step from bar
// to bar (in the order they were made), each reading out as if pointed at.
class ChartZone : public QObject
{
    Q_OBJECT
public:
    explicit ChartZone(QFrame* panel);

signals:
    void moved();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QFrame* m_panel;
    int m_frameStyle = 0;
    int m_lineWidth = 0;
};

// The visible bar after (step +1) or before (step -1) `from` among the bars of
// `chart`; from null: the first or the last. Null when there is none.
ChartBar* NeighbourBar(QWidget* chart, const ChartBar* from, int step);

// The pointer over `w` counts as over the widget beneath it (axis lines and
// labels belong to the chart background).
void PassPointerThrough(QWidget* w);

// A small arrow pointing right (11 x 7), drawn at run time so it is crisp at
// any screen scale, that marks one row of a card list.
class RowArrow : public QWidget
{
    Q_OBJECT
public:
    // `x` is the arrow's left; row r (1-based) puts its top at firstTop + step (r - 1).
    RowArrow(QWidget* parent, const QString& objectName, int x, int firstTop, int step,
             const QColor& colour = QColor(128, 0, 0));

    // Row 0 hides the arrow; rows 1 and up move it to that row and show it.
    // `rowName` is what the arrow then reads to a screen reader ("Card 4").
    void pointAtRow(int row, const QString& rowName = QString());
    int row() const { return m_row; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_colour;
    int m_firstTop = 0;
    int m_step = 0;
    int m_row = 0;
};

// One column of a card list beside a chart: its head (translated in the
// list's context), place and alignment.
struct CardListColumn
{
    const char* head;
    int x;
    int width;
    Qt::Alignment align;
};

// A card list: bold maroon heads at `headY`, then one row of `cells` per card
// from `firstRow`, `step` pixels apart (the first column bold), in Arial `px`.
// Returns each row's cells, row by row.
QList<QList<QLabel*>> MakeCardList(QWidget* parent, const char* context, std::span<const CardListColumn> columns,
                                   std::span<const QStringList> cells, int headY, int firstRow, int step, int px);

// A chart title: sets `text`, sizes the label to it and centres it
// horizontally in its parent (left = parent width div 2 - label width div 2).
void SetCentredTitle(QLabel* title, const QString& text);

// The readout of a chart: `text` in the bar's `colour`, repainted at once,
// and said to a screen reader.
void SetReadout(QLabel* readout, const QString& text, const QColor& colour);
// Empties the readout (repainted at once) unless it is empty already.
void ClearReadout(QLabel* readout);

} // namespace quenmark
