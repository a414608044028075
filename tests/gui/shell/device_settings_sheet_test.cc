// The Device Settings sheet and its page contract: tabs, when pages are
// created and deleted, which pages OK and Cancel reach, and how a page finds
// another page and the reader's clock. Probe pages stand in for the real ones.
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

#include "pages/settings_pages.h"
#include "shell/device_settings_sheet.h"
#include "tests/gui/support/dialog_test_util.h"
#include "tests/gui/support/probe_pages.h"
#include "widgets/dialog_button_ids.h"

namespace k470::gui {

using testing::Control;
using testing::ProbeEntry;

class SheetTest : public QObject {
  Q_OBJECT

  AppState state_;
  QStringList log_;

  // System, TAG Type, Operation, Date & Time, each a probe named after its tab.
  std::vector<PageEntry> ProbePages() {
    return {ProbeEntry(PageId::kSystem, "System", log_),
            ProbeEntry(PageId::kTagType, "TAG Type", log_),
            ProbeEntry(PageId::kOperation, "Operation", log_),
            ProbeEntry(PageId::kDateTime, "Date", log_)};
  }

 private slots:
  void init() { log_.clear(); }

  void pagesAreCreatedOnceWhenFirstShownAndOkAppliesThemInOrder() {
    DeviceSettingsSheet sheet(state_, ProbePages(), {});
    QCOMPARE(log_, QStringList{"created System"});
    for (int tab : {3, 0, 1, 3}) sheet.tabs()->setCurrentIndex(tab);
    QCOMPARE(log_, QStringList({"created System", "created Date", "created TAG Type"}));

    log_.clear();
    Control<QPushButton>(sheet, dialog_button_ids::kOk)->click();
    QCOMPARE(log_, QStringList({"apply System", "apply TAG Type", "apply Date"}));
    QCOMPARE(sheet.result(), int(QDialog::Accepted));
  }

  void cancelReachesOnlyThePageShownAndTheSheetCloses() {
    DeviceSettingsSheet sheet(state_, ProbePages(), {});
    QSignalSpy finished(&sheet, &QDialog::finished);
    sheet.tabs()->setCurrentIndex(3);
    sheet.tabs()->setCurrentIndex(1);
    log_.clear();
    Control<QPushButton>(sheet, dialog_button_ids::kCancel)->click();
    QCOMPARE(log_, QStringList{"cancel TAG Type"});  // and no page stores anything
    QCOMPARE(finished.count(), 1);
    QCOMPARE(sheet.result(), int(QDialog::Rejected));
  }

  // A sheet built with only some of the pages still hands out each by its id.
  void pagesAreFoundByIdNotByTabPosition() {
    DeviceSettingsSheet sheet(state_,
                              {ProbeEntry(PageId::kSystem, "System", log_),
                               ProbeEntry(PageId::kOperation, "Operation", log_)},
                              {});
    QWidget* system = sheet.CreatedPage(PageId::kSystem);
    QVERIFY(system && !sheet.CreatedPage(PageId::kOperation) &&
            !sheet.CreatedPage(PageId::kTagType));
    auto* interface = Control<QPushButton>(*system, "interface");
    interface->click();  // nobody to tell yet
    QCOMPARE(log_, QStringList{"created System"});

    sheet.tabs()->setCurrentIndex(1);
    QVERIFY(sheet.CreatedPage(PageId::kOperation));
    QCOMPARE(sheet.CreatedPage(PageId::kOperation), sheet.tabs()->widget(1)->findChild<QWidget*>());
    QVERIFY(!sheet.CreatedPage(PageId::kTagType) && !sheet.CreatedPage(PageId::kDateTime));
    interface->click();
    QCOMPARE(log_.back(), "interface changed");
  }

  // Pages ask the context from their destructors; the sheet must still be
  // whole then (UBSan checks every call), and a deleted page is gone from it.
  void pagesAreDeletedLastTabFirstBeforeTheSheet() {
    {
      DeviceSettingsSheet sheet(state_, ProbePages(), {});
      for (int tab : {2, 3, 1}) sheet.tabs()->setCurrentIndex(tab);
      log_.clear();
    }
    QCOMPARE(log_, QStringList({"deleted Date (operation page there)", "interface changed",
                                "deleted Operation", "deleted TAG Type", "deleted System"}));
  }
};

}  // namespace k470::gui

QTEST_MAIN(k470::gui::SheetTest)
#include "device_settings_sheet_test.moc"
