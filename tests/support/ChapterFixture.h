// What every chapter test does with its window: find a control by name, click
// a button as a user would, turn to a page with Next and Back, type into a
// box. A test class derives from QObject and from ChapterFixture<TChapter_00N>
// and opens `w` in its init().
#pragma once

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>
#include <memory>

#include "FakePlatform.h"
#include "TestWidgets.h"
#include "TypedInput.h"

namespace quenmark::test {

template <typename Chapter> class ChapterFixture
{
protected:
    FakePlatform fake;
    std::unique_ptr<Chapter> w;

    // The control `name` of the window (warns when absent).
    template <typename T = QWidget> T* find(const QString& name) const
    {
        return child<T>(w.get(), qPrintable(name));
    }
    QString label(const QString& name) const { return find<QLabel>(name)->text(); }

    // Clicks the button `name` with the mouse, `times` times.
    void click(const QString& name, int times = 1)
    {
        auto* b = find<QAbstractButton>(name);
        QVERIFY(b);
        for (int i = 0; i < times; ++i)
            QTest::mouseClick(b, Qt::LeftButton);
    }
    // Turns to `page` (1-based) with Next or Back.
    void goToPage(int page)
    {
        while (w->currentPage() < page)
            click(QStringLiteral("BtnNext"));
        while (w->currentPage() > page)
            click(QStringLiteral("BtnBack"));
    }
    // Types into a box as a user would: focus, select all, type.
    void type(const QString& box, const QString& text) { typeInto(find<QLineEdit>(box), text); }
    // The calculator's three amounts, typed in.
    void enter(const QString& apr, const QString& balance, const QString& payment)
    {
        type(QStringLiteral("EditApr"), apr);
        type(QStringLiteral("EditBal"), balance);
        type(QStringLiteral("EditPmt"), payment);
    }
};

} // namespace quenmark::test
