// Pictures of the companion debt program Owlhaven, drawn by code each time they
// are painted, so they stay crisp at any screen scale: its logo and a picture
// of its main window with the eight parts chapter 9's tour describes.
#pragma once

#include <QRect>
#include <QSize>
#include <QWidget>
#include <array>

class QPainter;

namespace quenmark {

// Design sizes of the two pictures, in pixels.
inline constexpr QSize kOwlhavenLogoSize{372, 56};
inline constexpr QSize kOwlhavenScreenSize{292, 218};

// The parts of the pictured main window, in the order of the tour.
enum class OwlhavenPart {
    MonthSelector,
    StrategySelector,
    ExtraMoneyBox,
    PlanSelector,
    DebtList,
    ButtonColumn,
    CalculateButton,
    ScheduleButton,
};
inline constexpr int kOwlhavenPartCount = 8;

// Where each part is drawn, in the main-window picture's own pixels
// (0,0 to 292,218).
const std::array<QRect, kOwlhavenPartCount>& OwlhavenPartRects();

// Draw the logo / the main window into `target`, scaled from the design size.
void PaintOwlhavenLogo(QPainter& p, const QRectF& target);
void PaintOwlhavenScreen(QPainter& p, const QRectF& target);

// A widget that paints one of the two pictures at its own size.
class OwlhavenPicture : public QWidget
{
    Q_OBJECT
public:
    enum class Kind { Logo, MainScreen };
    OwlhavenPicture(Kind kind, QWidget* parent);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Kind m_kind;
};

} // namespace quenmark
