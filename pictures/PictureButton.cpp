#include "pictures/PictureButton.h"

#include <QPainter>

namespace quenmark {

PictureButton::PictureButton(const QPixmap& doublePicture, const QString& words, QWidget* parent)
    : QAbstractButton(parent)
{
    const int w = doublePicture.width() / 2;
    m_normal = doublePicture.copy(0, 0, w, doublePicture.height());
    m_greyed = doublePicture.copy(w, 0, w, doublePicture.height());
    m_normal.setDevicePixelRatio(doublePicture.devicePixelRatio());
    m_greyed.setDevicePixelRatio(doublePicture.devicePixelRatio());
    setAccessibleName(words);
    setToolTip(QString());
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
}

QSize PictureButton::sizeHint() const
{
    return m_normal.deviceIndependentSize().toSize();
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
        // Whenever the button has the focus, however it came (a key, a click,
        // the window becoming active again), a dotted white frame inside the
        // band shows it; white reads on every band colour and on the greyed band.
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(QPen(Qt::white, 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(rect().adjusted(4, 5, -5, -6).translated(offset));
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
