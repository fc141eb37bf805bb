// The plan printed, offscreen: a PDF is made whose pages are those laid out,
// the schedule's rows each on exactly one page under a repeated heading, the
// pages numbered and dated; a PDF that cannot be written is reported, never
// called saved.
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <cerrno>

#include "FakePlatform.h"
#include "planner/PlanPrinter.h"
#include "planner/SafeFile.h"

using namespace quenmark;

namespace {

// A paint device that keeps the text painted on it (and draws nothing).
class TextEngine : public QPaintEngine
{
public:
    TextEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}
    QStringList texts;
    QList<qreal> baselines; // where each text stands (device pixels, the painter's transform included)
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawPath(const QPainterPath&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawTextItem(const QPointF& p, const QTextItem& item) override
    {
        texts << item.text();
        baselines << state->transform().map(p).y();
    }
    Type type() const override { return QPaintEngine::User; }
};

class TextDevice : public QPaintDevice
{
public:
    TextDevice(int width, int height) : m_width(width), m_height(height) {}
    mutable TextEngine engine;
    QPaintEngine* paintEngine() const override { return &engine; }

protected:
    int metric(PaintDeviceMetric m) const override
    {
        switch (m) {
        case PdmWidth:
            return m_width;
        case PdmHeight:
            return m_height;
        case PdmWidthMM:
            return m_width * 254 / 3000;
        case PdmHeightMM:
            return m_height * 254 / 3000;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 300;
        case PdmDepth:
            return 32;
        case PdmNumColors:
            return INT_MAX;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(QPaintDevice::devicePixelRatioFScale());
        }
        return 0;
    }

private:
    int m_width, m_height;
};

// Pages in a PDF: its page objects.
int PdfPages(const QByteArray& pdf)
{
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
    return static_cast<int>(QString::fromLatin1(pdf).count(page));
}

struct Plan
{
    std::vector<PlanCard> cards;
    PlanBudget budget;
};

Plan Cards(int count, double balance, double payment, std::int64_t pledge)
{
    Plan p;
    for (int i = 0; i < count; ++i)
        p.cards.push_back(PlanCard::FromDollars(12 + (i * 7) % 18, balance + i * 37.5, payment));
    p.budget = PlanBudget::Pledge(pledge);
    return p;
}

} // namespace

Q_DECLARE_METATYPE(Plan)

class PrintTests : public QObject
{
    Q_OBJECT

    FakePlatform fake;
    std::unique_ptr<QTemporaryDir> dir;
    int chartCalls = 0;

    PrintablePlan printable(const Plan& p, bool chart = true)
    {
        PrintablePlan out;
        PlanOptions options;
        options.keepSchedule = true;
        out.plan = std::make_shared<const PlanResult>(RunPlan(p.cards, p.budget, PlanOrder::HighestApr, options));
        out.comparison = ComparePlans(p.cards, p.budget, PlanOrder::HighestApr, *out.plan);
        out.order = PlanOrder::HighestApr;
        for (std::size_t i = 0; i < p.cards.size(); ++i)
            out.names << QStringLiteral("Card %1").arg(i + 1);
        out.start = {2009, 7};
        out.budget = p.budget;
        if (chart)
            out.paintChart = [this](QPainter& painter, const QRectF& area) {
                ++chartCalls;
                painter.fillRect(area.adjusted(10, 10, -10, -10), Qt::blue);
            };
        return out;
    }

private slots:
    void init()
    {
        fake.clear();
        chartCalls = 0;
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
    }
    void cleanup() { fileFaults() = FileFaults{}; }

