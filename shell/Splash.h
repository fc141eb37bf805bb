// The splash screen shown during start-up.
#pragma once

#include <QWidget>

class QLabel;

namespace quenmark {

class TSplashScreen : public QWidget
{
    Q_OBJECT
public:
    explicit TSplashScreen(QWidget* parent = nullptr);
    ~TSplashScreen() override;

    // Shows the screen and paints it at once, before slow work begins.
    void showAndPaint();

private:
    void FormCreate();
    QLabel* CopyrightLabel = nullptr;
};

extern TSplashScreen* SplashScreen;

// Shows `w`, lets the window system map it and paints it, without acting on
// user input (that waits in the queue until the program is ready for it).
void ShowAndPaintNow(QWidget* w);

} // namespace quenmark
