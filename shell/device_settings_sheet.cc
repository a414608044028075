#include "shell/device_settings_sheet.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <chrono>

#include "link/clock_command.h"
#include "widgets/dialog_button_ids.h"
#include "widgets/modal.h"
#include "widgets/named_controls.h"

namespace k470::gui {
namespace {

// Room for the largest page, so the sheet does not grow when a later tab is
// created for the first time.
constexpr QSize kPageAreaSize(640, 480);

// The widgets inside `page` that Tab can stop at, in the order of its focus chain.
std::vector<QWidget*> TabStopsIn(QWidget& page) {
  std::vector<QWidget*> stops;
  for (QWidget* w = page.nextInFocusChain(); w != &page; w = w->nextInFocusChain()) {
    if (page.isAncestorOf(w) && w->focusPolicy() != Qt::NoFocus && w->focusProxy() == nullptr) {
      stops.push_back(w);
    }
  }
  return stops;
}

}  // namespace

DeviceSettingsSheet::DeviceSettingsSheet(AppState& state, std::vector<PageEntry> pages,
                                         SheetServices services, QWidget* parent)
    : QDialog(parent),
      state_(state),
      entries_(std::move(pages)),
      services_(std::move(services)),
      tabs_(new QTabWidget(this)),
      pages_(entries_.size(), nullptr) {
  setWindowTitle(tr("Device Settings"));
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
  Named(buttons->button(QDialogButtonBox::Ok), dialog_button_ids::kOk);
  Named(buttons->button(QDialogButtonBox::Cancel), dialog_button_ids::kCancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &DeviceSettingsSheet::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &DeviceSettingsSheet::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_);
  layout->addWidget(buttons);

  // The first tab is shown as the sheet opens.
  if (!entries_.empty()) EnsurePage(0);
  connect(tabs_, &QTabWidget::currentChanged, this, &DeviceSettingsSheet::EnsurePage);
}

DeviceSettingsSheet::~DeviceSettingsSheet() {
  // ~QWidget would delete the tabs only after ~SheetContext has run.
  for (auto page = pages_.rbegin(); page != pages_.rend(); ++page) {
    SettingsPage* doomed = *page;
    *page = nullptr;  // CreatedPage no longer hands it out
    delete doomed;
  }
}

void DeviceSettingsSheet::EnsurePage(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= entries_.size() || pages_[index]) return;
  std::unique_ptr<SettingsPage> page = entries_[index].create(state_, *this);
  if (!page) return;
  pages_[index] = page.get();
  holders_[index]->addWidget(page.release());  // the tab owns it from here
  // Made after OK and Cancel, the page joins the focus chain behind them: its
  // controls move to right after the tab bar, so that Tab goes from the tabs
  // through the page to OK and Cancel. Pages made before it follow it there,
  // hidden, and Tab passes them by.
  QWidget* previous = tabs_->tabBar();
  for (QWidget* stop : TabStopsIn(*pages_[index])) {
    QWidget::setTabOrder(previous, stop);
    previous = stop;
  }
  // An explicit minimum size overrides what the layout asks for, so it must
  // grow with a page that needs more than the usual page area.
  tabs_->setMinimumSize(kPageAreaSize.expandedTo(tabs_->minimumSizeHint()));
}

SettingsPage* DeviceSettingsSheet::CreatedPage(PageId id) const {
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (entries_[i].id == id) return pages_[i];
  }
  return nullptr;
}

ClockTime DeviceSettingsSheet::LocalTime() const {
  return services_.local_time ? services_.local_time()
                              : LocalClockTime(std::chrono::system_clock::now());
}

void DeviceSettingsSheet::SetReaderClock(const ClockTime& time) {
  if (services_.set_reader_clock) services_.set_reader_clock(time, this);
}

void DeviceSettingsSheet::accept() {
  for (SettingsPage* page : pages_) {
    if (page) page->Apply();
  }
  QDialog::accept();
}

void DeviceSettingsSheet::reject() {
  const int current = tabs_->currentIndex();
  if (current >= 0 && pages_[current]) pages_[current]->OnCancel();
  QDialog::reject();
}

void OpenDeviceSettings(AppState& state, QWidget* owner, const std::vector<PageEntry>& pages,
                        const SheetServices& services) {
  DeviceSettingsSheet sheet(state, pages, services, owner);
  ExecDialog(sheet);
}

}  // namespace k470::gui
