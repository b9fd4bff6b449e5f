// The error graph drawn into a recorder: frame, grid, labels and curve points.
#include "ui/errorgraph.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "tests/support/task_builder.h"
#include "tests/ui/recording_canvas.h"

namespace {

struct Graph {
    RecordingCanvas canvas;
    std::vector<CanvasPoint> points;
};

Graph Draw(const NetTask& task) {
    Graph graph;
    DrawErrorGraph(task, graph.canvas);
    graph.points = graph.canvas.MovesAfterPen(GraphCurvePen());
    return graph;
}

void SetHistory(NetTask& task, std::vector<double> values, double min, double max) {
    task.errorCount = static_cast<int32_t>(values.size());
    task.errorHistory = std::move(values);
    task.errorMin = min;
    task.errorMax = max;
}

// Tick labels under the frame (y = 302), in drawing order.
std::vector<CanvasText> TickLabels(const RecordingCanvas& canvas) {
    std::vector<CanvasText> ticks;
    for (const CanvasText& t : canvas.Texts())
        if (t.y == GraphBottom + 2) ticks.push_back(t);
    return ticks;
}

// Value labels left of the frame (x = 3), in drawing order (bottom first).
std::vector<CanvasText> ValueLabels(const RecordingCanvas& canvas) {
    std::vector<CanvasText> values;
    for (const CanvasText& t : canvas.Texts())
        if (t.x == 3) values.push_back(t);
    return values;
}

void ExpectTicks(const RecordingCanvas& canvas, int step) {
    const std::vector<CanvasText> ticks = TickLabels(canvas);
    ASSERT_EQ(ticks.size(), 10u);
    for (int k = 1; k <= 10; ++k) {
        EXPECT_EQ(ticks[k - 1].text, std::to_string(step * k)) << "tick " << k;
        EXPECT_EQ(ticks[k - 1].x, 45 + 57 * k - 7) << "tick " << k;
    }
}

// Consecutive curve points are joined by lines of the curve pen, in order.
void ExpectConnected(const Graph& graph) {
    const std::vector<CanvasOp> lines = graph.canvas.LinesWith(GraphCurvePen());
    ASSERT_EQ(lines.size() + 1, graph.points.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ((CanvasPoint{lines[i].x, lines[i].y}), graph.points[i]) << "line " << i;
        EXPECT_EQ((CanvasPoint{lines[i].x2, lines[i].y2}), graph.points[i + 1]) << "line " << i;
    }
}

}  // namespace

TEST(ErrorGraph, FrameGridPensAndFont) {
    auto task = MakeTask();
    SetHistory(*task, {0.5, 0.25, 0.125}, 0.125, 0.5);
    const Graph graph = Draw(*task);
    const std::vector<CanvasOp>& ops = graph.canvas.ops;
    ASSERT_FALSE(ops.empty());
    EXPECT_EQ(ops[0].kind, CanvasOp::Rect);
    EXPECT_EQ((std::vector<int>{ops[0].x, ops[0].y, ops[0].x2, ops[0].y2}),
              (std::vector<int>{45, 10, 618, 300}));

    const GraphPen grid = GraphGridPen();
    EXPECT_EQ(grid.style, GraphPen::Dash);
    EXPECT_EQ((std::vector<int>{grid.width, grid.red, grid.green, grid.blue}),
              (std::vector<int>{0, 240, 240, 240}));
    const GraphPen curve = GraphCurvePen();
    EXPECT_EQ(curve.style, GraphPen::Solid);
    EXPECT_EQ((std::vector<int>{curve.width, curve.red, curve.green, curve.blue}),
              (std::vector<int>{1, 0, 0, 255}));

    const std::vector<CanvasOp> lines = graph.canvas.LinesWith(grid);
    ASSERT_EQ(lines.size(), 20u);
    for (int k = 1; k <= 10; ++k) {  // vertical, from just inside the top to just inside the bottom
        const CanvasOp& v = lines[k - 1];
        EXPECT_EQ((std::vector<int>{v.x, v.y, v.x2, v.y2}),
                  (std::vector<int>{45 + 57 * k, 11, 45 + 57 * k, 299}));
    }
    for (int k = 1; k <= 10; ++k) {  // horizontal; the top edge (k = 0) gets no line
        const CanvasOp& h = lines[9 + k];
        EXPECT_EQ((std::vector<int>{h.x, h.y, h.x2, h.y2}),
                  (std::vector<int>{46, 10 + 29 * k, 617, 10 + 29 * k}));
    }
    for (const CanvasOp& op : ops) {
        if (op.kind != CanvasOp::Text) continue;
        EXPECT_EQ(op.font, (GraphFont{"Tahoma", 11, 600, true})) << op.text;
    }
}

