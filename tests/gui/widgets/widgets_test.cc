// The controls the settings pages share: numeric edits that correct
// themselves on every change, the small pictures dialogs and pages paint and
// what a screen reader hears of a list.
// The lists that carry stored codes are checked on the pages: a code without
// an entry shows no selection there and OK keeps it.
#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QToolButton>
#include <QtTest>

#include "widgets/code_list.h"
#include "widgets/dialog_picture.h"
#include "widgets/named_list_accessible.h"
#include "widgets/numeric_edit.h"

namespace k470::gui {

class WidgetsTest : public QObject {
  Q_OBJECT

 private slots:
  // The pictures live in a static library; a program that links it must
  // still find them, each with its @2x file at twice its size.
  void everyDialogPicturePaints() {
    for (const char* resource : {kFailedPicture, kReaderDialogPicture, kUsbVcomPicture,
                                 kMoveRightIcon, kMoveLeftIcon, kMoveUpIcon, kMoveDownIcon}) {
      const QString base = QString::fromLatin1(resource);
      QVERIFY2(!DialogIcon(base).isNull(), resource);
      const QImage one_x(base);
      const QImage two_x(QString(base).replace(".png", "@2x.png"));
      QVERIFY2(!one_x.isNull() && two_x.size() == one_x.size() * 2, resource);
    }
    for (const char* resource : {kFailedPicture, kReaderDialogPicture, kUsbVcomPicture}) {
      QImage image(kDialogPictureSize, kDialogPictureSize, QImage::Format_ARGB32);
      image.fill(Qt::transparent);
      QPainter painter(&image);
      PaintDialogPicture(painter, QString::fromLatin1(resource), QPoint(0, 0));
      painter.end();
      int inked = 0;
      for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) inked += qAlpha(image.pixel(x, y)) != 0;
      }
      QVERIFY2(inked > 100, resource);
    }
  }

  // Typing, clearing and the page's own load all go through the correction,
  // each change reported once; a number in range is left as it was typed.
  void numericEditCorrectsEveryChangeOnce() {
    QWidget page;
    NumericEdit edit(3, RangeCorrection(1, 254), &page);
    QStringList changed;
    connect(&edit, &NumericEdit::Changed, [&] { changed << edit.text(); });

    edit.setText("255");  // a stored value, as the load shows it
    QCOMPARE(edit.text(), "254");
    QCOMPARE(changed, QStringList{"254"});

    edit.clear();
    edit.selectAll();
    QTest::keyClicks(&edit, "3a0-0");  // digits only: 3, 30, 300
    QCOMPARE(changed, QStringList({"254", "1", "3", "30", "254"}));

    edit.setText("007");
    QCOMPARE(edit.text(), "007");
    QCOMPARE(edit.Value(), 7);
  }

  // That the buttons are enabled with their edit, the Single TAG Mode tests check.
  void spinButtonsStepInsideTheirRangeAndFollowTheEdit() {
    QWidget page;
    NumericEdit edit(4, RangeCorrection(2000, 2099), &page);
    edit.SetSpinRange(2000, 2099);
    auto* up = edit.spin()->findChild<QToolButton*>("up");
    auto* down = edit.spin()->findChild<QToolButton*>("down");
    QVERIFY(up && down);

    edit.SetValue(2098);
    up->click();
    up->click();
    QCOMPARE(edit.text(), "2099");
    down->click();
    QCOMPARE(edit.text(), "2098");
    QTest::keyClick(&edit, Qt::Key_Up);
    QCOMPARE(edit.text(), "2099");
  }

  // Named by its label, valued by its entry, or what is typed into it; its
  // press opens the entries.
  void listIsNamedByItsLabelAndValuedByItsEntry() {
    InstallNamedListAccessible();
    QWidget page;
    auto* label = new QLabel("Volume :", &page);
    const std::array<ListEntry, 2> entries = {{{"Low", 0}, {"High", 1}}};
    auto* list = new CodeList(&page);
    list->Fill(entries);
    list->SelectCode(1);
    label->setBuddy(list);
    auto* port = new QComboBox(&page);
    port->setEditable(true);
    port->setAccessibleName("COM port");
    page.show();

    QAccessibleInterface* heard = QAccessible::queryAccessibleInterface(list);
    QCOMPARE(heard->role(), QAccessible::ComboBox);
    QCOMPARE(heard->text(QAccessible::Name), "Volume :");
    QCOMPARE(heard->text(QAccessible::Value), "High");
    heard->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QVERIFY(list->view()->isVisible());
    list->hidePopup();

    QTest::keyClicks(port->lineEdit(), "/dev/ttyUSB0");
    heard = QAccessible::queryAccessibleInterface(port);
    QCOMPARE(heard->text(QAccessible::Name), "COM port");
    QCOMPARE(heard->text(QAccessible::Value), "/dev/ttyUSB0");
    QCOMPARE(heard->child(1)->object(), port->lineEdit());
  }
};

}  // namespace k470::gui

QTEST_MAIN(k470::gui::WidgetsTest)
#include "widgets_test.moc"
