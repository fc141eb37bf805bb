#include "pictures/PictureButton.h"

#include <QPainter>
#include <QStyleOptionFocusRect>

namespace quenmark {

PictureButton::PictureButton(const QPixmap& doublePicture, const QString& words, QWidget* parent)
    : QAbstractButton(parent)
{
    const int w = doublePicture.width() / 2;
    m_normal = doublePicture.copy(0, 0, w, doublePicture.height());
    m_greyed = doublePicture.copy(w, 0, w, doublePicture.height());
    setAccessibleName(words);
    setToolTip(QString());
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
}

QSize PictureButton::sizeHint() const
{
    return m_normal.size();
}

void PictureButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QPixmap& pm = isEnabled() ? m_normal : m_greyed;
    const QPoint offset = isDown() ? QPoint(1, 1) : QPoint(0, 0);
    p.drawPixmap(QRect(offset, size()), pm);
    if (m_hover && isEnabled()) {
        p.setPen(QColor(255, 255, 255, 200));
        p.drawRect(rect().adjusted(2, 3, -3, -4));
    }
    if (hasFocus()) {
        QStyleOptionFocusRect opt;
        opt.initFrom(this);
        opt.rect = rect().adjusted(4, 5, -5, -6);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &opt, &p, this);
    }
}

void PictureButton::enterEvent(QEnterEvent* event)
{
    m_hover = true;
    update();
    QAbstractButton::enterEvent(event);
}

void PictureButton::leaveEvent(QEvent* event)
{
    m_hover = false;
    update();
    QAbstractButton::leaveEvent(event);
}

} // namespace quenmark