TEST(ErrorGraph, HundredIterationsDrawOnePointPerPass) {
    // 102 recorded values; each lies half a pixel row above 2j rows over the
    // bottom, so truncation puts point j exactly at 299 - 2j.
    auto task = MakeTask();
    std::vector<double> values;
    for (int j = 0; j < 102; ++j) values.push_back(0.25 + (2 * j + 0.5) / 290.0);
    SetHistory(*task, values, 0.25, 1.25);
    const Graph graph = Draw(*task);

    ExpectTicks(graph.canvas, 57);
    ASSERT_EQ(graph.points.size(), 102u);
    for (int j = 0; j < 102; ++j)
        EXPECT_EQ(graph.points[j], (CanvasPoint{46 + j, 299 - 2 * j})) << "point " << j;
    ExpectConnected(graph);

    const std::vector<CanvasText> labels = ValueLabels(graph.canvas);
    const std::vector<std::string> texts = {"0.25000", "0.35000", "0.45000", "0.55000",
                                            "0.65000", "0.75000", "0.85000", "0.95000",
                                            "1.05000", "1.15000", "1.25000"};
    ASSERT_EQ(labels.size(), 11u);
    for (int k = 0; k <= 10; ++k) {
        EXPECT_EQ(labels[k].text, texts[k]);
        EXPECT_EQ(labels[k].y, 294 - 29 * k);
    }
}

TEST(ErrorGraph, TenThousandIterationsAverageSeventeenPassesPerColumn) {
    // 10,002 values, b = 17. Blocks alternate between a mean of 0.5 (0,1,...,0.5)
    // and a mean of 1.0 (0,2,...,1.0), so a column that mixed two blocks or
    // divided by the wrong count would land elsewhere. Values from 9724 on are
    // never drawn.
    auto task = MakeTask();
    std::vector<double> values(10002, 2.0);
    for (int p = 0; p < 572 * 17; ++p) {
        const int block = p / 17, inBlock = p % 17;
        const double high = block % 2 == 0 ? 1.0 : 2.0;
        values[p] = inBlock == 16 ? high / 2 : (inBlock % 2 == 0 ? 0.0 : high);
    }
    SetHistory(*task, values, 0.0, 2.0);
    const Graph graph = Draw(*task);

    ExpectTicks(graph.canvas, 1000);
    ASSERT_EQ(graph.points.size(), 572u);
    for (int j = 0; j < 572; ++j) {
        // 299 - trunc(25 * 2.9) and 299 - trunc(50 * 2.9)
        const int y = j % 2 == 0 ? 227 : 154;
        EXPECT_EQ(graph.points[j], (CanvasPoint{46 + j, y})) << "column " << j;
    }
    ExpectConnected(graph);
}

TEST(ErrorGraph, ThousandValuesShowOnlyTheFirst572Passes) {
    auto task = MakeTask();
    std::vector<double> values(1000, 1.0);  // passes beyond 572 would draw at the top
    for (int j = 0; j < 572; ++j) values[j] = 0.0;
    SetHistory(*task, values, 0.0, 1.0);
    const Graph graph = Draw(*task);
    ExpectTicks(graph.canvas, 99);
    ASSERT_EQ(graph.points.size(), 572u);
    EXPECT_EQ(graph.points.front(), (CanvasPoint{46, 299}));
    EXPECT_EQ(graph.points.back(), (CanvasPoint{617, 299}));
}

TEST(ErrorGraph, AsManyValuesAsColumnsLeaveTheLastOneOut) {
    auto task = MakeTask();
    std::vector<double> values(573, 0.0);
    values[572] = 1.0;
    SetHistory(*task, values, 0.0, 1.0);
    const Graph graph = Draw(*task);
    ExpectTicks(graph.canvas, 57);  // not more values than columns yet
    ASSERT_EQ(graph.points.size(), 572u);
    EXPECT_EQ(graph.points.back(), (CanvasPoint{617, 299}));
}

