#include "shell/Splash.h"

#include "common/Layout.h"
#include "pictures/Pictures.h"
#include "common/Platform.h"
#include "common/WebStuff.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QThread>
#include <QWindow>

namespace quenmark {

TSplashScreen* SplashScreen = nullptr;

void ShowAndPaintNow(QWidget* w)
{
    w->show();
    if (QGuiApplication::platformName() != QLatin1String("offscreen"))
        w->raise();
    // Let the window system map the window (bounded), then paint it.
    const std::uint64_t giveUp = platform().tickMs() + 500;
    for (int i = 0; i < 100; ++i) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        if (w->windowHandle() && w->windowHandle()->isExposed())
            break;
        if (platform().tickMs() >= giveUp)
            break;
        QThread::msleep(5);
    }
    w->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

TSplashScreen::TSplashScreen(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    SplashScreen = this;
    setObjectName(QStringLiteral("SplashScreen"));
    setFixedSize(440, 322); // client 438 x 320 inside a 1-pixel border
    setBackground(this, colour::black);

    // Dark blue edge around a white panel.
    CellSpec edge;
    edge.rect = QRect(1, 1, 438, 320);
    edge.background = colour::textBlue;
    makeCell(this, edge);
    CellSpec panel;
    panel.rect = QRect(9, 9, 422, 304);
    panel.background = colour::white;
    makeCell(this, panel);

    auto* name = new QLabel(this);
    name->setObjectName(QStringLiteral("ProductName"));
    name->setGeometry(66, 14, 307, 239);
    name->setPixmap(LoadArt(QStringLiteral("splash_name.png")));
    name->setAccessibleName(QStringLiteral("Quenmark"));

    CopyrightLabel = MakeNoticeLines(this, "CopyrightLabel", QRect(12, 258, 416, 20), 13, "SecondNoticeLabel",
                                     QRect(12, 280, 416, 20), 12, Qt::AlignCenter);

    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    FormCreate();
}

TSplashScreen::~TSplashScreen()
{
    if (SplashScreen == this)
        SplashScreen = nullptr;
}

void TSplashScreen::FormCreate()
{
    CopyrightLabel->setText(gstrCopyright);
}

void TSplashScreen::showAndPaint()
{
    ShowAndPaintNow(this);
}

} // namespace quenmark
