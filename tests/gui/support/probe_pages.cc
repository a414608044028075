#include "tests/gui/support/probe_pages.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace k470::gui::testing {

ProbePage::ProbePage(PageId id, QString name, QStringList& log, SheetContext& context)
    : id_(id), name_(std::move(name)), log_(log), context_(context) {
  log_ << "created " + name_;
  if (id_ == PageId::kOperation) {
    context_.SetInterfaceChangedHook([this] { log_ << "interface changed"; });
  }
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
  if (id_ == PageId::kOperation) context_.SetInterfaceChangedHook({});
  log_ << "deleted " + name_ +
              (context_.CreatedPage(PageId::kOperation) ? QStringLiteral(" (operation page there)")
                                                        : QString());
  context_.InterfaceChanged();  // reaches the Operation page only while it exists
}

void ProbePage::Apply() { log_ << "apply " + name_; }

void ProbePage::OnCancel() { log_ << "cancel " + name_; }

PageEntry ProbeEntry(PageId id, const QString& name, QStringList& log) {
  return {id, name, [id, name, &log](AppState&, SheetContext& context) {
            return std::make_unique<ProbePage>(id, name, log, context);
          }};
}

}  // namespace k470::gui::testing
