// The contents screen, the program's main window, and the chapter loop.
#pragma once

#include <QWidget>

class QPushButton;

namespace quenmark {

class PictureButton;

class TChapter_000 : public QWidget
{
    Q_OBJECT
public:
    explicit TChapter_000(QWidget* parent = nullptr);
    ~TChapter_000() override;

    // The chapter to open next, 1 to 9; Start reopens it.
    int CurrentChapter = 1;
    // Set once the update reminder has been shown in this run.
    bool StaleReminderShown = false;
    // The modal result of the last chapter window.
    int modalResult() const { return m_modalResult; }
    bool loopRunning() const { return m_loopRunning; }

    // Opens chapter windows one after another, each behind the stand-by
    // screen, until one ends with "quit" (2) or "contents" (4).
    void RunChapterLoop();

    // Each time this window becomes the active one: the update reminder once
    // per run when due, then the focus on Start.
    void FormActivate();

    void BtnStartClick();
    void BtnQuitClick();
    void BtnGotoWebsiteClick();
    void chapterButtonClick(int chapter); // SBtn01Click .. SBtn08Click, SBtn10Click

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Enter presses the focused button (Start, Quit, the web or a chapter button).
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FormCreate();

    QPushButton* BtnQuit = nullptr;
    QPushButton* BtnStart = nullptr;
    QPushButton* BtnGotoWebsite = nullptr;
    int m_modalResult = 0;
    bool m_loopRunning = false;
    bool m_closing = false;
};

extern TChapter_000* Chapter_000;

// The date from which the update reminder is due.
inline constexpr int kStaleYear = 2010, kStaleMonth = 7, kStaleDay = 1;

} // namespace quenmark
