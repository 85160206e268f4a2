#pragma once
#include <QChartView>
#include <QColor>
#include <QList>
#include <QString>

class QPieSeries;

namespace korvela {

// One slice of a pie: its name, its value and its colour (an invalid colour
// takes the next colour of the chart's palette).
struct TPieSlice {
  QString name;
  double value = 0;
  QColor color;
};

// A pie of shares (the calorie pies of the food screens) over Qt Charts: a
// slice for every positive value, each labelled in the legend with its name
// and its share in whole percent. A pie without a positive value is empty.
class TPieChart : public QChartView {
  Q_OBJECT
 public:
  explicit TPieChart(QWidget* parent = nullptr);

  void SetTitle(const QString& title);
  void SetLegendVisible(bool visible);
  // Alignment of the legend beside the pie (Qt::AlignRight, AlignBottom...).
  void SetLegendAlignment(Qt::Alignment alignment);
  void SetSlices(const QList<TPieSlice>& slices);
  void Clear() { SetSlices({}); }

  int SliceCount() const;
  QString SliceName(int index) const;
  double SliceValue(int index) const;
  // "Fat 45%": the text the legend shows for a slice.
  QString SliceLabel(int index) const;
  QColor SliceColor(int index) const;

 private:
  QPieSeries* series_;
  QList<TPieSlice> shown_;
};

}  // namespace korvela
