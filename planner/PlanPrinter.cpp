#include "planner/PlanPrinter.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFontMetricsF>
#include <QLocale>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QWidget>
#include <algorithm>
#include <array>
#include <cmath>

#include "common/Platform.h"
#include "planner/PlanInputs.h"
#include "planner/SafeFile.h"

namespace quenmark {

namespace {

QString T(const char* text)
{
    return QCoreApplication::translate("quenmark::PlanPrinter", text);
}

QString Money(std::int64_t cents)
{
    return QLatin1Char('$') + CentsText(cents);
}

QString Months(int months)
{
    return months == 1 ? T("1 month") : T("%1 months").arg(months);
}

QString Duration(int months)
{
    const int years = months / 12, rest = months % 12;
    const QString y = years == 1 ? T("1 year") : T("%1 years").arg(years);
    if (years == 0)
        return Months(rest);
    return rest == 0 ? y : y + QLatin1Char(' ') + Months(rest);
}

QString OrderName(PlanOrder order)
{
    switch (order) {
    case PlanOrder::HighestApr:
        return T("Highest APR first");
    case PlanOrder::LowestBalance:
        return T("Lowest balance first");
    case PlanOrder::Given:
        break;
    }
    return T("Your own order");
}

// The chart's caption counts as one more "table" in the pieces.
constexpr int kChartSection = PlanPrinter::TableCount;
// Changes over time listed by name in the summary at most.
constexpr std::size_t kChangesListed = 24;

} // namespace

// Fonts and sizes for one device and page.
struct PlanPrinter::Metrics
{
    QFont title, text, caption, table, heading;
    qreal titleHeight = 0, lineHeight = 0, captionHeight = 0, rowHeight = 0, footerHeight = 0, gap = 0, pad = 0;
    qreal chartHeight = 0;
    QSizeF size;
    std::array<std::vector<qreal>, TableCount> widths; // each table's column widths

    Metrics(const QPaintDevice& device, const QSizeF& pageSize, const PlanPrinter& printer)
        : size(pageSize)
    {
        title = QFont(QStringLiteral("Arial"));
        title.setPointSizeF(16);
        title.setBold(true);
        text = QFont(QStringLiteral("Arial"));
        text.setPointSizeF(10);
        caption = text;
        caption.setPointSizeF(11);
        caption.setBold(true);
        table = QFont(QStringLiteral("Arial"));
        table.setPointSizeF(8.5);
        heading = table;
        heading.setBold(true);
        const QFontMetricsF t(title, &device), x(text, &device), c(caption, &device), r(table, &device);
        titleHeight = 2 * t.lineSpacing() + x.lineSpacing();
        lineHeight = x.lineSpacing();
        captionHeight = c.lineSpacing() * 1.6;
        rowHeight = r.lineSpacing() * 1.25;
        footerHeight = r.lineSpacing() * 2;
        gap = x.lineSpacing() * 0.8;
        pad = r.averageCharWidth();
        chartHeight = std::max<qreal>(pageSize.height() * 0.4, 4 * captionHeight);

        const QFontMetricsF h(heading, &device);
        for (int t = 0; t < TableCount; ++t) {
            const auto table = static_cast<Table>(t);
            const QStringList heads = printer.cells(table, -1);
            std::vector<qreal> w(static_cast<std::size_t>(heads.size()), 0);
            for (qsizetype i = 0; i < heads.size(); ++i)
                w[static_cast<std::size_t>(i)] = h.horizontalAdvance(heads[i]);
            // Fitted to the widest figure: every row of the small tables; for the
            // schedule the largest amounts and the longest name stand for all rows.
            QList<QStringList> samples;
            if (table == Schedule)
                samples = printer.scheduleSamples();
            else
                for (int row = 0; row < printer.rows(table); ++row)
                    samples.append(printer.cells(table, row));
            for (const QStringList& cells : samples)
                for (qsizetype i = 0; i < cells.size() && i < heads.size(); ++i)
                    w[static_cast<std::size_t>(i)] =
                        std::max(w[static_cast<std::size_t>(i)], r.horizontalAdvance(cells[i]));
            for (qreal& width : w)
                width += 2 * pad;
            // The names' column (the first in the comparison and the payoffs, the
            // third in the schedule) gives way when the figures need the room.
            const std::size_t flexible = table == Schedule ? 2 : 0;
            qreal others = 0;
            for (std::size_t i = 0; i < w.size(); ++i)
                others += i == flexible ? 0 : w[i];
            w[flexible] = std::max(size.width() - others, std::min(w[flexible], size.width() / 4));
            if (others + w[flexible] > size.width()) {
                // Still too wide (huge fonts on a tiny page): everything shrinks alike.
                const qreal k = size.width() / (others + w[flexible]);
                for (qreal& width : w)
                    width *= k;
            }
            widths[static_cast<std::size_t>(t)] = std::move(w);
        }
    }

