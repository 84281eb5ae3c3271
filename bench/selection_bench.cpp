// The selection commands with a full SIMA file list of 10001 points, through
// the real window: "決定" with every point picked, "全部", and a prefix that
// every name matches. Sorted insertion into the transfer list is timed;
// painting is not (pending window events run outside the timed part).
#include "benchwindow.h"
#include "form1.h"
#include "listbox.h"
#include "pointtable.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRadioButton>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <vector>

using namespace tavorin;

namespace {

// A window with 10001 points listed, named P00000..P10000 in shuffled list
// order, so that their lines land all over the sorted transfer list.
struct LoadedWindow
{
    LoadedWindow()
    {
        std::vector<int> numbers(PointTable::Size);
        std::iota(numbers.begin(), numbers.end(), 0);
        std::shuffle(numbers.begin(), numbers.end(), std::mt19937(1));
        ListBox *list1 = form.findChild<ListBox *>(QStringLiteral("List1"));
        for (int p = 0; p < PointTable::Size; ++p) {
            const int n = numbers[std::size_t(p)];
            const QString name = QStringLiteral("P%1").arg(n, 5, 10, QLatin1Char('0'));
            (void)table.store(p, // 0..Size-1 always fit
                { name, QString::number(-12345.678 + n, 'f', 3),
                    QString::number(98765.4321 - n, 'f', 4) });
            list1->addItem(name);
        }
        form.show();
        QCoreApplication::processEvents();
    }

    void choose(const char *option) { form.findChild<QRadioButton *>(option)->setChecked(true); }
    void click(const char *control) { form.findChild<QAbstractButton *>(control)->click(); }
    int transferCount() { return form.findChild<ListBox *>(QStringLiteral("List2"))->listCount(); }
    // Empties the transfer list and lets the window catch up, untimed.
    void reset(benchmark::State &state)
    {
        state.PauseTiming();
        click("Command4");
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }

    bench::AnswersOk dialogs;
    bench::FixedPorts ports;
    PointTable table;
    Form1 form { dialogs, ports, table };
};

void decideWithEveryPointPicked(benchmark::State &state)
{
    LoadedWindow window;
    window.form.findChild<ListBox *>(QStringLiteral("List1"))->selectAll();
    for (auto _ : state) {
        window.reset(state);
        window.click("Command1");
    }
    if (window.transferCount() != PointTable::Size)
        state.SkipWithError("not every point was added");
}
BENCHMARK(decideWithEveryPointPicked)->Unit(benchmark::kMillisecond);

void allPoints(benchmark::State &state)
{
    LoadedWindow window;
    window.choose("Option1_1");
    for (auto _ : state) {
        window.reset(state);
        window.click("Option1_1");
    }
    if (window.transferCount() != 999)
        state.SkipWithError("not 999 lines");
}
BENCHMARK(allPoints)->Unit(benchmark::kMillisecond);

void prefixMatchingEveryPoint(benchmark::State &state)
{
    LoadedWindow window;
    window.choose("Option1_2");
    auto *entry = window.form.findChild<QLineEdit *>(QStringLiteral("Text1_0"));
    entry->setText(QStringLiteral("P"));
    for (auto _ : state) {
        window.reset(state);
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QCoreApplication::sendEvent(entry, &enter);
    }
    if (window.transferCount() != 999)
        state.SkipWithError("not 999 lines");
}
BENCHMARK(prefixMatchingEveryPoint)->Unit(benchmark::kMillisecond);

} // namespace
