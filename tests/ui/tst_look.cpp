// The look of every page of every chapter (reached by Next): each cell and
// text lies inside the page area and inside its own panel, each text fits its
// label, and nothing a chapter adds covers or moves the frame (header, button
// row, notice line). A failure names the chapter, the page and the object.
#include "common/WebStuff.h"
#include "lessons/Chapters.h"
#include "FakePlatform.h"
#include "PageWalk.h"
#include "TestWidgets.h"

#include <QtTest>
#include <memory>

using namespace quenmark;

namespace {

// The page area inside the framed panel that holds Notebook1.
const QRect kPageArea(5, 5, 578, 325);

QStringList textFaults(const QLabel* label)
{
    QStringList faults;
    if (label->text().isEmpty())
        return faults;
    if (!label->wordWrap() && !test::isRichLabel(label)) {
        for (const QString& line : label->text().split(QLatin1Char('\n')))
            if (label->fontMetrics().horizontalAdvance(line) > label->contentsRect().width())
                faults.append(QStringLiteral("too narrow for '%1'").arg(line));
    }
    const int needed = test::neededHeight(label);
    if (needed > label->contentsRect().height())
        faults.append(QStringLiteral("too low: needs %1, has %2").arg(needed).arg(label->contentsRect().height()));
    return faults;
}

QString nameOf(const QWidget* w)
{
    return (w->objectName().isEmpty() ? QStringLiteral("(unnamed)") : w->objectName()) + QStringLiteral(" [")
           + QLatin1String(w->metaObject()->className()) + QLatin1Char(']');
}

// Faults of what the window shows now. `frame` holds the geometry of the bare
// frame's own widgets (the window's first direct children), in order.
QStringList lookFaults(LessonFrame* window, const QList<QRect>& frame)
{
    QStringList faults;
    auto* panel = window->findChild<QWidget*>(QStringLiteral("NotebookPanel"));
    if (!panel)
        return {QStringLiteral("no NotebookPanel")};
    // The page area, and Notebook1 where a chapter sizes it otherwise (chapter 9's is 581 wide).
    const QRect pageArea = kPageArea.united(window->notebook()->geometry());
    if (!panel->rect().adjusted(1, 1, -1, -1).contains(pageArea))
        faults.append(QStringLiteral("Notebook1 reaches the frame's edge"));
    for (QWidget* w : test::visibleWidgets(panel)) {
        const QRect inPanel(w->mapTo(panel, QPoint(0, 0)), w->size());
        if (!pageArea.contains(inPanel))
            faults.append(nameOf(w) + QStringLiteral(" leaves the page area"));
        else if (QWidget* parent = w->parentWidget(); parent != panel && !parent->rect().contains(w->geometry()))
            faults.append(nameOf(w) + QStringLiteral(" is cut off by ") + nameOf(parent));
        if (auto* label = qobject_cast<QLabel*>(w))
            for (const QString& fault : textFaults(label))
                faults.append(nameOf(w) + QLatin1Char(' ') + fault);
    }
    // The frame stays where it is and nothing the chapter adds lies over it.
    const QList<QWidget*> children = window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    QList<QRect> frameRects;
    for (int i = 0; i < children.size(); ++i) {
        QWidget* w = children[i];
        if (i < frame.size()) {
            if (w->geometry() != frame[i])
                faults.append(nameOf(w) + QStringLiteral(" of the frame has moved"));
            if (w->isVisible())
                frameRects.append(w->geometry());
        } else if (w->isVisible() && !w->isWindow()) {
            for (const QRect& r : std::as_const(frameRects))
                if (r.intersects(w->geometry()))
                    faults.append(nameOf(w) + QStringLiteral(" lies over the frame"));
        }
    }
    return faults;
}

// The geometry of the bare frame's widgets of `chapter`, in creation order.
QList<QRect> frameOf(int chapter)
{
    std::unique_ptr<LessonFrame> bare(new LessonFrame(chapterLook(chapter)));
    QList<QRect> rects;
    for (QWidget* w : bare->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        rects.append(w->geometry());
    return rects;
}

} // namespace

class TestLook : public QObject
{
    Q_OBJECT

    FakePlatform fake;

private slots:
    void initTestCase() { InitWebStuff(); }

    void pagesAreTidy_data()
    {
        QTest::addColumn<int>("chapter");
        for (int n = 1; n <= 9; ++n)
            QTest::addRow("chapter %d", n) << n;
    }
    void pagesAreTidy()
    {
        QFETCH(int, chapter);
        const QList<QRect> frame = frameOf(chapter);
        QVERIFY(frame.size() > 10);

        std::unique_ptr<LessonFrame> w(createChapterWindow(chapter, nullptr));
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        QStringList faults;
        const int pages = test::forEachPageByNext(w.get(), [&](int page) {
            for (const QString& fault : lookFaults(w.get(), frame))
                faults.append(QStringLiteral("chapter %1 page %2: %3").arg(chapter).arg(page).arg(fault));
            return true;
        });
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
        QCOMPARE(pages, test::shownTotal(w.get()));
    }

    // The check itself finds a text that does not fit, a cell off the page and
    // a widget over the button row.
    void checkFindsFaults()
    {
        const QList<QRect> frame = frameOf(3);
        std::unique_ptr<LessonFrame> w(createPlainChapter(3, nullptr));
        w->show();
        QWidget* page = w->notebook()->currentWidget();
        auto* narrow = new QLabel(QStringLiteral("A text far too long for its little label"), page);
        narrow->setObjectName(QStringLiteral("Narrow"));
        narrow->setGeometry(10, 10, 60, 16);
        narrow->show();
        auto* off = new QLabel(page);
        off->setObjectName(QStringLiteral("Off"));
        off->setGeometry(560, 300, 40, 40);
        off->show();
        auto* over = new QLabel(w.get());
        over->setObjectName(QStringLiteral("Over"));
        over->setGeometry(400, 380, 100, 20);
        over->show();
        const QString faults = lookFaults(w.get(), frame).join(QLatin1Char('\n'));
        QVERIFY2(faults.contains(QStringLiteral("Narrow [QLabel] too narrow")), qPrintable(faults));
        QVERIFY2(faults.contains(QStringLiteral("Off [QLabel] leaves the page area")), qPrintable(faults));
        QVERIFY2(faults.contains(QStringLiteral("Over [QLabel] lies over the frame")), qPrintable(faults));
    }
};

QTEST_MAIN(TestLook)
#include "tst_look.moc"
