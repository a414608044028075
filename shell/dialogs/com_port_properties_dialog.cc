#include "shell/dialogs/com_port_properties_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>
#include <vector>

#include "link/com_port_settings.h"
#include "link/port_choice.h"
#include "link/port_discovery.h"
#include "widgets/modal.h"
#include "widgets/ok_cancel_buttons.h"

namespace k470::gui {
namespace {

struct LineList {
  const char* label_id;
  const char* label;
  const char* list_id;
  const std::vector<std::string>& (*texts)();
};

// In the order of the line settings; the labels and lists stay hidden, so the
// values the dialog was opened with are the values Ok stores.
const std::array<LineList, 5> kLineLists = {{
    {"1256", QT_TRANSLATE_NOOP("k470::gui::ComPortPropertiesDialog", "Baud rate :"), "401",
     &k470::BaudRateTexts},
    {"1257", QT_TRANSLATE_NOOP("k470::gui::ComPortPropertiesDialog", "Data bits :"), "402",
     &k470::DataBitsTexts},
    {"1258", QT_TRANSLATE_NOOP("k470::gui::ComPortPropertiesDialog", "Parity :"), "403",
     &k470::ParityTexts},
    {"1259", QT_TRANSLATE_NOOP("k470::gui::ComPortPropertiesDialog", "Stop Bit :"), "404",
     &k470::StopBitsTexts},
    {"1260", QT_TRANSLATE_NOOP("k470::gui::ComPortPropertiesDialog", "Flow control :"), "405",
     &k470::FlowControlTexts},
}};

std::array<int, 5> IndexesOf(const k470::LineSettings& s) {
  return {s.baud_index, s.data_bits_index, s.parity_index, s.stop_bits_index, s.flow_control_index};
}

k470::LineSettings SettingsOf(const std::array<int, 5>& i) {
  return {i[0], i[1], i[2], i[3], i[4]};
}

}  // namespace

ComPortPropertiesDialog::ComPortPropertiesDialog(k470::AppState& state,
                                                 k470::DeviceOperation operation,
                                                 std::string config_folder, QWidget* parent)
    : QDialog(parent),
      state_(state),
      operation_(operation),
      config_folder_(std::move(config_folder)),
      port_(new QComboBox(this)),
      read_current_(new QRadioButton(tr("Current Settings"), this)),
      read_user_defined_(new QRadioButton(tr("User Defined Settings"), this)),
      download_current_(new QCheckBox(tr("Current Settings"), this)),
      download_user_defined_(new QCheckBox(tr("User Defined Settings"), this)),
      ok_(nullptr) {
  setWindowTitle(tr("COM Port Properties"));

  // Port: the discovered ports to pick from, or any path typed in, up to the
  // length of a device path. By-id names are long: the field shows a good
  // part of one and its tooltip the whole name.
  auto* port_label = new QLabel(tr("COM port :"), this);
  port_label->setObjectName(QStringLiteral("1255"));
  port_label->setBuddy(port_);
  port_->setObjectName(QStringLiteral("201"));
  port_->setEditable(true);
  port_->setInsertPolicy(QComboBox::NoInsert);
  port_->lineEdit()->setMaxLength(static_cast<int>(k470::kMaxPortNameLength));
  // Typing goes to the list's own edit, which a screen reader names apart.
  port_->lineEdit()->setAccessibleName(port_label->text());
  port_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  port_->setMinimumContentsLength(56);
  connect(port_, &QComboBox::editTextChanged, port_, &QComboBox::setToolTip);
  for (const std::string& name : state_.port_list) {
    if (name != k470::kNoPortRecord) port_->addItem(QString::fromStdString(name));
  }
  const QString initial =
      QString::fromStdString(k470::ConfiguredOrFirstPort(state_.configured_port, state_.port_list));
  port_->setCurrentIndex(port_->findText(initial));
  port_->setEditText(initial);

  // Line settings, carried but hidden.
  auto* line_group = new QGroupBox(this);
  line_group->setObjectName(QStringLiteral("1261"));
  auto* line_grid = new QGridLayout(line_group);
  const std::array<int, 5> indexes = IndexesOf(state_.line_settings);
  for (std::size_t i = 0; i < kLineLists.size(); ++i) {
    auto* label = new QLabel(tr(kLineLists[i].label), line_group);
    label->setObjectName(QString::fromLatin1(kLineLists[i].label_id));
    auto* list = new QComboBox(line_group);
    list->setObjectName(QString::fromLatin1(kLineLists[i].list_id));
    const std::vector<std::string>& texts = kLineLists[i].texts();
    for (std::size_t code = 0; code < texts.size(); ++code) {
      list->addItem(QString::fromStdString(texts[code]), static_cast<int>(code));
    }
    list->setCurrentIndex(std::clamp(indexes[i], 0, list->count() - 1));
    line_grid->addWidget(label, static_cast<int>(i), 0);
    line_grid->addWidget(list, static_cast<int>(i), 1);
    label->hide();
    list->hide();
    line_lists_[i] = list;
  }
  line_group->hide();

  // Settings Type.
  auto* type_group = new QGroupBox(tr("Settings Type"), this);
  type_group->setObjectName(QStringLiteral("1195"));
  auto* type_layout = new QVBoxLayout(type_group);
  read_current_->setObjectName(QStringLiteral("601"));
  read_user_defined_->setObjectName(QStringLiteral("602"));
  download_current_->setObjectName(QStringLiteral("301"));
  download_user_defined_->setObjectName(QStringLiteral("302"));
  for (QWidget* choice : std::initializer_list<QWidget*>{
           read_current_, read_user_defined_, download_current_, download_user_defined_}) {
    choice->setParent(type_group);
    type_layout->addWidget(choice);
  }

  const OkCancelButtons buttons = MakeOkCancelButtons(this, tr("Ok"));
  ok_ = buttons.ok;

  switch (operation_) {
    case k470::DeviceOperation::kReadSettings: {
      download_current_->hide();
      download_user_defined_->hide();
      const bool user_defined = state_.read_settings_type == k470::ReadSettingsType::kUserDefined;
      (user_defined ? read_user_defined_ : read_current_)->setChecked(true);
      break;
    }
    case k470::DeviceOperation::kDownloadSettings: {
      read_current_->hide();
      read_user_defined_->hide();
      const k470::DownloadSettingsType type = state_.download_settings_type;
      download_current_->setChecked(type != k470::DownloadSettingsType::kUserDefined);
      download_user_defined_->setChecked(type != k470::DownloadSettingsType::kCurrent);
      connect(download_current_, &QCheckBox::clicked, this,
              &ComPortPropertiesDialog::UpdateOkForDownload);
      connect(download_user_defined_, &QCheckBox::clicked, this,
              &ComPortPropertiesDialog::UpdateOkForDownload);
      UpdateOkForDownload();
      break;
    }
    default:
      // The settings type means nothing to the other operations.
      download_current_->hide();
      download_user_defined_->hide();
      type_group->setEnabled(false);
      break;
  }

  auto* port_row = new QHBoxLayout;
  port_row->addWidget(port_label);
  port_row->addWidget(port_, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(port_row);
  layout->addWidget(line_group);
  layout->addWidget(type_group);
  layout->addLayout(buttons.row);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

bool ComPortPropertiesDialog::Show(k470::AppState& state, k470::DeviceOperation operation,
                                   const std::string& config_folder, QWidget* parent) {
  ComPortPropertiesDialog dialog(state, operation, config_folder, parent);
  return ExecDialog(dialog) == QDialog::Accepted;
}

void ComPortPropertiesDialog::accept() {
  const std::string port = PortFieldText();
  state_.port_in_use = port;

  std::array<int, 5> indexes{};
  for (std::size_t i = 0; i < line_lists_.size(); ++i) {
    indexes[i] = line_lists_[i]->currentData().toInt();
  }
  state_.line_settings = SettingsOf(indexes);

  if (operation_ == k470::DeviceOperation::kReadSettings) {
    state_.read_settings_type = read_user_defined_->isChecked()
                                    ? k470::ReadSettingsType::kUserDefined
                                    : k470::ReadSettingsType::kCurrent;
  } else if (operation_ == k470::DeviceOperation::kDownloadSettings) {
    const bool current = download_current_->isChecked();
    const bool user_defined = download_user_defined_->isChecked();
    state_.download_settings_type = current && user_defined ? k470::DownloadSettingsType::kBoth
                                    : user_defined ? k470::DownloadSettingsType::kUserDefined
                                                   : k470::DownloadSettingsType::kCurrent;
    state_.read_settings_type = k470::ReadSettingsType::kCurrent;
  }

  // The port is used for this run even when it cannot be remembered.
  state_.configured_port = port;
  static_cast<void>(k470::WriteConfiguredPort(config_folder_, port));
  QDialog::accept();
}

void ComPortPropertiesDialog::UpdateOkForDownload() {
  ok_->setEnabled(download_current_->isChecked() || download_user_defined_->isChecked());
}

std::string ComPortPropertiesDialog::PortFieldText() const {
  // An empty field, like the "-Select-" record, names no port: the open that
  // follows fails and the driver offers "Failed!" again.
  const std::string text = port_->currentText().trimmed().toStdString();
  return text == k470::kNoPortRecord ? std::string() : text;
}

}  // namespace k470::gui
