#include "common/ResultBox.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QBackingStore>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QWindow>
#include <array>
#include <memory>
#include <vector>

#include "common/Layout.h"
#include "common/Platform.h"

namespace quenmark {

namespace {

// ---- cached digit and sign images ---------------------------------------------------

// The characters result fields show; anything else is drawn as ordinary text.
constexpr char kCachedChars[] = "0123456789,.$-% ";
constexpr int kGlyphPad = 2; // room for glyphs that reach past their advance

struct Glyph
{
    QImage image;     // kGlyphPad + advance + kGlyphPad wide, the font's height high
    int advance = -1; // -1: not cached
};

struct GlyphSet
{
    QFont font;
    QRgb colour = 0;
    qreal dpr = 1;
    int ascent = 0;
    int height = 0;
    std::array<Glyph, 128> glyphs;
};

std::unique_ptr<GlyphSet> makeGlyphSet(const QFont& font, QRgb colour, qreal dpr)
{
    auto set = std::make_unique<GlyphSet>();
    set->font = font;
    set->colour = colour;
    set->dpr = dpr;
    const QFontMetrics fm(font);
    set->ascent = fm.ascent();
    set->height = fm.height();
    for (const char* c = kCachedChars; *c; ++c) {
        const QChar ch = QLatin1Char(*c);
        Glyph& g = set->glyphs[static_cast<unsigned char>(*c)];
        g.advance = fm.horizontalAdvance(ch);
        const QSize logical(g.advance + 2 * kGlyphPad, set->height);
        g.image = QImage(logical * dpr, QImage::Format_ARGB32_Premultiplied);
        g.image.setDevicePixelRatio(dpr);
        g.image.fill(Qt::transparent);
        QPainter p(&g.image);
        p.setFont(font);
        p.setPen(QColor::fromRgba(colour));
        p.drawText(QPoint(kGlyphPad, set->ascent), QString(ch));
    }
    return set;
}

// The few font, colour and pixel-ratio combinations in use, each rendered once.
const GlyphSet& glyphSet(const QFont& font, const QColor& colour, qreal dpr)
{
    static std::vector<std::unique_ptr<GlyphSet>> cache;
    const QRgb rgba = colour.rgba();
    for (const auto& set : cache)
        if (set->colour == rgba && set->dpr == dpr && set->font == font)
            return *set;
    if (cache.size() >= 32)
        cache.clear(); // a bound, never reached in practice
    cache.push_back(makeGlyphSet(font, rgba, dpr));
    return *cache.back();
}

// Draws `text` in one line inside `area`, vertically centred, its right end
// at `area`'s right edge (or centred when `centre`).
void drawFieldText(QPainter& p, const QRect& area, const QString& text, const QFont& font, const QColor& colour,
                   bool centre)
{
    if (text.isEmpty())
        return;
    const qreal dpr = p.device() ? p.device()->devicePixelRatio() : 1.0;
    const GlyphSet& set = glyphSet(font, colour, dpr);
    int width = 0;
    for (const QChar c : text) {
        const ushort u = c.unicode();
        if (u >= set.glyphs.size() || set.glyphs[u].advance < 0) {
            // Not a character a figure is made of: draw it as ordinary text.
            p.setFont(font);
            p.setPen(colour);
            p.drawText(area, Qt::AlignVCenter | (centre ? Qt::AlignHCenter : Qt::AlignRight), text);
            return;
        }
        width += set.glyphs[u].advance;
    }
    int x = centre ? area.left() + (area.width() - width) / 2 : area.right() + 1 - width;
    const int y = area.top() + (area.height() - set.height) / 2;
    for (const QChar c : text) {
        const Glyph& g = set.glyphs[c.unicode()];
        p.drawImage(QPoint(x - kGlyphPad, y), g.image);
        x += g.advance;
    }
}

// ---- accessibility ------------------------------------------------------------------

// A result box reads as a read-only text named by its label and its figure
// ("Years: 15"), so the name alone says it all when the box is reached by Tab.
class ResultBoxAccessible : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit ResultBoxAccessible(ResultBox* box) : QAccessibleWidget(box, QAccessible::EditableText) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return box()->text();
        if (t == QAccessible::Name)
            return box()->spokenText();
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = true;
        s.focusable = box()->focusPolicy() != Qt::NoFocus;
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    // QAccessibleTextInterface: the whole text, no selection, the cursor at the end.
    void selection(int, int* startOffset, int* endOffset) const override { *startOffset = *endOffset = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return characterCount(); }
    void setCursorPosition(int) override {}
    QString text(int startOffset, int endOffset) const override
    {
        const QString t = box()->text();
        if (startOffset < 0 || endOffset < startOffset || startOffset > t.size())
            return QString();
        return t.mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return static_cast<int>(box()->text().size()); }
    // One line: every boundary but a character's is the whole figure.
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundary, int* startOffset,
                         int* endOffset) const override
    {
        const QString t = box()->text();
        if (boundary == QAccessible::CharBoundary) {
            if (offset < 0 || offset >= t.size()) {
                *startOffset = *endOffset = -1;
                return QString();
            }
            *startOffset = offset;
            *endOffset = offset + 1;
            return t.mid(offset, 1);
        }
        *startOffset = 0;
        *endOffset = static_cast<int>(t.size());
        return t;
    }
    QString textBeforeOffset(int, QAccessible::TextBoundaryType, int* startOffset, int* endOffset) const override
    {
        *startOffset = *endOffset = -1;
        return QString();
    }
    QString textAfterOffset(int, QAccessible::TextBoundaryType, int* startOffset, int* endOffset) const override
    {
        *startOffset = *endOffset = -1;
        return QString();
    }
    QRect characterRect(int) const override { return QRect(); }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    // No attributes, over the whole figure (runs of no length make a screen
    // reader that joins them drop the figure's last character).
    QString attributes(int offset, int* startOffset, int* endOffset) const override
    {
        const int count = characterCount();
        *startOffset = offset < 0 || offset > count ? -1 : 0;
        *endOffset = offset < 0 || offset > count ? -1 : count;
        return QString();
    }

private:
    ResultBox* box() const { return static_cast<ResultBox*>(widget()); }
};

