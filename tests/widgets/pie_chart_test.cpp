#include <QPieSeries>
#include <QTest>

#include "widget_tests.h"
#include "widgets/pie_chart.h"

namespace korvela::test {
namespace {

class TPieChartTest : public QObject {
  Q_OBJECT
 private slots:
  void OnlyPositiveValuesGetASliceLabelledWithTheirShare() {
    TPieChart pie;
    pie.resize(300, 160);
    pie.SetSlices({{QStringLiteral("Protein"), 80, QColor(Qt::blue)},
                   {QStringLiteral("Fat"), 90, {}},
                   {QStringLiteral("Carbs"), 0, {}},
                   {QStringLiteral("Alcohol"), -7, {}},
                   {QStringLiteral("Fibre"), qInf(), {}},
                   {QStringLiteral("Sugar"), 30, {}}});
    QCOMPARE(pie.SliceCount(), 3);
    QCOMPARE(pie.SliceName(1), QStringLiteral("Fat"));
    QCOMPARE(pie.SliceLabel(0), QStringLiteral("Protein 40%"));
    QCOMPARE(pie.SliceLabel(1), QStringLiteral("Fat 45%"));
    QCOMPARE(pie.SliceLabel(2), QStringLiteral("Sugar 15%"));
    QCOMPARE(pie.SliceColor(0), QColor(Qt::blue));
    QVERIFY(pie.SliceColor(1).isValid());
    QVERIFY(pie.SliceColor(1) != pie.SliceColor(2));
    QCOMPARE(pie.chart()->series().size(), 1);
    QCOMPARE(static_cast<QPieSeries*>(pie.chart()->series()[0])->count(), 3);

    pie.Clear();
    QCOMPARE(pie.SliceCount(), 0);
    QCOMPARE(static_cast<QPieSeries*>(pie.chart()->series()[0])->count(), 0);
    QCOMPARE(pie.focusPolicy(), Qt::NoFocus);
  }
};

}  // namespace

int RunPieChartTests(int argc, char** argv) {
  TPieChartTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace korvela::test

#include "pie_chart_test.moc"