    qreal textHeight(const QPaintDevice& device, const QString& s) const
    {
        return QFontMetricsF(text, &device)
                   .boundingRect(QRectF(0, 0, size.width(), 1e9), Qt::TextWordWrap, s)
                   .height() +
               lineHeight * 0.3;
    }
};

ChartPainter PaintWidgetInto(QWidget* widget)
{
    QPointer<QWidget> w(widget);
    return [w](QPainter& painter, const QRectF& area) {
        if (!w || w->width() <= 0 || w->height() <= 0)
            return;
        const qreal k = std::min(area.width() / w->width(), area.height() / w->height());
        painter.save();
        painter.translate(area.center() - QPointF(w->width() * k / 2, w->height() * k / 2));
        painter.scale(k, k);
        w->render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
        painter.restore();
    };
}

PlanPrinter::PlanPrinter(PrintablePlan plan)
    : m_plan(std::move(plan)), m_printed(platform().today())
{
    if (!m_plan.plan)
        m_plan.plan = std::make_shared<const PlanResult>();
}

PlanPrinter::~PlanPrinter() = default;

QString PlanPrinter::title() const
{
    return T("My Cards: your payoff plan");
}

int PlanPrinter::rows(Table table) const
{
    switch (table) {
    case Comparison:
        return 4;
    case Payoffs:
        return static_cast<int>(m_plan.plan->cards.size());
    case Schedule:
        return static_cast<int>(m_plan.plan->schedule.size());
    case TableCount:
        break;
    }
    return 0;
}

QStringList PlanPrinter::cells(Table table, int row) const
{
    const PlanResult& plan = *m_plan.plan;
    auto name = [&](std::size_t card) {
        const QString n = m_plan.names.value(static_cast<qsizetype>(card));
        return n.trimmed().isEmpty() ? T("Card %1").arg(card + 1) : n;
    };
    switch (table) {
    case Comparison: {
        if (row < 0)
            return {T("Order"), T("Months"), T("Debt-free in"), T("Total interest"), T("Interest saved")};
        const bool owed = std::any_of(plan.cards.begin(), plan.cards.end(),
                                      [](const PlanCardResult& c) { return c.startBalance > 0; });
        const PlanOrder orders[3] = {PlanOrder::HighestApr, PlanOrder::LowestBalance, PlanOrder::Given};
        const bool alone = row == 3;
        const PlanResult& p = alone ? m_plan.comparison.alone : m_plan.comparison.plan(orders[row]);
        QString label = alone ? T("Each card alone: no snowball, no pledge") : OrderName(orders[row]);
        if (!alone && orders[row] == m_plan.order)
            label += T(" (chosen)");
        const bool ends = p.paidOff && owed;
        const bool compared = !alone && ends && m_plan.comparison.alone.paidOff;
        return {label, !owed ? QString() : ends ? QString::number(p.months) : T("over 100 years"),
                ends ? CalendarMonthText(m_plan.start, p.months, true) : QString(),
                ends || !owed ? Money(p.totalInterest) : QString(),
                compared ? Money(m_plan.comparison.interestSaved(p)) : QString()};
    }
    case Payoffs: {
        if (row < 0)
            return {T("Card"), T("Priority"), T("Paid off"), T("In"), T("Interest"), T("Paid")};
        const auto i = static_cast<std::size_t>(row);
        const PlanCardResult& c = plan.cards[i];
        QString month, calendar;
        if (c.startBalance <= 0)
            month = T("Nothing owed");
        else if (c.payoffMonth > 0) {
            month = T("month %1").arg(c.payoffMonth);
            calendar = CalendarMonthText(m_plan.start, c.payoffMonth, true);
        } else
            month = plan.neverEnds ? T("Never") : T("Not within 100 years");
        return {name(i), QString::number(c.priority + 1), month, calendar, Money(c.interest), Money(c.paid)};
    }
    case Schedule: {
        if (row < 0)
            return {T("Month"), T("Date"), T("Card"), T("Payment"), T("Interest"), T("Balance")};
        const PlanRow& r = plan.schedule[static_cast<std::size_t>(row)];
        return {QString::number(r.month), CalendarMonthText(m_plan.start, r.month), name(static_cast<std::size_t>(r.card)),
                Money(r.payment), Money(r.interest), Money(r.balance)};
    }
    case TableCount:
        break;
    }
    return {};
}

QList<QStringList> PlanPrinter::scheduleSamples() const
{
    // The widest text of each column: the last month, the widest calendar
    // month, the longest name, the largest amounts.
    const PlanResult& plan = *m_plan.plan;
    std::int64_t payment = 0, interest = 0, balance = 0;
    for (const PlanRow& r : plan.schedule.rows()) {
        payment = std::max(payment, r.payment);
        interest = std::max(interest, r.interest);
        balance = std::max(balance, r.balance);
    }
    QString longest;
    for (const QString& n : m_plan.names)
        if (n.size() > longest.size())
            longest = n;
    QList<QStringList> samples;
    for (int month = 1; month <= 12; ++month)
        samples.append({QString::number(std::max(plan.schedule.months(), 1)), CalendarMonthText(m_plan.start, month),
                        longest, Money(payment), Money(interest), Money(balance)});
    return samples;
}

QStringList PlanPrinter::summaryLines() const
{
    const PlanResult& plan = *m_plan.plan;
    QStringList lines;
    lines << T("Month 1 of the plan is %1. Order: %2. Pledge money: %3 a month.")
                 .arg(CalendarMonthText(m_plan.start, 1, true), OrderName(m_plan.order), Money(m_plan.budget.pledge));
    const bool owed = std::any_of(plan.cards.begin(), plan.cards.end(),
                                  [](const PlanCardResult& c) { return c.startBalance > 0; });
    if (plan.cards.empty())
        lines << T("There are no cards in this plan.");
    else if (!owed)
        lines << T("Nothing is owed on these cards.");
    else if (plan.paidOff)
        lines << T("Debt-free after %1 (%2), in %3.")
                     .arg(Months(plan.months), Duration(plan.months), CalendarMonthText(m_plan.start, plan.months, true));
    else {
        const QString who = m_plan.names.value(plan.firstOwing);
        lines << (plan.neverEnds ? T("%1 can never be paid off: the money of each month does not cover its interest.")
                                       .arg(who)
                                 : T("%1 is not paid off within 100 years.").arg(who));
    }
    if (owed && plan.paidOff)
        lines << T("Total interest: %1. All money paid: %2.").arg(Money(plan.totalInterest), Money(plan.totalPaid));
    auto list = [&](const QString& heading, const auto& items, auto month, auto words) {
        if (items.empty())
            return;
        QStringList parts;
        for (std::size_t i = 0; i < items.size() && i < kChangesListed; ++i)
            parts << words(items[i], month(items[i]));
        QString line = heading + QLatin1Char(' ') + parts.join(QStringLiteral("; "));
        if (items.size() > kChangesListed)
            line += T("; and %1 more").arg(items.size() - kChangesListed);
        lines << line + QLatin1Char('.');
    };
    list(T("Pledge changes:"), m_plan.budget.steps, [](const PledgeStep& s) { return s.fromMonth; },
         [&](const PledgeStep& s, int month) {
             return T("from month %1 (%2) %3").arg(month).arg(CalendarMonthText(m_plan.start, month), Money(s.amount));
         });
    list(T("One-off sums:"), m_plan.budget.oneOffs, [](const OneOffSum& s) { return s.month; },
         [&](const OneOffSum& s, int month) {
             return T("month %1 (%2) %3").arg(month).arg(CalendarMonthText(m_plan.start, month), Money(s.amount));
         });
    return lines;
}

std::vector<PlanPrinter::Page> PlanPrinter::layOut(const QPaintDevice& device, const QSizeF& size) const
{
    return layOut(Metrics(device, size, *this), device);
}

std::vector<PlanPrinter::Page> PlanPrinter::layOut(const Metrics& m, const QPaintDevice& device) const
{
    const QSizeF size = m.size;
    const qreal bottom = size.height() - m.footerHeight;
    std::vector<Page> pages(1);
    qreal y = 0;
    auto newPage = [&] {
        pages.emplace_back();
        y = 0;
    };
    auto fits = [&](qreal h) { return y + h <= bottom || pages.back().pieces.empty(); };
    auto place = [&](Piece::Kind kind, int section, qreal height, int first = 0, int count = 0) {
        pages.back().pieces.push_back({kind, section, first, count, y, height});
        y += height;
    };

    place(Piece::Kind::Title, 0, m.titleHeight);
    const QStringList summary = summaryLines();
    for (qsizetype i = 0; i < summary.size(); ++i) {
        const qreal h = m.textHeight(device, summary[i]);
        if (!fits(h))
            newPage();
        place(Piece::Kind::Text, static_cast<int>(i), h);
    }
    y += m.gap;

    auto table = [&](Table t) {
        const int n = rows(t);
        if (n == 0)
            return;
        // A table starts where a few of its rows fit under its heading.
        if (!fits(m.captionHeight + (1 + std::min(n, 3)) * m.rowHeight))
            newPage();
        place(Piece::Kind::Caption, t, m.captionHeight);
        place(Piece::Kind::Heading, t, m.rowHeight);
        int row = 0;
        while (row < n) {
            int k = static_cast<int>(std::floor((bottom - y) / m.rowHeight + 1e-9));
            k = std::clamp(k, 1, n - row); // at least one row, even on a tiny page
            place(Piece::Kind::Rows, t, k * m.rowHeight, row, k);
            row += k;
            if (row < n) {
                newPage();
                place(Piece::Kind::Caption, t, m.captionHeight, 1); // "(continued)"
                place(Piece::Kind::Heading, t, m.rowHeight);
            }
        }
        y += m.gap;
    };
    table(Comparison);
    table(Payoffs);
    if (m_plan.paintChart && !m_plan.plan->cards.empty()) {
        if (!fits(m.captionHeight + m.chartHeight))
            newPage();
        place(Piece::Kind::Caption, kChartSection, m.captionHeight);
        place(Piece::Kind::Chart, kChartSection, m.chartHeight);
        y += m.gap;
    }
    table(Schedule);
    return pages;
}

void PlanPrinter::paintTable(QPainter& painter, const Metrics& m, const Piece& piece, qreal width) const
{
    const auto t = static_cast<Table>(piece.section);
    const std::vector<qreal>& widths = m.widths[static_cast<std::size_t>(piece.section)];
    const QFontMetricsF metrics(piece.kind == Piece::Kind::Heading ? m.heading : m.table, painter.device());
    auto paintRow = [&](const QStringList& cells, qreal top) {
        qreal x = 0;
        for (std::size_t i = 0; i < widths.size() && i < static_cast<std::size_t>(cells.size()); ++i) {
            const QRectF cell(x + m.pad, top, widths[i] - 2 * m.pad, m.rowHeight);
            // Figures and the first column of words stay left; amounts and counts right.
            const bool words = (t == Schedule && (i == 1 || i == 2)) || (t != Schedule && (i == 0 || i == 2 || i == 3));
            const QString text = metrics.elidedText(cells[static_cast<qsizetype>(i)], Qt::ElideRight, cell.width());
            painter.drawText(cell, Qt::AlignVCenter | (words ? Qt::AlignLeft : Qt::AlignRight), text);
            x += widths[i];
        }
    };
    if (piece.kind == Piece::Kind::Heading) {
        painter.setFont(m.heading);
        paintRow(cells(t, -1), piece.top);
        painter.setPen(QPen(Qt::black, 0));
        painter.drawLine(QPointF(0, piece.top + m.rowHeight), QPointF(width, piece.top + m.rowHeight));
        return;
    }
    painter.setFont(m.table);
    const QPen rule(QColor(0xd0, 0xd0, 0xd0), 0);
    const QPen monthRule(QColor(0x80, 0x80, 0x80), 0); // between the months of the schedule
    const QPen ink(Qt::black);
    const PlanSchedule& schedule = m_plan.plan->schedule;
    for (int i = 0; i < piece.count; ++i) {
        const int row = piece.first + i;
        const qreal top = piece.top + i * m.rowHeight;
        painter.setPen(ink);
        paintRow(cells(t, row), top);
        const bool monthEnds = t == Schedule && static_cast<std::size_t>(row) + 1 < schedule.size() &&
                               schedule[static_cast<std::size_t>(row) + 1].month != schedule[static_cast<std::size_t>(row)].month;
        painter.setPen(monthEnds ? monthRule : rule);
        painter.drawLine(QPointF(0, top + m.rowHeight), QPointF(width, top + m.rowHeight));
    }
    painter.setPen(ink);
}

void PlanPrinter::paintPage(QPainter& painter, const std::vector<Page>& pages, int index, const QSizeF& size) const
{
    paintPage(painter, Metrics(*painter.device(), size, *this), summaryLines(), pages, index);
}

void PlanPrinter::paintPage(QPainter& painter, const Metrics& m, const QStringList& summary,
                            const std::vector<Page>& pages, int index) const
{
    const QSizeF size = m.size;
    const QString printed = QLocale::c().toString(m_printed, QStringLiteral("d MMMM yyyy"));
    painter.setPen(Qt::black);
    for (const Piece& piece : pages[static_cast<std::size_t>(index)].pieces) {
        switch (piece.kind) {
        case Piece::Kind::Title: {
            painter.setFont(m.title);
            const QFontMetricsF t(m.title, painter.device());
            painter.drawText(QRectF(0, piece.top, size.width(), t.lineSpacing() * 1.5), Qt::AlignLeft | Qt::AlignVCenter,
                             title());
            painter.setFont(m.text);
            painter.drawText(QRectF(0, piece.top + t.lineSpacing() * 1.5, size.width(), m.lineHeight * 1.5),
                             Qt::AlignLeft | Qt::AlignTop, T("Printed on %1 by Quenmark").arg(printed));
            break;
        }
        case Piece::Kind::Text:
            painter.setFont(m.text);
            painter.drawText(QRectF(0, piece.top, size.width(), piece.height), Qt::TextWordWrap | Qt::AlignTop,
                             summary.value(piece.section));
            break;
        case Piece::Kind::Caption: {
            static const char* const captions[] = {
                QT_TRANSLATE_NOOP("quenmark::PlanPrinter", "The orders side by side"),
                QT_TRANSLATE_NOOP("quenmark::PlanPrinter", "Each card's payoff"),
                QT_TRANSLATE_NOOP("quenmark::PlanPrinter", "Month by month"),
                QT_TRANSLATE_NOOP("quenmark::PlanPrinter", "Balance owed, month by month")};
            QString caption = T(captions[std::clamp(piece.section, 0, kChartSection)]);
            if (piece.first > 0)
                caption = T("%1 (continued)").arg(caption);
            painter.setFont(m.caption);
            painter.drawText(QRectF(0, piece.top, size.width(), piece.height), Qt::AlignLeft | Qt::AlignVCenter, caption);
            break;
        }
        case Piece::Kind::Heading:
        case Piece::Kind::Rows:
            paintTable(painter, m, piece, size.width());
            break;
        case Piece::Kind::Chart: {
            const QRectF area(0, piece.top, size.width(), piece.height);
            painter.save();
            painter.setClipRect(area);
            if (m_plan.paintChart)
                m_plan.paintChart(painter, area);
            painter.restore();
            break;
        }
        }
    }
    // The foot of the page.
    painter.setFont(m.table);
    painter.setPen(Qt::black);
    const QRectF foot(0, size.height() - m.footerHeight * 0.6, size.width(), m.footerHeight * 0.6);
    painter.drawText(foot, Qt::AlignLeft | Qt::AlignBottom, T("Quenmark - My Cards, printed on %1").arg(printed));
    painter.drawText(foot, Qt::AlignRight | Qt::AlignBottom,
                     T("Page %1 of %2").arg(index + 1).arg(static_cast<int>(pages.size())));
}

int PlanPrinter::paint(QPagedPaintDevice& device) const
{
    QPainter painter;
    if (!painter.begin(&device))
        return 0;
    const QSizeF size(device.width(), device.height());
    const Metrics m(device, size, *this);
    const QStringList summary = summaryLines();
    const std::vector<Page> pages = layOut(m, device);
    for (int i = 0; i < static_cast<int>(pages.size()); ++i) {
        if (i > 0 && !device.newPage()) {
            painter.end();
            return 0;
        }
        paintPage(painter, m, summary, pages, i);
    }
    return painter.end() ? static_cast<int>(pages.size()) : 0;
}

void PlanPrinter::setUpPdf(QPdfWriter& writer, const QPageLayout* layout) const
{
    if (layout) {
        writer.setPageLayout(*layout);
    } else {
        writer.setPageSize(QPageSize(QPageSize::Letter));
        writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    }
    writer.setResolution(300);
    writer.setTitle(title());
    writer.setCreator(QStringLiteral("Quenmark"));
}

namespace {

QByteArray MakePdf(const PlanPrinter& printer, const QPageLayout* layout, QString* error, int* pages)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    int painted = 0;
    {
        QPdfWriter writer(&buffer);
        printer.setUpPdf(writer, layout);
        painted = printer.paint(writer);
    }
    buffer.close();
    if (pages)
        *pages = painted;
    if (painted == 0 || buffer.data().isEmpty()) {
        if (error)
            *error = T("the PDF could not be made");
        return {};
    }
    return buffer.data();
}

} // namespace