    void pdfPages_data()
    {
        QTest::addColumn<Plan>("plan");
        Plan sample;
        sample.cards = {PlanCard::FromDollars(19.8, 1543.68, 32), PlanCard::FromDollars(17.9, 2100.00, 53),
                        PlanCard::FromDollars(12.9, 1784.32, 37), PlanCard::FromDollars(19.8, 832.91, 17),
                        PlanCard::FromDollars(21.0, 765.72, 19)};
        sample.budget = PlanBudget::Pledge(2500);
        sample.budget.steps = {{13, 5000}};
        sample.budget.oneOffs = {{4, 100000}};
        QTest::newRow("the five sample cards") << sample;
        QTest::newRow("one card, one month") << Cards(1, 100, 200, 0);
        QTest::newRow("30 cards over years") << Cards(30, 2000, 80, 1000);
        QTest::newRow("80 cards: the payoffs take pages too") << Cards(80, 500, 60, 0);
        QTest::newRow("never ends") << Cards(2, 5000, 10, 0);
        QTest::newRow("no cards") << Plan{};
    }
    // The PDF has the pages laid out; every schedule row is on exactly one
    // page, in order, under the schedule's caption and heading; every page
    // after the first schedule page but the last is full; the pages are
    // numbered and dated.
    void pdfPages()
    {
        QFETCH(Plan, plan);
        const PrintablePlan input = printable(plan);
        const PlanPrinter printer(input);
        QString error;
        int painted = 0;
        const QByteArray pdf = printer.pdf(&error, &painted);
        QVERIFY2(pdf.startsWith("%PDF-"), qPrintable(error));
        QCOMPARE(PdfPages(pdf), painted);
        QCOMPARE(chartCalls, plan.cards.empty() ? 0 : 1);

        QBuffer scratch;
        scratch.open(QIODevice::WriteOnly);
        QPdfWriter writer(&scratch);
        printer.setUpPdf(writer);
        const QSizeF size(writer.width(), writer.height());
        const std::vector<PlanPrinter::Page> pages = printer.layOut(writer, size);
        QCOMPARE(static_cast<int>(pages.size()), painted);

        const int rows = static_cast<int>(input.plan->schedule.size());
        QCOMPARE(printer.rows(PlanPrinter::Schedule), rows);
        int next = 0;             // the next schedule row expected
        int full = 0;             // rows on a full schedule page
        int firstSchedulePage = -1;
        QList<int> perPage;
        for (int k = 0; k < static_cast<int>(pages.size()); ++k) {
            const auto& pieces = pages[static_cast<std::size_t>(k)].pieces;
            QVERIFY(!pieces.empty());
            qreal y = 0;
            bool headed = false;
            int here = 0;
            for (const PlanPrinter::Piece& piece : pieces) {
                QVERIFY(piece.top >= y - 1e-6);
                y = piece.top + piece.height;
                QVERIFY2(y <= size.height(), qPrintable(QStringLiteral("page %1").arg(k + 1)));
                if (piece.section != PlanPrinter::Schedule)
                    continue;
                if (piece.kind == PlanPrinter::Piece::Kind::Heading)
                    headed = true;
                if (piece.kind == PlanPrinter::Piece::Kind::Rows) {
                    QVERIFY(headed);
                    QCOMPARE(piece.first, next);
                    next += piece.count;
                    here += piece.count;
                }
            }
            if (here > 0) {
                if (firstSchedulePage < 0)
                    firstSchedulePage = k;
                perPage << here;
            }
        }
        QCOMPARE(next, rows);
        // Pages between the first and the last schedule page are full, and
        // hold the same number of rows.
        for (int i = 1; i + 1 < perPage.size(); ++i) {
            if (full == 0)
                full = perPage[i];
            QCOMPARE(perPage[i], full);
        }
        if (perPage.size() >= 3)
            QCOMPARE(static_cast<int>(pages.size()),
                     firstSchedulePage + 1 + (rows - perPage[0] + full - 1) / full);

        // What is written on the pages.
        TextDevice device(writer.width(), writer.height());
        QCOMPARE(printer.layOut(device, size), pages);
        for (int k = 0; k < static_cast<int>(pages.size()); ++k) {
            device.engine.texts.clear();
            device.engine.baselines.clear();
            QPainter painter(&device);
            printer.paintPage(painter, pages, k, size);
            painter.end();
            const QStringList& texts = device.engine.texts;
            const qsizetype foot = texts.indexOf(QStringLiteral("Page %1 of %2").arg(k + 1).arg(pages.size()));
            QVERIFY(foot >= 0);
            // Nothing runs into the foot of the page: every other line stands
            // more than a line above it (a line of the tables' 8.5-point type).
            QFont small(QStringLiteral("Arial"));
            small.setPointSizeF(8.5);
            const qreal line = QFontMetricsF(small, &device).lineSpacing();
            for (qsizetype i = 0; i < texts.size(); ++i)
                if (!texts[i].startsWith("Page ") && !texts[i].startsWith("Quenmark - My Cards, printed"))
                    QVERIFY2(device.engine.baselines[i] < device.engine.baselines[foot] - 1.5 * line,
                             qPrintable(QStringLiteral("page %1: %2").arg(k + 1).arg(texts[i])));
            QVERIFY(texts.contains(QStringLiteral("Quenmark - My Cards, printed on 30 June 2009")));
            if (k == 0) {
                QVERIFY(texts.contains(printer.title()));
                QVERIFY(texts.contains(QStringLiteral("Printed on 30 June 2009 by Quenmark")));
            }
            for (const PlanPrinter::Piece& piece : pages[static_cast<std::size_t>(k)].pieces)
                if (piece.section == PlanPrinter::Schedule && piece.kind == PlanPrinter::Piece::Kind::Rows) {
                    for (const QString& heading : printer.cells(PlanPrinter::Schedule, -1))
                        QVERIFY2(texts.contains(heading), qPrintable(heading));
                    const QStringList first = printer.cells(PlanPrinter::Schedule, piece.first);
                    QVERIFY(texts.contains(first[0]) && texts.contains(first[1]));
                    QVERIFY(texts.contains(first[5])); // the balance, never elided
                }
        }
    }

