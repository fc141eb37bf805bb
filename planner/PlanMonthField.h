// A month of a plan, chosen either way the user thinks of it: as a month
// number ("month 13") or as a calendar month ("Jul 2027"). The two boxes
// follow each other; the calendar month is counted from the plan's start month.
#pragma once

#include <QWidget>
#include <cstdint>

#include "core/PlanDate.h"

class QDateEdit;
class QSpinBox;

namespace quenmark {

class PlanMonthField : public QWidget
{
    Q_OBJECT
public:
    // `spoken`: what the month is for ("Month of the change"); the boxes are
    // named "<spoken>, month number" and "<spoken>, calendar month".
    explicit PlanMonthField(const QString& spoken, QWidget* parent = nullptr);

    std::int32_t month() const;              // 1 .. kSnowballMonthLimit
    void setMonth(std::int32_t month);       // brought into that range
    CalendarMonth calendarMonth() const;     // of month()
    CalendarMonth startMonth() const { return m_start; }
    // Month 1's calendar month: the month number stays, its calendar month moves.
    void setStartMonth(CalendarMonth start);

    QSpinBox* numberBox() const { return m_number; }    // object name "MonthNumber"
    QDateEdit* calendarBox() const { return m_calendar; } // object name "CalendarMonth"

signals:
    // The month number changed (by either box, or setMonth).
    void monthChanged(std::int32_t month);

private:
    void numberChanged(int month);
    void calendarChanged();
    void showCalendar();

    QSpinBox* m_number = nullptr;
    QDateEdit* m_calendar = nullptr;
    CalendarMonth m_start{2000, 1};
    bool m_syncing = false;
};

} // namespace quenmark
