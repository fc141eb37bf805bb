// The stand-by screen covering the creation of a chapter window.
#pragma once

#include <QWidget>

class QLabel;

namespace quenmark {

class TPleaseStandBy : public QWidget
{
    Q_OBJECT
public:
    explicit TPleaseStandBy(QWidget* parent = nullptr);
    ~TPleaseStandBy() override;

    // Writes the chapter number into ChapterNumber and repaints it at once.
    void setChapterNumber(int chapter);
    QString chapterNumberText() const;

private:
    QLabel* ChapterNumber = nullptr;
};

extern TPleaseStandBy* PleaseStandBy;

} // namespace quenmark
