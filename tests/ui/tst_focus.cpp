// Keyboard focus is drawn so that it cannot be taken for the default button:
// on every screen with buttons, a button the keyboard moved to looks different
// from the same button without the focus, and from the default "Next Page".
#include <QAbstractButton>
#include <QPushButton>
#include <QtTest>
#include <memory>

#include "FakePlatform.h"
#include "common/FocusMark.h"
#include "common/LessonFrame.h"
#include "lessons/Chapters.h"
#include "shell/ContentsScreen.h"
#include "shell/Goodbye.h"

using namespace quenmark;

namespace {

// Dark pixels on the rectangle `inset` pixels inside the picture's edge: where
// the focus frame of a push button is drawn (outside its words or picture).
int darkOnFrame(const QImage& image, int inset)
{
    const QImage img = image.convertToFormat(QImage::Format_RGB32);
    const int scale = qRound(image.devicePixelRatio());
    const QRect r = QRect(QPoint(0, 0), img.size() / scale).adjusted(inset, inset, -inset, -inset);
    int dark = 0;
    auto at = [&](int x, int y) { dark += qGray(img.pixel(x * scale, y * scale)) < 80; };
    for (int x = r.left(); x <= r.right(); ++x) {
        at(x, r.top());
        at(x, r.bottom());
    }
    for (int y = r.top() + 1; y < r.bottom(); ++y) {
        at(r.left(), y);
        at(r.right(), y);
    }
    return dark;
}

// Pixels that differ between two pictures of the same size.
int changedPixels(const QImage& a, const QImage& b)
{
    const QImage x = a.convertToFormat(QImage::Format_RGB32), y = b.convertToFormat(QImage::Format_RGB32);
    if (x.size() != y.size())
        return x.width() * x.height();
    int changed = 0;
    for (int j = 0; j < x.height(); ++j)
        for (int i = 0; i < x.width(); ++i)
            changed += x.pixel(i, j) != y.pixel(i, j);
    return changed;
}

QImage look(QAbstractButton* b)
{
    return b->grab().toImage();
}

} // namespace

class TestFocus : public QObject
{
    Q_OBJECT
    FakePlatform fake;

    // Tabs to `button` (the way the keyboard gets there) and returns its picture.
    static QImage focusedByKeyboard(QAbstractButton* button)
    {
        QWidget* window = button->window();
        window->activateWindow();
        [&] { QVERIFY(QTest::qWaitForWindowActive(window)); }();
        for (int presses = 0; presses < 60 && QApplication::focusWidget() != button; ++presses)
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : window, Qt::Key_Tab);
        [&] { QVERIFY(ShowsKeyboardFocus(button)); }();
        return look(button);
    }

private slots:
    void chapterButtons_data()
    {
        QTest::addColumn<int>("chapter");
        QTest::addColumn<QString>("button");
        for (int chapter = 1; chapter <= 9; ++chapter)
            QTest::addRow("chapter %d Quit", chapter) << chapter << "BtnQuit";
        QTest::newRow("chapter 2 Calculate") << 2 << "BtnGoFigure";
        QTest::newRow("chapter 1 spin button") << 1 << "SpinButton_YearsUp";
    }
    // The focused button shows a dotted frame that neither the unfocused
    // button nor the default "Next Page" has.
    void chapterButtons()
    {
        QFETCH(int, chapter);
        QFETCH(QString, button);
        std::unique_ptr<LessonFrame> w(createChapterWindow(chapter, nullptr));
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        auto* next = w->findChild<QAbstractButton*>(QStringLiteral("BtnNext"));
        auto* target = w->findChild<QAbstractButton*>(button);
        QVERIFY(next && target);
        // Reach the page that holds the button.
        while (!target->isVisible() && next->isVisible())
            next->click();
        QVERIFY(target->isVisible());
        const int inset = qMin(target->width(), target->height()) >= 20 ? 3 : 2;
        const QImage plain = look(target);
        const QImage focused = focusedByKeyboard(target);
        QVERIFY(focused != plain);
        const int frame = darkOnFrame(focused, inset);
        QVERIFY2(frame >= (target->width() + target->height()) / 3, qPrintable(QString::number(frame)));
        QCOMPARE(darkOnFrame(plain, inset), 0);
        if (next->isVisible()) {
            QVERIFY(qobject_cast<QPushButton*>(next)->isDefault());
            QCOMPARE(darkOnFrame(look(next), inset), 0);
        }
    }

    void shellButtons_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QString>("button");
        QTest::newRow("contents Quit") << "contents"
                                       << "BtnQuit";
        QTest::newRow("contents My Cards") << "contents"
                                           << "BtnMyCards";
        QTest::newRow("contents chapter band") << "contents"
                                               << "SBtn01";
        QTest::newRow("goodbye Close") << "goodbye"
                                       << "Button1";
        QTest::newRow("goodbye website") << "goodbye"
                                         << "BtnGotoWebsite";
    }
    void shellButtons()
    {
        QFETCH(QString, screen);
        QFETCH(QString, button);
        std::unique_ptr<QWidget> w;
        if (screen == QLatin1String("contents"))
            w = std::make_unique<TChapter_000>();
        else
            w = std::make_unique<Tgoodbye>();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        auto* target = w->findChild<QAbstractButton*>(button);
        QVERIFY(target);
        target->clearFocus();
        const QImage plain = look(target);
        const QImage focused = focusedByKeyboard(target);
        // A frame around the words: at least a line's worth of pixels changed.
        const int changed = changedPixels(plain, focused);
        QVERIFY2(changed >= target->width() / 2, qPrintable(QString::number(changed)));
    }
};

QTEST_MAIN(TestFocus)
#include "tst_focus.moc"
