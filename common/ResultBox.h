// The calculators' light result fields: a read-only result box and a progress
// gauge that paint themselves in a few drawing calls (a border, a background,
// text made of cached digit and sign images), and LiveSurface, which draws such
// fields straight into their window at every display update while handing the
// window system at most one flush per kFlushIntervalMs.
//
// A run of thousands of months updates the display thousands of times; drawing
// a line edit and a styled progress bar at each update, with one round trip to
// the window system each, was most of a long run's time.
#pragma once

#include <QPointer>
#include <QRegion>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <initializer_list>
#include <span>

class QPainter;

namespace quenmark {

// A widget that draws its whole rectangle (opaque) with paintContent(), both in
// its paint events and when a LiveSurface draws it directly.
class LightWidget : public QWidget
{
    Q_OBJECT
public:
    explicit LightWidget(QWidget* parent = nullptr);

    // Draws the widget into `painter`, whose origin is the widget's top left.
    virtual void paintContent(QPainter& painter) const = 0;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A read-only, right-aligned result box. It takes no focus unless given a
// focus policy (a calculator's results are reached by Tab, and then show a
// dotted frame), shows an arrow pointer, and is read by a screen reader as a
// read-only text named by its accessible name and its current text.
class ResultBox : public LightWidget
{
    Q_OBJECT
public:
    explicit ResultBox(QWidget* parent = nullptr);

    QString text() const { return m_text; }
    bool isReadOnly() const { return true; }

    // Changes the text and schedules a repaint.
    void setText(const QString& text);
    void clear() { setText(QString()); }
    // Changes the text without scheduling a repaint (the caller draws it, e.g.
    // through a LiveSurface). False when the text was already `text`.
    bool changeText(const QString& text);

    // Background and text colours (white and black by default).
    void setColours(const QColor& background, const QColor& text);

    // What a screen reader calls it: its accessible name and its figure ("Years: 15").
    QString spokenText() const;
    // Tells a screen reader that spokenText() changed (at the end of a run).
    void nameChanged();

    void paintContent(QPainter& painter) const override;
    QSize sizeHint() const override;

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QString m_text;
    QColor m_background;
    QColor m_foreground;
    QColor m_border;
};

// A horizontal progress gauge from 0 to 100 that shows its percentage.
class LightGauge : public LightWidget
{
    Q_OBJECT
public:
    explicit LightGauge(QWidget* parent = nullptr);

    int value() const { return m_value; }
    int minimum() const { return 0; }
    int maximum() const { return 100; }
    bool isTextVisible() const { return true; }
    // The percentage as shown ("57%").
    QString text() const;

    // Sets the value (held to 0..100) and schedules a repaint.
    void setValue(int value);
    // Sets the value without scheduling a repaint or telling a screen reader
    // (a run does that once at its end); false when unchanged.
    bool changeValue(int value);
    // Tells a screen reader the value changed.
    void valueChanged();

    void paintContent(QPainter& painter) const override;
    QSize sizeHint() const override;

private:
    int m_value = 0;
};

// Draws light widgets of one window at once into the window's backing store
// and hands the drawn area to the window system at most once per
// kFlushIntervalMs of the platform clock; flush() hands over what is left (at
// the end of a run and at a Stop, so the last figures are always on screen).
// Where the window cannot be drawn into now (hidden, not yet exposed) the
// widgets are repainted the ordinary way instead.
class LiveSurface
{
public:
    static constexpr std::uint64_t kFlushIntervalMs = 8;

    explicit LiveSurface(QWidget* window);

    // Draws the widgets now, in the order given (null entries are skipped).
    void draw(std::span<LightWidget* const> widgets);
    void draw(std::initializer_list<LightWidget*> widgets) { draw(std::span(widgets.begin(), widgets.size())); }
    // draw(), then flush().
    void drawAndFlush(std::span<LightWidget* const> widgets);
    void drawAndFlush(std::initializer_list<LightWidget*> widgets)
    {
        drawAndFlush(std::span(widgets.begin(), widgets.size()));
    }
    // Hands everything drawn but not yet flushed to the window system.
    void flush();

    // What has been done so far (tests and benchmarks read these).
    int drawCount() const { return m_draws; }
    int flushCount() const { return m_flushes; }
    bool hasPending() const { return !m_pending.isEmpty(); }

private:
    bool drawDirect(std::span<LightWidget* const> widgets);

    QPointer<QWidget> m_window;
    QRegion m_pending;            // drawn, not yet flushed (window coordinates)
    std::uint64_t m_lastFlush = 0;
    bool m_flushedOnce = false;
    int m_draws = 0;
    int m_flushes = 0;
};

} // namespace quenmark
