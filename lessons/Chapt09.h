// Chapter 9, "A Computer Based Rapid Debt Program": the maker's debt program
// Owlhaven in three pages (overview, a tour of its main screen with eight
// hover zones, quotations), and two buttons that open the web pages to
// download a trial copy and to buy it.
#pragma once

#include "common/LessonFrame.h"

#include <QList>

class QPushButton;
class QStackedWidget;

namespace quenmark {

// An invisible area over a picture that acts when the pointer moves over it
// (or when the keyboard focus reaches it).
class HoverZone : public QWidget
{
    Q_OBJECT
public:
    explicit HoverZone(QWidget* parent);

signals:
    void pointed();

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

class TChapter_009 : public LessonFrame
{
    Q_OBJECT
public:
    explicit TChapter_009(QWidget* parent = nullptr);
    ~TChapter_009() override;

    static constexpr int kTotalPages = 3;
    static constexpr int kZoneCount = 8;

public slots:
    void ButtonDownloadClick();
    void ButtonBuyNowClick();
    // PaintBox1MouseMove .. PaintBox8MouseMove: description page `page` (1..8).
    void PaintBoxMouseMove(int page);
    // Shared by Panel1, Notebook1 and Notebook2: back to the general description.
    void Notebook1MouseMove();

protected:
    int pageTotal() const override { return kTotalPages; }
    void resetForOpening() override;
    void pageReached(int page, bool forward) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Controls
    {
        QWidget* panel1 = nullptr;
        QPushButton* download = nullptr;
        QPushButton* buyNow = nullptr;
        QStackedWidget* notebook2 = nullptr;
        QList<HoverZone*> zones; // PaintBox1..PaintBox8
    };

    // Chapt09Pages.cpp: the three pages, the pictures, the zones, the texts.
    Controls buildPages();

    Controls m_ui;
    QList<QWidget*> m_resetAreas; // Panel1, Notebook1, Notebook2 and their pages
};

} // namespace quenmark