// A gauge reads as a progress bar with its percentage.
class GaugeAccessible : public QAccessibleWidget, public QAccessibleValueInterface
{
public:
    explicit GaugeAccessible(LightGauge* gauge) : QAccessibleWidget(gauge, QAccessible::ProgressBar) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return gauge()->text();
        return QAccessibleWidget::text(t);
    }
    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    QVariant currentValue() const override { return gauge()->value(); }
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override { return gauge()->maximum(); }
    QVariant minimumValue() const override { return gauge()->minimum(); }
    QVariant minimumStepSize() const override { return 1; }

private:
    LightGauge* gauge() const { return static_cast<LightGauge*>(widget()); }
};

QAccessibleInterface* accessibleFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("quenmark::ResultBox"))
        return new ResultBoxAccessible(static_cast<ResultBox*>(object));
    if (className == QLatin1String("quenmark::LightGauge"))
        return new GaugeAccessible(static_cast<LightGauge*>(object));
    return nullptr;
}

void installAccessibleFactory()
{
    static const bool installed = [] {
        QAccessible::installFactory(accessibleFactory);
        return true;
    }();
    (void)installed;
}

QColor borderColour(const QColor& background)
{
    return background.darker(140).lighter(108);
}

// A one-pixel border in `border` around `r`, filled with `fill` inside
// (plain fills: far quicker than a stroked rectangle).
void drawBox(QPainter& p, const QRect& r, const QColor& border, const QColor& fill)
{
    p.fillRect(QRect(r.left(), r.top(), r.width(), 1), border);
    p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), border);
    p.fillRect(QRect(r.left(), r.top() + 1, 1, r.height() - 2), border);
    p.fillRect(QRect(r.right(), r.top() + 1, 1, r.height() - 2), border);
    p.fillRect(r.adjusted(1, 1, -1, -1), fill);
}

} // namespace

