#include "shell/qt_device_ui.h"

#include <utility>

#include "link/failed_lines.h"
#include "shell/dialogs/com_port_properties_dialog.h"
#include "shell/dialogs/failed_dialog.h"
#include "shell/dialogs/progress_window.h"
#include "widgets/modal.h"
#include "widgets/translated.h"

namespace k470::gui {
namespace {

QMessageBox::Icon BoxIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::kInformation:
      return QMessageBox::Information;
    case MessageIcon::kQuestion:
      return QMessageBox::Question;
    case MessageIcon::kExclamation:
      break;
  }
  return QMessageBox::Warning;
}

}  // namespace

QtDeviceUi::QtDeviceUi(AppState& state, QWidget* owner, std::string config_folder,
                       PortDiscoverer discover, std::function<void(const QString&)> set_status)
    : state_(state),
      owner_(owner),
      config_folder_(std::move(config_folder)),
      discover_(std::move(discover)),
      set_status_(std::move(set_status)) {}

QtDeviceUi::~QtDeviceUi() { delete progress_; }

QWidget* QtDeviceUi::SetOwner(QWidget* owner) { return std::exchange(owner_, owner); }

FailureChoice QtDeviceUi::ShowFailed(FailureKind kind) {
  return FailedDialog::Ask(FailedLinesFor(kind), owner_);
}

bool QtDeviceUi::ShowComPortProperties(DeviceRequest& request) {
  if (discover_) state_.port_list = discover_();
  if (!ComPortPropertiesDialog::Show(state_, request.operation, config_folder_, owner_)) {
    return false;
  }
  // The dialog keeps the user's choice in the state, for this request and the next.
  request.read_type = state_.read_settings_type;
  request.download_type = state_.download_settings_type;
  return true;
}

void QtDeviceUi::ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon,
                             MessageKind) {
  ShowMessageBox(owner_, BoxIcon(icon), Translated(caption), Translated(text));
}

bool QtDeviceUi::AskYesNo(const std::string& question, const std::string& caption,
                          const std::string&) {
  return ShowMessageBox(owner_, QMessageBox::Question, Translated(caption), Translated(question),
                        QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void QtDeviceUi::SetStatusText(const std::string& text) {
  if (set_status_) set_status_(Translated(text));
}

void QtDeviceUi::Begin(const std::string& text, const std::string& bar_text, int maximum) {
  delete progress_;
  progress_ = new ProgressWindow(owner_);
  progress_->Begin(text, bar_text, maximum);
}

void QtDeviceUi::SetPosition(int position) {
  if (progress_) progress_->SetPosition(position);
}

void QtDeviceUi::End() {
  if (!progress_) return;
  progress_->End();
  delete progress_;
}

}  // namespace k470::gui