QByteArray PlanPrinter::pdf(QString* error, int* pages) const
{
    return MakePdf(*this, nullptr, error, pages);
}

bool PlanPrinter::savePdf(const QString& path, QString* error) const
{
    const QByteArray bytes = pdf(error);
    return !bytes.isEmpty() && WriteFileSafely(path, bytes, error);
}

bool PlanPrinter::print(QPrinter& printer, QString* error) const
{
    // "Print to file" as PDF goes through the checked writer too.
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()) {
        const QPageLayout layout = printer.pageLayout();
        const QByteArray bytes = MakePdf(*this, &layout, error, nullptr);
        return !bytes.isEmpty() && WriteFileSafely(printer.outputFileName(), bytes, error);
    }
    if (paint(printer) == 0) {
        if (error)
            *error = T("the printer could not be started");
        return false;
    }
    return true;
}

bool PrintPlanWithDialog(QWidget* parent, const PlanPrinter& printer, QString* error)
{
    if (error)
        error->clear();
    QPrinter device(QPrinter::HighResolution);
    device.setDocName(printer.title());
    QPrintDialog dialog(&device, parent);
    dialog.setWindowTitle(QCoreApplication::translate("quenmark::PlanPrinter", "Print the plan"));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    return printer.print(device, error);
}

} // namespace quenmark
