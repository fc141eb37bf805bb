#include "planner/PlanMonthField.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QLocale>
#include <QSignalBlocker>
#include <QSpinBox>
#include <algorithm>

#include "core/Limits.h"
#include "planner/PlanInputs.h"

namespace quenmark {

PlanMonthField::PlanMonthField(const QString& spoken, QWidget* parent)
    : QWidget(parent)
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    m_number = new QSpinBox(this);
    m_number->setObjectName(QStringLiteral("MonthNumber"));
    m_number->setAccessibleName(tr("%1, month number").arg(spoken));
    m_number->setRange(1, kSnowballMonthLimit);
    m_number->setPrefix(tr("month "));
    m_number->setKeyboardTracking(false);
    m_calendar = new QDateEdit(this);
    m_calendar->setObjectName(QStringLiteral("CalendarMonth"));
    m_calendar->setAccessibleName(tr("%1, calendar month").arg(spoken));
    // Month names as everywhere in the planner ("Mar 2026").
    m_calendar->setLocale(QLocale::c());
    m_calendar->setDisplayFormat(QStringLiteral("MMM yyyy"));
    m_calendar->setKeyboardTracking(false);
    // The boxes' own text fields are heard by the boxes' names.
    for (QAbstractSpinBox* box : {static_cast<QAbstractSpinBox*>(m_number), static_cast<QAbstractSpinBox*>(m_calendar)})
        if (auto* text = box->findChild<QLineEdit*>())
            text->setAccessibleName(box->accessibleName());
    row->addWidget(m_number);
    row->addWidget(m_calendar);
    setFocusProxy(m_number);
    setStartMonth(m_start);
    connect(m_number, &QSpinBox::valueChanged, this, &PlanMonthField::numberChanged);
    connect(m_calendar, &QDateEdit::dateChanged, this, &PlanMonthField::calendarChanged);
}

std::int32_t PlanMonthField::month() const
{
    return m_number->value();
}

void PlanMonthField::setMonth(std::int32_t month)
{
    m_number->setValue(std::clamp<std::int32_t>(month, 1, kSnowballMonthLimit));
}

CalendarMonth PlanMonthField::calendarMonth() const
{
    return PlanCalendarMonth(m_start, month());
}

void PlanMonthField::setStartMonth(CalendarMonth start)
{
    m_start = PlanCalendarMonth(start, 1);
    m_syncing = true;
    {
        const QSignalBlocker quiet(m_calendar);
        m_calendar->setDateRange(FirstDayOf(m_start), FirstDayOf(PlanCalendarMonth(m_start, kSnowballMonthLimit)));
    }
    m_syncing = false;
    showCalendar();
}

void PlanMonthField::numberChanged(int month)
{
    showCalendar();
    emit monthChanged(month);
}

void PlanMonthField::calendarChanged()
{
    if (m_syncing)
        return;
    const std::int32_t month = std::clamp(PlanMonthOf(m_start, ToCalendarMonth(m_calendar->date())), 1,
                                          kSnowballMonthLimit);
    if (month != m_number->value())
        m_number->setValue(month); // emits monthChanged
    else
        showCalendar(); // a day within the month: back to its first day
}

void PlanMonthField::showCalendar()
{
    m_syncing = true;
    {
        const QSignalBlocker quiet(m_calendar);
        m_calendar->setDate(FirstDayOf(calendarMonth()));
    }
    m_syncing = false;
}

} // namespace quenmark
