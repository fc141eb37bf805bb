#include "common/PageText.h"

#include <QCoreApplication>
#include <QLabel>
#include <QStackedWidget>

namespace quenmark {

QString Words::operator()(const char* text) const
{
    return QCoreApplication::translate(context, text);
}

PageText heading(const char* text, const QRect& rect, const QColor& colour, int px)
{
    return {.name = "Heading", .rect = rect, .text = text, .foreground = colour, .fontPx = px, .bold = true};
}

PageText prose(const char* name, const QRect& rect, const char* html, int px)
{
    return {.name = name,
            .rect = rect,
            .text = html,
            .fontPx = px,
            .align = Qt::AlignLeft | Qt::AlignTop,
            .wordWrap = true,
            .rich = true};
}

QLabel* addText(QWidget* parent, const Words& words, const PageText& spec)
{
    QLabel* label = makeCell(parent, {.name = spec.name,
                                      .rect = spec.rect,
                                      .text = words(spec.text),
                                      .background = spec.background,
                                      .foreground = spec.foreground,
                                      .fontPx = spec.fontPx,
                                      .bold = spec.bold,
                                      .align = spec.align,
                                      .kind = spec.kind,
                                      .wordWrap = spec.wordWrap});
    if (spec.rich)
        label->setTextFormat(Qt::RichText);
    return label;
}

void addTexts(QWidget* parent, const Words& words, std::span<const PageText> specs)
{
    for (const PageText& spec : specs)
        addText(parent, words, spec);
}

QLabel* makeProse(QWidget* parent, const char* name, const QRect& rect, const QString& html, int px)
{
    QLabel* label = makeCell(parent, {.name = name,
                                      .rect = rect,
                                      .text = html,
                                      .fontPx = px,
                                      .align = Qt::AlignLeft | Qt::AlignTop,
                                      .wordWrap = true});
    label->setTextFormat(Qt::RichText);
    return label;
}

QStackedWidget* makeTextBook(QWidget* parent, const char* name, const QRect& rect,
                             std::span<const char* const> texts, const Words& words, int px)
{
    auto* book = new QStackedWidget(parent);
    book->setObjectName(QString::fromLatin1(name));
    book->setGeometry(rect);
    for (const char* text : texts) {
        auto* page = new QWidget(book);
        page->setObjectName(QStringLiteral("TextPage%1").arg(book->count()));
        setBackground(page, colour::white);
        makeProse(page, "PageText", QRect(4, 2, rect.width() - 8, rect.height() - 4), words(text), px);
        book->addWidget(page);
    }
    return book;
}

} // namespace quenmark
