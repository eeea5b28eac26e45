// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Paints the engine's drawing primitives with QPainter, in frame pixels.

#include "common/drawing.hpp"

#include <QColor>

class QPainter;

namespace kalvor::gui {

QColor toQColor(Rgb colour);

// On a transparent overlay, white is the transparent colour: primitives in
// white erase to transparency instead of painting white.
enum class WhiteMeans { White, Transparent };

void paintDrawing(QPainter &painter, const Drawing &drawing, WhiteMeans white = WhiteMeans::White);

} // namespace kalvor::gui
