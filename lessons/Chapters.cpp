#include "lessons/Chapters.h"

#include "common/LessonFrame.h"
#include "lessons/Chapt01.h"
#include "lessons/Chapt02.h"
#include "lessons/Chapt03.h"
#include "lessons/Chapt04.h"
#include "lessons/Chapt05.h"
#include "lessons/Chapt06.h"
#include "lessons/Chapt07.h"
#include "lessons/Chapt08.h"
#include "lessons/Chapt09.h"

namespace quenmark {

LessonFrame* createPlainChapter(int chapter, QWidget* parent)
{
    auto* window = new LessonFrame(chapterLook(chapter), parent);
    window->addPage(QStringLiteral("Page1"));
    return window;
}

LessonFrame* createChapterWindow(int chapter, QWidget* parent)
{
    switch (chapter) {
    case 1: return new TChapter_001(parent);
    case 2: return new TChapter_002(parent);
    case 3: return new TChapter_003(parent);
    case 4: return new TChapter_004(parent);
    case 5: return new TChapter_005(parent);
    case 6: return new TChapter_006(parent);
    case 7: return new TChapter_007(parent);
    case 8: return new TChapter_008(parent);
    case 9: return new TChapter_009(parent);
    default: return createPlainChapter(1, parent);
    }
}

} // namespace quenmark
