#pragma once
// Calls a bound event routine, unless the error count has stopped events.

#include <QMouseEvent>

#include "runtime/window/error_count.h"
#include "runtime/window/form.h"

inline void DeliverEvent(void (*routine)()) {
  if (routine && !EventsStopped()) routine();
}

// A press of the left button, at its position in the control's client area
// (inside any border).
inline void DeliverLeftButtonPressed(const ControlEvents* events, const QMouseEvent& press, QPoint clientOrigin) {
  if (!events || !events->leftButtonPressed || press.button() != Qt::LeftButton || EventsStopped()) return;
  const QPoint at = press.position().toPoint() - clientOrigin;
  const Qt::KeyboardModifiers keys = press.modifiers();
  const int keyState = (keys & Qt::ControlModifier ? 1 : 0) | (keys & Qt::ShiftModifier ? 2 : 0) |
                       (keys & Qt::AltModifier ? 4 : 0);
  events->leftButtonPressed(at.x(), at.y(), keyState);
}
