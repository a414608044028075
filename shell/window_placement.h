// Where the main window opens and where it goes back to when the user makes
// it too small.
#pragma once

#include <QRect>
#include <QSize>
#include <optional>

namespace k470::gui {

inline constexpr QSize kMainWindowSize(1200, 700);

// 1200 x 700, centred on a screen of `screen` size.
QRect InitialGeometry(QSize screen);

// A window narrower than half the screen or lower than half the screen goes
// back to the centred position of InitialGeometry, sized to half the screen in
// both directions. nullopt when `window` may stay as it is.
std::optional<QRect> CorrectedGeometry(QSize window, QSize screen);

}  // namespace k470::gui
