#include "shell/dialogs/shell_port_chooser.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <utility>

#include "link/shell_port.h"
#include "link/status_texts.h"
#include "widgets/modal.h"
#include "widgets/translated.h"

namespace k470::gui {

ShellPortChooser::ShellPortChooser(k470::AppState& state, k470::SerialPort& port,
                                   PortLister list_ports, StatusTextSink set_status,
                                   QWidget* dialog)
    : state_(state),
      port_(port),
      list_ports_(std::move(list_ports)),
      set_status_(std::move(set_status)),
      dialog_(dialog),
      label_(new QLabel(tr("USB VCOM Port :"), dialog)),
      combo_(new QComboBox(dialog)) {
  label_->setObjectName(QStringLiteral("port_chooser_label"));
  label_->setBuddy(combo_);
  combo_->setObjectName(QStringLiteral("port_chooser"));
  // Room for a good part of a by-id name; the tooltip shows all of it.
  combo_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  combo_->setMinimumContentsLength(56);
  QObject::connect(combo_, &QComboBox::currentIndexChanged, dialog, [this](int index) {
    if (index >= 0) chosen_index_ = index;
    combo_->setToolTip(combo_->currentText());
  });
  if (list_ports_) state_.port_list = list_ports_();
  Fill();
  label_->hide();
  combo_->hide();
}

bool ShellPortChooser::OpenChosenPort() {
  if (list_ports_) state_.port_list = list_ports_();
  if (set_status_) set_status_(Translated(k470::kStatusConnecting));

  // The index points into the list just rebuilt; if the list has shrunk it may
  // reach "-Select-" or beyond, which name no port and fail like a dead one.
  const auto index = static_cast<std::size_t>(chosen_index_);
  const std::string name = index < state_.port_list.size() ? state_.port_list[index] : "";
  k470::OpenFailure why = k470::OpenFailure::kCannotOpen;
  if (k470::OpenShellPort(port_, name, &why)) {
    if (set_status_) set_status_(Translated(k470::kStatusConnected));
    return true;
  }

  if (why == k470::OpenFailure::kLineSettingsRefused) {
    ShowMessageBox(dialog_, QMessageBox::NoIcon, tr("Error"),
                   tr("Error on setting communication state"));
  } else {
    ShowMessageBox(dialog_, QMessageBox::Warning, tr("Error"), tr("Can't open the COM port!"));
  }
  // Let the user see the ports as they are now.
  Fill();
  label_->show();
  combo_->show();
  RestoreStatusText();
  return false;
}

void ShellPortChooser::AddToGrid(QGridLayout& grid, int row) const {
  grid.addWidget(label_, row, 0);
  grid.addWidget(combo_, row, 1);
}

void ShellPortChooser::RestoreStatusText() {
  if (!set_status_) return;
  set_status_(
      Translated(state_.reader_present ? k470::kStatusPortOpened : k470::kStatusPortClosed));
}

void ShellPortChooser::Fill() {
  const QSignalBlocker blocker(combo_);
  combo_->clear();
  // Every record but the last, which is "-Select-".
  for (std::size_t i = 0; i + 1 < state_.port_list.size(); ++i) {
    combo_->addItem(QString::fromStdString(state_.port_list[i]));
  }
  if (chosen_index_ >= combo_->count()) chosen_index_ = 0;
  combo_->setCurrentIndex(combo_->count() > 0 ? chosen_index_ : -1);
  combo_->setToolTip(combo_->currentText());
}

}  // namespace k470::gui
