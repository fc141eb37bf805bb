// The vocabulary a chapter's pages are written in: its fixed texts as tables
// of PageText rows with designated initialisers, made in one go and translated
// in the chapter's context, with the shapes most pages share (a heading, a
// paragraph of prose) and a notebook of prose pages.
//
//   const PageText kOverview[] = {
//       heading(QT_TRANSLATE_NOOP("quenmark::TChapter_005", "Chapter Overview:")),
//       prose("OverviewText", {14, 44, 550, 40}, QT_TRANSLATE_NOOP("quenmark::TChapter_005", "In this ...")),
//       {.name = "Note", .rect = {14, 90, 550, 20}, .text = QT_TRANSLATE_NOOP(...), .fontPx = 12, .bold =
//       true},
//   };
//   addTexts(page, kWords, kOverview);
//
// Texts worked out at run time (figures, words with arguments) are CellSpec
// rows (common/Layout.h); rich text made at run time goes through makeProse().
#pragma once

#include <QColor>
#include <QRect>
#include <QString>
#include <span>

#include "common/Layout.h"

class QLabel;
class QStackedWidget;
class QWidget;

namespace quenmark {

// The words of a chapter's pages, translated in the chapter's context. A pages
// file keeps one: `constexpr Words kWords{"quenmark::TChapter_005"};`, then
// kWords(QT_TRANSLATE_NOOP("quenmark::TChapter_005", "...")); members use tr().
struct Words
{
    const char* context;
    QString operator()(const char* text) const;
};

// One fixed text of a page.
struct PageText
{
    const char* name = ""; // object name; may be empty
    QRect rect = {};
    const char* text = "";  // source words, translated in the page's context when made
    QColor background = {}; // invalid: none
    QColor foreground = colour::black;
    int fontPx = 13;
    bool bold = false;
    Qt::Alignment align = {}; // empty: the kind's own (labels left, panels centred)
    CellKind kind = CellKind::Label;
    bool wordWrap = false;
    bool rich = false; // Qt rich text (prose with markup); otherwise plain text, blanks kept
};

// Where most pages put their heading.
inline constexpr QRect kHeadingRect{14, 8, 550, 26};

// A page heading "Heading": bold, one line, in `colour`.
PageText heading(const char* text, const QRect& rect = kHeadingRect, const QColor& colour = colour::textBlue,
                 int px = 18);

// A paragraph of rich text in black, wrapped, from the top left of `rect`.
PageText prose(const char* name, const QRect& rect, const char* html, int px = 13);

// Makes one text on `parent`, its words translated by `words`.
QLabel* addText(QWidget* parent, const Words& words, const PageText& spec);
// Makes every text of a table, in order.
void addTexts(QWidget* parent, const Words& words, std::span<const PageText> specs);

// Rich text made at run time, in black Arial `px`, wrapped, from the top left of `rect`.
QLabel* makeProse(QWidget* parent, const char* name, const QRect& rect, const QString& html, int px = 13);

// A notebook at `rect` with one white page per text ("TextPage0", "TextPage1"
// ...), each holding its text (translated by `words`) as the prose "PageText".
QStackedWidget* makeTextBook(QWidget* parent, const char* name, const QRect& rect,
                             std::span<const char* const> texts, const Words& words, int px);

} // namespace quenmark
