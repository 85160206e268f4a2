// Pictures of the controls for a person to look at; written only when
// KORVELA_WIDGET_SNAPSHOTS names a folder.
#include <QDir>
#include <QPainter>
#include <QVBoxLayout>

#include "users/clock.h"
#include "users/configurator.h"
#include "widget_tests.h"
#include "widgets/big_calendar.h"
#include "widgets/chart.h"
#include "widgets/color_panel.h"
#include "widgets/date_edit.h"
#include "widgets/grid.h"
#include "widgets/labeled_edit.h"

namespace korvela::test {

void WriteSnapshots(const QString& folder) {
  QDir().mkpath(folder);
  auto save = [&](QWidget& w, const char* name) {
    w.grab().save(QDir(folder).filePath(QString::fromLatin1(name)));
  };

  TConfigurator config;
  config.SetFirstDOW(6);
  {
    TMyBigCalendar calendar(config);
    calendar.resize(560, 380);
    calendar.SelectDay(2007, 3, 15);
    QList<QPixmap> icons;
    for (const QColor& c : {QColor(40, 150, 60), QColor(31, 90, 180)}) {
      QPixmap p(16, 16);
      p.fill(Qt::transparent);
      QPainter painter(&p);
      painter.setRenderHint(QPainter::Antialiasing);
      painter.setBrush(c);
      painter.setPen(c.darker());
      painter.drawEllipse(1, 1, 14, 14);
      icons.push_back(p);
    }
    calendar.OnDrawFlags = [&](TMyBigCalendar& c, const QRect&, TDateTime date) {
      const unsigned day = DecodeDate(date).day;
      if (day % 5 == 0)
        for (int slot = 0; slot < 5; ++slot) c.DrawFlag(slot, QColor::fromHsv(slot * 70, 200, 230));
      if (day % 3 == 0) c.DrawFlag(0, Qt::yellow);
      if (day % 4 == 0) c.DrawIcon(icons, 0);
      if (day % 6 == 0) {
        c.DrawIcon(icons, 0);
        c.DrawIcon(icons, 1);
      }
    };
    save(calendar, "big_calendar.png");
  }
  {
    TFixedClock clock(EncodeDate(2007, 3, 10));
    QWidget form;
    form.resize(260, 220);
    auto* layout = new QVBoxLayout(&form);
    auto* date = new TMyDate(config, clock);
    layout->addWidget(date);
    layout->addStretch();
    form.show();
    date->DropDown();
    save(form, "date_entry.png");
    save(*date->Calendar(), "date_dropdown.png");
  }
  {
    TMyGrid grid(8, 4);
    grid.resize(420, 170);
    const char* titles[] = {"Exercise", "Sets", "Reps", "Notes & remarks"};
    for (int c = 0; c < 4; ++c) grid.SetCellText(0, c, QString::fromLatin1(titles[c]));
    for (int r = 1; r < 8; ++r) {
      grid.SetCellText(r, 0, QStringLiteral("Squat %1").arg(r));
      grid.SetCellText(r, 1, QString::number(r + 2));
      grid.SetCellText(r, 2, QString::number(12 - r));
      grid.SetCellText(r, 3, QStringLiteral("slow & steady"));
    }
    grid.OnGetCellFormat = [](int row, int column, TGridCellFormat& f) {
      if (row == 0) f.font.setBold(true);
      if (column == 1 || column == 2) f.alignment = TCellAlignment::MiddleRight;
      if (row == 3 && column == 3) f.fill = QColor(255, 230, 180);
    };
    grid.setCurrentCell(2, 1);
    save(grid, "grid.png");
  }
  {
    TChart chart;
    chart.resize(560, 360);
    chart.SetTitle(QStringLiteral("Bodyweight"));
    chart.SetDateAxis(true);
    chart.SetAxisTitles(QStringLiteral("Date"), QStringLiteral("Weight"));
    chart.SetYLabelFormat(QStringLiteral("%.1f kg"));
    chart.SetLegendVisible(false);
    chart.AddArrow(QStringLiteral("Goal"), QPointF(EncodeDate(2007, 3, 10), 80),
                   QPointF(EncodeDate(2007, 6, 18), 72));
    chart.show();
    save(chart, "chart_arrow.png");

    TChart mixed;
    mixed.resize(560, 360);
    mixed.SetTitle(QStringLiteral("Mixed"));
    mixed.SetAxisTitles(QStringLiteral("Day"), QStringLiteral("Value"));
    mixed.AddBarSeries(QStringLiteral("Bars"), {{1, 3}, {2, 5}, {3, 4}, {4, 6}});
    mixed.AddLineSeries(QStringLiteral("Line"), {{1, 2}, {2, 4}, {3, 3.5}, {4, 5}});
    mixed.AddPointSeries(QStringLiteral("Points"), {{1.5, 1}, {2.5, 2}, {3.5, 6.5}});
    mixed.AddArrow(QStringLiteral("Arrow"), QPointF(1, 6), QPointF(3, 1));
    mixed.show();
    save(mixed, "chart_mixed.png");
  }
  {
    QWidget form;
    form.resize(300, 90);
    auto* layout = new QVBoxLayout(&form);
    auto* edit = new TMyCoolLEdit(QStringLiteral("Name:"));
    edit->Edit()->setText(QStringLiteral("Anna"));
    layout->addWidget(edit);
    auto* panel = new MyColorPanel;
    panel->SetColor(QColor(180, 220, 250));
    panel->setMinimumHeight(30);
    layout->addWidget(panel);
    save(form, "entry_and_panel.png");
  }
}

}  // namespace korvela::test
