#include "shell/Standby.h"

#include "common/Layout.h"
#include "pictures/Pictures.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

namespace quenmark {

TPleaseStandBy* PleaseStandBy = nullptr;

namespace {
const QColor kDarkTeal(0, 64, 64); // the stand-by screen's band
}

TPleaseStandBy::TPleaseStandBy(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    PleaseStandBy = this;
    setObjectName(QStringLiteral("PleaseStandBy"));
    setWindowTitle(tr("Loading Chapter"));
    setFixedSize(361, 119);
    setBackground(this, kDarkTeal);

    // A white single-line frame around the panel.
    CellSpec frame;
    frame.rect = QRect(4, 4, 353, 111);
    frame.kind = CellKind::Panel;
    frame.foreground = colour::white;
    QLabel* border = makeCell(this, frame);
    border->setAttribute(Qt::WA_TransparentForMouseEvents);

    CellSpec loading;
    loading.name = "LoadingLabel";
    loading.rect = QRect(22, 14, 236, 40);
    loading.text = tr("Loading Chapter");
    loading.foreground = colour::white;
    loading.fontPx = 27;
    loading.bold = true;
    makeCell(this, loading);

    CellSpec number = loading;
    number.name = "ChapterNumber";
    number.rect = QRect(264, 14, 70, 40);
    number.text = QStringLiteral("1");
    ChapterNumber = makeCell(this, number);

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("StandByIcon"));
    icon->setGeometry(22, 66, 32, 32);
    icon->setPixmap(LoadArt(QStringLiteral("standby_icon.png")));

    CellSpec wait = loading;
    wait.name = "PleaseStandByLabel";
    wait.rect = QRect(62, 62, 290, 40);
    wait.text = tr("Please stand by...");
    makeCell(this, wait);

    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

TPleaseStandBy::~TPleaseStandBy()
{
    if (PleaseStandBy == this)
        PleaseStandBy = nullptr;
}

void TPleaseStandBy::setChapterNumber(int chapter)
{
    ChapterNumber->setText(QString::number(chapter));
    ChapterNumber->setAccessibleName(ChapterNumber->text());
    ChapterNumber->repaint();
}

QString TPleaseStandBy::chapterNumberText() const
{
    return ChapterNumber->text();
}

} // namespace quenmark