// ---- LightWidget --------------------------------------------------------------------

LightWidget::LightWidget(QWidget* parent) : QWidget(parent)
{
    installAccessibleFactory();
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::ArrowCursor);
}

void LightWidget::paintEvent(QPaintEvent* /*event*/)
{
    QPainter p(this);
    paintContent(p);
}

// ---- ResultBox ----------------------------------------------------------------------

ResultBox::ResultBox(QWidget* parent) : LightWidget(parent)
{
    setFont(arialPx(13, true));
    setColours(colour::white, colour::black);
}

void ResultBox::setColours(const QColor& background, const QColor& text)
{
    m_background = background;
    m_foreground = text;
    m_border = borderColour(background);
    QPalette pal = palette();
    pal.setColor(QPalette::Base, background);
    pal.setColor(QPalette::Window, background);
    pal.setColor(QPalette::Text, text);
    pal.setColor(QPalette::WindowText, text);
    setPalette(pal);
    update();
}

QString ResultBox::spokenText() const
{
    const QString label = accessibleName();
    if (m_text.isEmpty())
        return label;
    return label.isEmpty() ? m_text : label + QStringLiteral(": ") + m_text;
}

void ResultBox::focusInEvent(QFocusEvent* event)
{
    LightWidget::focusInEvent(event);
    update(); // the focus frame
}

void ResultBox::focusOutEvent(QFocusEvent* event)
{
    LightWidget::focusOutEvent(event);
    update();
}

bool ResultBox::changeText(const QString& text)
{
    if (text == m_text)
        return false;
    // No accessibility event here: a run changes its figures thousands of
    // times, and a screen reader flooded with them falls minutes behind. The
    // calculator tells it once when the run ends (nameChanged()).
    m_text = text;
    return true;
}

