// The update reminder, shown once per run when the program is old.
#pragma once

#include <QDialog>

namespace quenmark {

class TStaleDate : public QDialog
{
    Q_OBJECT
public:
    explicit TStaleDate(QWidget* parent = nullptr);
    ~TStaleDate() override;

    void Button1Click();
};

extern TStaleDate* StaleDate;

} // namespace quenmark
