#include <QTest>

#include "widget_tests.h"
#include "widgets/color_panel.h"
#include "widgets/labeled_edit.h"

namespace korvela::test {
namespace {

class TPanelTest : public QObject {
  Q_OBJECT
 private slots:
  void ColorPanelIsOneOutlinedRectangleOfItsColour() {
    MyColorPanel panel;
    panel.resize(40, 20);
    QCOMPARE(panel.Color(), QColor(Qt::white));
    QImage image = panel.grab().toImage();
    QCOMPARE(CountPixels(image, panel.rect().adjusted(1, 1, -1, -1), Qt::white), 38 * 18);
    QCOMPARE(CountPixels(image, panel.rect(), Qt::black), 2 * 40 + 2 * 18);

    panel.SetColor(QColor(180, 220, 250));
    panel.SetPenColor(QColor(0, 0, 200));
    image = panel.grab().toImage();
    QCOMPARE(CountPixels(image, panel.rect(), QColor(180, 220, 250)), 38 * 18);
    QCOMPARE(CountPixels(image, panel.rect(), QColor(0, 0, 200)), 2 * 40 + 2 * 18);
  }

  void LabelledEntryHasItsCaptionTenPixelsToTheLeft() {
    TMyCoolLEdit edit(QStringLiteral("Name:"));
    edit.resize(200, 24);
    edit.show();
    QVERIFY(QTest::qWaitForWindowExposed(&edit));
    QCOMPARE(edit.Edit()->x() - (edit.CaptionLabel()->x() + edit.CaptionLabel()->width()), 10);
    QCOMPARE(edit.Edit()->accessibleName(), QStringLiteral("Name:"));
  }
};

}  // namespace

int RunPanelTests(int argc, char** argv) {
  TPanelTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace korvela::test

#include "panel_test.moc"
