#include "ui/paintercanvas.h"

#include <QFont>
#include <QFontMetrics>
#include <QPen>
#include <QString>

PainterCanvas::PainterCanvas(QPainter& painter) : m_painter(painter) {
    m_painter.setPen(QPen(Qt::black, 0));
    m_painter.setBrush(Qt::white);
}

void PainterCanvas::Rectangle(int left, int top, int right, int bottom) {
    // The outline covers left..right-1 and top..bottom-1.
    m_painter.drawRect(left, top, right - left - 1, bottom - top - 1);
}

void PainterCanvas::MoveTo(int x, int y) {
    m_position = QPoint(x, y);
}

void PainterCanvas::LineTo(int x, int y) {
    const QPoint to(x, y);
    m_painter.drawLine(m_position, to);
    m_position = to;
}

void PainterCanvas::TextOut(int x, int y, const std::string& text) {
    // Text takes the default colour whatever pen draws the lines.
    const QPen linePen = m_painter.pen();
    m_painter.setPen(Qt::black);
    const QFontMetrics metrics(m_painter.font());
    m_painter.drawText(QPoint(x, y + metrics.ascent()), QString::fromStdString(text));
    m_painter.setPen(linePen);
}

void PainterCanvas::SelectPen(const GraphPen& pen) {
    QPen qpen(QColor(pen.red, pen.green, pen.blue), pen.width);
    qpen.setStyle(pen.style == GraphPen::Dash ? Qt::DashLine : Qt::SolidLine);
    m_painter.setPen(qpen);
}

void PainterCanvas::SelectFont(const GraphFont& font) {
    // Where the face is missing, a narrow sans keeps the labels about as wide
    // as they were meant to be.
    QFont qfont;
    qfont.setFamilies({QString::fromStdString(font.face), QStringLiteral("DejaVu Sans Condensed"),
                       QStringLiteral("Nimbus Sans Narrow")});
    qfont.setPixelSize(font.height);
    qfont.setWeight(static_cast<QFont::Weight>(font.weight));
    if (font.roman) qfont.setStyleHint(QFont::Serif);
    m_painter.setFont(qfont);
}