TEST(ErrorGraph, ValueLabelsDropAPixelWhereTheProductFallsShort) {
    // With a range of 3.7 the products for k = 3 and k = 6 come out just below
    // 87 and 174.
    auto task = MakeTask();
    SetHistory(*task, {3.7, 0.0, 1.0}, 0.0, 3.7);
    const std::vector<CanvasText> labels = ValueLabels(Draw(*task).canvas);
    std::vector<int> ys;
    for (const CanvasText& t : labels) ys.push_back(t.y);
    EXPECT_EQ(ys, (std::vector<int>{294, 265, 236, 208, 178, 149, 121, 91, 62, 33, 4}));
    EXPECT_EQ(labels.front().text, "0.00000");
    EXPECT_EQ(labels.back().text, "3.70000");
}

TEST(ErrorGraph, LabelTextsAndAccuracyLine) {
    auto task = MakeTask();
    SetHistory(*task, {0.5, 0.012345678}, 0.012345678, 0.5);
    task->accuracyPercent = 87.5;
    Graph graph = Draw(*task);
    EXPECT_EQ(ValueLabels(graph.canvas).front().text, "0.01234");  // first 7 characters

    bool found = false;
    for (const CanvasText& t : graph.canvas.Texts()) {
        if (t.text.rfind("The network", 0) != 0) continue;
        found = true;
        EXPECT_EQ(t.text, "The network is correct 87.5%");
        EXPECT_EQ(t.x, 250);
        EXPECT_EQ(t.y, 315);
    }
    EXPECT_TRUE(found);

    SetHistory(*task, {1.5, 2.5, 1.25}, 1.0, 2.5);  // every error above 1.0
    task->accuracyPercent = 100.0;
    graph = Draw(*task);
    EXPECT_EQ(ValueLabels(graph.canvas).front().text, "1.00000");
    EXPECT_EQ(graph.canvas.Texts().back().text, "The network is correct 100%");
}

TEST(ErrorGraph, EqualMaxAndMinDrawAFlatLineAtTheBottom) {
    auto task = MakeTask();
    SetHistory(*task, {0.3, 0.3, 0.3, 0.3, 0.3}, 0.3, 0.3);
    const Graph graph = Draw(*task);
    const std::vector<CanvasText> labels = ValueLabels(graph.canvas);
    ASSERT_EQ(labels.size(), 11u);
    for (int k = 0; k <= 10; ++k) {
        EXPECT_EQ(labels[k].text, "0.30000");
        EXPECT_EQ(labels[k].y, 294 - 29 * k);
    }
    ASSERT_EQ(graph.points.size(), 5u);
    for (int j = 0; j < 5; ++j) EXPECT_EQ(graph.points[j], (CanvasPoint{46 + j, 299}));
    ExpectConnected(graph);
}

TEST(ErrorGraph, NothingRecordedDrawsNoCurve) {
    auto task = MakeTask();  // program start: no history, range 0
    const Graph graph = Draw(*task);
    EXPECT_TRUE(graph.points.empty());
    EXPECT_TRUE(graph.canvas.LinesWith(GraphCurvePen()).empty());
    ExpectTicks(graph.canvas, 57);
    EXPECT_EQ(ValueLabels(graph.canvas).size(), 11u);
}

TEST(ErrorGraph, ReversedRangeStopsBeforeTheCurve) {
    auto task = MakeTask();
    SetHistory(*task, {0.5}, 1.0, -1.0);  // the range a run starts from
    const Graph graph = Draw(*task);
    EXPECT_EQ(ValueLabels(graph.canvas).size(), 11u);
    for (const CanvasText& t : graph.canvas.Texts())
        EXPECT_EQ(t.text.find("The network"), std::string::npos);
    for (const CanvasOp& op : graph.canvas.ops)
        EXPECT_FALSE(op.kind == CanvasOp::Pen && op.pen == GraphCurvePen());
}

