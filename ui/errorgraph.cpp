#include "ui/errorgraph.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <optional>

#include "model/numtext.h"
#include "ui/tasktext.h"
#include "ui/uitexts.h"

namespace {

constexpr int W = GraphRight - GraphLeft;  // 573 pixel columns
constexpr int H = GraphBottom - GraphTop;  // 290 pixel rows

// Cuts towards zero like a plain conversion, but a value that no int can hold
// (NaN or far outside the drawing) must not reach the conversion.
int TruncToInt(double value) {
    if (std::isnan(value)) return 0;
    constexpr double limit = 1.0e6;
    return static_cast<int>(std::clamp(value, -limit, limit));
}

// The logarithmic scale: log10 of the smallest positive error at the bottom,
// of errorMax at the top.
struct LogScale {
    double floor = 0.0;  // smallest positive error; smaller ones are drawn there
    double low = 0.0, high = 0.0;
};

std::optional<LogScale> LogScaleOf(const NetTask& task, std::size_t available) {
    double floor = task.errorMin > 0.0 ? task.errorMin : 0.0;
    if (floor == 0.0)
        for (std::size_t p = 0; p < available; ++p)
            if (task.errorHistory[p] > 0.0 && (floor == 0.0 || task.errorHistory[p] < floor))
                floor = task.errorHistory[p];
    if (!(floor > 0.0) || !(task.errorMax >= floor) || !std::isfinite(task.errorMax))
        return std::nullopt;
    return LogScale{floor, std::log10(floor), std::log10(task.errorMax)};
}

}  // namespace

GraphFont GraphLabelFont() {
    return GraphFont{"Tahoma", 11, 600, true};
}

GraphPen GraphGridPen() {
    return GraphPen{GraphPen::Dash, 0, 240, 240, 240};
}

GraphPen GraphCurvePen() {
    return GraphPen{GraphPen::Solid, 1, 0, 0, 255};
}

void DrawErrorGraph(const NetTask& task, GraphCanvas& canvas, ErrorAxis axis) {
    const GraphFont labelFont = GraphLabelFont();
    const GraphPen gridPen = GraphGridPen();
    const int errorCount = std::max(task.errorCount, 0);
    // Never read beyond the recorded values, even if the count and the
    // history disagree.
    const std::size_t available =
        std::min(static_cast<std::size_t>(errorCount), task.errorHistory.size());
    const std::optional<LogScale> log =
        axis == ErrorAxis::Logarithmic ? LogScaleOf(task, available) : std::nullopt;

    canvas.Rectangle(GraphLeft, GraphTop, GraphRight, GraphBottom);

    // Vertical grid lines. With more passes than pixel columns the labels are
    // iteration numbers (a run of N iterations records N + 2 values), with
    // fewer they are pixel offsets, which then equal pass numbers.
    const int sx = W / 10;
    for (int k = 1; k * sx < GraphRight; ++k) {
        const int x = k * sx;
        canvas.SelectPen(gridPen);
        canvas.MoveTo(GraphLeft + x, GraphTop + 1);
        canvas.LineTo(GraphLeft + x, GraphBottom - 1);
        canvas.SelectFont(labelFont);
        const long long label = errorCount > W ? static_cast<long long>((errorCount - 2) / 10) * k
                                               : static_cast<long long>(x);
        canvas.TextOut(GraphLeft + x - 7, GraphBottom + 2, FormatInt(label));
    }

    // Horizontal grid lines and value labels, errorMin at the bottom and
    // errorMax at the top. A range of zero has no scale: the labels then stay
    // on the grid lines and all show the one value.
    const double range = task.errorMax - task.errorMin;
    const bool flat = range == 0.0;
    const double rowScale = static_cast<double>(H) / 100.0;
    canvas.SelectPen(gridPen);
    const int sy = H / 10;
    for (int k = 0; k * sy < GraphBottom; ++k) {
        const int y = k * sy;
        canvas.MoveTo(GraphLeft + 1, GraphTop + y);
        if (y != 0) canvas.LineTo(GraphRight - 1, GraphTop + y);
        if (log) {
            const double value = std::pow(10.0, log->low + (log->high - log->low) / 10 * k);
            canvas.TextOut(3, GraphBottom - 6 - y, FormatG(value, 2));
            continue;
        }
        const double value = range / 10 * k + task.errorMin;
        const int lift =
            flat ? 10 * k * H / 100 : TruncToInt(range / 10 * k * 100 / range * rowScale);
        canvas.TextOut(3, GraphBottom - 6 - lift, FormatLf(value).substr(0, 7));
    }

    // Also stops on a NaN range: nothing below could be placed.
    if (!(range >= 0.0)) return;

    canvas.SelectFont(labelFont);
    canvas.TextOut(250, GraphBottom + 15,
                   ToUtf8(UiTexts::GraphAccuracy(FromUtf8(FormatG(task.accuracyPercent, 6)))));

    canvas.SelectPen(GraphCurvePen());
    auto rowOf = [&](double u) {
        if (log) {
            if (log->high == log->low) return GraphBottom - 1;
            const double height =
                (std::log10(std::max(u, log->floor)) - log->low) / (log->high - log->low) * H;
            return (GraphBottom - 1) - TruncToInt(height);
        }
        if (flat) return GraphBottom - 1;
        return (GraphBottom - 1) - TruncToInt((u - task.errorMin) * 100 / range * rowScale);
    };
    bool first = true;
    auto point = [&](int x, int y) {
        if (!first) canvas.LineTo(x, y);
        canvas.MoveTo(x, y);
        first = false;
    };

    if (available <= static_cast<std::size_t>(W)) {
        // One column per pass.
        for (std::size_t j = 0; j < static_cast<std::size_t>(W - 1) && j < available; ++j)
            point(GraphLeft + static_cast<int>(j) + 1, rowOf(task.errorHistory[j]));
        return;
    }
    // Several passes per column: each column shows the mean of b passes, so
    // the columns cover the first 572 * b values and later ones are not drawn.
    const std::size_t b = available / W;
    for (std::size_t j = 0; j < static_cast<std::size_t>(W - 1); ++j) {
        const std::size_t from = j * b;
        const std::size_t to = std::min((j + 1) * b, available);
        if (from >= to) break;
        double sum = 0.0;
        for (std::size_t p = from; p < to; ++p) sum += task.errorHistory[p];
        point(GraphLeft + static_cast<int>(j) + 1, rowOf(sum / static_cast<double>(to - from)));
    }
}
