#include "shell/ContentsScreen.h"

#include "common/ButtonPictures.h"
#include "common/FocusMark.h"
#include "common/Layout.h"
#include "common/LessonFrame.h"
#include "common/Platform.h"
#include "common/WebStuff.h"
#include "lessons/Chapters.h"
#include "pictures/PictureButton.h"
#include "pictures/Pictures.h"
#include "planner/MyCards.h"
#include "shell/Goodbye.h"
#include "shell/Splash.h"
#include "shell/Standby.h"
#include "shell/UpdateReminder.h"
#include "shell/VisitMemory.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <array>

namespace quenmark {

TChapter_000* Chapter_000 = nullptr;

namespace {

struct ChapterButton
{
    const char* name;
    int chapter;
    const char* words;
};

// Each picture is the number, three blanks and the title.
const std::array<ChapterButton, 9> kChapterButtons{{
    {"SBtn01", 1, QT_TRANSLATE_NOOP("quenmark::TChapter_000", "1   Quenmark Introduction")},
    {"SBtn02", 2, QT_TRANSLATE_NOOP("quenmark::TChapter_000", "2   Terms and Definitions")},
    {"SBtn03", 3, QT_TRANSLATE_NOOP("quenmark::TChapter_000", "3   Minimum Payments vs Constant Payments")},
    {"SBtn04", 4, QT_TRANSLATE_NOOP("quenmark::TChapter_000", "4   Year to Date Totals")},
    {"SBtn05", 5, QT_TRANSLATE_NOOP("quenmark::TChapter_000", "5   New Charges & Skipped Payments")},
    {"SBtn06", 6, QT_TRANSLATE_NOOP("quenmark::TChapter_000", "6   The Effect of Multiple Credit Cards")},
    {"SBtn07", 7, QT_TRANSLATE_NOOP("quenmark::TChapter_000", "7   The Effect of Adding $5 to Each Payment")},
    {"SBtn08", 8, QT_TRANSLATE_NOOP("quenmark::TChapter_000", "8   Maximizing the Use of Your Money")},
    {"SBtn10", 9, QT_TRANSLATE_NOOP("quenmark::TChapter_000", "9   A Computer Based Rapid Debt Program")},
}};

QPushButton* makeButton(QWidget* parent, const char* name, const QRect& rect, const QString& words)
{
    auto* b = new QPushButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setGeometry(rect);
    b->setAutoDefault(false);
    SetButtonPicture(b, words);
    return b;
}

} // namespace

TChapter_000::TChapter_000(QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    Chapter_000 = this;
    setObjectName(QStringLiteral("Chapter_000"));
    setWindowTitle(tr("Quenmark"));
    setWindowIcon(LoadArt(QStringLiteral("quenmark.png")));
    setFixedSize(640, 480);
    setFont(arialPx(11, true));
    setBackground(this, colour::silver);

    makeCell(this, textCell("QuenmarkLabel", QRect(24, 5, 200, 32), QStringLiteral("Quenmark"), 27, true,
                            colour::textBlue));
    MakeNoticeLines(this, "CopyrightNotice", QRect(24, 36, 440, 16), 12, "Label5", QRect(24, 52, 440, 16), 12,
                    Qt::AlignLeft | Qt::AlignVCenter);

    auto* award = new QLabel(this);
    award->setObjectName(QStringLiteral("Image2"));
    award->setGeometry(31, 90, 84, 84);
    award->setPixmap(LoadArt(QStringLiteral("award_badge.png")));
    award->setAccessibleName(tr("Award badge"));

    auto* edition = new QLabel(this);
    edition->setObjectName(QStringLiteral("Image1"));
    edition->setGeometry(484, 10, 134, 88);
    edition->setPixmap(LoadArt(QStringLiteral("edition_badge.jpg")));
    edition->setAccessibleName(tr("Anniversary edition badge"));

    // One text size for the nine bands: the one at which the longest title fits.
    QStringList titles;
    for (const ChapterButton& spec : kChapterButtons)
        titles << tr(spec.words);
    const QSize band(307, 33);
    const int bandPx = BandFontPx(titles, band.width());
    QWidget* previous = nullptr;
    for (std::size_t i = 0; i < kChapterButtons.size(); ++i) {
        const ChapterButton& spec = kChapterButtons[i];
        const QString& words = titles[static_cast<qsizetype>(i)];
        auto* b = new PictureButton(BandPicture(words, chapterLook(spec.chapter).colour, band, bandPx), words, this);
        b->setObjectName(QLatin1String(spec.name));
        b->setGeometry(162, 70 + 32 * static_cast<int>(i), 307, 33);
        const int chapter = spec.chapter;
        connect(b, &QAbstractButton::clicked, this, [this, chapter] { chapterButtonClick(chapter); });
        if (previous)
            setTabOrder(previous, b);
        previous = b;
    }

    BtnQuit = makeButton(this, "BtnQuit", QRect(128, 391, 91, 30), tr("Quit"));
    BtnGotoWebsite = makeButton(this, "BtnGotoWebsite", QRect(243, 391, 147, 30), tr("Go To Our Website"));
    BtnStart = makeButton(this, "BtnStart", QRect(412, 391, 91, 30), tr("Start"));
    connect(BtnQuit, &QPushButton::clicked, this, &TChapter_000::BtnQuitClick);
    connect(BtnGotoWebsite, &QPushButton::clicked, this, &TChapter_000::BtnGotoWebsiteClick);
    connect(BtnStart, &QPushButton::clicked, this, &TChapter_000::BtnStartClick);
    // Tab order: Quit, Start, Go To Our Website, then the chapter buttons.
    setTabOrder(BtnQuit, BtnStart);
    setTabOrder(BtnStart, BtnGotoWebsite);
    setTabOrder(BtnGotoWebsite, findChild<QWidget*>(QStringLiteral("SBtn01")));

    // The payoff planner for the user's own cards, below the other buttons and
    // last in the tab order; it opens beside the contents screen, outside the chapter loop.
    auto* myCards = makeButton(this, "BtnMyCards", QRect(243, 435, 147, 30), tr("My Cards"));
    connect(myCards, &QPushButton::clicked, this, [this] {
        if (!m_loopRunning)
            ShowMyCards(this);
    });
    setTabOrder(findChild<QWidget*>(QStringLiteral("SBtn10")), myCards);

    MarkKeyboardFocus(this);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    FormCreate();
}

TChapter_000::~TChapter_000()
{
    if (Chapter_000 == this)
        Chapter_000 = nullptr;
}

void TChapter_000::FormCreate()
{
    StaleReminderShown = false;
    CurrentChapter = 1;
    findChild<QLabel*>(QStringLiteral("CopyrightNotice"))->setText(gstrCopyright);
}

bool TChapter_000::event(QEvent* e)
{
    if (e->type() == QEvent::WindowActivate && !m_loopRunning && !m_closing) {
        const bool handled = QWidget::event(e);
        FormActivate();
        return handled;
    }
    return QWidget::event(e);
}

void TChapter_000::FormActivate()
{
    BtnQuit->setEnabled(true);
    BtnStart->setEnabled(true);
    const QDate due(kStaleYear, kStaleMonth, kStaleDay);
    if (platform().today() >= due && !StaleReminderShown && StaleDate) {
        // Marked before showing: activations while the reminder closes must not show it again.
        StaleReminderShown = true;
        BtnQuit->setEnabled(false);
        BtnStart->setEnabled(false);
        StaleDate->exec();
        BtnQuit->setEnabled(true);
        BtnStart->setEnabled(true);
    }
    // The focus is real only in the active window: where nothing gave the
    // activation back (no window manager after the reminder closes), take it.
    if (isVisible() && !isActiveWindow())
        activateWindow();
    BtnStart->setFocus();
    // Show where the focus is from the start, not only after the first key:
    // a keyboard user sees at once that Enter or Space presses Start.
    setAttribute(Qt::WA_KeyboardFocusChange);
    BtnStart->update();
}

void TChapter_000::chapterButtonClick(int chapter)
{
    if (m_loopRunning)
        return;
    CurrentChapter = chapter;
    RunChapterLoop();
}

void TChapter_000::BtnStartClick()
{
    RunChapterLoop();
}

void TChapter_000::BtnQuitClick()
{
    close();
}

void TChapter_000::BtnGotoWebsiteClick()
{
    OpenWebPage(1);
}

void TChapter_000::RunChapterLoop()
{
    if (m_loopRunning)
        return; // a click queued during a wait must not start a second loop
    m_loopRunning = true;
    int result = 0;
    for (;;) {
        const std::uint64_t StandByDeadline = platform().tickMs() + 1000;

        QPointer<TPleaseStandBy> standBy = new TPleaseStandBy(this);
        standBy->setChapterNumber(CurrentChapter);
        BtnQuit->setEnabled(false);
        BtnStart->setEnabled(false);
        ShowAndPaintNow(standBy);

        QPointer<LessonFrame> chapter = createChapterWindow(CurrentChapter, this);

        // Creating the chapter counts towards the stand-by time; input waits.
        platform().waitUntil(StandByDeadline);

        standBy->hide();
        standBy->deleteLater();
        BtnQuit->setEnabled(true);
        BtnStart->setEnabled(true);

        chapter->setWindowTitle(windowTitle() + QStringLiteral(" - ") + chapter->windowTitle());
        result = chapter->exec();
        m_modalResult = result;
        if (chapter)
            chapter->deleteLater();

        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ReleaseVisitMemory();

        if (result == LessonFrame::ResultNextChapter)
            ++CurrentChapter;
        else if (result == LessonFrame::ResultPrevChapter)
            --CurrentChapter;
        if (CurrentChapter < 1 || CurrentChapter > 9)
            CurrentChapter = 1;

        if (result == LessonFrame::ResultQuit || result == LessonFrame::ResultContents)
            break;
    }
    m_loopRunning = false;
    if (result == LessonFrame::ResultQuit)
        close();
    else
        FormActivate();
}

void TChapter_000::keyPressEvent(QKeyEvent* e)
{
    if (isEnterKey(e) && pressFocusedButton(this)) {
        e->accept();
        return;
    }
    QWidget::keyPressEvent(e);
}

void TChapter_000::closeEvent(QCloseEvent* e)
{
    // Every way of closing passes through the goodbye screen.
    if (m_closing) {
        e->accept();
        return;
    }
    m_closing = true;
    hide();
    if (goodbye)
        goodbye->exec();
    m_closing = false;
    e->accept();
}

} // namespace quenmark