TEST(ErrorGraph, ReadsNoValueBeyondTheRecordedOnes) {
    auto task = MakeTask();
    std::vector<double> values(200, 1.0);
    for (int j = 0; j < 102; ++j) values[j] = 0.0;
    SetHistory(*task, values, 0.0, 1.0);
    task->errorCount = 102;  // a longer history from an earlier run
    Graph graph = Draw(*task);
    ASSERT_EQ(graph.points.size(), 102u);
    for (const CanvasPoint& p : graph.points) EXPECT_EQ(p.y, 299);

    task->errorHistory.assign(40, 0.5);
    task->errorCount = 50;  // a count the history cannot back
    graph = Draw(*task);
    EXPECT_EQ(graph.points.size(), 40u);

    task->errorHistory.assign(3, std::nan(""));  // a value no scale can place
    task->errorCount = 3;
    graph = Draw(*task);
    ASSERT_EQ(graph.points.size(), 3u);
    for (const CanvasPoint& p : graph.points) {
        EXPECT_GE(p.y, GraphTop);
        EXPECT_LE(p.y, GraphBottom);
    }
}

// The logarithmic error axis: the same frame, grid and tick labels, value
// labels spaced evenly in the logarithm, and a curve whose fall over several
// orders of magnitude stays visible where the linear one lies flat.
TEST(ErrorGraph, LogarithmicAxisShowsTheFallOfALongRun) {
    auto task = MakeTask();
    constexpr int passes = 500002;  // a run of 500,000 iterations
    std::vector<double> values(passes);
    for (int p = 0; p < passes; ++p) values[p] = 1.0 / (1.0 + p);  // 1 down to 2e-6
    SetHistory(*task, values, values.back(), 1.0);

    const Graph linear = Draw(*task);
    Graph log;
    DrawErrorGraph(*task, log.canvas, ErrorAxis::Logarithmic);
    log.points = log.canvas.MovesAfterPen(GraphCurvePen());

    ExpectTicks(log.canvas, 50000);
    EXPECT_EQ(log.canvas.LinesWith(GraphGridPen()).size(), 20u);
    const std::vector<CanvasText> labels = ValueLabels(log.canvas);
    ASSERT_EQ(labels.size(), 11u);
    EXPECT_EQ(labels[0].text, "2e-06");  // errorMin at the bottom
    EXPECT_EQ(labels[10].text, "1");     // errorMax at the top
    for (int k = 0; k <= 10; ++k) EXPECT_EQ(labels[k].y, 294 - 29 * k) << k;

    // 872 passes a column; column 286 averages errors near 4e-6, the first
    // column near 8e-3.
    ASSERT_EQ(log.points.size(), 572u);
    ASSERT_EQ(linear.points.size(), 572u);
    EXPECT_GE(linear.points[286].y, 298);  // linear: flat on the bottom
    EXPECT_GT(log.points[286].y, 250);     // log: still falling, clearly above it
    EXPECT_LT(log.points[286].y, 298);
    EXPECT_GE(linear.points[0].y, 296);
    EXPECT_LT(log.points[0].y, 150);
    for (std::size_t j = 1; j < log.points.size(); ++j)
        EXPECT_GE(log.points[j].y, log.points[j - 1].y) << j;  // falling errors, falling curve
    ExpectConnected(log);
}

TEST(ErrorGraph, LogarithmicAxisPlacesZeroErrorsAtTheSmallestPositiveOne) {
    auto task = MakeTask();
    SetHistory(*task, {1.0, 0.1, 0.01, 0.0}, 0.0, 1.0);
    Graph graph;
    DrawErrorGraph(*task, graph.canvas, ErrorAxis::Logarithmic);
    graph.points = graph.canvas.MovesAfterPen(GraphCurvePen());
    ASSERT_EQ(graph.points.size(), 4u);
    EXPECT_EQ(graph.points[0].y, 9);
    EXPECT_EQ(graph.points[1].y, 154);
    EXPECT_EQ(graph.points[2].y, 299);
    EXPECT_EQ(graph.points[3].y, 299);

    // No positive error at all: drawn as the linear graph.
    SetHistory(*task, {0.0, 0.0}, 0.0, 0.0);
    Graph fallback;
    DrawErrorGraph(*task, fallback.canvas, ErrorAxis::Logarithmic);
    EXPECT_EQ(ValueLabels(fallback.canvas)[0].text, "0.00000");
    EXPECT_EQ(fallback.canvas.MovesAfterPen(GraphCurvePen()),
              Draw(*task).canvas.MovesAfterPen(GraphCurvePen()));
}
