// Colours derived from a widget's palette, for the parts the program paints
// itself: they follow light and dark themes instead of assuming white paper.
#pragma once

#include <QColor>

namespace k470::gui {

// The colour `fraction` (0 to 1) of the way from `from` to `to`, channel by
// channel; a grey between a palette's paper and ink.
QColor Blend(const QColor& from, const QColor& to, double fraction);

// The contrast ratio of two opaque colours by their relative luminance, from
// 1 (the same) to 21 (black on white).
double ContrastRatio(const QColor& a, const QColor& b);

// `wanted` when it stands out from `background` by at least `ratio`, else the
// nearest blend of it toward `toward` that does (`toward` itself at worst).
QColor Readable(const QColor& wanted, const QColor& background, const QColor& toward, double ratio);

}  // namespace k470::gui
