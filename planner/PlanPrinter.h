// The plan on paper or as a PDF: a title with the date it was printed (the
// platform's today), the plan in a few lines, the orders side by side, each
// card's payoff, the balance chart (painted by whoever draws it on screen) and
// the month-by-month schedule, paginated with the tables' headings repeated on
// every page and "Page k of n" at the foot.
//
// The printer takes the plan as a value, not the window. A PDF is made in
// memory and written through the checked writer (planner/SafeFile.h): a save
// that fails is never reported as done.
#pragma once

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

#include "core/Plan.h"
#include "core/PlanDate.h"

class QPageLayout;
class QPaintDevice;
class QPagedPaintDevice;
class QPainter;
class QPdfWriter;
class QPrinter;
class QWidget;

namespace quenmark {

// Paints the balance chart into `area` (device coordinates of `painter`).
using ChartPainter = std::function<void(QPainter& painter, const QRectF& area)>;
// A chart painter that draws `widget` as it is on screen, scaled into the area
// (nothing once the widget is gone).
ChartPainter PaintWidgetInto(QWidget* widget);

struct PrintablePlan
{
    std::shared_ptr<const PlanResult> plan; // the chosen order's plan, with its schedule
    PlanComparison comparison;              // the orders and each card alone (summaries)
    PlanOrder order = PlanOrder::HighestApr;
    QStringList names;                      // the cards' names by given index
    CalendarMonth start{2000, 1};           // month 1's calendar month
    PlanBudget budget;                      // the pledge and the changes over time
    ChartPainter paintChart;                // empty: no chart
};

class PlanPrinter
{
public:
    // One piece of a page: a line of text, a table's caption, its heading row,
    // a run of its rows, the chart.
    struct Piece
    {
        enum class Kind { Title, Text, Caption, Heading, Rows, Chart };
        Kind kind = Kind::Text;
        int section = 0;  // which table or text
        int first = 0;    // Rows: the first row
        int count = 0;    // Rows: how many
        qreal top = 0;    // where it starts on the page (device pixels from the printable area's top)
        qreal height = 0;
        bool operator==(const Piece&) const = default;
    };
    struct Page
    {
        std::vector<Piece> pieces;
        bool operator==(const Page&) const = default;
    };
    // The tables, in the order they are printed.
    enum Table { Comparison, Payoffs, Schedule, TableCount };

    // The date printed on the pages is the platform's today, read here.
    explicit PlanPrinter(PrintablePlan plan);
    ~PlanPrinter();
    PlanPrinter(const PlanPrinter&) = delete;
    PlanPrinter& operator=(const PlanPrinter&) = delete;

    const QDate& printedOn() const { return m_printed; }
    QString title() const;

    // The pages for a printable area of `size` (device pixels) on `device`.
    std::vector<Page> layOut(const QPaintDevice& device, const QSizeF& size) const;
    // A table's cells (for its heading: row -1).
    QStringList cells(Table table, int row) const;
    int rows(Table table) const;

    // Paints every page on `device` (a printer or a PDF writer); the number of
    // pages painted, 0 when painting could not start.
    int paint(QPagedPaintDevice& device) const;
    // Paints page `index` (0-based) of `pages` with `painter`.
    void paintPage(QPainter& painter, const std::vector<Page>& pages, int index, const QSizeF& size) const;

    // Sets up a PDF writer as pdf() does: US Letter (or `layout`), 300 dots an inch.
    void setUpPdf(QPdfWriter& writer, const QPageLayout* layout = nullptr) const;
    // The plan as a PDF; empty with `error` when it cannot be made. `pages`:
    // how many pages it has.
    QByteArray pdf(QString* error = nullptr, int* pages = nullptr) const;
    // Makes the PDF and writes it to `path`; false with the reason in words
    // when either fails (the file at `path` is then untouched).
    bool savePdf(const QString& path, QString* error = nullptr) const;
    // Prints on `printer` (set up by the print dialog); false with the reason
    // when printing could not start.
    bool print(QPrinter& printer, QString* error = nullptr) const;

private:
    struct Metrics;
    std::vector<Page> layOut(const Metrics& m, const QPaintDevice& device) const;
    void paintPage(QPainter& painter, const Metrics& m, const QStringList& summary, const std::vector<Page>& pages,
                   int index) const;
    QStringList summaryLines() const;
    QList<QStringList> scheduleSamples() const;
    void paintTable(QPainter& painter, const Metrics& m, const Piece& piece, qreal width) const;

    PrintablePlan m_plan;
    QDate m_printed;
};

// Shows the print dialog (its choices are the user's) and prints; false when
// the user cancelled or printing failed (`error` then says why, or is empty
// for a cancel).
bool PrintPlanWithDialog(QWidget* parent, const PlanPrinter& printer, QString* error = nullptr);

} // namespace quenmark
