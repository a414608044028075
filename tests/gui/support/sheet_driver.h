// Drives the real Device Settings sheet, or a dialog open over it, by control
// id as the user does: the one fixture the page and picker tests share.
#pragma once

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>
#include <functional>
#include <memory>
#include <utility>

#include "core/defaults.h"
#include "pages/settings_pages.h"
#include "shell/device_settings_sheet.h"
#include "tests/gui/support/dialog_test_util.h"
#include "widgets/dialog_button_ids.h"
#include "widgets/modal.h"

namespace k470::gui::testing {

class SheetDriver {
 protected:
  AppState state_;
  std::unique_ptr<DeviceSettingsSheet> sheet_;
  QWidget* scope_ = nullptr;  // where On looks: a page of the sheet, or an open dialog
  QStringList messages_;      // "caption: text" of each message box shown

  // A fresh state as File > New leaves it, message boxes caught.
  void Reset() {
    state_ = AppState{};
    New(state_);
    messages_.clear();
    SetMessageBoxHandler([this](const MessageBoxRequest& r) {
      messages_ << r.caption + ": " + r.text;
      if (r.icon != QMessageBox::Warning) messages_ << "not an exclamation";
      return QMessageBox::Ok;
    });
  }
  void TearDown() {
    SetMessageBoxHandler({});
    SetDialogHandler({});
    sheet_.reset();
    scope_ = nullptr;
  }

  // The sheet over the state, showing `tab`; On looks on the whole sheet.
  DeviceSettingsSheet& Sheet(int tab, SheetServices services = {},
                             std::vector<PageEntry> pages = DefaultSettingsPages()) {
    sheet_ = std::make_unique<DeviceSettingsSheet>(state_, std::move(pages), std::move(services));
    sheet_->tabs()->setCurrentIndex(tab);
    scope_ = sheet_.get();
    return *sheet_;
  }

  // Each dialog that opens from now on: `user` works it, On looking inside
  // it, then its OK (or Cancel) closes it.
  void InDialogs(std::function<void()> user, bool ok = true) {
    SetDialogHandler([this, user = std::move(user), ok](QDialog& d) {
      QWidget* const outer = std::exchange(scope_, &d);
      user();
      Press(ok ? dialog_button_ids::kOk : dialog_button_ids::kCancel);
      scope_ = outer;
      return d.result();
    });
  }

  template <typename T = QWidget>
  T* On(const Id& id) {
    return Control<T>(*scope_, id);
  }
  // Ids repeat between pages: this looks on one page only.
  template <typename T = QWidget>
  T* On(const Id& id, PageId page) {
    return Control<T>(*sheet_->CreatedPage(page), id);
  }
  void Ok() { Control<QPushButton>(*sheet_, dialog_button_ids::kOk)->click(); }
  void Cancel() { Control<QPushButton>(*sheet_, dialog_button_ids::kCancel)->click(); }
  void Press(const Id& id) { On<QAbstractButton>(id)->click(); }

  // Picks the entry with `text` from an enabled list.
  void Choose(const Id& id, const QString& text) {
    auto* list = On<QComboBox>(id);
    const int index = list->findText(text);
    QVERIFY2(index >= 0 && list->isEnabled(), qPrintable(text));
    list->setCurrentIndex(index);
    emit list->activated(index);
  }
  // Types `text` over the whole text of an edit, key by key; "" erases it.
  void Type(const Id& id, const QString& text) {
    auto* edit = On<QLineEdit>(id);
    edit->selectAll();
    if (text.isEmpty()) QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
  }
  // Types `text` as Type does and checks what the edit then shows.
  void TypeShows(const Id& id, const QString& text, const QString& shown) {
    Type(id, text);
    QCOMPARE(Text(id), shown);
  }
  QString Text(const Id& id) {
    QWidget* w = On(id);
    if (auto* edit = qobject_cast<QLineEdit*>(w)) return edit->text();
    if (auto* list = qobject_cast<QComboBox*>(w)) return list->currentText();
    if (auto* button = qobject_cast<QAbstractButton*>(w)) return button->text();
    return qobject_cast<QLabel*>(w)->text();
  }
  bool Checked(const Id& id) { return On<QAbstractButton>(id)->isChecked(); }
  // Which of `ids` are enabled.
  QStringList Enabled(std::initializer_list<Id> ids) {
    QStringList enabled;
    for (const Id& id : ids) {
      if (On(id)->isEnabled()) enabled << id.name;
    }
    return enabled;
  }
};

}  // namespace k470::gui::testing
