// A flat button that is only a picture: the normal image, or the greyed image
// when disabled, taken from a double picture (both side by side).
#pragma once

#include <QAbstractButton>
#include <QPixmap>

namespace quenmark {

class PictureButton : public QAbstractButton
{
    Q_OBJECT
public:
    // `words` become the accessible name.
    PictureButton(const QPixmap& doublePicture, const QString& words, QWidget* parent);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QPixmap m_normal;
    QPixmap m_greyed;
    bool m_hover = false;
};

} // namespace quenmark
