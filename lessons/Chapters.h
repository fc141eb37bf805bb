// Creates the window of one chapter for one visit.
#pragma once

class QWidget;

namespace quenmark {

class LessonFrame;

// A new chapter window (1 to 9; anything else gives chapter 1), owned by
// `parent`, caption "Chapter N". The caller shows it modally and releases it.
LessonFrame* createChapterWindow(int chapter, QWidget* parent);

// The frame with the chapter's header and title and one empty page; stands in
// for a chapter that has no window of its own yet.
LessonFrame* createPlainChapter(int chapter, QWidget* parent);

} // namespace quenmark
