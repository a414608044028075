// The hidden "USB VCOM Port :" chooser that BT PIN Code and Upload Memory Data
// share, and the way both open the shell port with it: the chooser appears
// only after an open has failed, so the user can pick another port.
#pragma once

#include <QCoreApplication>
#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "core/app_state.h"
#include "link/serial_port.h"

class QComboBox;
class QGridLayout;
class QLabel;
class QWidget;

namespace k470::gui {

// Rebuilds the port list (in the program: DiscoverPorts).
using PortLister = std::function<std::vector<std::string>()>;
// Puts a text into the main window's status bar.
using StatusTextSink = std::function<void(const QString&)>;

class ShellPortChooser {
  Q_DECLARE_TR_FUNCTIONS(ShellPortChooser)

 public:
  // Creates the label and combo box as children of `dialog`, both hidden, and
  // fills the combo box from a freshly rebuilt port list.
  ShellPortChooser(k470::AppState& state, k470::SerialPort& port, PortLister list_ports,
                   StatusTextSink set_status, QWidget* dialog);
  // The combo box reports to this object; it stays where it was made.
  ShellPortChooser(const ShellPortChooser&) = delete;
  ShellPortChooser& operator=(const ShellPortChooser&) = delete;

  QLabel* label() const { return label_; }
  QComboBox* combo() const { return combo_; }
  // Puts the label and the combo box into the first two columns of `row`.
  void AddToGrid(QGridLayout& grid, int row) const;

  // The index into the port list that an OK opens; 0 when the dialog opens.
  int chosen_index() const { return chosen_index_; }

  // Rebuilds the port list and opens the record at the chosen index as the
  // shell port. On failure tells the user, shows the chooser, puts the
  // presence text back into the status bar and returns false.
  bool OpenChosenPort();

  // "USB VCOM is opened..." or "USB VCOM is closed...", by the presence flag.
  void RestoreStatusText();

 private:
  // The combo box lists every port of the port list except "-Select-".
  void Fill();

  k470::AppState& state_;
  k470::SerialPort& port_;
  PortLister list_ports_;
  StatusTextSink set_status_;
  QWidget* dialog_;
  QLabel* label_;
  QComboBox* combo_;
  int chosen_index_ = 0;
};

}  // namespace k470::gui
