// The Device Settings sheet: its tabs, when pages are created, and which
// pages OK and Cancel reach. Recording pages stand in for the real ones.
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

#include "pages/settings_pages.h"
#include "shell/device_settings_sheet.h"

namespace k470::gui {
namespace {

// Logs "created 2", "apply 0", "cancel 3", ...; Cancel is refused while `allow_cancel` is false.
class RecordingPage : public SettingsPage {
 public:
  RecordingPage(int index, QStringList& log, const bool& allow_cancel)
      : index_(index), log_(log), allow_cancel_(allow_cancel) {
    log_ << QStringLiteral("created %1").arg(index_);
  }
  void Apply() override { log_ << QStringLiteral("apply %1").arg(index_); }
  bool QueryCancel() override {
    log_ << QStringLiteral("cancel %1").arg(index_);
    return allow_cancel_;
  }

 private:
  int index_;
  QStringList& log_;
  const bool& allow_cancel_;
};

}  // namespace

class SheetTest : public QObject {
  Q_OBJECT

  AppState state_;
  QStringList log_;
  bool allow_cancel_ = true;

  std::vector<PageEntry> RecordingPages() {
    std::vector<PageEntry> pages;
    for (int i = 0; i < 4; ++i) {
      pages.push_back({QString::number(i), [this, i](AppState&, SheetContext&) {
                         return std::make_unique<RecordingPage>(i, log_, allow_cancel_);
                       }});
    }
    return pages;
  }

 private slots:
  void init() {
    log_.clear();
    allow_cancel_ = true;
  }

  void programPagesComeInTheirOrder() {
    DeviceSettingsSheet sheet(state_, DefaultSettingsPages(), {});
    QStringList titles;
    for (int i = 0; i < sheet.tabs()->count(); ++i) titles << sheet.tabs()->tabText(i);
    QCOMPARE(titles, QStringList({"System", "TAG Type", "Operation", "Date && Time"}));
  }

  void pagesAreCreatedOnceWhenFirstShownAndOkAppliesThemInOrder() {
    DeviceSettingsSheet sheet(state_, RecordingPages(), {});
    QCOMPARE(log_, QStringList{"created 0"});
    for (int tab : {3, 0, 1, 3}) sheet.tabs()->setCurrentIndex(tab);
    QCOMPARE(log_, QStringList({"created 0", "created 3", "created 1"}));
    QVERIFY(sheet.CreatedPage(PageId::kDateTime) && !sheet.CreatedPage(PageId::kOperation));

    log_.clear();
    sheet.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    QCOMPARE(log_, QStringList({"apply 0", "apply 1", "apply 3"}));
    QCOMPARE(sheet.result(), int(QDialog::Accepted));
  }

  void cancelAsksOnlyThePageShownAndMayBeRefused() {
    DeviceSettingsSheet sheet(state_, RecordingPages(), {});
    QSignalSpy finished(&sheet, &QDialog::finished);
    sheet.tabs()->setCurrentIndex(3);
    sheet.tabs()->setCurrentIndex(1);
    allow_cancel_ = false;
    log_.clear();
    sheet.reject();  // Escape and the close button
    QCOMPARE(log_, QStringList{"cancel 1"});
    QCOMPARE(finished.count(), 0);

    allow_cancel_ = true;
    sheet.tabs()->setCurrentIndex(3);
    log_.clear();
    sheet.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->click();
    QCOMPARE(log_, QStringList{"cancel 3"});  // and no page stores anything
    QCOMPARE(finished.count(), 1);
    QCOMPARE(sheet.result(), int(QDialog::Rejected));
  }
};

}  // namespace k470::gui

QTEST_MAIN(k470::gui::SheetTest)
#include "sheet_test.moc"
