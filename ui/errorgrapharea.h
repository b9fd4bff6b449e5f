// The drawing area of the error graph dialog: paints DrawErrorGraph of the
// task it is given at the graph's fixed pixel positions, unscaled.
#pragma once

#include <QWidget>

#include "model/task.h"
#include "ui/errorgraph.h"

class ErrorGraphArea : public QWidget {
    Q_OBJECT
  public:
    explicit ErrorGraphArea(QWidget* parent = nullptr);
    // The task whose last training run is shown; nothing is drawn without one.
    void SetTask(const NetTask* task);
    // Linear (the default) or logarithmic error axis; repaints.
    void SetErrorAxis(ErrorAxis axis);
    ErrorAxis GetErrorAxis() const { return m_axis; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const NetTask* m_task = nullptr;
    ErrorAxis m_axis = ErrorAxis::Linear;
};
