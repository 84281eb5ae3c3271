// The plan of a SIMA file of 10001 points: a full repaint with names into an
// image of the window's size, a rectangle query, and opening the plan window
// on the loaded file (built, fitted and painted once).
#include "benchwindow.h"
#include "form1.h"
#include "listline.h"
#include "planwidget.h"
#include "planwindow.h"
#include "pointtable.h"
#include "simawriter.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <random>

using namespace tavorin;

namespace {

// A window that has read a file of 10001 points scattered over a square
// kilometre, some of them clustered so that their names crowd.
struct LoadedWindow
{
    LoadedWindow()
    {
        std::mt19937 random(1);
        std::uniform_real_distribution<double> spread(0, 1000);
        std::normal_distribution<double> cluster(500, 20);
        QStringList lines;
        for (int p = 0; p < PointTable::Size; ++p) {
            const bool clustered = p % 4 == 0;
            const double x = -23000 + (clustered ? cluster(random) : spread(random));
            const double y = 12000 + (clustered ? cluster(random) : spread(random));
            lines.append(ListLine::form({ QStringLiteral("P%1").arg(p), QString::number(x, 'f', 3),
                QString::number(y, 'f', 3) }));
        }
        dialogs.chosenFile = dir.filePath(QStringLiteral("points.sim"));
        QFile file(*dialogs.chosenFile);
        if (file.open(QIODevice::WriteOnly))
            file.write(simaFileBytes(lines));
        file.close();
        form.show();
        form.findChild<QAction *>(QStringLiteral("SimFileLoad"))->trigger();
        QCoreApplication::processEvents();
    }

    PlanWindow *openPlan()
    {
        form.findChild<QAction *>(QStringLiteral("PlanView"))->trigger();
        QCoreApplication::processEvents();
        return form.findChild<PlanWindow *>();
    }

    QTemporaryDir dir;
    bench::AnswersOk dialogs;
    bench::FixedPorts ports;
    PointTable table;
    Form1 form { dialogs, ports, table };
};

void repaintWithNames(benchmark::State &state)
{
    LoadedWindow window;
    PlanWidget *plan = window.openPlan()->plan();
    QImage image(plan->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&image);
        plan->paintPlan(painter);
    }
    if (plan->planGeometry().pointCount() != PointTable::Size)
        state.SkipWithError("not every point is on the plan");
}
BENCHMARK(repaintWithNames)->Unit(benchmark::kMillisecond);

void rectangleQuery(benchmark::State &state)
{
    LoadedWindow window;
    PlanWidget *plan = window.openPlan()->plan();
    const PlanGeometry &geometry = plan->planGeometry();
    const QRect middle(
        plan->width() / 4, plan->height() / 4, plan->width() / 2, plan->height() / 2);
    qsizetype found = 0;
    for (auto _ : state)
        found = geometry.pointsIn(middle).size();
    state.counters["points"] = double(found);
}
BENCHMARK(rectangleQuery)->Unit(benchmark::kMicrosecond);

void openOnLoadedFile(benchmark::State &state)
{
    LoadedWindow window;
    for (auto _ : state) {
        PlanWindow *plan = window.openPlan();
        state.PauseTiming();
        plan->close(); // deleted on closing: the next round opens a new one
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
}
BENCHMARK(openOnLoadedFile)->Unit(benchmark::kMillisecond);

} // namespace
