// Measuring text the way Canvas::draw_text lays it out, without drawing: the
// size of the block a text takes in a box of a given width, with the same
// flags (word breaks, mnemonic ampersands, single line).
#pragma once

#include <QSize>
#include <QString>

#include "platform/font_spec.h"

namespace tuner {

// Width and height of `text` drawn by Canvas::draw_text with `flags` into a
// box `box_width` pixels wide (negative counts as 0). With word breaks the
// text wraps at words; a word longer than the box makes the block wider.
// Carriage return / line feed pairs break lines. Empty text gives 0 x 0.
QSize measure_text(const QString& text, const FontSpec& font, int box_width, unsigned flags);

}  // namespace tuner
