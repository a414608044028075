// The main window's client area: the picture of the reader and, in red, the
// identity of the last reader that answered ("NA" until one has), on the
// palette's base colour. The text is never smaller than the widget's font.
#pragma once

#include <QPixmap>
#include <QWidget>

#include "core/app_state.h"

namespace k470::gui {

inline constexpr char kDeviceInfoTitle[] =
    QT_TRANSLATE_NOOP("k470::gui::DeviceInfoPanel", "====== K470 DEVICE INFORMATION ======");

class DeviceInfoPanel : public QWidget {
  Q_OBJECT

 public:
  explicit DeviceInfoPanel(const DeviceInfo& info, QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const DeviceInfo& info_;
  QPixmap picture_;
};

}  // namespace k470::gui
