#include "widgets/pie_chart.h"

#include <QGraphicsLayout>
#include <QLegend>
#include <QPainter>
#include <QPieSeries>
#include <QPieSlice>
#include <cmath>

namespace korvela {
namespace {

const QColor kPiePalette[] = {QColor(31, 90, 180), QColor(230, 130, 20), QColor(40, 150, 60),
                              QColor(200, 40, 40), QColor(120, 60, 170), QColor(20, 150, 160)};

}  // namespace

TPieChart::TPieChart(QWidget* parent) : QChartView(new QChart(), parent), series_(new QPieSeries) {
  setRenderHint(QPainter::Antialiasing);
  chart()->setAnimationOptions(QChart::NoAnimation);
  // The pie sits on the screen's own background.
  chart()->setBackgroundVisible(false);
  chart()->setPlotAreaBackgroundVisible(false);
  setBackgroundBrush(Qt::NoBrush);
  setStyleSheet(QStringLiteral("background: transparent"));
  chart()->setMargins(QMargins(2, 2, 2, 2));
  chart()->layout()->setContentsMargins(0, 0, 0, 0);
  chart()->legend()->setAlignment(Qt::AlignRight);
  series_->setPieSize(0.9);
  chart()->addSeries(series_);
  setMinimumSize(160, 110);
  // A picture, not a control: the keyboard passes it by.
  setFocusPolicy(Qt::NoFocus);
  viewport()->setFocusPolicy(Qt::NoFocus);
}

void TPieChart::SetTitle(const QString& title) { chart()->setTitle(title); }
void TPieChart::SetLegendVisible(bool visible) { chart()->legend()->setVisible(visible); }
void TPieChart::SetLegendAlignment(Qt::Alignment alignment) {
  chart()->legend()->setAlignment(alignment);
}

void TPieChart::SetSlices(const QList<TPieSlice>& slices) {
  series_->clear();
  shown_.clear();
  double total = 0;
  for (const TPieSlice& slice : slices) {
    if (slice.value > 0 && std::isfinite(slice.value)) total += slice.value;
  }
  int next = 0;
  for (const TPieSlice& slice : slices) {
    if (!(slice.value > 0) || !std::isfinite(slice.value)) continue;
    TPieSlice s = slice;
    if (!s.color.isValid()) s.color = kPiePalette[next % std::size(kPiePalette)];
    ++next;
    const long percent = std::lround(s.value / total * 100);
    auto* shown = new QPieSlice(QStringLiteral("%1 %2%").arg(s.name).arg(percent), s.value);
    shown->setColor(s.color);
    shown->setBorderColor(Qt::white);
    series_->append(shown);
    shown_.append(s);
  }
}

int TPieChart::SliceCount() const { return static_cast<int>(shown_.size()); }
QString TPieChart::SliceName(int index) const { return shown_.at(index).name; }
double TPieChart::SliceValue(int index) const { return shown_.at(index).value; }
QColor TPieChart::SliceColor(int index) const { return shown_.at(index).color; }
QString TPieChart::SliceLabel(int index) const { return series_->slices().at(index)->label(); }

}  // namespace korvela
