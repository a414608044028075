#include "widgets/named_list_accessible.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLineEdit>

namespace k470::gui {
namespace {

// Role, children and actions as Qt gives a combo box: the popup's view, then
// the line edit of an editable list; pressing opens or closes the popup.
class NamedListAccessible : public QAccessibleWidget {
 public:
  explicit NamedListAccessible(QComboBox* list) : QAccessibleWidget(list, QAccessible::ComboBox) {}

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Value) {
      return list()->isEditable() ? list()->lineEdit()->text() : list()->currentText();
    }
    return QAccessibleWidget::text(t);
  }

  int childCount() const override { return list()->isEditable() ? 2 : 1; }

  QAccessibleInterface* child(int index) const override {
    if (index == 0) return QAccessible::queryAccessibleInterface(list()->view());
    if (index == 1 && list()->isEditable()) {
      return QAccessible::queryAccessibleInterface(list()->lineEdit());
    }
    return nullptr;
  }

  int indexOfChild(const QAccessibleInterface* child) const override {
    if (child == nullptr) return -1;
    if (child->object() == list()->view()) return 0;
    if (list()->isEditable() && child->object() == list()->lineEdit()) return 1;
    return -1;
  }

  QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }

  void doAction(const QString& action) override {
    if (action != showMenuAction() && action != pressAction()) return;
    if (list()->view()->isVisible()) {
      list()->hidePopup();
    } else {
      list()->showPopup();
    }
  }

  QStringList keyBindingsForAction(const QString&) const override { return {}; }

 private:
  QComboBox* list() const { return static_cast<QComboBox*>(widget()); }
};

// Asked for the object's own class first, so a list never reaches Qt's interface.
QAccessibleInterface* NamedListFactory(const QString&, QObject* object) {
  auto* list = qobject_cast<QComboBox*>(object);
  return list != nullptr ? new NamedListAccessible(list) : nullptr;
}

}  // namespace

void InstallNamedListAccessible() {
  static const bool installed = [] {
    QAccessible::installFactory(NamedListFactory);
    return true;
  }();
  static_cast<void>(installed);
}

}  // namespace k470::gui
