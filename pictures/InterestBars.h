// Chapter 4's closing picture: what the running example costs in interest
// when it is paid off the credit-card way and the loan way, as two bars on a
// dollar scale. Painted at run time, so it is sharp at any screen scale.
#pragma once

#include <QColor>
#include <QString>
#include <QWidget>
#include <vector>

class QPainter;

namespace quenmark {

struct InterestBar
{
    QString label;  // under the bar
    double amount;  // dollars; its height on the scale and the figure above it
    QColor colour;
};

struct InterestChart
{
    QString title;  // may hold line breaks
    std::vector<InterestBar> bars;
    double scaleStep = 250;  // one grid line every step...
    double scaleTop = 2500;  // ...up to this
};

// Paints `chart` into `area`: title on top, the scale on the left, the bars
// side by side with their figures above them and labels below.
void PaintInterestChart(QPainter& painter, const QRect& area, const InterestChart& chart);

// The picture as a widget of its own fixed size; its accessible name reads the
// title and every bar's label and figure.
class InterestBarsPicture : public QWidget
{
public:
    InterestBarsPicture(InterestChart chart, QSize size, QWidget* parent = nullptr);
    const InterestChart& chart() const { return m_chart; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    InterestChart m_chart;
};

// Money as it is written on the picture: "$2,487.89".
QString ChartDollars(double amount);

} // namespace quenmark
