// Each card's balance month by month, stacked (the card paid first at the
// bottom), drawn with QPainter so it is crisp at any screen scale. The bands
// are drawn one value per pixel column straight from the plan's schedule, so
// a plan of a thousand cards over a hundred years costs what the chart's
// pixels cost. Pointing at the chart, or moving along it with the arrow keys,
// reads out a month; a screen reader hears the chart as a chart, with a
// summary as its description and the read-out as its name.
#pragma once

#include <QDate>
#include <QImage>
#include <QStringList>
#include <QWidget>
#include <memory>
#include <vector>

#include "core/Plan.h"

namespace quenmark {

class BalanceChart : public QWidget
{
    Q_OBJECT
public:
    explicit BalanceChart(QWidget* parent = nullptr);

    // `plan` with its schedule; `names` by given index; `firstMonth`: month 1's calendar month.
    void setPlan(std::shared_ptr<const PlanResult> plan, QStringList names, QDate firstMonth);
    const PlanResult* plan() const { return m_plan.get(); }
    // The budget's changes over time, marked on the chart at their months: the
    // pledge changes and the one-off sums.
    void setChanges(const PlanBudget& budget);
    // The words of the marks of `month` ("pledge $150.00 from here", "$1,000.00 once"); empty when none.
    QString changesAt(int month) const;

    // The colour of the card at priority k (0-based): the lesson pies' colours
    // first (aqua, red, lime, blue, yellow), then the lesson charts' colours.
    static QColor cardColour(std::size_t k);

    int months() const { return m_months; }
    // A card's balance at the end of `month` (0: before month 1), in dollars.
    double balanceAt(int month, std::size_t card) const;
    double totalAt(int month) const;

    // -1 when no month is read out.
    int cursorMonth() const { return m_cursor; }
    // What the chart reads out for the cursor month (also its accessible name).
    QString readout() const { return m_readout; }
    // `cardUnderPointer`: the card whose band the pointer is on (-1: none,
    // and no card is named).
    void setCursorMonth(int month, int cardUnderPointer = -1);
    // Where month `month` and an amount owed (counted from the bottom) lie.
    QPoint pointFor(int month, double amount) const;

    QSize sizeHint() const override { return {640, 300}; }
    QSize minimumSizeHint() const override { return {320, 180}; }

signals:
    // The read-out changed (empty: none).
    void readoutChanged(const QString& readout);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QRectF plotRect() const;
    int monthAtX(double x) const;
    int cardAt(int month, double amount) const;
    // The upper edge of every band at the end of `month`, in cents owed up to
    // and including it (bands in priority order).
    void edgesAt(int month, std::vector<std::int64_t>& edges) const;
    void updateSummary();
    void paintLayer(const QRectF& plot);
    void paintLegend(QPainter& p, const QRectF& plot, const QFontMetrics& fm);
    void paintMarks(QPainter& p, const QRectF& plot, double dx, const QFontMetrics& fm);
    void paintReadout(QPainter& p, const QRectF& plot, const QFontMetrics& fm);

    std::shared_ptr<const PlanResult> m_plan;
    QStringList m_names;
    QDate m_firstMonth;
    int m_months = 0;
    struct Mark
    {
        int month;
        QString text;
    };
    std::vector<Mark> m_marks; // by month
    std::int64_t m_start = 0; // all owed before month 1, cents
    double m_yTop = 1;        // the top of the amount axis, dollars
    double m_yStep = 1;
    int m_cursor = -1;
    QString m_readout;
    QImage m_layer;           // the plot's grid, bands and rims, kept while the plan and size stay
    bool m_layerValid = false;
};

} // namespace quenmark
