// Draws the README's pictures of the My Cards window: chapter 8's sample cards
// with $25 of pledge money, rendered offscreen with QWidget::grab; "promo"
// gives Card 2 a 0 % promotion for 12 months and Card 1 a minimum of 2 % or
// $25, with a one-off $1,000 in month 4 (the chart shown).
//   quenmark-planner-picture OUTPUT.png [chart|schedule|orders|statements|promo]
#include <QApplication>
#include <QStyleFactory>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>

#include "common/Platform.h"
#include "planner/BalanceChart.h"
#include "planner/CardStore.h"
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
        QTextStream(stderr)
            << "usage: quenmark-planner-picture OUTPUT.png [chart|schedule|orders|statements|promo]\n";
        return 2;
    }
    FixedDate date;
    quenmark::setPlatform(&date);
    QTemporaryDir folder; // no saved cards: the window starts with the sample cards
    int status = 0;
    const QString tab = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("chart");
    if (tab == QLatin1String("promo")) {
        quenmark::StoredPlan plan;
        plan.cards = {{QStringLiteral("Card 1"), 19.8, 1543.68, 32}, {QStringLiteral("Card 2"), 17.9, 2100.00, 53},
                      {QStringLiteral("Card 3"), 12.9, 1784.32, 37}, {QStringLiteral("Card 4"), 19.8, 832.91, 17},
                      {QStringLiteral("Card 5"), 21.0, 765.72, 19}};
        plan.cards[1].promoApr = 0;
        plan.cards[1].promoMonths = 12;
        plan.cards[0].hasMinimum = true;
        plan.cards[0].minPercent = 2;
        plan.cards[0].minFloor = 25;
        plan.pledge = 25;
        plan.oneOffs = {{4, 100000}};
        if (quenmark::CardStore(folder.filePath(QStringLiteral("cards.json"))).save(plan) !=
            quenmark::CardStore::SaveResult::Saved)
            return 1;
    }
    {
        quenmark::MyCardsWindow window(nullptr, folder.filePath(QStringLiteral("cards.json")));
        if (tab == QLatin1String("promo"))
            window.resize(1180, 800); // the promotion and rule columns in sight
        window.show();
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