    // Saved through the checked writer: a full disk leaves the old file whole
    // and says why; printing to a PDF file goes the same way.
    void pdfSaveFails()
    {
        const PlanPrinter printer(printable(Cards(3, 1000, 40, 0)));
        const QString path = dir->filePath(QStringLiteral("plan.pdf"));
        {
            QFile old(path);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("the old plan");
        }
        for (const bool throughPrinter : {false, true}) {
            FileFaultsForTest faults({100, ENOSPC, 0, 0});
            QString error;
            if (throughPrinter) {
                QPrinter device(QPrinter::HighResolution);
                device.setOutputFormat(QPrinter::PdfFormat);
                device.setOutputFileName(path);
                QVERIFY(!printer.print(device, &error));
            } else {
                QVERIFY(!printer.savePdf(path, &error));
            }
            QCOMPARE(error, "the disk is full while writing " + QDir::toNativeSeparators(path));
            QFile kept(path);
            QVERIFY(kept.open(QIODevice::ReadOnly));
            QCOMPARE(kept.readAll(), QByteArray("the old plan"));
            QCOMPARE(QDir(dir->path()).entryList(QDir::Files), QStringList{"plan.pdf"});
        }
        QString error;
        QVERIFY2(printer.savePdf(path, &error), qPrintable(error));
        QFile saved(path);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QByteArray pdf = saved.readAll();
        QVERIFY(pdf.startsWith("%PDF-"));
        int pages = 0;
        printer.pdf(nullptr, &pages);
        QCOMPARE(PdfPages(pdf), pages);
    }

    // The window hands over its chart by a widget: painted scaled into the
    // area, and nothing once the widget is gone.
    void chartFromWidget()
    {
        auto* widget = new QWidget;
        widget->resize(200, 100);
        widget->setAutoFillBackground(true);
        QPalette pal = widget->palette();
        pal.setColor(QPalette::Window, Qt::red);
        widget->setPalette(pal);
        const ChartPainter paint = PaintWidgetInto(widget);
        QImage image(400, 400, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter p(&image);
            paint(p, QRectF(0, 0, 400, 400));
        }
        QCOMPARE(image.pixelColor(200, 200), QColor(Qt::red));  // 400 x 200, centred
        QCOMPARE(image.pixelColor(200, 50), QColor(Qt::white)); // above it
        delete widget;
        image.fill(Qt::white);
        {
            QPainter p(&image);
            paint(p, QRectF(0, 0, 400, 400));
        }
        QCOMPARE(image.pixelColor(200, 200), QColor(Qt::white));
    }
};

QTEST_MAIN(PrintTests)
#include "tst_planner_print.moc"
