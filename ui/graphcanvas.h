// What the error graph needs from a drawing surface: a frame rectangle, pen
// moves and lines, text at a top-left corner, and pen and font selection.
// Coordinates are pixels of the drawing area. Qt-free, so the graph can be
// drawn into a recorder in tests and into a QPainter on screen.
#pragma once

#include <cstdint>
#include <string>

struct GraphPen {
    enum Style { Solid, Dash };
    Style style = Solid;
    int width = 1;  // 0 means the thinnest line the device draws
    uint8_t red = 0, green = 0, blue = 0;
    bool operator==(const GraphPen&) const = default;
};

struct GraphFont {
    std::string face;
    int height = 0;  // character cell height in pixels
    int weight = 400;
    bool roman = false;  // serif family as a fallback when the face is missing
    bool operator==(const GraphFont&) const = default;
};

class GraphCanvas {
  public:
    virtual ~GraphCanvas() = default;
    // Outline and fill of the surface's defaults; right and bottom are exclusive.
    virtual void Rectangle(int left, int top, int right, int bottom) = 0;
    virtual void MoveTo(int x, int y) = 0;
    // Line from the current position to (x, y), which becomes the current position.
    virtual void LineTo(int x, int y) = 0;
    // Text (UTF-8) with its top-left corner at (x, y).
    virtual void TextOut(int x, int y, const std::string& text) = 0;
    virtual void SelectPen(const GraphPen& pen) = 0;
    virtual void SelectFont(const GraphFont& font) = 0;
};
