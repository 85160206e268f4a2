#include "widgets/chart_commands.h"

#include <QHBoxLayout>
#include <QPrintDialog>
#include <QPrinter>

#include "reports/graph_texts.h"
#include "widgets/chart_layout.h"

namespace korvela {
namespace {

constexpr double kZoomIn = 1.2, kZoomOut = 0.8, kScrollStep = 0.1;

QPushButton* AddButton(QHBoxLayout& row, QWidget* parent, const QString& caption, const char* name,
                       const QString& accessibleName = {}) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(QString::fromLatin1(name));
  if (!accessibleName.isEmpty()) {
    button->setAccessibleName(accessibleName);
    button->setToolTip(accessibleName);
    button->setFixedWidth(button->fontMetrics().horizontalAdvance(caption) + 24);
  }
  row.addWidget(button);
  return button;
}

}  // namespace

std::optional<bool> TChartCommands::PrintWithDialog(TChart& chart, QWidget* parent) {
  QPrinter printer;
  printer.setPageOrientation(QPageLayout::Landscape);
  QPrintDialog dialog(&printer, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return chart.Print(printer);
}

TChartCommands::TChartCommands(TChart& chart, TPrompter& prompter, QWidget* parent)
    : QWidget(parent), chart_(chart), prompter_(prompter) {
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(4);
  connect(AddButton(*row, this, tr("Zoom In"), "zoomInButton"), &QPushButton::clicked, this,
          [this] { chart_.ZoomBy(kZoomIn); });
  connect(AddButton(*row, this, tr("Zoom Out"), "zoomOutButton"), &QPushButton::clicked, this,
          [this] { chart_.ZoomBy(kZoomOut); });
  connect(AddButton(*row, this, tr("Reset Zoom"), "resetZoomButton"), &QPushButton::clicked, this,
          [this] { chart_.ResetZoom(); });
  const struct {
    QString arrow;
    const char* name;
    QString accessible;
    double dx, dy;
  } arrows[] = {
      {QStringLiteral("\u25C0"), "scrollLeftButton", tr("Scroll Left"), -kScrollStep, 0},
      {QStringLiteral("\u25B6"), "scrollRightButton", tr("Scroll Right"), kScrollStep, 0},
      {QStringLiteral("\u25B2"), "scrollUpButton", tr("Scroll Up"), 0, kScrollStep},
      {QStringLiteral("\u25BC"), "scrollDownButton", tr("Scroll Down"), 0, -kScrollStep},
  };
  for (const auto& a : arrows)
    connect(AddButton(*row, this, a.arrow, a.name, a.accessible), &QPushButton::clicked, this,
            [this, dx = a.dx, dy = a.dy] { chart_.ScrollBy(dx, dy); });
  row->addSpacing(8);
  connect(AddButton(*row, this, tr("Print Graph"), "printGraphButton"), &QPushButton::clicked, this,
          &TChartCommands::PrintButtonClick);
  connect(AddButton(*row, this, tr("Save Graph as Image..."), "saveImageButton"),
          &QPushButton::clicked, this, &TChartCommands::SaveImageButtonClick);
  row->addStretch(1);
}

void TChartCommands::PrintButtonClick() {
  const std::optional<bool> printed = print_(chart_, window());
  if (printed && !*printed) prompter_.Warn(kPrintGraphErrorMessage);
}

void TChartCommands::SaveImageButtonClick() {
  const QString file = chooseFile_(window(), kSaveGraphDialog);
  if (file.isEmpty()) return;
  QString reason;
  if (!chart_.SaveImage(file, &reason))
    prompter_.Warn(GraphImageRefusedText(file.toStdString(), reason.toStdString()));
}

QCheckBox* MakeYFromZeroChoice(TChart& chart, QWidget* parent) {
  auto* box = new QCheckBox(QString::fromUtf8(kYFromZeroChoice), parent);
  box->setObjectName(QStringLiteral("yFromZeroCheckBox"));
  box->setChecked(chart.YFromZero());
  QObject::connect(box, &QCheckBox::toggled, &chart, [&chart](bool on) { chart.SetYFromZero(on); });
  return box;
}

}  // namespace korvela
