// The goodbye screen, shown once when the program ends.
#pragma once

#include <QDialog>

class QFrame;
class QLabel;

namespace quenmark {

class Tgoodbye : public QDialog
{
    Q_OBJECT
public:
    explicit Tgoodbye(QWidget* parent = nullptr);
    ~Tgoodbye() override;

    void FormActivate();
    void Button1Click();
    void BtnGotoWebsiteClick();

protected:
    void showEvent(QShowEvent* event) override;
    // Enter presses the focused button.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void addParagraphs(QFrame* page);

    QFrame* m_shadow = nullptr;
    QLabel* CopyrightLabel = nullptr;
};

extern Tgoodbye* goodbye;

} // namespace quenmark
