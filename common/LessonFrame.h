// The frame every chapter window shares: the header strip (chapter number,
// title, "Page" n "of" N), the page area Notebook1, the button row with its two
// shared places, the notice line, page turning and UpdateFrameButtons, and the
// four leaving buttons with their modal results.
//
// A chapter derives from LessonFrame, adds its pages to notebook() and
// overrides the hooks: what showing page n means (default: Notebook1 page
// n - 1), its own resets on opening, and its work on arriving at a page.
#pragma once

#include <QColor>
#include <QDialog>
#include <QString>

class QKeyEvent;
class QLabel;
class QPushButton;
class QStackedWidget;

namespace quenmark {

struct ChapterLook
{
    int number = 1;            // 1..9
    QString title;             // header title, leading blanks included
    QColor colour;             // background of the chapter's header items
    bool titleAsPicture = false; // chapters 4 and 5 draw theirs as pictures
    bool repaintButtonsOnOpening = false; // chapters 4, 5, 6, 8 and 9 repaint Next, Prev Chapter,
                                          // Contents and Quit at once when they open
};

// The look of chapter n (1..9): its header title and colour.
ChapterLook chapterLook(int number);

// Enter or Return, also the keypad's Enter, with no other modifier.
bool isEnterKey(const QKeyEvent* event);

// Presses the button of `window` that has the keyboard focus, when it is one
// that acts on a press (a push, picture or tool button; not a check box or a
// radio button) and is visible and enabled. True when one was pressed.
bool pressFocusedButton(QWidget* window);

class LessonFrame : public QDialog
{
    Q_OBJECT
public:
    // Modal results read by the chapter loop.
    enum Result { ResultQuit = 2, ResultContents = 4, ResultNextChapter = 6, ResultPrevChapter = 7 };

    explicit LessonFrame(const ChapterLook& look, QWidget* parent = nullptr);
    ~LessonFrame() override;

    int chapterNumber() const { return m_look.number; }
    QStackedWidget* notebook() const { return m_notebook; } // "Notebook1", 578 x 325, white
    // Appends a white page named `objectName` to Notebook1 and returns it.
    QWidget* addPage(const QString& objectName);

    int currentPage() const { return CurrentPage; }          // 1-based, as shown
    int totalPageCount() const { return TotalPageCount; }

    // Shows/hides BtnPrevChapt, BtnBack, BtnNext, BtnNextChapt for CurrentPage:
    // first page, second page, second-to-last page, last page, tested in that order.
    // A button that hides while it has the focus hands the focus to the page
    // area, so the next Enter does not land on whatever stands in its place.
    void UpdateFrameButtons();

    // True while a calculation runs; closing the window then stops the run first.
    bool runActive() const { return m_runActive; }

    // Frame-button access (BtnQuit, BtnContents, BtnPrevChapt, BtnBack, BtnNext,
    // BtnNextChapt), e.g. for a calculator that disables them during a run. Null
    // for a button the chapter does not have (BtnPrevChapt in 1, BtnNextChapt in 9).
    QPushButton* frameButton(const char* objectName) const;

public slots:
    void BtnBackClick();
    void BtnNextClick();
    void BtnQuitClick();
    void BtnContentsClick();
    void BtnPrevChaptClick();
    void BtnNextChaptClick();
    // The opening steps (page total, first page, buttons, chapter resets, notice).
    // Runs each time the window is shown.
    void FormActivate();

protected:
    // The page total shown on opening; default Notebook1's page count.
    virtual int pageTotal() const;
    // Show the page that belongs to `page` (1-based). Default: Notebook1 index page - 1.
    // `forward` tells whether Next (true) or Back (false) led here; opening counts as forward.
    virtual void showPage(int page, bool forward);
    // On opening, after the frame is on its first page: the chapter's own resets
    // (answers hidden, inputs cleared...).
    virtual void resetForOpening() {}
    // Last in a page turn: the chapter's work on arriving at `page`.
    virtual void pageReached(int page, bool forward);
    // Asked to end a running calculation (the window is being closed).
    virtual void requestStop() {}

    // A chapter marks the start and end of a calculation. Ending it carries out
    // a close that was asked for meanwhile (modal result 2, or the result of a
    // leaving button pressed during the run).
    void setRunActive(bool active);

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Enter presses the focused button; where no button has the focus it
    // presses Next when Next is shown and enabled, else it does nothing.
    void keyPressEvent(QKeyEvent* event) override;
    void reject() override;

    int CurrentPage = 1;
    int TotalPageCount = 1;

private:
    void buildFrame();
    // The header strip: "Chapter", the number, the title, "Page" n "of" N, each over its shadow.
    void buildHeader();
    void turnTo(int page, bool forward);
    // What a page turn reads after "Page n of N": the page's heading, else the
    // first sentence of its topmost text.
    QString pageOpening() const;
    // Tells a screen reader the page reached: "Page 2 of 8. Heading".
    void announcePage();
    // PageNumberPanel and the page area's spoken name ("Page 3 of 8").
    void showPageNumber(int page);
    // Shows or hides a frame button; a focused button that hides hands the
    // focus to the page area.
    void showButton(QWidget* button, bool shown);
    // Ends the visit with `result`, or, while a run is active, asks it to stop
    // and ends the visit when it has.
    void leave(int result);

    ChapterLook m_look;
    QStackedWidget* m_notebook = nullptr;
    QLabel* m_pageNumber = nullptr;  // PageNumberPanel
    QLabel* m_totalPages = nullptr;  // TotalPages
    bool m_runActive = false;
    int m_pendingResult = 0;  // a leave asked for during a run
    bool m_leaving = false;   // inside done()
};

} // namespace quenmark
