#include "shell/window_placement.h"

namespace k470::gui {

QRect InitialGeometry(QSize screen) {
  return QRect(QPoint((screen.width() - kMainWindowSize.width()) / 2,
                      (screen.height() - kMainWindowSize.height()) / 2),
               kMainWindowSize);
}

std::optional<QRect> CorrectedGeometry(QSize window, QSize screen) {
  const QSize half(screen.width() / 2, screen.height() / 2);
  if (window.width() >= half.width() && window.height() >= half.height()) return std::nullopt;
  return QRect(InitialGeometry(screen).topLeft(), half);
}

}  // namespace k470::gui
