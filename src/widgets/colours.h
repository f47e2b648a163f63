#pragma once
// The station's named colours and a way to paint a label's background with one.
#include <QColor>

class QWidget;

namespace colours {
inline const QColor Black{0, 0, 0};
inline const QColor Teal{0, 128, 128};
inline const QColor MoneyGreen{192, 220, 192};
inline const QColor Olive{128, 128, 0};
inline const QColor Red{255, 0, 0};
inline const QColor Yellow{255, 255, 0};
inline const QColor Blue{0, 0, 255};

// Paints the widget's background (palette Window role) and keeps its text readable.
void setBackground(QWidget* w, const QColor& colour);
}  // namespace colours
