#include "common/LessonFrame.h"

#include "common/Announce.h"
#include "common/ButtonPictures.h"
#include "common/FocusMark.h"
#include "common/Layout.h"
#include "common/WebStuff.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QStackedWidget>
#include <array>

namespace quenmark {

ChapterLook chapterLook(int number)
{
    struct Row
    {
        const char* title;
        QColor colour;
        bool picture;
        bool repaintButtons;
    };
    static const std::array<Row, 9> rows{{
        {"  Introduction to Quenmark", QColor(128, 0, 0), false, false},
        {"  Terms and Definitions", QColor(0, 0, 128), false, false},
        {"  Minimum Payments vs Constant Payments", QColor(0, 96, 0), false, false},
        {"Year to Date Totals", QColor(128, 128, 0), true, true}, // white on olive
        {"New Purchases & Skipped Payments", QColor(96, 0, 96), true, true},
        {" The Effect of Multiple Credit Cards", QColor(0, 128, 64), false, true},
        {" The Effect of Adding $5 to Each Payment", QColor(0, 128, 128), false, false},
        {" Maximizing the Use of Your Money", QColor(64, 64, 128), false, true},
        {" A Computer Based Rapid Debt Program", QColor(0, 64, 128), false, true},
    }};
    const int n = (number >= 1 && number <= 9) ? number : 1;
    const Row& row = rows[static_cast<std::size_t>(n - 1)];
    ChapterLook look;
    look.number = n;
    look.title = QString::fromLatin1(row.title);
    look.colour = row.colour;
    look.titleAsPicture = row.picture;
    look.repaintButtonsOnOpening = row.repaintButtons;
    return look;
}

namespace {

// Header strip: items with a black shadow 4 px right and down.
constexpr int kHeaderY = 6;
constexpr int kHeaderH = 26;
constexpr int kShadow = 4;

struct HeaderItem
{
    const char* name;
    int x;
    int width;
    bool chapterColour; // else teal
};

// "Chapter", number, title | "Page", n, "of", N
constexpr std::array<HeaderItem, 7> kHeader{{
    {"HeaderChapter", 13, 76, true},
    {"HeaderNumber", 95, 28, true},
    {"HeaderTitle", 129, 312, true},
    {"HeaderPage", 453, 44, false},
    {"PageNumberPanel", 503, 28, false},
    {"HeaderOf", 537, 26, false},
    {"TotalPages", 569, 32, false},
}};

struct ButtonSpec
{
    const char* name;
    const char* words;
    int x;
    int width;
};

constexpr int kButtonY = 389;
constexpr int kButtonH = 30;

constexpr std::array<ButtonSpec, 6> kButtons{{
    {"BtnQuit", QT_TRANSLATE_NOOP("quenmark::LessonFrame", "Quit"), 22, 91},
    {"BtnContents", QT_TRANSLATE_NOOP("quenmark::LessonFrame", "Table of Contents"), 147, 139},
    {"BtnPrevChapt", QT_TRANSLATE_NOOP("quenmark::LessonFrame", "Prev Chapter"), 361, 107},
    {"BtnBack", QT_TRANSLATE_NOOP("quenmark::LessonFrame", "Page Back"), 369, 91},
    {"BtnNextChapt", QT_TRANSLATE_NOOP("quenmark::LessonFrame", "Next Chapter"), 491, 107},
    {"BtnNext", QT_TRANSLATE_NOOP("quenmark::LessonFrame", "Next Page"), 499, 91},
}};


} // namespace

bool isEnterKey(const QKeyEvent* event)
{
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    return (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && mods == Qt::NoModifier;
}

bool pressFocusedButton(QWidget* window)
{
    auto* button = qobject_cast<QAbstractButton*>(window ? window->focusWidget() : nullptr);
    if (!button || button->isCheckable() || !button->isVisible() || !button->isEnabled())
        return false;
    button->click();
    return true;
}

LessonFrame::LessonFrame(const ChapterLook& look, QWidget* parent)
    : QDialog(parent)
    , m_look(look)
{
    buildFrame();
}

LessonFrame::~LessonFrame() = default;

void LessonFrame::buildFrame()
{
    installAccessibleRoles();
    setFixedSize(640, 480);
    setFont(arialPx(11, true));
    setBackground(this, colour::silver);
    setObjectName(QStringLiteral("Chapter_%1").arg(m_look.number, 3, 10, QLatin1Char('0')));
    setWindowTitle(tr("Chapter %1").arg(m_look.number));
    // A screen reader names the window by its chapter and title.
    setAccessibleName(tr("Chapter %1: %2").arg(m_look.number).arg(m_look.title.trimmed()));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

    buildHeader();

    // Page area: Notebook1 on a framed panel with a black shadow.
    makeCell(this, shadowSpec(QRect(19, 48, 588, 335)));
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("NotebookPanel"));
    panel->setGeometry(13, 42, 588, 335);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setAutoFillBackground(true);
    panel->setAccessibleName(tr("Lesson pages"));
    m_notebook = new QStackedWidget(panel);
    m_notebook->setObjectName(QStringLiteral("Notebook1"));
    m_notebook->setGeometry(5, 5, 578, 325);
    setBackground(m_notebook, colour::white);

    // Button row. Chapter 1 has no BtnPrevChapt, chapter 9 no BtnNextChapt.
    for (const ButtonSpec& spec : kButtons) {
        const QLatin1String name(spec.name);
        if (m_look.number == 1 && name == QLatin1String("BtnPrevChapt"))
            continue;
        if (m_look.number == 9 && name == QLatin1String("BtnNextChapt"))
            continue;
        auto* b = new QPushButton(this);
        b->setObjectName(name);
        b->setGeometry(spec.x, kButtonY, spec.width, kButtonH);
        b->setAutoDefault(false);
        SetButtonPicture(b, tr(spec.words));
    }
    QPushButton* next = frameButton("BtnNext");
    next->setDefault(true);
    connect(frameButton("BtnQuit"), &QPushButton::clicked, this, &LessonFrame::BtnQuitClick);
    connect(frameButton("BtnContents"), &QPushButton::clicked, this, &LessonFrame::BtnContentsClick);
    connect(frameButton("BtnBack"), &QPushButton::clicked, this, &LessonFrame::BtnBackClick);
    connect(next, &QPushButton::clicked, this, &LessonFrame::BtnNextClick);
    if (QPushButton* b = frameButton("BtnPrevChapt"))
        connect(b, &QPushButton::clicked, this, &LessonFrame::BtnPrevChaptClick);
    if (QPushButton* b = frameButton("BtnNextChapt"))
        connect(b, &QPushButton::clicked, this, &LessonFrame::BtnNextChaptClick);
    // Designed state: Back and Next Chapter hidden.
    showButton(frameButton("BtnBack"), false);
    showButton(frameButton("BtnNextChapt"), false);

    makeCell(this, {.name = "BottomCopyrightNotice",
                    .rect = QRect(40, 428, 553, 16),
                    .text = gstrCopyright,
                    .fontPx = 12,
                    .bold = true,
                    .align = Qt::AlignCenter});

    // Tab order of the row, left to right.
    setTabOrder(frameButton("BtnQuit"), frameButton("BtnContents"));
    QWidget* last = frameButton("BtnContents");
    for (const char* name : {"BtnPrevChapt", "BtnBack", "BtnNextChapt", "BtnNext"}) {
        if (QPushButton* b = frameButton(name)) {
            setTabOrder(last, b);
            last = b;
        }
    }
}

void LessonFrame::buildHeader()
{
    // Shadows first so the items lie on top of them.
    for (const HeaderItem& item : kHeader) {
        makeCell(this, shadowSpec(QRect(item.x + kShadow, kHeaderY + kShadow, item.width, kHeaderH)));
    }
    const QString number = QString::number(m_look.number);
    const std::array<QString, 7> texts{tr("Chapter"), number, m_look.title, tr("Page"),
                                       QStringLiteral("1"), tr("of"), QStringLiteral("1")};
    for (std::size_t i = 0; i < kHeader.size(); ++i) {
        const HeaderItem& item = kHeader[i];
        const bool isTitle = i == 2;
        QLabel* cell = makeCell(this, {.name = item.name,
                                       .rect = QRect(item.x, kHeaderY, item.width, kHeaderH),
                                       .text = texts[i],
                                       .background = item.chapterColour ? m_look.colour : colour::teal,
                                       .foreground = colour::white,
                                       .fontPx = isTitle ? 13 : 15,
                                       .bold = true,
                                       .align = isTitle ? (Qt::AlignLeft | Qt::AlignVCenter) : Qt::AlignCenter,
                                       .kind = CellKind::RaisedPanel});
        if (m_look.titleAsPicture && item.chapterColour) {
            // Chapters 4 and 5 draw "Chapter", the number and the title as pictures.
            cell->setFrameStyle(QFrame::NoFrame);
            cell->setPixmap(HeadingPicture(texts[i].trimmed(), m_look.colour, cell->size(), isTitle ? 14 : 15));
            cell->setAccessibleName(texts[i].trimmed());
        }
        if (i == 4)
            m_pageNumber = cell;
        if (i == 6)
            m_totalPages = cell;
    }
}

QWidget* LessonFrame::addPage(const QString& objectName)
{
    auto* page = new QWidget(m_notebook);
    page->setObjectName(objectName);
    setBackground(page, colour::white);
    m_notebook->addWidget(page);
    return page;
}

QPushButton* LessonFrame::frameButton(const char* objectName) const
{
    return findChild<QPushButton*>(QLatin1String(objectName), Qt::FindDirectChildrenOnly);
}

int LessonFrame::pageTotal() const
{
    return qMax(1, m_notebook->count());
}

void LessonFrame::showPage(int page, bool /*forward*/)
{
    if (page >= 1 && page <= m_notebook->count())
        m_notebook->setCurrentIndex(page - 1);
}

void LessonFrame::pageReached(int /*page*/, bool /*forward*/) {}

void LessonFrame::showButton(QWidget* button, bool shown)
{
    if (!button)
        return;
    // Hiding the focused button would pass the focus on along the tab chain,
    // possibly to the button that takes its place ("Next Chapter" for "Next
    // Page"), where the next Enter would press it unawares. The page takes it
    // instead: Enter there presses nothing, and a screen reader reads the page.
    if (!shown && focusWidget() == button)
        m_notebook->setFocus(Qt::OtherFocusReason);
    button->setVisible(shown);
}

void LessonFrame::UpdateFrameButtons()
{
    QPushButton* prevChapt = frameButton("BtnPrevChapt");
    QPushButton* back = frameButton("BtnBack");
    QPushButton* next = frameButton("BtnNext");
    QPushButton* nextChapt = frameButton("BtnNextChapt");
    auto apply = [&](bool showPrevChapt, bool showBack, bool showNext, bool showNextChapt) {
        // Hide before showing so a shared place never holds two buttons.
        if (!showPrevChapt) showButton(prevChapt, false);
        if (!showBack) showButton(back, false);
        if (!showNext) showButton(next, false);
        if (!showNextChapt) showButton(nextChapt, false);
        if (showPrevChapt) showButton(prevChapt, true);
        if (showBack) showButton(back, true);
        if (showNext) showButton(next, true);
        if (showNextChapt) showButton(nextChapt, true);
    };
    const int total = TotalPageCount;
    if (total <= 1)
        apply(true, false, false, true); // a one-page chapter: only the chapter buttons
    else if (CurrentPage == 1)
        apply(true, false, true, false);
    else if (CurrentPage == total)
        apply(false, true, false, true);
    else if (CurrentPage == 2 || CurrentPage == total - 1)
        apply(false, true, true, false);
    // Any other page keeps the buttons it has.
}

void LessonFrame::showPageNumber(int page)
{
    m_pageNumber->setText(QString::number(page));
    // The page area is read by its place in the chapter when it has the focus.
    m_notebook->setAccessibleName(tr("Page %1 of %2").arg(page).arg(TotalPageCount));
}

QString LessonFrame::pageOpening() const
{
    // The page's heading where it has one, else its topmost sentence (a text
    // of three words or more: not a table's column head), else its topmost text.
    QLabel* topmost = nullptr;
    QLabel* sentence = nullptr;
    auto above = [this](QLabel* a, QLabel* b) {
        if (!b)
            return true;
        const QPoint pa = a->mapTo(m_notebook, QPoint(0, 0)), pb = b->mapTo(m_notebook, QPoint(0, 0));
        return pa.y() != pb.y() ? pa.y() < pb.y() : pa.x() < pb.x();
    };
    for (QLabel* label : m_notebook->findChildren<QLabel*>()) {
        if (!label->isVisibleTo(m_notebook) || label->text().trimmed().isEmpty())
            continue;
        if (label->objectName() == QLatin1String("Heading"))
            return firstSentence(label->text());
        if (above(label, topmost))
            topmost = label;
        if (firstSentence(label->text()).count(QLatin1Char(' ')) >= 2 && above(label, sentence))
            sentence = label;
    }
    QLabel* opening = sentence ? sentence : topmost;
    return opening ? firstSentence(opening->text()) : QString();
}

void LessonFrame::announcePage()
{
    const QString opening = pageOpening();
    const QString number = tr("Page %1 of %2").arg(CurrentPage).arg(TotalPageCount);
    announce(this, opening.isEmpty() ? number : number + QStringLiteral(". ") + opening);
}

void LessonFrame::turnTo(int page, bool forward)
{
    CurrentPage = page;
    showPage(page, forward);
    showPageNumber(page);
    m_pageNumber->repaint();
    UpdateFrameButtons();
    pageReached(page, forward);
    announcePage();
}

void LessonFrame::BtnNextClick()
{
    if (CurrentPage < TotalPageCount)
        turnTo(CurrentPage + 1, true);
}

void LessonFrame::BtnBackClick()
{
    if (CurrentPage > 1)
        turnTo(CurrentPage - 1, false);
}

void LessonFrame::BtnQuitClick()
{
    leave(ResultQuit);
}

void LessonFrame::BtnContentsClick()
{
    leave(ResultContents);
}

void LessonFrame::BtnPrevChaptClick()
{
    leave(ResultPrevChapter);
}

void LessonFrame::BtnNextChaptClick()
{
    leave(ResultNextChapter);
}

void LessonFrame::FormActivate()
{
    TotalPageCount = qMax(1, pageTotal());
    m_totalPages->setText(QString::number(TotalPageCount));

    CurrentPage = 1;
    m_notebook->setCurrentIndex(m_notebook->count() > 0 ? 0 : -1);
    showPage(1, true);
    showPageNumber(1);

    showButton(frameButton("BtnBack"), false);
    showButton(frameButton("BtnNextChapt"), false);
    showButton(frameButton("BtnPrevChapt"), true);
    showButton(frameButton("BtnNext"), true);
    UpdateFrameButtons();
    if (m_look.repaintButtonsOnOpening)
        for (const char* name : {"BtnNext", "BtnPrevChapt", "BtnContents", "BtnQuit"})
            if (QPushButton* b = frameButton(name))
                b->repaint();

    resetForOpening();

    findChild<QLabel*>(QStringLiteral("BottomCopyrightNotice"))->setText(gstrCopyright);
    // The focus starts on Next; where Next is hidden (a one-page chapter) it
    // starts on the page, so that Enter does not press a leaving button the
    // window would otherwise hand the focus to.
    if (QPushButton* next = frameButton("BtnNext"); next && next->isVisible())
        next->setFocus();
    else
        m_notebook->setFocus();
    // Active from the start, so a screen reader follows the focus at once.
    if (isVisible() && !isActiveWindow())
        activateWindow();
}

void LessonFrame::leave(int result)
{
    if (m_runActive) {
        if (m_pendingResult == 0)
            m_pendingResult = result;
        requestStop();
        return;
    }
    m_leaving = true;
    done(result);
    m_leaving = false;
}

void LessonFrame::setRunActive(bool active)
{
    m_runActive = active;
    if (!active && m_pendingResult != 0) {
        const int result = m_pendingResult;
        m_pendingResult = 0;
        leave(result);
    }
}

void LessonFrame::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    MarkKeyboardFocus(this); // the chapter's buttons are all made by now
    if (!event->spontaneous())
        FormActivate();
}

void LessonFrame::closeEvent(QCloseEvent* event)
{
    if (m_leaving) {
        event->accept();
        return;
    }
    // The title-bar close button: the same as Quit.
    event->ignore();
    leave(ResultQuit);
}

void LessonFrame::keyPressEvent(QKeyEvent* event)
{
    if (isEnterKey(event)) {
        event->accept();
        if (pressFocusedButton(this))
            return;
        QPushButton* next = frameButton("BtnNext");
        if (!next || !next->isVisible() || !next->isEnabled())
            return; // last page: nothing, never "Next Chapter"
        // As a click on Next would, the focus moves to Next first, so a box the
        // focus leaves is read as on leaving it. A reading that takes the focus
        // back to show a correction keeps the page.
        if (focusWidget() != next) {
            next->setFocus(Qt::OtherFocusReason);
            if (focusWidget() != next)
                return;
        }
        next->click();
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        event->accept(); // Esc does not leave a chapter
        return;
    }
    QDialog::keyPressEvent(event);
}

void LessonFrame::reject()
{
    // Esc and other "cancel" requests do not close a chapter; the title-bar
    // close is handled in closeEvent.
}

} // namespace quenmark
