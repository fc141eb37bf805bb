// Quenmark: a tutorial about credit-card debt.
#include "shell/ContentsScreen.h"
#include "shell/Startup.h"
#include "planner/MyCards.h"

#include <QApplication>
#include <QStyleFactory>
#include <QTimer>
#include <QTextStream>
#include <cstdlib>

namespace {

bool g_starting = true;
QtMessageHandler g_previousHandler = nullptr;

// While the display is being opened, a platform that cannot start would end the
// program with an abort; say so in one line and leave with status 1 instead.
void startupMessages(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (g_starting) {
        if (type == QtFatalMsg) {
            QTextStream(stderr) << "quenmark: cannot open a display to show the program on\n";
            std::_Exit(1);
        }
        if (context.category && QByteArray(context.category).startsWith("qt.qpa"))
            return; // the one line above says it
    }
    if (g_previousHandler)
        g_previousHandler(type, context, message);
    else
        QTextStream(stderr) << qFormatLogMessage(type, context, message) << "\n";
}

} // namespace

int main(int argc, char** argv)
{
    QString why;
    if (!quenmark::DisplayExpected(qgetenv("QT_QPA_PLATFORM"), qgetenv("DISPLAY"), qgetenv("WAYLAND_DISPLAY"),
                                   &why)) {
        QTextStream(stderr) << "quenmark: " << why << "\n";
        return 1;
    }
    g_previousHandler = qInstallMessageHandler(startupMessages);
    QApplication app(argc, argv);
    g_starting = false;
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    // "quenmark --my-cards" (the desktop entry's second action): the payoff
    // planner alone, without the tutorial's start-up.
    if (QCoreApplication::arguments().contains(QStringLiteral("--my-cards"))) {
        QCoreApplication::setApplicationName(QStringLiteral("Quenmark"));
        // Null: My Cards is open in another window, which was brought forward
        // (or the user was told).
        if (!quenmark::ShowMyCards(nullptr))
            return 0;
        return app.exec();
    }

    std::unique_ptr<quenmark::TChapter_000> contents = quenmark::StartUp();
    // Where no window manager activates the contents screen (a bare X server),
    // its activation steps still run once at the start of the message loop.
    QTimer::singleShot(0, contents.get(), [c = contents.get()] {
        if (!c->StaleReminderShown)
            c->FormActivate();
    });
    return app.exec();
}
