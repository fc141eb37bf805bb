#include "pictures/InterestBars.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "common/Look.h"
#include "core/MoneyText.h"

namespace quenmark {

QString ChartDollars(double amount)
{
    return QLatin1Char('$') + QString::fromStdString(AmountToText(amount));
}

void PaintInterestChart(QPainter& p, const QRect& area, const InterestChart& chart)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.fillRect(area, colour::white);
    p.setPen(colour::black);
    p.drawRect(area.adjusted(0, 0, -1, -1));

    p.setFont(arialPx(11, true));
    p.setPen(colour::textBlue);
    const QRect titleRect(area.left() + 4, area.top() + 4, area.width() - 8, 40);
    p.drawText(titleRect, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, chart.title);

    const QRect plot(area.left() + 42, area.top() + 60, area.width() - 52, area.height() - 60 - 24);
    const double top = chart.scaleTop > 0 ? chart.scaleTop : 1;
    auto yOf = [&](double value) {
        const double v = std::clamp(std::isfinite(value) ? value : 0.0, 0.0, top);
        return plot.bottom() - static_cast<int>(std::lround(v / top * plot.height()));
    };

    // The scale: a light line and a figure at every step.
    p.setFont(arialPx(9));
    const int steps = chart.scaleStep > 0 ? static_cast<int>(std::floor(top / chart.scaleStep + 1e-9)) : 0;
    for (int i = 1; i <= steps; ++i) {
        const double value = i * chart.scaleStep;
        const int y = yOf(value);
        p.setPen(colour::lightGrey);
        p.drawLine(plot.left(), y, plot.right(), y);
        p.setPen(colour::black);
        p.drawText(QRect(area.left() + 2, y - 6, plot.left() - area.left() - 6, 12), Qt::AlignRight | Qt::AlignVCenter,
                   QString::fromStdString(CountToText(static_cast<std::int32_t>(value))));
    }
    p.setPen(colour::black);
    p.drawLine(plot.left(), plot.top(), plot.left(), plot.bottom());
    p.drawLine(plot.left(), plot.bottom(), plot.right(), plot.bottom());

    const int n = static_cast<int>(chart.bars.size());
    if (n > 0) {
        const int slot = plot.width() / n;
        const int barWidth = slot / 2;
        for (int i = 0; i < n; ++i) {
            const InterestBar& bar = chart.bars[static_cast<std::size_t>(i)];
            const int x = plot.left() + i * slot + (slot - barWidth) / 2;
            const int y = yOf(bar.amount);
            const QRect body(x, y, barWidth, plot.bottom() - y);
            p.fillRect(body, bar.colour);
            p.setPen(bar.colour.darker(160));
            p.drawRect(body.adjusted(0, 0, -1, -1));
            p.setFont(arialPx(10, true));
            p.setPen(colour::black);
            p.drawText(QRect(plot.left() + i * slot - 4, y - 16, slot + 8, 14), Qt::AlignCenter, ChartDollars(bar.amount));
            p.setPen(bar.colour);
            p.drawText(QRect(plot.left() + i * slot - 4, plot.bottom() + 4, slot + 8, 28),
                       Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, bar.label);
        }
    }
    p.restore();
}

InterestBarsPicture::InterestBarsPicture(InterestChart chart, QSize size, QWidget* parent)
    : QWidget(parent)
    , m_chart(std::move(chart))
{
    setFixedSize(size);
    QString spoken = QString(m_chart.title).replace(QLatin1Char('\n'), QLatin1Char(' '));
    for (const InterestBar& bar : m_chart.bars)
        spoken += QStringLiteral("; %1 %2").arg(bar.label, ChartDollars(bar.amount));
    setAccessibleName(spoken);
}

void InterestBarsPicture::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    PaintInterestChart(p, rect(), m_chart);
}

} // namespace quenmark
