// The calendar month a plan starts: the month after today's (the platform's
// date) unless the user chooses another. "Next month" goes back to that
// default, which follows the date: a plan saved without a chosen month starts
// the month after the day it is opened.
#pragma once

#include <QWidget>
#include <optional>

#include "core/PlanDate.h"

class QDateEdit;
class QPushButton;

namespace quenmark {

class StartMonthPicker : public QWidget
{
    Q_OBJECT
public:
    explicit StartMonthPicker(QWidget* parent = nullptr);

    // The month chosen, or none for "the month after today's". Without a signal.
    void setChosen(std::optional<CalendarMonth> month);
    // What to keep: the month the user chose, or none.
    std::optional<CalendarMonth> chosen() const { return m_chosen; }
    // Month 1 of the plan as shown.
    CalendarMonth startMonth() const;
    // The month after today's (asks the platform for today).
    static CalendarMonth defaultMonth();

    QDateEdit* monthBox() const { return m_box; }

signals:
    // The user chose a month, or went back to the default (none).
    void startMonthChanged(std::optional<quenmark::CalendarMonth> chosen, quenmark::CalendarMonth start);

private:
    void boxChanged();
    void show(CalendarMonth month);

    QDateEdit* m_box = nullptr;
    QPushButton* m_next = nullptr;
    std::optional<CalendarMonth> m_chosen;
    bool m_showing = false;
};

} // namespace quenmark
