// Draws the README's picture of the My Cards window: chapter 8's sample cards
// with $25 of pledge money, rendered offscreen with QWidget::grab.
//   quenmark-planner-picture OUTPUT.png [chart|schedule|orders|statements]
#include <QApplication>
#include <QStyleFactory>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>

#include "common/Platform.h"
#include "planner/BalanceChart.h"
#include "planner/MyCards.h"

namespace {

// A fixed date, so the picture does not change from day to day.
class FixedDate : public quenmark::QtPlatform
{
public:
    QDate today() override { return QDate(2025, 1, 15); }
};

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    if (argc < 2) {
        QTextStream(stderr) << "usage: quenmark-planner-picture OUTPUT.png [chart|schedule|orders|statements]\n";
        return 2;
    }
    FixedDate date;
    quenmark::setPlatform(&date);
    QTemporaryDir folder; // no saved cards: the window starts with the sample cards
    int status = 0;
    {
        quenmark::MyCardsWindow window(nullptr, folder.filePath(QStringLiteral("cards.json")));
        window.show();
        const QString tab = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("chart");
        auto* tabs = window.findChild<QTabWidget*>(QStringLiteral("ResultTabs"));
        const QStringList tabNames = {QStringLiteral("chart"), QStringLiteral("schedule"), QStringLiteral("orders"),
                                      QStringLiteral("statements")};
        tabs->setCurrentIndex(std::max(0, static_cast<int>(tabNames.indexOf(tab))));
        if (auto* chart = window.findChild<quenmark::BalanceChart*>())
            chart->setCursorMonth(21);
        QApplication::processEvents();
        if (!window.grab().save(QString::fromLocal8Bit(argv[1]))) {
            QTextStream(stderr) << "cannot write " << argv[1] << "\n";
            status = 1;
        }
    }
    quenmark::setPlatform(nullptr);
    return status;
}
