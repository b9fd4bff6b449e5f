// A graph canvas that records every operation, for checking coordinates,
// texts, pens and fonts of a drawing.
#pragma once

#include <string>
#include <vector>

#include "ui/graphcanvas.h"

struct CanvasOp {
    enum Kind { Rect, Move, Line, Text, Pen, Font };
    Kind kind = Move;
    int x = 0, y = 0;    // Rect: left, top; Line: from; Move, Text: the point
    int x2 = 0, y2 = 0;  // Rect: right, bottom; Line: to
    std::string text;
    GraphPen pen;    // the pen selected when the op ran
    GraphFont font;  // the font selected when the op ran
};

struct CanvasText {
    int x, y;
    std::string text;
};

struct CanvasPoint {
    int x, y;
    bool operator==(const CanvasPoint&) const = default;
};

class RecordingCanvas : public GraphCanvas {
  public:
    std::vector<CanvasOp> ops;

    void Rectangle(int left, int top, int right, int bottom) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void TextOut(int x, int y, const std::string& text) override;
    void SelectPen(const GraphPen& pen) override;
    void SelectFont(const GraphFont& font) override;

    std::vector<CanvasText> Texts() const;
    std::vector<CanvasOp> LinesWith(const GraphPen& pen) const;
    // Points visited after the first selection of pen: each MoveTo from then on.
    std::vector<CanvasPoint> MovesAfterPen(const GraphPen& pen) const;

  private:
    GraphPen pen_;
    GraphFont font_;
    int x_ = 0, y_ = 0;
};
