// The My Cards window with 100, 300 and 1,000 cards, shown on the platform
// QT_QPA_PLATFORM names (offscreen unless chosen). Three card sets:
//   typical  plans of one to five years, $25 of pledge money
//   30y      payments that barely beat the interest: the plan runs about 30
//            years (about 300 schedule rows per card)
//   100y     payments a little above the interest: the plan runs the full
//            100 years and is not paid off
//
//   BM_Key/<cards>/<set>/<tab>  a key typed into a card's payment editor (a
//                   digit taken back or typed) and every event it caused handled,
//                   painting included: what a person waits for at a keystroke
//   BM_Resize/<cards>/<set>/<tab>  the window one step wider or narrower, laid
//                   out and painted
//   BM_Open/<cards>/<set>  the window made from the saved file, shown and painted
//   BM_PointerOnChart  the chart's read-out moved by one month and painted
//   BM_ScheduleScroll  the schedule scrolled by a page and painted
//
// Each timed benchmark reports the median of its iterations in the GUI
// thread's CPU time (median_ms; on a machine shared with other work the wall
// time says more about the others than about the window) and in wall time
// (wall_median_ms). At the end one line sums up the 1,000-card CPU medians:
//   planner-1000: key_ms=<worst tab median> resize_ms=<worst tab median>
//                 open_ms=<median> rss_mib=<after 200 keys, 30-year set>
// The resident memory is measured in a fresh process (this program run with
// --rss-after-keys), so that the other benchmarks' windows do not count.
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProcess>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <time.h>

#include "FakePlatform.h"
#include "core/Planner.h"
#include "planner/BalanceChart.h"
#include "planner/CardStore.h"
#include "planner/MyCards.h"
#include "WidgetBenchMain.h"

using namespace quenmark;

namespace {

enum class Set { Typical, ThirtyYears, HundredYears };
const char* const kSetNames[] = {"typical", "30y", "100y"};
const char* const kTabNames[] = {"chart", "schedule", "statements"};

// `n` cards of the set, the same ones every run.
StoredPlan Cards(int n, Set set)
{
    std::mt19937 gen(static_cast<unsigned>(n) * 7 + static_cast<unsigned>(set));
    std::uniform_int_distribution<int> apr(990, 2990), balance(30000, 900000);
    std::uniform_int_distribution<int> typical(12, 60), thirty(200, 400);
    StoredPlan plan;
    for (int i = 0; i < n; ++i) {
        StoredCard c;
        c.name = QStringLiteral("Card %1").arg(i + 1);
        c.apr = apr(gen) / 100.0;
        c.balance = balance(gen) / 100.0;
        const int months = set == Set::Typical ? typical(gen) : set == Set::ThirtyYears ? thirty(gen) : 1500;
        c.payment = LevelPayment(c.apr, c.balance, months);
        plan.cards.append(c);
    }
    plan.pledge = set == Set::Typical ? 25 : 0;
    return plan;
}

struct Window
{
    FakePlatform fake;
    QTemporaryDir dir;
    std::unique_ptr<MyCardsWindow> w;

