#include "tests/gui/support/probe_pages.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace k470::gui::testing {

ProbePage::ProbePage(QString name, QStringList& log, SheetContext& context)
    : name_(std::move(name)), log_(log), context_(context) {
  log_ << "created " + name_;
  auto* clock = new QPushButton(QStringLiteral("Clock"), this);
  clock->setObjectName(QStringLiteral("clock"));
  connect(clock, &QPushButton::clicked, this,
          [this] { context_.SetReaderClock(context_.LocalTime()); });
  auto* interface = new QPushButton(QStringLiteral("Interface"), this);
  interface->setObjectName(QStringLiteral("interface"));
  connect(interface, &QPushButton::clicked, this, [this] { context_.InterfaceChanged(); });
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(clock);
  layout->addWidget(interface);
}

ProbePage::~ProbePage() {
  log_ << "deleted " + name_ +
              (context_.CreatedPage(PageId::kOperation) ? QStringLiteral(" (operation page there)")
                                                        : QString());
  context_.InterfaceChanged();  // reaches the Operation page only while it exists
}

void ProbePage::Apply() { log_ << "apply " + name_; }

void ProbePage::OnCancel() { log_ << "cancel " + name_; }

ProbeOperationPage::ProbeOperationPage(QString name, QStringList& log, SheetContext& context)
    : ProbePage(std::move(name), log, context) {
  context_.SetInterfaceChangedHook([this] { log_ << "interface changed"; });
}

ProbeOperationPage::~ProbeOperationPage() { context_.SetInterfaceChangedHook({}); }

PageEntry ProbeEntry(PageId id, const QString& name, QStringList& log) {
  return {id, name, [id, name, &log](AppState&, SheetContext& context) {
            std::unique_ptr<SettingsPage> page;
            if (id == PageId::kOperation) {
              page = std::make_unique<ProbeOperationPage>(name, log, context);
            } else {
              page = std::make_unique<ProbePage>(name, log, context);
            }
            return page;
          }};
}

}  // namespace k470::gui::testing
