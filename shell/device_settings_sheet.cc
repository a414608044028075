#include "shell/device_settings_sheet.h"

#include <QDialogButtonBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "widgets/modal.h"

namespace k470::gui {
namespace {

// Room for the largest page, so the sheet does not grow when a later tab is
// created for the first time.
constexpr QSize kPageAreaSize(640, 480);

}  // namespace

DeviceSettingsSheet::DeviceSettingsSheet(AppState& state, std::vector<PageEntry> pages,
                                         DeviceOperationRunner runner, QWidget* parent)
    : QDialog(parent),
      state_(state),
      entries_(std::move(pages)),
      runner_(std::move(runner)),
      tabs_(new QTabWidget(this)),
      pages_(entries_.size(), nullptr) {
  setWindowTitle(QStringLiteral("Device Settings"));
  setModal(true);

  tabs_->setMinimumSize(kPageAreaSize);
  for (const PageEntry& entry : entries_) {
    auto* holder = new QWidget;
    auto* layout = new QVBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    holders_.push_back(layout);
    tabs_->addTab(holder, entry.title);
  }

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &DeviceSettingsSheet::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &DeviceSettingsSheet::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_);
  layout->addWidget(buttons);

  // The first tab is shown as the sheet opens.
  if (!entries_.empty()) EnsurePage(0);
  connect(tabs_, &QTabWidget::currentChanged, this, &DeviceSettingsSheet::EnsurePage);
}

void DeviceSettingsSheet::EnsurePage(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= entries_.size() || pages_[index]) return;
  std::unique_ptr<SettingsPage> page = entries_[index].create(state_, *this);
  if (!page) return;
  pages_[index] = page.get();
  holders_[index]->addWidget(page.release());  // the tab owns it from here
}

SettingsPage* DeviceSettingsSheet::CreatedPage(PageId id) const {
  const auto index = static_cast<std::size_t>(id);
  return index < pages_.size() ? pages_[index] : nullptr;
}

bool DeviceSettingsSheet::RunDeviceOperation(DeviceOperation operation,
                                             const std::string& clock_command) {
  return runner_ ? runner_(operation, clock_command) : false;
}

void DeviceSettingsSheet::accept() {
  for (SettingsPage* page : pages_) {
    if (page) page->Apply();
  }
  QDialog::accept();
}

void DeviceSettingsSheet::reject() {
  const int current = tabs_->currentIndex();
  if (current >= 0 && pages_[current] && !pages_[current]->QueryCancel()) return;
  QDialog::reject();
}

void OpenDeviceSettings(AppState& state, QWidget* owner, const std::vector<PageEntry>& pages,
                        const DeviceOperationRunner& runner) {
  DeviceSettingsSheet sheet(state, pages, runner, owner);
  ExecDialog(sheet);
}

}  // namespace k470::gui
