// Where the keyboard is, drawn so it is never taken for the default button:
// a push or tool button that has the focus after keyboard navigation (Tab, a
// shortcut) gets a dotted black frame inside its border, over the style's own
// look. The default button keeps only its tinted border, so "Next Page" as the
// default and a focused "Quit" look different. Picture buttons draw their own
// dotted frame (pictures/PictureButton).
#pragma once

class QAbstractButton;
class QWidget;

namespace quenmark {

// Marks every push and tool button below `window` (calling it again is harmless).
void MarkKeyboardFocus(QWidget* window);

// True when `button` shows the keyboard focus now.
bool ShowsKeyboardFocus(const QAbstractButton* button);

} // namespace quenmark
