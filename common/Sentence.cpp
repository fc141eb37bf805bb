#include "common/Sentence.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPainter>
#include <QRegularExpression>

namespace quenmark {

namespace {

bool startsWithPunctuation(const QString& text)
{
    return !text.isEmpty() && QStringLiteral(".,;:").contains(text.front());
}

// `text` without its trailing blanks.
QString withoutTrailingBlanks(const QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == QLatin1Char(' '))
        --end;
    return text.left(end);
}

} // namespace

Sentence::Sentence(QWidget* parent, const QFont& words, const QFont& figures, const QColor& figureColour,
                   int lineGap, int pieceGap)
    : QWidget(parent), m_words(words), m_figures(figures), m_figureColour(figureColour), m_lineGap(lineGap),
      m_pieceGap(pieceGap)
{
    setFont(words);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void Sentence::addWords(const QString& words)
{
    m_pieces.append({words, nullptr, false});
    updateGeometry();
}

QLabel* Sentence::addFigure(const QString& objectName)
{
    auto* label = new QLabel(this);
    label->setObjectName(objectName);
    label->setTextFormat(Qt::PlainText);
    label->setFont(m_figures);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, m_figureColour);
    label->setPalette(pal);
    m_pieces.append({QString(), label, false});
    return label;
}

void Sentence::addBreak()
{
    m_pieces.append({QString(), nullptr, true});
}

void Sentence::setFigure(QLabel* figure, const QString& text)
{
    figure->setText(text);
    setAccessibleName(plainText());
    m_placed.clear();
    layOut(width(), true, &m_placed);
    updateGeometry();
    update();
}

QString Sentence::plainText() const
{
    QStringList parts;
    for (const Piece& p : m_pieces)
        if (!p.lineBreak)
            parts << (p.figure ? p.figure->text().trimmed() : p.words.trimmed());
    return parts.join(QLatin1Char(' '));
}

int Sentence::layOut(int width, bool apply, QList<PlacedWord>* placed) const
{
    const QFontMetrics wordMetrics(m_words);
    const QFontMetrics figureMetrics(m_figures);
    const int lineHeight = qMax(wordMetrics.height(), figureMetrics.height());
    int x = 0;
    int y = 0;
    bool lineEmpty = true;
    auto newLine = [&] {
        x = 0;
        y += lineHeight + m_lineGap;
        lineEmpty = true;
    };
    for (qsizetype i = 0; i < m_pieces.size(); ++i) {
        const Piece& piece = m_pieces[i];
        if (piece.lineBreak) {
            newLine();
            continue;
        }
        const Piece* next = i + 1 < m_pieces.size() ? &m_pieces[i + 1] : nullptr;
        if (!lineEmpty) {
            // Punctuation follows what stands before it without a gap.
            const QString& text = piece.figure ? piece.figure->text() : piece.words;
            if (!startsWithPunctuation(text))
                x += m_pieceGap;
        }
        if (piece.figure) {
            // A figure's own trailing blanks do not part it from the punctuation after it.
            QString shown = piece.figure->text();
            if (next && !next->figure && startsWithPunctuation(next->words))
                shown = withoutTrailingBlanks(shown);
            const int w = figureMetrics.horizontalAdvance(shown);
            if (!lineEmpty && x + w > width)
                newLine();
            if (apply)
                piece.figure->setGeometry(x, y, figureMetrics.horizontalAdvance(piece.figure->text()) + 1,
                                          lineHeight);
            x += w;
            lineEmpty = false;
            continue;
        }
        // Words wrap at blanks; a run of blanks after a word keeps its width.
        static const QRegularExpression kWord(QStringLiteral("(\\S+)(\\s*)"));
        const qsizetype leading = piece.words.size() - piece.words.trimmed().size() -
                                  (piece.words.size() - withoutTrailingBlanks(piece.words).size());
        x += wordMetrics.horizontalAdvance(QString(leading, QLatin1Char(' ')));
        for (auto it = kWord.globalMatch(piece.words); it.hasNext();) {
            const auto m = it.next();
            const QString word = m.captured(1);
            const int w = wordMetrics.horizontalAdvance(word);
            if (!lineEmpty && x + w > width)
                newLine();
            if (placed)
                placed->append({QPoint(x, y), word});
            x += w + wordMetrics.horizontalAdvance(m.captured(2));
            lineEmpty = false;
        }
        // Trailing blanks of the piece do not open a further gap.
        x -= wordMetrics.horizontalAdvance(piece.words.mid(withoutTrailingBlanks(piece.words).size()));
    }
    return y + lineHeight;
}

int Sentence::heightForWidth(int width) const
{
    return layOut(width, false, nullptr);
}

QSize Sentence::sizeHint() const
{
    const int w = width() > 0 ? width() : 400;
    return QSize(w, heightForWidth(w));
}

void Sentence::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_placed.clear();
    layOut(width(), true, &m_placed);
}

void Sentence::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setFont(m_words);
    p.setPen(palette().color(QPalette::WindowText));
    const QFontMetrics fm(m_words);
    for (const PlacedWord& word : std::as_const(m_placed))
        p.drawText(word.at + QPoint(0, fm.ascent()), word.text);
}

} // namespace quenmark