void ResultBox::nameChanged()
{
    QAccessibleEvent event(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

void ResultBox::setText(const QString& text)
{
    if (changeText(text))
        update();
}

void ResultBox::paintContent(QPainter& p) const
{
    const QRect r = rect();
    drawBox(p, r, m_border, m_background);
    // The text ends 4 pixels in from the right edge (border, gap, margin).
    drawFieldText(p, r.adjusted(4, 1, -4, -1), m_text, font(), m_foreground, false);
    if (hasFocus()) {
        // Reached by the keyboard: a dotted frame inside the border.
        p.setPen(QPen(m_foreground, 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(r.adjusted(2, 2, -3, -3));
    }
}

QSize ResultBox::sizeHint() const
{
    return QSize(80, fontMetrics().height() + 8);
}

// ---- LightGauge ---------------------------------------------------------------------

LightGauge::LightGauge(QWidget* parent) : LightWidget(parent)
{
    setFont(arialPx(12, true));
}

QString LightGauge::text() const
{
    return QString::number(m_value) + QLatin1Char('%');
}

bool LightGauge::changeValue(int value)
{
    value = qBound(0, value, 100);
    if (value == m_value)
        return false;
    // As for a result box: a run tells a screen reader once, at its end.
    m_value = value;
    return true;
}

void LightGauge::setValue(int value)
{
    if (changeValue(value)) {
        valueChanged();
        update();
    }
}

void LightGauge::valueChanged()
{
    if (QAccessible::isActive()) {
        QAccessibleValueChangeEvent valueEvent(this, m_value);
        QAccessible::updateAccessibility(&valueEvent);
    }
}

void LightGauge::paintContent(QPainter& p) const
{
    const QRect r = rect();
    const QPalette& pal = palette();
    drawBox(p, r, borderColour(pal.color(QPalette::Window)), pal.color(QPalette::Base));
    const QColor chunkColour = pal.color(QPalette::Highlight);
    const QRect inside = r.adjusted(1, 1, -1, -1);
    const int filled = inside.width() * m_value / 100;
    const QRect chunk(inside.topLeft(), QSize(filled, inside.height()));
    if (filled > 0)
        p.fillRect(chunk, chunkColour);

    // The percentage across the middle: dark on the empty part, light on the chunk.
    const QString t = text();
    if (filled < inside.width()) {
        p.save();
        p.setClipRect(QRect(inside.left() + filled, inside.top(), inside.width() - filled, inside.height()),
                      Qt::IntersectClip);
        drawFieldText(p, inside, t, font(), pal.color(QPalette::Text), true);
        p.restore();
    }
    if (filled > 0) {
        p.save();
        p.setClipRect(chunk, Qt::IntersectClip);
        drawFieldText(p, inside, t, font(), pal.color(QPalette::HighlightedText), true);
        p.restore();
    }
}

QSize LightGauge::sizeHint() const
{
    return QSize(200, fontMetrics().height() + 6);
}

// ---- LiveSurface --------------------------------------------------------------------

LiveSurface::LiveSurface(QWidget* window) : m_window(window) {}

bool LiveSurface::drawDirect(std::span<LightWidget* const> widgets)
{
    QWidget* window = m_window;
    if (!window || !window->isVisible() || !window->updatesEnabled())
        return false;
    QWindow* handle = window->windowHandle();
    QBackingStore* store = window->backingStore();
    if (!handle || !store || !handle->isExposed())
        return false;

    struct Part
    {
        LightWidget* widget;
        QPoint offset;
        QRegion clip; // empty: the whole widget shows
    };
    constexpr std::size_t kMaxParts = 16;
    if (widgets.size() > kMaxParts)
        return false;
    std::array<Part, kMaxParts> parts;
    std::size_t count = 0;
    QRegion region;
    for (LightWidget* w : widgets) {
        if (!w || w->window() != window || !w->isVisible())
            continue;
        const QRegion visible = w->visibleRegion();
        if (visible.isEmpty())
            continue;
        Part& part = parts[count++];
        part.widget = w;
        part.offset = w->mapTo(window, QPoint(0, 0));
        part.clip = visible == QRegion(w->rect()) ? QRegion() : visible;
        region += visible.translated(part.offset);
    }
    if (count == 0)
        return true;

    store->beginPaint(region);
    {
        QPainter p(store->paintDevice());
        for (std::size_t i = 0; i < count; ++i) {
            const Part& part = parts[i];
            p.setTransform(QTransform::fromTranslate(part.offset.x(), part.offset.y()));
            if (part.clip.isEmpty())
                p.setClipping(false);
            else
                p.setClipRegion(part.clip);
            part.widget->paintContent(p);
        }
    }
    store->endPaint();
    m_pending += region.boundingRect();
    return true;
}

void LiveSurface::draw(std::span<LightWidget* const> widgets)
{
    if (widgets.empty())
        return;
    ++m_draws;
    if (!drawDirect(widgets)) {
        for (LightWidget* w : widgets)
            if (w)
                w->update();
        return;
    }
    if (m_pending.isEmpty())
        return;
    const std::uint64_t now = platform().tickMs();
    if (!m_flushedOnce || now - m_lastFlush >= kFlushIntervalMs)
        flush();
}

void LiveSurface::drawAndFlush(std::span<LightWidget* const> widgets)
{
    draw(widgets);
    flush();
}

void LiveSurface::flush()
{
    if (m_pending.isEmpty())
        return;
    QWidget* window = m_window;
    QWindow* handle = window ? window->windowHandle() : nullptr;
    QBackingStore* store = window ? window->backingStore() : nullptr;
    if (handle && store && handle->isExposed()) {
        store->flush(m_pending.boundingRect(), handle);
        ++m_flushes;
    }
    m_pending = QRegion();
    m_lastFlush = platform().tickMs();
    m_flushedOnce = true;
}

} // namespace quenmark
