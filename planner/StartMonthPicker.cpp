#include "planner/StartMonthPicker.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>

#include "common/Platform.h"
#include "planner/PlanInputs.h"

namespace quenmark {

StartMonthPicker::StartMonthPicker(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("StartMonthPicker"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(tr("Month &1 of the plan:"), this);
    m_box = new QDateEdit(this);
    m_box->setObjectName(QStringLiteral("StartMonthBox"));
    m_box->setAccessibleName(tr("Month 1 of the plan"));
    // The box's own text field is heard by the same name.
    if (auto* text = m_box->findChild<QLineEdit*>())
        text->setAccessibleName(m_box->accessibleName());
    m_box->setLocale(QLocale::c());
    m_box->setDisplayFormat(QStringLiteral("MMMM yyyy"));
    m_box->setDateRange(QDate(kFirstPlanYear, 1, 1), QDate(kLastPlanYear, 12, 1));
    m_box->setKeyboardTracking(false);
    label->setBuddy(m_box);
    m_next = new QPushButton(tr("Next Mont&h"), this);
    m_next->setObjectName(QStringLiteral("BtnStartNextMonth"));
    m_next->setAccessibleName(tr("Start the plan next month"));
    m_next->setAutoDefault(false);
    row->addWidget(label);
    row->addWidget(m_box);
    row->addWidget(m_next);
    row->addStretch(1);
    setFocusProxy(m_box);
    show(defaultMonth());
    m_next->setEnabled(false);
    connect(m_box, &QDateEdit::dateChanged, this, &StartMonthPicker::boxChanged);
    connect(m_next, &QPushButton::clicked, this, [this] {
        if (!m_chosen)
            return;
        m_chosen.reset();
        show(defaultMonth());
        m_next->setEnabled(false);
        emit startMonthChanged(m_chosen, startMonth());
    });
}

CalendarMonth StartMonthPicker::defaultMonth()
{
    return MonthAfter(platform().today());
}

CalendarMonth StartMonthPicker::startMonth() const
{
    return m_chosen ? *m_chosen : ToCalendarMonth(m_box->date());
}

void StartMonthPicker::setChosen(std::optional<CalendarMonth> month)
{
    if (month)
        month = PlanCalendarMonth(*month, 1);
    m_chosen = month;
    show(month ? *month : defaultMonth());
    m_next->setEnabled(m_chosen.has_value());
}

void StartMonthPicker::show(CalendarMonth month)
{
    m_showing = true;
    m_box->setDate(FirstDayOf(month));
    m_showing = false;
}

void StartMonthPicker::boxChanged()
{
    if (m_showing)
        return;
    const CalendarMonth month = ToCalendarMonth(m_box->date());
    if (m_box->date().day() != 1)
        show(month);
    if (m_chosen == month)
        return;
    m_chosen = month;
    m_next->setEnabled(true);
    emit startMonthChanged(m_chosen, month);
}

} // namespace quenmark
