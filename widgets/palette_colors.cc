#include "widgets/palette_colors.h"

#include <algorithm>
#include <cmath>

namespace k470::gui {
namespace {

double Luminance(const QColor& color) {
  const auto linear = [](double channel) {
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * linear(color.redF()) + 0.7152 * linear(color.greenF()) +
         0.0722 * linear(color.blueF());
}

}  // namespace

QColor Blend(const QColor& from, const QColor& to, double fraction) {
  const auto channel = [fraction](int a, int b) {
    return static_cast<int>(std::lround(a + (b - a) * fraction));
  };
  return QColor(channel(from.red(), to.red()), channel(from.green(), to.green()),
                channel(from.blue(), to.blue()));
}

double ContrastRatio(const QColor& a, const QColor& b) {
  const double la = Luminance(a);
  const double lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor Readable(const QColor& wanted, const QColor& background, const QColor& toward,
                double ratio) {
  constexpr int kSteps = 20;
  for (int step = 0; step < kSteps; ++step) {
    const QColor candidate = Blend(wanted, toward, static_cast<double>(step) / kSteps);
    if (ContrastRatio(candidate, background) >= ratio) return candidate;
  }
  return toward;
}

}  // namespace k470::gui
