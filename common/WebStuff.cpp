#include "common/WebStuff.h"

#include "common/Layout.h"
#include "common/Platform.h"

#include <QCoreApplication>

namespace quenmark {

QString gstrCopyright;
QString WebBase;
QString DownloadsPage;
QString BuyNowPage;

namespace {
const char* const kFirstWebBase = "http://192.0.2.44/";
const char* const kSecondWebBase = "https://www.owlhaven.example/";

// Module start-up: the texts exist before main() runs.
const bool g_initialised = [] {
    InitWebStuff();
    return true;
}();
} // namespace

QLabel* MakeNoticeLines(QWidget* parent, const char* noticeName, const QRect& first, int noticePx,
                        const char* secondName, const QRect& second, int secondPx, Qt::Alignment align)
{
    QLabel* notice = makeCell(
        parent, textCell(noticeName, first, QStringLiteral("gstrCopyright"), noticePx, true, colour::black, align));
    makeCell(parent, textCell(secondName, second, SecondNoticeLine(), secondPx, true, colour::black, align));
    return notice;
}

QString SecondNoticeLine()
{
    return QCoreApplication::translate("WebStuff", "Quenmark is a trademark of Harlowby.");
}

QString MakerWebAddress()
{
    return QStringLiteral("www.owlhaven.example");
}

QString NoticeEndYear(const QDate& today)
{
    const int year = today.isValid() ? today.year() : 2004;
    return QString::number(year < 2004 ? 2004 : year).rightJustified(4, QLatin1Char('0'));
}

QString CopyrightFor(const QDate& today)
{
    return QStringLiteral("Copyright") + QStringLiteral(" 1997-") + NoticeEndYear(today)
           + QStringLiteral(" Harlowby. All rights reserved.");
}

bool UseFirstWebBase(const QDate& today)
{
    return today.year() < 2004 && today.month() < 10;
}

QString WebBaseFor(const QDate& today)
{
    return QString::fromLatin1(UseFirstWebBase(today) ? kFirstWebBase : kSecondWebBase);
}

void InitWebStuff()
{
    const QDate today = platform().today();
    gstrCopyright = CopyrightFor(today);
    DownloadsPage = QStringLiteral("downloads.html");
    BuyNowPage = QStringLiteral("buynow.html");
    WebBase = WebBaseFor(today);
}

QString WebPageAddress(int kind)
{
    switch (kind) {
    case 1:
        return WebBase;
    case 2:
        return WebBase + DownloadsPage;
    case 3:
        return WebBase + BuyNowPage;
    default:
        return QString();
    }
}

void OpenWebPage(int kind)
{
    const QString address = WebPageAddress(kind);
    if (address.isEmpty())
        return;
    platform().openUrl(address);
}

} // namespace quenmark
