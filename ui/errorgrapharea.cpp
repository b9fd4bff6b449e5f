#include "ui/errorgrapharea.h"

#include <QPainter>

#include "ui/paintercanvas.h"

namespace {
// Room for the frame, the tick labels under it and the accuracy line.
constexpr int AreaWidth = GraphRight + 44;
constexpr int AreaHeight = GraphBottom + 36;
}  // namespace

ErrorGraphArea::ErrorGraphArea(QWidget* parent) : QWidget(parent) {}

void ErrorGraphArea::SetTask(const NetTask* task) {
    m_task = task;
    update();
}

void ErrorGraphArea::SetErrorAxis(ErrorAxis axis) {
    m_axis = axis;
    update();
}

QSize ErrorGraphArea::sizeHint() const {
    return QSize(AreaWidth, AreaHeight);
}

QSize ErrorGraphArea::minimumSizeHint() const {
    return sizeHint();
}

void ErrorGraphArea::paintEvent(QPaintEvent*) {
    if (!m_task) return;
    // Every paint starts from the current record, so the graph always shows
    // the last training run.
    QPainter painter(this);
    PainterCanvas canvas(painter);
    DrawErrorGraph(*m_task, canvas, m_axis);
}