    Window(int cards, Set set, int tab)
    {
        const QString path = dir.filePath(QStringLiteral("cards.json"));
        CardStore(path).save(Cards(cards, set));
        w = std::make_unique<MyCardsWindow>(nullptr, path);
        w->resize(1040, 760);
        w->findChild<QTabWidget*>(QStringLiteral("ResultTabs"))->setCurrentIndex(tab);
        w->show();
        (void)QTest::qWaitForWindowExposed(w.get());
        QCoreApplication::processEvents();
    }
    QTableView* cards() const { return w->findChild<QTableView*>(QStringLiteral("CardsTable")); }
    // The payment editor of the card in the middle of the list, its cursor at the end.
    QLineEdit* openPaymentEditor()
    {
        QTableView* view = cards();
        const QModelIndex payment = view->model()->index(view->model()->rowCount() / 2, 3);
        view->setFocus();
        view->setCurrentIndex(payment);
        view->edit(payment);
        auto* editor = view->viewport()->findChild<QLineEdit*>();
        if (editor)
            editor->end(false);
        QCoreApplication::processEvents();
        return editor;
    }
};

// The medians of the 1,000-card benchmarks, for the summary line.
std::map<std::string, double> g_medians;

// This thread's CPU time and the wall time, in milliseconds.
struct Clocks
{
    static double threadMs()
    {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
    }
    double cpu0 = threadMs();
    QElapsedTimer wall;
    Clocks() { wall.start(); }
    double cpu() const { return threadMs() - cpu0; }
    double wallMs() const { return static_cast<double>(wall.nsecsElapsed()) / 1e6; }
};

// Times of each iteration.
struct Times
{
    std::vector<double> cpu, wall;
    void add(benchmark::State& st, const Clocks& c)
    {
        cpu.push_back(c.cpu());
        wall.push_back(c.wallMs());
        st.SetIterationTime(cpu.back() / 1000);
    }
};

double Median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const std::size_t h = v.size() / 2;
    return v.size() % 2 ? v[h] : (v[h - 1] + v[h]) / 2;
}

void Report(benchmark::State& st, const std::string& name, const Times& times, int cards)
{
    const double median = Median(times.cpu);
    st.counters["median_ms"] = median;
    st.counters["wall_median_ms"] = Median(times.wall);
    if (cards == 1000)
        g_medians[name] = median;
}

// The payment's last digit taken back, then another digit typed in its place
// ("123.45", "123.4", "123.41", "123.4", "123.42", ...): every key leaves an
// amount the reader takes, and a payment other than the one before it.
void TypeKey(QLineEdit* editor, int i)
{
    if (i % 2 == 0)
        QTest::keyClick(editor, Qt::Key_Backspace);
    else
        QTest::keyClick(editor, static_cast<char>('1' + (i / 2) % 9));
}

void BM_Key(benchmark::State& st, int cards, Set set, int tab, std::string name)
{
    Window win(cards, set, tab);
    QLineEdit* editor = win.openPaymentEditor();
    if (!editor) {
        st.SkipWithError("no cell editor");
        return;
    }
    Times times;
    int i = 0, replanned = 0;
    for (auto _ : st) {
        const PlanResult* before = &win.w->plan();
        const Clocks c;
        TypeKey(editor, i++);
        QCoreApplication::processEvents();
        times.add(st, c);
        replanned += &win.w->plan() != before;
    }
    // Each key must have made a new plan, or the benchmark timed nothing.
    if (replanned < i - 1)
        st.SkipWithError("a key left the plan as it was");
    Report(st, name, times, cards);
}

void BM_Resize(benchmark::State& st, int cards, Set set, int tab, std::string name)
{
    Window win(cards, set, tab);
    Times times;
    int i = 0;
    for (auto _ : st) {
        const Clocks c;
        win.w->resize(1040 + (i++ % 2 ? 0 : 24), 760);
        QCoreApplication::processEvents();
        times.add(st, c);
    }
    Report(st, name, times, cards);
}

void BM_Open(benchmark::State& st, int cards, Set set, std::string name)
{
    FakePlatform fake;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cards.json"));
    CardStore(path).save(Cards(cards, set));
    Times times;
    for (auto _ : st) {
        const Clocks c;
        auto w = std::make_unique<MyCardsWindow>(nullptr, path);
        w->resize(1040, 760);
        w->show();
        (void)QTest::qWaitForWindowExposed(w.get());
        QCoreApplication::processEvents();
        times.add(st, c);
        w.reset();
        QCoreApplication::processEvents();
    }
    Report(st, name, times, cards);
}

void BM_PointerOnChart(benchmark::State& st)
{
    Window win(1000, Set::ThirtyYears, 0);
    auto* chart = win.w->findChild<BalanceChart*>();
    int month = 0;
    for (auto _ : st) {
        chart->setCursorMonth(month++ % std::max(1, chart->months()));
        chart->repaint();
    }
}
BENCHMARK(BM_PointerOnChart)->Unit(benchmark::kMillisecond);

