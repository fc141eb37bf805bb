#include "shell/UpdateReminder.h"

#include "common/Layout.h"
#include "pictures/Pictures.h"
#include "common/WebStuff.h"

#include <QLabel>
#include <QPushButton>

namespace quenmark {

TStaleDate* StaleDate = nullptr;

TStaleDate::TStaleDate(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
{
    StaleDate = this;
    setObjectName(QStringLiteral("StaleDate"));
    setWindowTitle(tr("Quenmark"));
    setFixedSize(426, 214);
    setFont(arialPx(12, true));
    setBackground(this, colour::silver);

    CellSpec title;
    title.name = "TitleLabel";
    title.rect = QRect(8, 6, 410, 26);
    title.text = tr("Special Message From Harlowby");
    title.background = colour::textBlue;
    title.foreground = colour::white;
    title.fontPx = 17;
    title.bold = true;
    title.align = Qt::AlignCenter;
    makeCell(this, title);

    auto* box = new QFrame(this);
    box->setObjectName(QStringLiteral("Bevel1"));
    box->setGeometry(8, 38, 410, 134);
    box->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    box->setLineWidth(2);

    struct Line
    {
        const char* name;
        QRect rect;
        QString text;
        QColor colour;
        bool wrap;
    };
    const Line lines[] = {
        {"MessageLabel", QRect(14, 6, 380, 34),
         tr("This software is over a year old and has probably been updated.  Please visit our website at"),
         colour::black, true},
        {"AddressLabel", QRect(14, 40, 380, 18), MakerWebAddress(), colour::maroon, false},
        {"DownloadLabel", QRect(14, 58, 380, 18), tr("and download the latest copy of this software."),
         colour::black, false},
        {"GreetingLabel", QRect(14, 80, 300, 16), tr("Thank you,"), colour::black, false},
        {"PersonLabel", QRect(14, 96, 300, 16), tr("Tessa Varlow"), colour::black, false},
        {"MakerLabel", QRect(14, 112, 300, 16), QStringLiteral("Harlowby"), colour::black, false},
    };
    // A screen reader reads a dialog by its name and only the longer of its
    // loose labels: the whole message, web address included, is the name.
    QStringList message{title.text};
    for (const Line& line : lines) {
        makeCell(box, textCell(line.name, line.rect, line.text, 12, true, line.colour, {}, line.wrap));
        message << line.text;
    }
    setAccessibleName(windowTitle() + QStringLiteral(": ") + message.join(QLatin1Char(' ')));

    auto* icon = new QLabel(box);
    icon->setObjectName(QStringLiteral("Image1"));
    icon->setGeometry(360, 86, 32, 32);
    icon->setPixmap(LoadArt(QStringLiteral("stale_icon.png")));

    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("Button1"));
    ok->setGeometry(170, 180, 85, 26);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &TStaleDate::Button1Click);
}

TStaleDate::~TStaleDate()
{
    if (StaleDate == this)
        StaleDate = nullptr;
}

void TStaleDate::Button1Click()
{
    accept();
}

} // namespace quenmark
