// A sentence of fixed words with figures that change: the words wrap within
// the widget's width, and every figure stands in the line where it belongs,
// followed directly by the punctuation after it ("... an additional $1,368.14.
// When you ..."). The words are drawn by the widget; each figure is a label of
// its own (named, read by a screen reader with its current text).
#pragma once

#include <QFont>
#include <QList>
#include <QString>
#include <QWidget>

class QLabel;

namespace quenmark {

class Sentence : public QWidget
{
    Q_OBJECT
public:
    // Words in `words`, figures in `figures` and `figureColour`; `lineGap`
    // pixels between lines; `pieceGap` pixels between a piece and the next.
    Sentence(QWidget* parent, const QFont& words, const QFont& figures, const QColor& figureColour,
             int lineGap, int pieceGap = 4);

    void addWords(const QString& words);
    // A figure label named `objectName`, empty until setFigure().
    QLabel* addFigure(const QString& objectName);
    // The next piece starts a new line.
    void addBreak();

    // Shows `text` in `figure` and lays the sentence out again.
    void setFigure(QLabel* figure, const QString& text);

    // The words and figures as one line of text, as they read.
    QString plainText() const;

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Piece
    {
        QString words; // fixed words (empty for a figure or a break)
        QLabel* figure = nullptr;
        bool lineBreak = false;
    };
    struct PlacedWord
    {
        QPoint at; // top left
        QString text;
    };

    // Lays the pieces out at `width`: the words' places, the figures' places
    // (moved when `apply`); returns the height taken.
    int layOut(int width, bool apply, QList<PlacedWord>* placed) const;

    QFont m_words;
    QFont m_figures;
    QColor m_figureColour;
    int m_lineGap;
    int m_pieceGap;
    QList<Piece> m_pieces;
    QList<PlacedWord> m_placed;
};

} // namespace quenmark
