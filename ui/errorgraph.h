// The error graph of the last training run: frame, grid, axis labels, the
// accuracy line and the curve of pass errors, at fixed pixel positions.
#pragma once

#include "model/task.h"
#include "ui/graphcanvas.h"

// Frame of the graph in pixels of the drawing area.
constexpr int GraphLeft = 45;
constexpr int GraphTop = 10;
constexpr int GraphRight = 618;
constexpr int GraphBottom = 300;

// How pass errors map to heights: linear between errorMin and errorMax (the
// default drawing), or by their logarithm, so that a long run's fall over
// several orders of magnitude stays visible.
enum class ErrorAxis { Linear, Logarithmic };

// Reads errorHistory (the first errorCount values only), errorMax, errorMin
// and accuracyPercent. When errorMax equals errorMin the curve lies flat on
// the bottom of the frame and every vertical label shows that value.
// Logarithmic: the vertical labels are spaced evenly in the logarithm and
// show two significant digits; errors of 0 sit at the smallest positive one.
// Without any positive error it draws as Linear.
void DrawErrorGraph(const NetTask& task, GraphCanvas& canvas, ErrorAxis axis = ErrorAxis::Linear);

// The drawing objects of the graph.
GraphFont GraphLabelFont();
GraphPen GraphGridPen();
GraphPen GraphCurvePen();
