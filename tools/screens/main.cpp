// The screen-picture tool: renders every screen of the program and every page
// of every chapter offscreen into PNG files, so the program can be seen (and
// looked over) without running it.
//
//   quenmark-screens OUTDIR [--scale N] [--date YYYY-MM-DD]
//
// Written: splash, standby, contents, goodbye, reminder; chNN_pageMM.png for
// every page in its state on arrival by Next; chNN_pageMM_pointed.png with the
// middle bar, zone or pie of a page pointed at; chNN_calculator.png for each
// calculator page after the running example ($2,100.00 at 17.9 % paying $53.00).
#include "common/LessonFrame.h"
#include "common/WebStuff.h"
#include "lessons/Chapters.h"
#include "shell/ContentsScreen.h"
#include "shell/Goodbye.h"
#include "shell/Splash.h"
#include "shell/UpdateReminder.h"
#include "shell/Standby.h"
#include "FakePlatform.h"
#include "PageWalk.h"

#include <QApplication>
#include <QDir>
#include <QStyleFactory>
#include <QTextStream>
#include <memory>

using namespace quenmark;

namespace {

struct Shooter
{
    QDir out;
    QStringList written;
    int failures = 0;

    void save(QWidget* w, const QString& name)
    {
        QCoreApplication::processEvents();
        const QString path = out.filePath(name + QStringLiteral(".png"));
        if (w->grab().save(path)) {
            written.append(name);
        } else {
            QTextStream(stderr) << "quenmark-screens: could not write " << path << "\n";
            ++failures;
        }
    }
};

// The calculator's Calculate button on `page`, if the page is a calculator.
QAbstractButton* calculateButton(QWidget* page)
{
    for (const char* name : {"EditApr", "EditBal", "EditPmt"})
        if (!page->findChild<QLineEdit*>(QLatin1String(name)))
            return nullptr;
    for (const char* name : {"BtnGoFigure", "BtnCalculate"})
        if (auto* b = page->findChild<QAbstractButton*>(QLatin1String(name)))
            return b;
    return nullptr;
}

void runRunningExample(QWidget* page, QAbstractButton* calculate)
{
    const std::pair<const char*, const char*> inputs[] = {
        {"EditName", "First Example Bank"}, {"EditApr", "17.9"}, {"EditBal", "2100"}, {"EditPmt", "53"}};
    for (const auto& [name, value] : inputs)
        if (auto* box = page->findChild<QLineEdit*>(QLatin1String(name)))
            box->setText(QString::fromLatin1(value));
    calculate->click();
}

void shootChapter(Shooter& shots, int chapter)
{
    std::unique_ptr<LessonFrame> w(createChapterWindow(chapter, nullptr));
    w->setWindowTitle(QStringLiteral("Quenmark - ") + w->windowTitle());
    w->show();
    if (!QTest::qWaitForWindowExposed(w.get()))
        QTextStream(stderr) << "quenmark-screens: chapter " << chapter << " not exposed\n";
    const QString prefix = QStringLiteral("ch%1_").arg(chapter);
    test::forEachPageByNext(w.get(), [&](int page) {
        const QString name = prefix + QStringLiteral("page%1").arg(page, 2, 10, QLatin1Char('0'));
        shots.save(w.get(), name);
        QWidget* current = w->notebook()->currentWidget();
        if (QAbstractButton* calculate = current ? calculateButton(current) : nullptr) {
            runRunningExample(current, calculate);
            shots.save(w.get(), prefix + QStringLiteral("calculator"));
        }
        const QList<QWidget*> areas = test::pointerAreas(w.get());
        if (!areas.isEmpty()) {
            // The pie walk starts at Stage 1 and goes along the row: the middle
            // pie is then lifted, with its stage's text.
            QWidget* pointed = areas[areas.size() / 2];
            if (QWidget* first = current ? current->findChild<QWidget*>(QStringLiteral("PieImage1")) : nullptr;
                first && first->isVisible()) {
                test::pointAt(first);
                pointed = current->findChild<QWidget*>(QStringLiteral("PieImage3"));
            }
            test::pointAt(pointed);
            shots.save(w.get(), name + QStringLiteral("_pointed"));
            // Away again, so the next page is pictured as it arrives.
            test::pointAt(w->findChild<QWidget*>(QStringLiteral("BottomCopyrightNotice")));
        }
        return true;
    });
}

} // namespace

int main(int argc, char** argv)
{
    QString outDir;
    QByteArray scale;
    QDate date(2025, 1, 15);
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg == "--scale" && i + 1 < argc)
            scale = argv[++i];
        else if (arg == "--date" && i + 1 < argc)
            date = QDate::fromString(QString::fromLatin1(argv[++i]), Qt::ISODate);
        else if (!arg.startsWith('-') && outDir.isEmpty())
            outDir = QString::fromLocal8Bit(arg);
        else
            outDir.clear(), i = argc;
    }
    if (outDir.isEmpty() || !date.isValid()) {
        QTextStream(stderr) << "usage: quenmark-screens OUTDIR [--scale N] [--date YYYY-MM-DD]\n";
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!scale.isEmpty())
        qputenv("QT_SCALE_FACTOR", scale);
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    FakePlatform fake; // fixed date, instant waits, no dialogs, no browser
    fake.date = date;
    InitWebStuff();

    Shooter shots{QDir(outDir), {}, 0};
    if (!shots.out.exists() && !QDir().mkpath(outDir)) {
        QTextStream(stderr) << "quenmark-screens: cannot create " << outDir << "\n";
        return 1;
    }

    {
        TSplashScreen splash;
        splash.showAndPaint();
        shots.save(&splash, QStringLiteral("splash"));
    }
    {
        TPleaseStandBy standBy;
        standBy.setChapterNumber(7);
        standBy.show();
        shots.save(&standBy, QStringLiteral("standby"));
    }
    {
        TChapter_000 contents;
        auto* bye = new Tgoodbye(&contents);
        auto* reminder = new TStaleDate(&contents);
        contents.StaleReminderShown = true; // pictured on its own below
        contents.show();
        shots.save(&contents, QStringLiteral("contents"));
        bye->show();
        shots.save(bye, QStringLiteral("goodbye"));
        bye->hide();
        reminder->show();
        shots.save(reminder, QStringLiteral("reminder"));
        reminder->hide();
    }
    for (int chapter = 1; chapter <= 9; ++chapter)
        shootChapter(shots, chapter);

    QTextStream(stdout) << shots.written.size() << " pictures in " << shots.out.absolutePath() << "\n";
    return shots.failures == 0 ? 0 : 1;
}
