// The editors of real cards' plans, driven by object name: the changes over
// time (refusals beside the box, add/replace/remove, undo and redo through a
// stack), the minimum payment rule (its one-line text read back; as a table
// cell's editor committing on Enter, Tab and leaving, Escape cancelling), the
// start month, and "debt-free by" (the least pledge, not needed, impossible).
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTableView>
#include <QUndoStack>
#include <QVBoxLayout>
#include <QtTest>

#include "FakePlatform.h"
#include "TestWidgets.h"
#include "TypedInput.h"
#include "planner/ChangesEditor.h"
#include "planner/DebtFreeByPanel.h"
#include "planner/MinimumRuleEditor.h"
#include "planner/PlanMonthField.h"
#include "planner/StartMonthPicker.h"

Q_DECLARE_METATYPE(quenmark::PlanBudget)

using namespace quenmark;
using quenmark::test::child;
using quenmark::test::typeInto;

namespace {

// Chapter 8's five sample cards.
std::vector<PlanCard> SampleCards()
{
    return {PlanCard::FromDollars(19.8, 1543.68, 32), PlanCard::FromDollars(17.9, 2100.00, 53),
            PlanCard::FromDollars(12.9, 1784.32, 37), PlanCard::FromDollars(19.8, 832.91, 17),
            PlanCard::FromDollars(21.0, 765.72, 19)};
}

// The editor open in `view` (an editor closed earlier may not be deleted yet).
MinimumRuleEditor* OpenEditor(QTableView* view)
{
    for (MinimumRuleEditor* e : view->findChildren<MinimumRuleEditor*>())
        if (e->isVisible())
            return e;
    return nullptr;
}

} // namespace

class EditorsTests : public QObject
{
    Q_OBJECT

    FakePlatform fake;

    // The form of a changes editor, filled and sent with a button.
    struct Form
    {
        ChangesEditor* e;
        void fill(int kind, int month, const QString& amount) const
        {
            child<QComboBox>(e, "ChangeKindBox")->setCurrentIndex(kind);
            child<PlanMonthField>(e, "ChangeMonth")->setMonth(month);
            typeInto(child<QLineEdit>(e, "ChangeAmountEdit"), amount);
        }
        void click(const char* button) const { QTest::mouseClick(child<QPushButton>(e, button), Qt::LeftButton); }
        void select(int row) const
        {
            auto* table = child<QTableView>(e, "ChangesTable");
            table->setCurrentIndex(table->model()->index(row, 0));
            table->selectRow(row);
        }
        QString refusal() const
        {
            auto* l = child<QLabel>(e, "ChangeRefusal");
            return l->isVisible() ? l->text() : QString();
        }
    };

private slots:
    void init() { fake.clear(); }

    // ---- changes over time -------------------------------------------------------------

