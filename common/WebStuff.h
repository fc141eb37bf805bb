// The notice text shown at the foot of every screen and the web site's pages.
#pragma once

#include <QDate>
#include <QRect>
#include <QString>

class QLabel;
class QWidget;

namespace quenmark {

// Built once at program start from today's date and never changed after.
extern QString gstrCopyright;  // "Copyright 1997-<year> Harlowby. All rights reserved."
extern QString WebBase;        // the site's base address, ending in "/"
extern QString DownloadsPage;  // "downloads.html"
extern QString BuyNowPage;     // "buynow.html"

// The fixed second notice line under gstrCopyright.
QString SecondNoticeLine();
// The notice label (gstrCopyright, filled by the screen's own create handler)
// at `first`, bold, and the second notice line under it at `second`. Returns
// the notice label.
QLabel* MakeNoticeLines(QWidget* parent, const char* noticeName, const QRect& first, int noticePx,
                        const char* secondName, const QRect& second, int secondPx, Qt::Alignment align);
// The maker's web address as shown on the update reminder.
QString MakerWebAddress();

// Today's year as four digits, but 2004 for any earlier year.
QString NoticeEndYear(const QDate& today);
// The notice text for a given date.
QString CopyrightFor(const QDate& today);
// True when the first (numeric) base address is to be used.
bool UseFirstWebBase(const QDate& today);
// The base address for a given date.
QString WebBaseFor(const QDate& today);

// Rebuilds the globals above from platform().today(). Runs by itself at program
// start; tests call it again after setting a fake date.
void InitWebStuff();

// The address OpenWebPage(kind) opens: 1 the home page, 2 the downloads page,
// 3 the buy-now page; any other kind gives the empty text.
QString WebPageAddress(int kind);
// Opens that address in the user's browser. The empty address opens nothing.
void OpenWebPage(int kind);

} // namespace quenmark
