#include "shell/Startup.h"

#include "shell/ContentsScreen.h"
#include "shell/Goodbye.h"
#include "common/Platform.h"
#include "shell/Splash.h"
#include "shell/UpdateReminder.h"
#include "shell/VisitMemory.h"

#include <QApplication>
#include <QCoreApplication>

namespace quenmark {

bool DisplayExpected(const QByteArray& qpaPlatform, const QByteArray& display, const QByteArray& waylandDisplay,
                     QString* why)
{
    if (!qpaPlatform.isEmpty() || !display.isEmpty() || !waylandDisplay.isEmpty())
        return true;
    if (why)
        *why = QStringLiteral("no display to show the program on (neither DISPLAY nor WAYLAND_DISPLAY is set)");
    return false;
}

std::unique_ptr<TChapter_000> StartUp()
{
    const std::uint64_t T0 = platform().tickMs();
    LimitPictureCaches();

    auto splash = std::make_unique<TSplashScreen>();
    splash->showAndPaint();

    QCoreApplication::setApplicationName(QStringLiteral("Quenmark"));

    auto contents = std::make_unique<TChapter_000>();
    new Tgoodbye(contents.get());   // owned by the contents screen, hidden
    new TStaleDate(contents.get()); // owned by the contents screen, hidden

    // The splash stays at least 2000 ms from the start; input waits meanwhile.
    platform().waitUntil(T0 + 2000);

    splash->hide();
    splash.reset();
    QCoreApplication::processEvents();

    contents->show();
    return contents;
}

} // namespace quenmark