void BM_ScheduleScroll(benchmark::State& st)
{
    Window win(1000, Set::ThirtyYears, 1);
    auto* view = win.w->findChild<QTableView*>(QStringLiteral("ScheduleView"));
    QScrollBar* bar = view->verticalScrollBar();
    for (auto _ : st) {
        const int next = bar->value() + bar->pageStep();
        bar->setValue(next > bar->maximum() ? 0 : next);
        view->viewport()->repaint();
    }
}
BENCHMARK(BM_ScheduleScroll)->Unit(benchmark::kMicrosecond);

void RegisterAll()
{
    for (const int cards : {100, 300, 1000}) {
        for (const Set set : {Set::Typical, Set::ThirtyYears, Set::HundredYears}) {
            if (set == Set::HundredYears && cards != 1000)
                continue;
            const std::string s = kSetNames[static_cast<int>(set)];
            const int iterations = set == Set::HundredYears ? 11 : 31;
            for (int tab = 0; tab < 3; ++tab) {
                const std::string key = "BM_Key/" + std::to_string(cards) + "/" + s + "/" + kTabNames[tab];
                benchmark::RegisterBenchmark(key.c_str(), BM_Key, cards, set, tab, key)
                    ->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(iterations);
                if (set == Set::HundredYears)
                    continue;
                const std::string resize = "BM_Resize/" + std::to_string(cards) + "/" + s + "/" + kTabNames[tab];
                benchmark::RegisterBenchmark(resize.c_str(), BM_Resize, cards, set, tab, resize)
                    ->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(15);
            }
            const std::string open = "BM_Open/" + std::to_string(cards) + "/" + s;
            benchmark::RegisterBenchmark(open.c_str(), BM_Open, cards, set, open)
                ->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(set == Set::Typical ? 7 : 3);
        }
    }
}

// The worst median among the benchmarks whose names start with `prefix`
// (0 when none ran).
double Worst(const std::string& prefix)
{
    double worst = 0;
    for (const auto& [name, median] : g_medians)
        if (name.rfind(prefix, 0) == 0)
            worst = std::max(worst, median);
    return worst;
}

// In this process: 200 keys into a card of the 1,000 thirty-year cards on
// the chart tab, then the resident memory in MiB.
int RssAfterKeys()
{
    Window win(1000, Set::ThirtyYears, 0);
    QLineEdit* editor = win.openPaymentEditor();
    if (!editor)
        return 1;
    for (int i = 0; i < 200; ++i) {
        TypeKey(editor, i);
        QCoreApplication::processEvents();
    }
    std::printf("%.1f\n", residentKiB() / 1024.0);
    return 0;
}

double RssInFreshProcess(const char* self)
{
    QProcess child;
    child.start(QString::fromLocal8Bit(self), {QStringLiteral("--rss-after-keys")});
    if (!child.waitForFinished(600000) || child.exitCode() != 0)
        return 0;
    return child.readAllStandardOutput().trimmed().toDouble();
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], "--rss-after-keys") == 0)
        return RssAfterKeys();
    RegisterAll();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    const double rss = RssInFreshProcess(argv[0]);
    std::printf("planner-1000 (GUI thread CPU time, medians)\n");
    std::printf("planner-1000: key_ms=%.1f resize_ms=%.1f open_ms=%.1f rss_mib=%.1f\n",
                std::max(Worst("BM_Key/1000/typical/"), Worst("BM_Key/1000/30y/")),
                std::max(Worst("BM_Resize/1000/typical/"), Worst("BM_Resize/1000/30y/")),
                g_medians["BM_Open/1000/typical"], rss);
    std::printf("planner-1000 (100-year set): key_ms=%.1f\n", Worst("BM_Key/1000/100y/"));
    return 0;
}
