// Words a screen reader speaks when something changes away from the keyboard
// focus: a calculation's summary when it ends, the page reached by a page
// turn, a read-out that follows the pointer, the quiz's verdict.
//
// Qt 6.4 has no live regions, so each window keeps one small status object
// (object name "Announcement", role notification, never drawn). announce()
// gives it the words and then sends what screen readers speak for such an
// object: its name changed, an alert, and the object shown anew (Orca speaks
// a notification that shows).
#pragma once

#include <QString>
#include <QWidget>

namespace quenmark {

class Announcement : public QWidget
{
    Q_OBJECT
public:
    explicit Announcement(QWidget* window);

    // What was said last.
    QString words() const { return m_words; }
    void say(const QString& words);

private:
    QString m_words;
};

// Installs the program's accessibility roles: the status object's, and a
// panel's for a plain QFrame inside a window (Qt calls it a "frame", which a
// screen reader takes for a window of its own: one that is never active, so
// the focus moving inside it goes unspoken). Calling it again is harmless.
void installAccessibleRoles();

// Says `words` through the status object of `from`'s window (made on first use).
void announce(QWidget* from, const QString& words);

// The status object of `window`, or null when nothing was said there yet.
Announcement* announcementOf(const QWidget* window);

// The words of the labels `area` shows now (itself included when it is one),
// top to bottom and left to right, as plain text in one line.
QString shownWords(const QWidget* area);

// The first sentence of `text` (plain or rich), at most about 200 characters:
// what a page turn reads after the page number.
QString firstSentence(const QString& text);

} // namespace quenmark
