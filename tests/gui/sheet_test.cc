// The Device Settings sheet: its tabs, when pages are created, and which
// pages OK and Cancel reach. Recording pages stand in for the real ones.
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

#include "shell/device_settings_sheet.h"

namespace k470::gui {
namespace {

// What the pages did, as "created 2", "apply 0", "cancel 3", ...
using Log = QStringList;

class RecordingPage : public SettingsPage, public OperationPageCalls {
 public:
  RecordingPage(int index, Log& log, bool allow_cancel)
      : index_(index), log_(log), allow_cancel_(allow_cancel) {
    log_ << QStringLiteral("created %1").arg(index_);
  }
  void Apply() override { log_ << QStringLiteral("apply %1").arg(index_); }
  bool QueryCancel() override {
    log_ << QStringLiteral("cancel %1").arg(index_);
    return allow_cancel_;
  }
  void RefreshDataFormatList() override { log_ << QStringLiteral("refresh %1").arg(index_); }
  void SetOutputControlsEnabled(bool on) override {
    log_ << QStringLiteral("outputs %1 %2").arg(index_).arg(on ? "on" : "off");
  }

 private:
  int index_;
  Log& log_;
  bool allow_cancel_;
};

}  // namespace

class SheetTest : public QObject {
  Q_OBJECT

 private:
  std::vector<PageEntry> RecordingPages() {
    std::vector<PageEntry> pages;
    const char* titles[] = {"System", "TAG Type", "Operation", "Date && Time"};
    for (int i = 0; i < 4; ++i) {
      pages.push_back({QString::fromLatin1(titles[i]), [this, i](AppState&, SheetContext& context) {
                         contexts_.push_back(&context);
                         return std::make_unique<RecordingPage>(i, log_, allow_cancel_);
                       }});
    }
    return pages;
  }

  AppState state_;
  Log log_;
  bool allow_cancel_ = true;
  std::vector<SheetContext*> contexts_;

 private slots:
  void init() {
    log_.clear();
    allow_cancel_ = true;
    contexts_.clear();
  }

  void programPagesComeInTheirOrderUnderOkAndCancelAndStoreNothingYet() {
    const SettingsImage before = state_.image;
    DeviceSettingsSheet sheet(state_, DefaultSettingsPages(), {});
    QCOMPARE(sheet.windowTitle(), QStringLiteral("Device Settings"));
    QVERIFY(sheet.isModal());
    const QStringList titles = {"System", "TAG Type", "Operation", "Date && Time"};
    QCOMPARE(sheet.tabs()->count(), 4);
    for (int i = 0; i < 4; ++i) QCOMPARE(sheet.tabs()->tabText(i), titles[i]);
    QCOMPARE(sheet.tabs()->currentIndex(), 0);
    QCOMPARE(sheet.findChild<QDialogButtonBox*>()->standardButtons(),
             QDialogButtonBox::Ok | QDialogButtonBox::Cancel);

    for (int i = 0; i < 4; ++i) sheet.tabs()->setCurrentIndex(i);
    sheet.accept();
    QVERIFY(state_.image == before);
  }

  void pagesAreCreatedOnceWhenFirstShown() {
    DeviceSettingsSheet sheet(state_, RecordingPages(), {});
    QCOMPARE(log_, QStringList{"created 0"});
    QVERIFY(sheet.CreatedPage(PageId::kSystem));
    QVERIFY(!sheet.CreatedPage(PageId::kOperation));

    sheet.tabs()->setCurrentIndex(2);
    sheet.tabs()->setCurrentIndex(0);
    sheet.tabs()->setCurrentIndex(2);
    QCOMPARE(log_, (QStringList{"created 0", "created 2"}));
    QVERIFY(sheet.CreatedPage(PageId::kOperation));
    QVERIFY(!sheet.CreatedPage(PageId::kDateTime));
  }

  void okAppliesEveryCreatedPageInPageOrder() {
    DeviceSettingsSheet sheet(state_, RecordingPages(), {});
    sheet.tabs()->setCurrentIndex(3);
    sheet.tabs()->setCurrentIndex(1);
    log_.clear();
    sheet.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    QCOMPARE(log_, (QStringList{"apply 0", "apply 1", "apply 3"}));
    QCOMPARE(sheet.result(), int(QDialog::Accepted));
  }

  void cancelAsksOnlyThePageShown() {
    DeviceSettingsSheet sheet(state_, RecordingPages(), {});
    QSignalSpy finished(&sheet, &QDialog::finished);
    sheet.tabs()->setCurrentIndex(3);
    sheet.tabs()->setCurrentIndex(2);

    allow_cancel_ = false;  // only the pages created from here on refuse
    sheet.tabs()->setCurrentIndex(1);
    log_.clear();
    sheet.reject();
    QCOMPARE(log_, QStringList{"cancel 1"});
    QCOMPARE(finished.count(), 0);  // refused: the sheet stays open

    sheet.tabs()->setCurrentIndex(3);
    log_.clear();
    sheet.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->click();
    QCOMPARE(log_, QStringList{"cancel 3"});  // no page stores anything
    QCOMPARE(finished.count(), 1);
    QCOMPARE(sheet.result(), int(QDialog::Rejected));
  }

  void pagesReachTheOperationPageOnlyOnceItExists() {
    DeviceSettingsSheet sheet(state_, RecordingPages(), {});
    SheetContext& context = *contexts_.at(0);
    QVERIFY(!context.OperationPage());  // the System page's calls then do nothing

    sheet.tabs()->setCurrentIndex(2);
    log_.clear();
    OperationPageCalls* operation = context.OperationPage();
    QVERIFY(operation);
    operation->RefreshDataFormatList();
    operation->SetOutputControlsEnabled(false);
    QCOMPARE(log_, (QStringList{"refresh 2", "outputs 2 off"}));
  }

  void pagesRunDeviceOperationsThroughTheSheet() {
    DeviceOperation seen{};
    std::string command;
    DeviceSettingsSheet sheet(state_, RecordingPages(),
                              [&](DeviceOperation operation, const std::string& clock_command) {
                                seen = operation;
                                command = clock_command;
                                return true;
                              });
    QVERIFY(contexts_.at(0)->RunDeviceOperation(DeviceOperation::kSetClock,
                                                "#@SYS_TIME=00,01,01,00,00,00\r"));
    QCOMPARE(seen, DeviceOperation::kSetClock);
    QCOMPARE(command, std::string("#@SYS_TIME=00,01,01,00,00,00\r"));
  }
};

}  // namespace k470::gui

QTEST_MAIN(k470::gui::SheetTest)
#include "sheet_test.moc"