    // What cannot be read is refused beside the box in words saying what is
    // accepted; nothing changes, nothing is told, nothing goes onto the stack.
    void changesRefused_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("month");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("letters") << 0 << 13 << "abc" << "Not an amount: type it as 1,234.56, 1234.56 or $1,234.56.";
        QTest::newRow("negative") << 0 << 13 << "-500" << "An amount cannot be negative.";
        QTest::newRow("European") << 1 << 4 << "1.234,56" << "Not an amount: type it as 1,234.56, 1234.56 or $1,234.56.";
        QTest::newRow("empty") << 0 << 13 << "" << "Type an amount, such as 1,234.56.";
        QTest::newRow("exponent") << 1 << 4 << "1e5" << "Not an amount: type it as 1,234.56, 1234.56 or $1,234.56.";
        QTest::newRow("nan") << 1 << 4 << "nan" << "Not an amount: type it as 1,234.56, 1234.56 or $1,234.56.";
        QTest::newRow("half a cent") << 0 << 2 << "1.005" << "An amount has at most two decimals (the cents).";
        QTest::newRow("too large") << 0 << 2 << "1000000000000" << "The largest amount is $999,999,999,999.99.";
        QTest::newRow("a thousand digits") << 0 << 2 << QString(1000, '9') << "The largest amount is $999,999,999,999.99.";
        QTest::newRow("unicode digits") << 0 << 2 << QString::fromUtf8("١٢٣") << "Not an amount: type it as 1,234.56, 1234.56 or $1,234.56.";
        QTest::newRow("one-off of nothing") << 1 << 4 << "0" << "A one-off sum of $0.00 adds nothing: type the sum to add.";
        QTest::newRow("a second pledge change in a month") << 0 << 25 << "10"
                                                           << "Month 25 already has a pledge change: select it to replace or remove it.";
        QTest::newRow("a second one-off in a month") << 1 << 7 << "10"
                                                     << "Month 7 already has a one-off sum: select it to replace or remove it.";
    }
    void changesRefused()
    {
        QFETCH(int, kind);
        QFETCH(int, month);
        QFETCH(QString, amount);
        QFETCH(QString, refusal);
        ChangesEditor editor;
        QUndoStack stack;
        editor.setUndoStack(&stack);
        const PlanChanges before{{{25, 5000}}, {{7, 100000}}};
        editor.setValue(before);
        editor.show();
        QSignalSpy told(&editor, &ChangesEditor::changesChanged);
        const Form form{&editor};
        form.fill(kind, month, amount);
        form.click("BtnAddChange");
        QCOMPARE(form.refusal(), refusal);
        QCOMPARE(editor.refusal(), refusal);
        QCOMPARE(editor.value(), before);
        QCOMPARE(told.size(), 0);
        QCOMPARE(stack.count(), 0);
        // Typing again takes the refusal away.
        child<QLineEdit>(&editor, "ChangeAmountEdit")->selectAll();
        QTest::keyClick(child<QLineEdit>(&editor, "ChangeAmountEdit"), Qt::Key_1);
        QCOMPARE(form.refusal(), QString());
    }

    // Adding, replacing and removing, each one undo step: undo walks back
    // through every value and redo forward again; the window is told each time.
    void changesUndo()
    {
        ChangesEditor editor;
        QUndoStack stack;
        editor.setUndoStack(&stack);
        editor.setStartMonth({2026, 7});
        editor.show();
        QSignalSpy told(&editor, &ChangesEditor::changesChanged);
        const Form form{&editor};
        QList<PlanChanges> history{editor.value()};
        auto step = [&](const PlanChanges& expected) {
            QCOMPARE(editor.value(), expected);
            QCOMPARE(form.refusal(), QString());
            QCOMPARE(told.size(), static_cast<qsizetype>(history.size()));
            QCOMPARE(told.last().at(0).value<PlanChanges>(), expected);
            history.append(expected);
        };
        form.fill(0, 13, "50");
        form.click("BtnAddChange");
        step({{{13, 5000}}, {}});
        form.fill(1, 4, "$1,000.00");
        QTest::keyClick(child<QLineEdit>(&editor, "ChangeAmountEdit"), Qt::Key_Return); // Enter adds
        step({{{13, 5000}}, {{4, 100000}}});
        // In month order, each shown as a calendar month too.
        QCOMPARE(editor.model()->index(0, ChangesModel::Date).data().toString(), QStringLiteral("Oct 2026"));
        QCOMPARE(editor.model()->index(1, ChangesModel::Date).data().toString(), QStringLiteral("Jul 2027"));
        QCOMPARE(editor.model()->index(1, ChangesModel::Amount).data().toString(), QStringLiteral("$50.00"));
        form.select(1); // the pledge change fills the form
        QCOMPARE(child<QLineEdit>(&editor, "ChangeAmountEdit")->text(), QStringLiteral("50.00"));
        QCOMPARE(child<PlanMonthField>(&editor, "ChangeMonth")->month(), 13);
        form.fill(0, 12, "75.5");
        form.click("BtnReplaceChange");
        step({{{12, 7550}}, {{4, 100000}}});
        form.select(0);
        QTest::keyClick(child<QTableView>(&editor, "ChangesTable"), Qt::Key_Delete);
        step({{{12, 7550}}, {}});
        form.select(0);
        form.click("BtnRemoveChange");
        step({});
        QCOMPARE(stack.count(), 5);
        QCOMPARE(stack.text(0), QStringLiteral("Add a pledge change"));
        QCOMPARE(stack.text(2), QStringLiteral("Change a pledge change"));
        for (int i = history.size() - 2; i >= 0; --i) {
            stack.undo();
            QCOMPARE(editor.value(), history[i]);
            QCOMPARE(told.last().at(0).value<PlanChanges>(), history[i]);
        }
        for (int i = 1; i < history.size(); ++i) {
            stack.redo();
            QCOMPARE(editor.value(), history[i]);
        }
        // Without a stack the changes are made at once.
        ChangesEditor alone;
        alone.show();
        const Form other{&alone};
        other.fill(1, 1200, "0.01");
        other.click("BtnAddChange");
        QCOMPARE(alone.value(), (PlanChanges{{}, {{1200, 1}}}));
    }

    // A month is typed as a number or chosen as a calendar month; either
    // follows the other, counted from the start month.
    void monthField_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QDate>("calendar");
        QTest::newRow("month 1") << 1 << QDate(2026, 7, 1);
        QTest::newRow("month 13") << 13 << QDate(2027, 7, 1);
        QTest::newRow("month 1200") << 1200 << QDate(2126, 6, 1);
    }
    void monthField()
    {
        QFETCH(int, number);
        QFETCH(QDate, calendar);
        PlanMonthField field(QStringLiteral("Month of the change"));
        field.setStartMonth({2026, 7});
        QSignalSpy moved(&field, &PlanMonthField::monthChanged);
        field.setMonth(number);
        QCOMPARE(field.calendarBox()->date(), calendar);
        field.setMonth(number == 1 ? 2 : 1);
        field.calendarBox()->setDate(calendar.addDays(14)); // any day of the month
        QCOMPARE(field.month(), number);
        QCOMPARE(field.calendarBox()->date(), calendar);
        QCOMPARE(moved.last().at(0).toInt(), number);
        QCOMPARE(field.numberBox()->accessibleName(), QStringLiteral("Month of the change, month number"));
        QCOMPARE(field.calendarBox()->accessibleName(), QStringLiteral("Month of the change, calendar month"));
        // A new start month keeps the month number.
        field.setStartMonth({2030, 1});
        QCOMPARE(field.month(), number);
        QCOMPARE(ToCalendarMonth(field.calendarBox()->date()), PlanCalendarMonth({2030, 1}, number));
    }

    // ---- the minimum payment rule ------------------------------------------------------

    void ruleText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("read");
        QTest::addColumn<MinimumRule>("rule");
        QTest::addColumn<QString>("written"); // MinimumRuleText of the rule read
        QTest::newRow("fixed") << "Fixed payment" << true << MinimumRule{} << "Fixed payment";
        QTest::newRow("empty") << "" << true << MinimumRule{} << "Fixed payment";
        QTest::newRow("2 % or $20") << "2 % or $20" << true << MinimumRule{true, 200, 2000, false} << "2 % or $20.00";
        QTest::newRow("1 % plus interest or $25") << "1 % plus interest or $25.00" << true
                                                  << MinimumRule{true, 100, 2500, true} << "1 % plus interest or $25.00";
        QTest::newRow("terse") << "1.5%+interest OR 1,025" << true << MinimumRule{true, 150, 102500, true}
                               << "1.5 % plus interest or $1,025.00";
        QTest::newRow("percent only") << "3%" << true << MinimumRule{true, 300, 0, false} << "3 %";
        QTest::newRow("floor only") << "0 % or $25" << true << MinimumRule{true, 0, 2500, false} << "0 % or $25.00";
        QTest::newRow("letters") << "two percent" << false << MinimumRule{} << "";
        QTest::newRow("no floor after or") << "2 % or" << false << MinimumRule{} << "";
        QTest::newRow("two ors") << "2 % or $5 or $6" << false << MinimumRule{} << "";
        QTest::newRow("negative") << "-1 %" << false << MinimumRule{} << "";
        QTest::newRow("above 100") << "101 %" << false << MinimumRule{} << "";
        QTest::newRow("negative floor") << "2 % or $-5" << false << MinimumRule{} << "";
        QTest::newRow("only interest") << "plus interest" << false << MinimumRule{} << "";
        QTest::newRow("10,000 characters") << QString(10000, '1') << false << MinimumRule{} << "";
    }
    void ruleText()
    {
        QFETCH(QString, text);
        QFETCH(bool, read);
        QFETCH(MinimumRule, rule);
        QFETCH(QString, written);
        MinimumRule got{true, 1, 1, true};
        QString why;
        QCOMPARE(ParseMinimumRule(text, got, &why), read);
        QCOMPARE(why.isEmpty(), read);
        if (!read) {
            QCOMPARE(got, (MinimumRule{true, 1, 1, true})); // untouched
            return;
        }
        QCOMPARE(got, rule);
        QCOMPARE(MinimumRuleText(got), written);
    }

    // Every rule's text reads back as that rule.
    void ruleTextRoundTrip()
    {
        QRandomGenerator random(18);
        for (int i = 0; i < 5000; ++i) {
            MinimumRule rule;
            rule.has = i > 0;
            if (rule.has) {
                rule.percent = static_cast<std::int32_t>(random.bounded(10001));
                rule.floor = i % 7 == 0 ? kLargestCents : static_cast<std::int64_t>(random.bounded(quint64{1} << random.bounded(1, 47)));
                rule.plusInterest = random.bounded(2) == 1;
            }
            MinimumRule back;
            QString why;
            QVERIFY2(ParseMinimumRule(MinimumRuleText(rule), back, &why), qPrintable(MinimumRuleText(rule) + ": " + why));
            QCOMPARE(back, rule);
            PlanCard card;
            rule.applyTo(card);
            QCOMPARE(MinimumRule::of(card), rule);
            StoredCard stored;
            rule.applyTo(stored);
            QCOMPARE(MinimumRule::of(stored), rule);
        }
    }

    // As a table cell's editor: Enter and Tab commit, leaving commits what can
    // be read (and refuses, keeping the old rule, what cannot), Escape cancels;
    // a refusal keeps the editor open with the reason beside the boxes.
    void ruleInTable_data()
    {
        QTest::addColumn<QString>("percent");
        QTest::addColumn<QString>("floor");
        QTest::addColumn<QString>("how"); // Enter, Tab, Escape, Leave
        QTest::addColumn<MinimumRule>("stored");
        QTest::addColumn<bool>("open");   // the editor stays open
        QTest::addColumn<QString>("refusal");
        const MinimumRule old{true, 200, 2000, false};
        const MinimumRule typed{true, 150, 2500, true};
        QTest::newRow("Enter") << "1.5" << "25" << "Enter" << typed << false << "";
        QTest::newRow("Tab") << "1.5" << "25" << "Tab" << typed << false << "";
        QTest::newRow("leave") << "1.5" << "25" << "Leave" << typed << false << "";
        QTest::newRow("Escape") << "1.5" << "25" << "Escape" << old << false << "";
        QTest::newRow("Enter refused") << "1.5" << "abc" << "Enter" << old << true
                                       << "At least: Not an amount: type it as 1,234.56, 1234.56 or $1,234.56.";
        QTest::newRow("Tab refused") << "101" << "25" << "Tab" << old << true
                                     << "Percent: The highest percentage is 100.";
        QTest::newRow("both empty") << "" << "" << "Enter" << old << true
                                    << "Type the minimum's percentage of the balance, its least amount, or both.";
        QTest::newRow("leave refused") << "-2" << "25" << "Leave" << old << false << "";
        QTest::newRow("one empty counts as 0") << "" << "25" << "Enter" << MinimumRule{true, 0, 2500, true} << false << "";
    }
    void ruleInTable()
    {
        QFETCH(QString, percent);
        QFETCH(QString, floor);
        QFETCH(QString, how);
        QFETCH(MinimumRule, stored);
        QFETCH(bool, open);
        QFETCH(QString, refusal);
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        QStandardItemModel model(2, 2);
        model.setData(model.index(0, 0), QStringLiteral("Visa"));
        model.setData(model.index(0, 1), QVariant::fromValue(MinimumRule{true, 200, 2000, false}));
        model.setData(model.index(1, 1), QStringLiteral("1 % plus interest or $25")); // text is read too
        auto* view = new QTableView(&window);
        MinimumRuleDelegate delegate;
        view->setItemDelegateForColumn(1, &delegate);
        view->setModel(&model);
        view->setColumnWidth(1, 300);
        auto* other = new QLineEdit(&window);
        layout->addWidget(view);
        layout->addWidget(other);
        window.resize(700, 400);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QCOMPARE(delegate.displayText(model.index(0, 1).data(), QLocale()), QStringLiteral("2 % or $20.00"));
        QSignalSpy refused(&delegate, &MinimumRuleDelegate::refused);

        view->setCurrentIndex(model.index(0, 1));
        view->edit(model.index(0, 1));
        QPointer<MinimumRuleEditor> editor = OpenEditor(view);
        QVERIFY(editor);
        QCOMPARE(editor->accessibleName(), QStringLiteral("Visa, payment rule"));
        QCOMPARE(child<QLineEdit>(editor, "RulePercentEdit")->text(), QStringLiteral("2"));
        QCOMPARE(child<QLineEdit>(editor, "RuleFloorEdit")->text(), QStringLiteral("20.00"));
        child<QCheckBox>(editor, "RulePlusInterest")->setChecked(true);
        typeInto(child<QLineEdit>(editor, "RulePercentEdit"), percent);
        typeInto(child<QLineEdit>(editor, "RuleFloorEdit"), floor);
        QWidget* focus = QApplication::focusWidget();
        if (how == "Enter")
            QTest::keyClick(focus, Qt::Key_Return);
        else if (how == "Tab")
            QTest::keyClick(focus, Qt::Key_Tab);
        else if (how == "Escape")
            QTest::keyClick(focus, Qt::Key_Escape);
        else
            other->setFocus(Qt::MouseFocusReason);
        QCOMPARE(model.index(0, 1).data(Qt::EditRole).value<MinimumRule>(), stored);
        if (open) {
            QVERIFY(editor && editor->isVisible());
            QCOMPARE(editor->refusal(), refusal);
            QCOMPARE(child<QLabel>(editor, "RuleRefusal")->text(), refusal);
            return;
        }
        QTRY_VERIFY(!editor || !editor->isVisible());
        const MinimumRule old{true, 200, 2000, false};
        QCOMPARE(refused.size(), how == "Leave" && stored == old ? 1 : 0);
        if (how == "Tab") {
            // On to the next cell, editing it.
            QCOMPARE(view->currentIndex(), model.index(1, 1));
            QVERIFY(OpenEditor(view));
            QVERIFY(OpenEditor(view)->isAncestorOf(QApplication::focusWidget()));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            QTRY_VERIFY(!OpenEditor(view));
        }
        // The second cell holds text, read as the rule it names.
        view->edit(model.index(1, 1));
        editor = OpenEditor(view);
        QVERIFY(editor);
        QCOMPARE(editor->value(), (MinimumRule{true, 100, 2500, true}));
        QCOMPARE(child<QComboBox>(editor, "RuleKindBox")->currentIndex(), 1);
        child<QComboBox>(editor, "RuleKindBox")->setCurrentIndex(0); // a fixed payment
        QVERIFY(!child<QLineEdit>(editor, "RulePercentEdit")->isEnabled());
        QTest::keyClick(child<QComboBox>(editor, "RuleKindBox"), Qt::Key_Return);
        QCOMPARE(model.index(1, 1).data(Qt::EditRole).value<MinimumRule>(), MinimumRule());
    }

    // Tab goes through the boxes in use, whatever the table does with Tab, and
    // commits on leaving the last; Shift+Tab on the first commits going back.
    void ruleTabOrder_data()
    {
        QTest::addColumn<bool>("rule");
        QTest::addColumn<QStringList>("visited");
        QTest::newRow("a minimum rule") << true
                                        << QStringList{"RulePercentEdit", "RulePlusInterest", "RuleFloorEdit", ""};
        QTest::newRow("a fixed payment") << false << QStringList{""};
    }
    void ruleTabOrder()
    {
        QFETCH(bool, rule);
        QFETCH(QStringList, visited);
        QWidget window;
        MinimumRuleEditor editor(&window);
        editor.setValue(rule ? MinimumRule{true, 200, 2000, false} : MinimumRule{});
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QSignalSpy committed(&editor, &MinimumRuleEditor::committed);
        editor.setFocus();
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("RuleKindBox"));
        QStringList went;
        for (int i = 0; i < visited.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            went << (committed.isEmpty() ? QApplication::focusWidget()->objectName() : QString());
        }
        QCOMPARE(went, visited);
        QCOMPARE(committed.size(), 1);
        QCOMPARE(committed[0].at(0).value<MinimumRuleEditor::Leave>(), MinimumRuleEditor::Leave::Next);
        editor.setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(committed.size(), 2);
        QCOMPARE(committed[1].at(0).value<MinimumRuleEditor::Leave>(), MinimumRuleEditor::Leave::Previous);
    }

    // ---- the start month ---------------------------------------------------------------

    void startMonth()
    {
        fake.date = QDate(2025, 12, 31);
        StartMonthPicker picker;
        QCOMPARE(picker.startMonth(), (CalendarMonth{2026, 1}));
        QVERIFY(!picker.chosen());
        QCOMPARE(picker.monthBox()->text(), QStringLiteral("January 2026"));
        auto* next = child<QPushButton>(&picker, "BtnStartNextMonth");
        QVERIFY(!next->isEnabled());
        QSignalSpy changed(&picker, &StartMonthPicker::startMonthChanged);
        picker.monthBox()->setDate(QDate(2027, 3, 17));
        QCOMPARE(changed.size(), 1);
        QCOMPARE(picker.chosen(), (std::optional<CalendarMonth>{{2027, 3}}));
        QCOMPARE(picker.monthBox()->date(), QDate(2027, 3, 1));
        QVERIFY(next->isEnabled());
        QTest::mouseClick(next, Qt::LeftButton);
        QCOMPARE(changed.size(), 2);
        QVERIFY(!picker.chosen());
        QCOMPARE(picker.startMonth(), (CalendarMonth{2026, 1}));
        picker.setChosen(CalendarMonth{2030, 14}); // brought into the year
        QCOMPARE(picker.startMonth(), (CalendarMonth{2031, 2}));
        QCOMPARE(changed.size(), 2); // setting is not choosing
    }

    // ---- debt-free by ------------------------------------------------------------------

    // The least whole-cent pledge: with it the plan ends by the month, with a
    // cent less it does not; Apply hands it over. Or none is needed, or none can do it.
    void debtFreeBy_data()
    {
        QTest::addColumn<int>("months");
        QTest::addColumn<PlanBudget>("budget");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QString>("says");
        QTest::newRow("12 months") << 12 << PlanBudget::Pledge(2500) << int(PledgeNeeded::Outcome::Found)
                                   << "To be debt-free by June 2010 (month 12), pledge $";
        QTest::newRow("36 months") << 36 << PlanBudget::Pledge(2500) << int(PledgeNeeded::Outcome::Found)
                                   << "To be debt-free by June 2012 (month 36), pledge $";
        QTest::newRow("57 months: $25 does it") << 57 << PlanBudget::Pledge(2500) << int(PledgeNeeded::Outcome::Found)
                                                << "To be debt-free by March 2014 (month 57), pledge $";
        PlanBudget withChanges = PlanBudget::Pledge(0);
        withChanges.steps = {{13, 10000}};
        withChanges.oneOffs = {{4, 100000}};
        QTest::newRow("with changes") << 24 << withChanges << int(PledgeNeeded::Outcome::Found)
                                      << "To be debt-free by June 2011 (month 24), pledge $";
        QTest::newRow("not needed") << 1200 << PlanBudget::Pledge(2500) << int(PledgeNeeded::Outcome::NotNeeded)
                                    << "No pledge money is needed to be debt-free by June 2109 (month 1200)";
        PlanBudget fromMonthOne = PlanBudget::Pledge(2500);
        fromMonthOne.steps = {{1, 0}};
        QTest::newRow("a pledge change from month 1") << 12 << fromMonthOne << int(PledgeNeeded::Outcome::Impossible)
                                                      << "No pledge can do it: a pledge change from month 1 on";
    }
    void debtFreeBy()
    {
        QFETCH(int, months);
        QFETCH(PlanBudget, budget);
        QFETCH(int, outcome);
        QFETCH(QString, says);
        const std::vector<PlanCard> cards = SampleCards();
        DebtFreeByPanel panel;
        panel.setInputs(cards, budget, PlanOrder::HighestApr, {2009, 7});
        panel.setTargetMonth(months);
        QSignalSpy applied(&panel, &DebtFreeByPanel::applyPledge);
        const PledgeNeeded r = panel.result();
        QCOMPARE(int(r.outcome), outcome);
        QVERIFY2(panel.resultText().startsWith(says), qPrintable(panel.resultText()));
        QCOMPARE(child<QLabel>(&panel, "PledgeNeededText")->text(), panel.resultText());
        auto* apply = child<QPushButton>(&panel, "BtnApplyPledge");
        if (r.outcome == PledgeNeeded::Outcome::Found) {
            auto endsWith = [&](std::int64_t pledge) {
                PlanBudget b = budget;
                b.pledge = pledge;
                const PlanResult plan = RunPlan(cards, b, PlanOrder::HighestApr);
                return plan.paidOff && plan.months <= months;
            };
            QVERIFY(endsWith(r.pledge));
            QVERIFY(r.pledge == 0 || !endsWith(r.pledge - 1));
            QVERIFY(panel.resultText().contains(QLatin1Char('$') + CentsText(r.pledge) + " a month"));
            QCOMPARE(apply->isEnabled(), r.pledge != budget.pledge);
            if (r.pledge != budget.pledge) {
                QTest::mouseClick(apply, Qt::LeftButton);
                QCOMPARE(applied.size(), 1);
                QCOMPARE(applied[0].at(0).value<std::int64_t>(), r.pledge);
                // The window applies it: the panel then says so.
                budget.pledge = r.pledge;
                panel.setInputs(cards, budget, PlanOrder::HighestApr, {2009, 7});
                QVERIFY(panel.resultText().endsWith("That is your pledge now."));
                QVERIFY(!apply->isEnabled());
            }
        } else if (r.outcome == PledgeNeeded::Outcome::Impossible) {
            QVERIFY(!apply->isEnabled());
        } else {
            QVERIFY(apply->isEnabled()); // the pledge can go to 0
            QTest::mouseClick(apply, Qt::LeftButton);
            QCOMPARE(applied[0].at(0).value<std::int64_t>(), std::int64_t{0});
        }
    }

    void debtFreeByNothingOwed()
    {
        DebtFreeByPanel panel;
        panel.setInputs({}, PlanBudget::Pledge(0), PlanOrder::HighestApr, {2009, 7});
        QCOMPARE(panel.resultText(), QStringLiteral("Add your cards to see the pledge needed."));
        panel.setInputs({PlanCard::FromDollars(19.9, 0, 10)}, PlanBudget::Pledge(0), PlanOrder::HighestApr, {2009, 7});
        QCOMPARE(panel.resultText(), QStringLiteral("Nothing is owed on these cards: no pledge is needed."));
        QVERIFY(!child<QPushButton>(&panel, "BtnApplyPledge")->isEnabled());
        // The month field reaches the calendar through the keyboard too.
        auto* field = child<PlanMonthField>(&panel, "DebtFreeByMonth");
        field->numberBox()->setFocus();
        QCOMPARE(field->numberBox()->accessibleName(), QStringLiteral("Debt-free by, month number"));
    }
};

QTEST_MAIN(EditorsTests)
#include "tst_planner_editors.moc"
