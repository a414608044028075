// What `k470ctl show` gives for an image is what the real sheet and its
// dialogs show once the image is opened, control by control; and every
// control that edits a setting has its named form.
#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <random>
#include <set>

#include "pages/tagfilter/single_tag_mode_dialog.h"
#include "settings/named/setting_labels.h"
#include "settings/named/settings_json.h"
#include "settings/operation/operation_page_ids.h"
#include "settings/system/interface_selection.h"
#include "settings/system/system_page_ids.h"
#include "settings/tagfilter/epc_filter.h"
#include "settings/tagfilter/single_tag_mode_ids.h"
#include "settings/tagfilter/tag_types.h"
#include "tests/gui/support/sheet_driver.h"
#include "tests/support/filter_choices.h"
#include "tests/support/generated_images.h"

namespace k470::gui {
namespace {

namespace operation = operation_page_ids;
namespace single_tag = single_tag_mode_ids;
namespace system = system_page_ids;
using testing::Names;

// Radio groups whose setting is one value: the controls of each, found by id.
const std::map<std::string, QStringList> kGroups = {
    {"interface", Names({system::kBluetoothSppRadio, system::kBluetoothHidRadio,
                         system::kM912VcomRadio, system::kM912HidRadio})},
    {"operation.scan_mode",
     Names({operation::kSingleTagMode, operation::kMultiTagMode, operation::kTestMode})},
    {"epc_filter.method",
     Names({single_tag::kByFilterValue, single_tag::kByFirstField, single_tag::kBySecondField})},
};

bool IsSettingControl(const QWidget* w) {
  return qobject_cast<const QComboBox*>(w) || qobject_cast<const QCheckBox*>(w) ||
         qobject_cast<const QRadioButton*>(w) || qobject_cast<const QLineEdit*>(w);
}

// A control's state in the form the named settings give it.
Json Shown(const QWidget* w, const Json& expected) {
  if (auto* list = qobject_cast<const QComboBox*>(w)) {
    return list->currentIndex() < 0 ? Json(nullptr) : Json(list->currentText().toStdString());
  }
  if (auto* box = qobject_cast<const QCheckBox*>(w)) return box->isChecked();
  if (auto* edit = qobject_cast<const QLineEdit*>(w)) {
    if (expected.is_number()) return edit->text().toInt();
    if (expected.is_object()) return {{"text", edit->text().toStdString()}};
    return edit->text().toStdString();
  }
  return qobject_cast<const QAbstractButton*>(w)->text().toStdString();
}

// What a control shows for a value: a code without an entry selects nothing,
// a key sequence shows its text.
Json AsControlShows(const Json& value) {
  if (value.is_object() && value.contains("unknown_code")) return nullptr;
  if (value.is_object() && value.contains("bytes")) return {{"text", value["text"]}};
  return value;
}

}  // namespace

class NamedSettingsTest : public QObject, testing::SheetDriver {
  Q_OBJECT

  std::map<std::string, Json> expected_;
  QStringList mismatches_;
  std::set<QString> unnamed_;

  // Compares every setting `place` shows inside `scope` and notes the
  // controls there that no named setting stands for.
  void Check(QWidget& scope, SettingPlace place) {
    std::set<QString> named;
    for (const SettingLabel& label : SettingLabels()) {
      const std::string path(label.path);
      if (label.place != place || !expected_.contains(path)) continue;
      const Json want = AsControlShows(expected_.at(path));
      Json got;
      if (kGroups.contains(path)) {
        for (const QString& id : kGroups.at(path)) {
          named.insert(id);
          auto* radio = testing::Control<QAbstractButton>(scope, id);
          if (radio->isChecked()) got = radio->text().toStdString();
        }
        // A fresh sheet keeps its first interface for a code of none.
        if (path == "interface" && want.is_null()) continue;
      } else if (path == "tag_types") {
        got = Json::array();
        for (QCheckBox* box : scope.findChildren<QCheckBox*>()) {
          named.insert(box->objectName());
          if (box->isChecked()) got.push_back(box->text().toStdString());
        }
      } else {
        const QString id = QString::fromLatin1(label.control.data(), label.control.size());
        named.insert(id);
        got = Shown(testing::Control<QWidget>(scope, id), want);
      }
      if (got != want) {
        mismatches_ << QString::fromStdString(path + ": page " + got.dump() + ", show " +
                                              want.dump());
      }
    }
    for (QWidget* w : scope.findChildren<QWidget*>()) {
      const QString id = w->objectName();
      if (IsSettingControl(w) && !id.isEmpty() && !id.startsWith("qt_") && w->isVisibleTo(&scope) &&
          !named.contains(id)) {
        unnamed_.insert(QString::number(static_cast<int>(place)) + ":" + id);
      }
    }
  }

 private slots:
  void cleanup() { TearDown(); }

  // The sweep over many images is the unit tests'; here one image for each
  // interface code (the VCOM marker and a code of none among them).
  void showGivesWhatThePagesAndDialogsShow() {
    std::mt19937 rng(1414);
    for (int round = 0; round < 5; ++round) {
      Reset();
      state_.image = k470::testing::GeneratedImage(rng, round);
      expected_.clear();
      for (auto& [path, value] : SettingLeaves(ShowSettings(state_.image))) expected_[path] = value;
      Sheet(0);
      for (int tab = 0; tab < sheet_->tabs()->count(); ++tab) sheet_->tabs()->setCurrentIndex(tab);
      Check(*sheet_->CreatedPage(PageId::kSystem), SettingPlace::kSystemPage);
      Check(*sheet_->CreatedPage(PageId::kTagType), SettingPlace::kTagTypePage);
      Check(*sheet_->CreatedPage(PageId::kOperation), SettingPlace::kOperationPage);

      const SelectedInterface interface = state_.selected_interface;
      const SettingPlace options = IsKeyboardInterface(interface) ? SettingPlace::kKeyboardDialog
                                                                  : SettingPlace::kSerialDialog;
      InDialogs([&] { Check(*scope_, options); }, false);
      scope_ = sheet_->CreatedPage(PageId::kSystem);
      Press(system_page_ids::kAdvancedButtons[static_cast<std::size_t>(interface)]);
      InDialogs([&] { Check(*scope_, SettingPlace::kSingleTagModeDialog); }, false);
      OpenSingleTagModeDialog(state_, nullptr);
      QVERIFY2(mismatches_.isEmpty(),
               qPrintable(QString::number(round) + "\n" + mismatches_.join("\n")));
    }
    QVERIFY2(unnamed_.empty(),
             qPrintable("controls without a named setting: " +
                        QStringList(unnamed_.begin(), unnamed_.end()).join(", ")));
  }
};

}  // namespace k470::gui

QTEST_MAIN(k470::gui::NamedSettingsTest)
#include "named_settings_test.moc"
