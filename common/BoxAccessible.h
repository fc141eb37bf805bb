// What a screen reader is told of a one-line box (a QLineEdit): Qt's own
// account gives every character a text-attribute run of its own and of no
// length (from offset to offset), and a screen reader that joins the runs to
// find the line then drops the line's last character ("2100.0" for 2100.00).
// This account is Qt's, with the box's whole text as one run.
#pragma once

class QLineEdit;

namespace quenmark {

// Gives `box` the account above (before anything asks for its accessibility).
void tellWholeLine(QLineEdit* box);

} // namespace quenmark
