// A picture drawn by code each time it is painted, so it stays crisp at any
// size and screen scale. Shows the keyboard focus when it can take it.
#pragma once

#include <QWidget>
#include <functional>

class QPainter;

namespace quenmark {

class DrawnPicture : public QWidget
{
    Q_OBJECT
public:
    // `draw` paints the picture into the rectangle it is given (the whole widget).
    using Drawing = std::function<void(QPainter&, const QRectF&)>;

    DrawnPicture(Drawing draw, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Drawing m_draw;
};

} // namespace quenmark
