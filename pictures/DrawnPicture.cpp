#include "pictures/DrawnPicture.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <utility>

namespace quenmark {

DrawnPicture::DrawnPicture(Drawing draw, QWidget* parent) : QWidget(parent), m_draw(std::move(draw)) {}

void DrawnPicture::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (m_draw)
        m_draw(p, QRectF(rect()));
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect();
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &p, this);
    }
}

} // namespace quenmark
