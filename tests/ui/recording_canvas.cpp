#include "tests/ui/recording_canvas.h"

void RecordingCanvas::Rectangle(int left, int top, int right, int bottom) {
    ops.push_back({CanvasOp::Rect, left, top, right, bottom, {}, pen_, font_});
}

void RecordingCanvas::MoveTo(int x, int y) {
    ops.push_back({CanvasOp::Move, x, y, 0, 0, {}, pen_, font_});
    x_ = x;
    y_ = y;
}

void RecordingCanvas::LineTo(int x, int y) {
    ops.push_back({CanvasOp::Line, x_, y_, x, y, {}, pen_, font_});
    x_ = x;
    y_ = y;
}

void RecordingCanvas::TextOut(int x, int y, const std::string& text) {
    ops.push_back({CanvasOp::Text, x, y, 0, 0, text, pen_, font_});
}

void RecordingCanvas::SelectPen(const GraphPen& pen) {
    pen_ = pen;
    ops.push_back({CanvasOp::Pen, 0, 0, 0, 0, {}, pen_, font_});
}

void RecordingCanvas::SelectFont(const GraphFont& font) {
    font_ = font;
    ops.push_back({CanvasOp::Font, 0, 0, 0, 0, {}, pen_, font_});
}

std::vector<CanvasText> RecordingCanvas::Texts() const {
    std::vector<CanvasText> texts;
    for (const CanvasOp& op : ops)
        if (op.kind == CanvasOp::Text) texts.push_back({op.x, op.y, op.text});
    return texts;
}

std::vector<CanvasOp> RecordingCanvas::LinesWith(const GraphPen& pen) const {
    std::vector<CanvasOp> lines;
    for (const CanvasOp& op : ops)
        if (op.kind == CanvasOp::Line && op.pen == pen) lines.push_back(op);
    return lines;
}

std::vector<CanvasPoint> RecordingCanvas::MovesAfterPen(const GraphPen& pen) const {
    std::vector<CanvasPoint> points;
    bool selected = false;
    for (const CanvasOp& op : ops) {
        if (op.kind == CanvasOp::Pen && op.pen == pen) selected = true;
        if (selected && op.kind == CanvasOp::Move) points.push_back({op.x, op.y});
    }
    return points;
}
