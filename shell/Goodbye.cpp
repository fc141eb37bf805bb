#include "shell/Goodbye.h"

#include "common/ButtonPictures.h"
#include "common/FocusMark.h"
#include "common/Layout.h"
#include "common/LessonFrame.h"
#include "common/WebStuff.h"
#include "pictures/Pictures.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

namespace quenmark {

Tgoodbye* goodbye = nullptr;

Tgoodbye::Tgoodbye(QWidget* parent)
    : QDialog(parent)
{
    goodbye = this;
    setObjectName(QStringLiteral("goodbye"));
    setWindowTitle(tr("Thank You!"));
    setFixedSize(575, 453);
    setFont(arialPx(12));
    setBackground(this, colour::silver);

    // The black shadow panel, which takes the focus so neither button holds it.
    m_shadow = new QFrame(this);
    m_shadow->setObjectName(QStringLiteral("ShadowPanel"));
    m_shadow->setGeometry(18, 18, 545, 350);
    setBackground(m_shadow, colour::black);
    m_shadow->setFocusPolicy(Qt::StrongFocus);

    auto* page = new QFrame(this);
    page->setObjectName(QStringLiteral("WhitePage"));
    page->setGeometry(12, 12, 545, 350);
    page->setFrameStyle(QFrame::Box | QFrame::Plain);
    setBackground(page, colour::white);

    auto* badge = new QLabel(page);
    badge->setObjectName(QStringLiteral("Image1"));
    badge->setGeometry(14, 14, 134, 88);
    badge->setPixmap(LoadArt(QStringLiteral("edition_badge.jpg")));
    badge->setAccessibleName(tr("Anniversary edition badge"));

    makeCell(page,
             textCell("ThanksHeading", QRect(164, 24, 360, 64), tr("Thank you for learning with Quenmark!"),
                      20, true, colour::textBlue, Qt::AlignCenter, true));

    addParagraphs(page);

    makeCell(page, textCell("Greeting", QRect(20, 272, 200, 18), tr("With our best wishes,"), 13));

    auto* signature = new QLabel(page);
    signature->setObjectName(QStringLiteral("Signature"));
    signature->setGeometry(20, 290, 170, 44);
    signature->setPixmap(LoadArt(QStringLiteral("goodbye_signature.png")));
    signature->setAccessibleName(tr("Signature of Marden Quill"));

    makeCell(page, textCell("MakerName", QRect(196, 300, 150, 34), tr("Marden Quill\nHarlowby"), 13, true,
                            colour::black, {}, true));

    auto* web = new QPushButton(page);
    web->setObjectName(QStringLiteral("BtnGotoWebsite"));
    web->setGeometry(380, 300, 147, 30);
    web->setAutoDefault(false);
    SetButtonPicture(web, tr("Go To Our Website"));
    web->setToolTip(tr("Click here to go to our website"));
    connect(web, &QPushButton::clicked, this, &Tgoodbye::BtnGotoWebsiteClick);

    CopyrightLabel = MakeNoticeLines(this, "CopyrightLabel", QRect(12, 376, 545, 18), 12, "SecondNoticeLabel",
                                     QRect(12, 394, 545, 18), 12, Qt::AlignCenter);

    auto* close = new QPushButton(tr("Close"), this);
    close->setObjectName(QStringLiteral("Button1"));
    close->setGeometry(476, 416, 85, 28);
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &Tgoodbye::Button1Click);
    MarkKeyboardFocus(this);
}

// The three paragraphs take the height of their own lines and share the room
// between the heading and the greeting out evenly: the same gap before each
// paragraph and before the greeting.
void Tgoodbye::addParagraphs(QFrame* page)
{
    const QString link = QStringLiteral("<a href=\"home\" style=\"color:#800000\">%1</a>").arg(MakerWebAddress());
    const QStringList paragraphs{
        tr("All of us at Harlowby thank you for taking the time to work through this tutorial. "
           "We hope it helps you pay down your cards sooner and keep more of your money."),
        tr("If Quenmark was useful to you, please tell your friends, family and co-workers about it, "
           "and send them to our web site at %1.")
            .arg(link),
        tr("You may copy Quenmark and share it with anyone, as long as all of its distributed "
           "files are included and nothing is changed."),
    };
    constexpr int kTop = 104;      // below the badge and the heading
    constexpr int kGreeting = 272; // where the greeting starts
    constexpr int kWidth = 505;
    QList<QLabel*> texts;
    int used = 0;
    for (int i = 0; i < paragraphs.size(); ++i) {
        auto* text = new QLabel(paragraphs[i], page);
        text->setObjectName(QStringLiteral("Paragraph%1").arg(i + 1));
        text->setWordWrap(true);
        text->setTextFormat(Qt::RichText);
        text->setFont(arialPx(13));
        if (i == 1) {
            text->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
            connect(text, &QLabel::linkActivated, this, [] { OpenWebPage(1); });
        }
        text->resize(kWidth, text->heightForWidth(kWidth));
        used += text->height();
        texts.append(text);
    }
    const int gaps = static_cast<int>(texts.size()) + 1;
    const int gap = qMax(4, (kGreeting - kTop - used) / gaps);
    // What the even gaps leave over goes above the first paragraph, under the badge.
    int y = kGreeting - gaps * gap - used + gap;
    for (QLabel* text : std::as_const(texts)) {
        text->move(20, y);
        y += text->height() + gap;
    }
}

Tgoodbye::~Tgoodbye()
{
    if (goodbye == this)
        goodbye = nullptr;
}

void Tgoodbye::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormActivate();
}

void Tgoodbye::keyPressEvent(QKeyEvent* event)
{
    if (isEnterKey(event) && pressFocusedButton(this)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void Tgoodbye::FormActivate()
{
    CopyrightLabel->setText(gstrCopyright);
    m_shadow->setFocus();
}

void Tgoodbye::Button1Click()
{
    accept();
}

void Tgoodbye::BtnGotoWebsiteClick()
{
    // Opens the site; the goodbye screen stays up.
    OpenWebPage(1);
}

} // namespace quenmark
