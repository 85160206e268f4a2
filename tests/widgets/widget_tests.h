#pragma once
#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>

namespace korvela::test {

// Each control's Qt Test class, run by the one main of this program.
int RunCalendarTests(int argc, char** argv);
int RunDateEditTests(int argc, char** argv);
int RunGridTests(int argc, char** argv);
int RunChartTests(int argc, char** argv);
int RunPieChartTests(int argc, char** argv);
int RunPanelTests(int argc, char** argv);

// Pictures of the controls in a folder, to look at.
void WriteSnapshots(const QString& folder);

// Pixels of exactly this colour inside a rectangle of an image.
inline int CountPixels(const QImage& image, const QRect& area, const QColor& color) {
  int n = 0;
  const QRect r = area.intersected(image.rect());
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x)
      if (image.pixelColor(x, y).rgb() == color.rgb()) ++n;
  return n;
}

}  // namespace korvela::test
