// Each card's balance month by month, stacked (the card paid first at the
// bottom), drawn with QPainter so it is crisp at any screen scale. Pointing at
// the chart, or moving along it with the arrow keys, reads out a month.
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

    // `priority`: the cards' indices in payoff order; `start`: each card's
    // balance before month 1 (by given index); `firstMonth`: month 1's calendar month.
    void setPlan(std::shared_ptr<const PlanResult> plan, std::vector<std::size_t> priority,
                 std::vector<double> start, QStringList names, QDate firstMonth);

    // The colour of the card at priority k (0-based): the lesson pies' colours
    // first (aqua, red, lime, blue, yellow), then the lesson charts' colours.
    static QColor cardColour(std::size_t k);

    int months() const { return m_months; }
    // A card's balance at the end of `month` (0: before month 1).
    double balanceAt(int month, std::size_t card) const;
    double totalAt(int month) const;

    // -1 when no month is read out.
    int cursorMonth() const { return m_cursor; }
    // What the chart reads out for the cursor month (also its accessible name).
    QString readout() const { return m_readout; }
    void setCursorMonth(int month, int cardUnderPointer = -1);
    // Where month `month` and an amount owed (counted from the bottom) lie.
    QPoint pointFor(int month, double amount) const;

    QSize sizeHint() const override { return {640, 300}; }
    QSize minimumSizeHint() const override { return {320, 180}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QRectF plotRect() const;
    double yTop() const { return m_yTop; }
    int monthAtX(double x) const;
    int cardAt(int month, double amount) const;
    void updateSummary();
    void paintLayer(const QRectF& plot);

    std::shared_ptr<const PlanResult> m_plan;
    std::vector<std::size_t> m_priority;
    QStringList m_names;
    QDate m_firstMonth;
    int m_months = 0;
    std::size_t m_cards = 0;
    std::vector<double> m_balance; // (months + 1) x cards, by given index
    std::vector<double> m_total;   // months + 1
    double m_yTop = 1;             // the top of the amount axis
    double m_yStep = 1;
    int m_cursor = -1;
    QString m_readout;
    QImage m_layer;            // the plot's grid, bands and rims, kept while the plan and size stay
    bool m_layerValid = false;
};

} // namespace quenmark
