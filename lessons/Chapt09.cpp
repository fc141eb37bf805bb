// Chapter 9's behaviour: the web buttons, the hover zones of the main-screen
// tour and the shared handler that returns to the general description.
// Pages, pictures and texts: Chapt09Pages.cpp.
#include "lessons/Chapt09.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStackedWidget>
#include <QStyleOptionFocusRect>

#include "common/WebStuff.h"

namespace quenmark {

HoverZone::HoverZone(QWidget* parent)
    : QWidget(parent)
{
    setMouseTracking(true);
    // The keyboard reaches the zones too; focusing one shows its description.
    setFocusPolicy(Qt::TabFocus);
}

void HoverZone::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
    emit pointed();
}

void HoverZone::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
    emit pointed();
}

void HoverZone::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}

void HoverZone::paintEvent(QPaintEvent*)
{
    // Invisible over its picture, except for the focus frame of a keyboard user.
    if (!hasFocus())
        return;
    QPainter p(this);
    QStyleOptionFocusRect opt;
    opt.initFrom(this);
    opt.rect = rect().adjusted(1, 1, -1, -1);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &opt, &p, this);
}

TChapter_009::TChapter_009(QWidget* parent)
    : LessonFrame(chapterLook(9), parent)
{
    setWindowTitle(tr("Chapter 9"));
    m_ui = buildPages();

    connect(m_ui.download, &QPushButton::clicked, this, &TChapter_009::ButtonDownloadClick);
    connect(m_ui.buyNow, &QPushButton::clicked, this, &TChapter_009::ButtonBuyNowClick);
    for (int i = 0; i < m_ui.zones.size(); ++i)
        connect(m_ui.zones[i], &HoverZone::pointed, this, [this, i] { PaintBoxMouseMove(i + 1); });

    // Everything on the page area that is neither a zone nor a button.
    m_resetAreas = {m_ui.panel1, notebook(), m_ui.notebook2};
    for (QStackedWidget* book : {notebook(), m_ui.notebook2})
        for (int i = 0; i < book->count(); ++i)
            m_resetAreas.append(book->widget(i));
    for (QWidget* w : std::as_const(m_resetAreas)) {
        w->setMouseTracking(true);
        w->installEventFilter(this);
    }
}

TChapter_009::~TChapter_009() = default;

void TChapter_009::resetForOpening()
{
    m_ui.notebook2->setCurrentIndex(0);
}

void TChapter_009::pageReached(int page, bool forward)
{
    LessonFrame::pageReached(page, forward);
    // The tour starts with the general description until a zone is pointed at.
    if (page == 2)
        m_ui.notebook2->setCurrentIndex(0);
}

void TChapter_009::ButtonDownloadClick()
{
    OpenWebPage(2);
}

void TChapter_009::ButtonBuyNowClick()
{
    OpenWebPage(3);
}

void TChapter_009::PaintBoxMouseMove(int page)
{
    if (m_ui.notebook2->currentIndex() != page)
        m_ui.notebook2->setCurrentIndex(page);
}

void TChapter_009::Notebook1MouseMove()
{
    if (m_ui.notebook2->currentIndex() != 0)
        m_ui.notebook2->setCurrentIndex(0);
}

bool TChapter_009::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove && m_resetAreas.contains(qobject_cast<QWidget*>(watched))) {
        Notebook1MouseMove();
        return true;
    }
    return LessonFrame::eventFilter(watched, event);
}

} // namespace quenmark
