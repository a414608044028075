// Throwaway pages for the sheet's tests. They are built against the page
// libraries alone, as every real page is, so they can reach other pages and
// the reader's clock through the page contract and nothing else.
#pragma once

#include <QString>
#include <QStringList>

#include "widgets/settings_page.h"

namespace k470::gui::testing {

// Logs into `log` what happens to it: "created System", "apply System",
// "cancel System", and on deletion "deleted System" followed by whether the
// Operation page could still be reached. Its buttons: "clock" sets the
// reader's clock to the local time, "interface" tells the Operation page
// that the interface changed. In the Operation page's place it supplies the
// interface hook, which logs "interface changed", while it exists.
class ProbePage : public SettingsPage {
 public:
  ProbePage(PageId id, QString name, QStringList& log, SheetContext& context);
  ~ProbePage() override;

  void Apply() override;
  void OnCancel() override;

 private:
  PageId id_;
  QString name_;
  QStringList& log_;
  SheetContext& context_;
};

// The entry of a probe page with `id` and the title `name`.
PageEntry ProbeEntry(PageId id, const QString& name, QStringList& log);

}  // namespace k470::gui::testing
