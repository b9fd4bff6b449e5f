// Draws the graph canvas operations with a QPainter. Starts like a fresh
// window context: black outline, white fill, black text.
#pragma once

#include <QPainter>
#include <QPoint>

#include "ui/graphcanvas.h"

class PainterCanvas : public GraphCanvas {
  public:
    explicit PainterCanvas(QPainter& painter);

    void Rectangle(int left, int top, int right, int bottom) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void TextOut(int x, int y, const std::string& text) override;
    void SelectPen(const GraphPen& pen) override;
    void SelectFont(const GraphFont& font) override;

  private:
    QPainter& m_painter;
    QPoint m_position;
};
