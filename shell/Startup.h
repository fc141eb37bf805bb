// Program start-up: the splash screen, the long-lived windows, the splash wait.
#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

namespace quenmark {

class TChapter_000;

// Whether a display can be expected from the environment: a platform chosen
// in QT_QPA_PLATFORM, or a DISPLAY or WAYLAND_DISPLAY. Otherwise `why` says so.
bool DisplayExpected(const QByteArray& qpaPlatform, const QByteArray& display, const QByteArray& waylandDisplay,
                     QString* why);

// After QApplication exists: puts up the splash screen, names the application,
// creates the contents screen, the goodbye screen and the update reminder,
// holds the splash for 2000 ms from the start on the platform clock, removes
// it and shows the contents screen. The goodbye screen and the reminder are
// owned by the returned contents screen.
std::unique_ptr<TChapter_000> StartUp();

} // namespace quenmark
