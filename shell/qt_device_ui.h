// The device-operations driver's way to the user in the program: the
// "Failed!" and "COM Port Properties" dialogs, message boxes, the main
// window's status bar and the "Progress" window.
#pragma once

#include <QPointer>
#include <QString>
#include <functional>
#include <string>

#include "core/app_state.h"
#include "link/device_driver.h"
#include "link/device_ui.h"

class QWidget;

namespace k470::gui {

class ProgressWindow;

class QtDeviceUi : public DeviceUi {
 public:
  // `owner` parents every dialog; `discover` rebuilds the port list before the
  // COM Port Properties dialog offers it; `set_status` writes the status bar
  // and paints it at once. `state` and `owner` must outlive this object.
  QtDeviceUi(AppState& state, QWidget* owner, std::string config_folder, PortDiscoverer discover,
             std::function<void(const QString&)> set_status);
  ~QtDeviceUi() override;

  // Makes `owner` the parent of the dialogs from now on; returns the previous
  // one. The sheet takes them over while a page runs an operation.
  QWidget* SetOwner(QWidget* owner);

  FailureChoice ShowFailed(FailureKind kind) override;
  bool ShowComPortProperties(DeviceRequest& request) override;
  void ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon,
                   MessageKind kind) override;
  bool AskYesNo(const std::string& question, const std::string& caption,
                const std::string& failure) override;
  void SetStatusText(const std::string& text) override;

  // The "Progress" window exists from Begin to End as a child of the dialogs'
  // owner; should that owner be deleted first, the window goes with it.
  void Begin(const std::string& text, const std::string& bar_text, int maximum) override;
  void SetPosition(int position) override;
  void End() override;

 private:
  AppState& state_;
  QWidget* owner_;
  std::string config_folder_;
  PortDiscoverer discover_;
  std::function<void(const QString&)> set_status_;
  QPointer<ProgressWindow> progress_;  // owned by its parent
};

}  // namespace k470::gui
