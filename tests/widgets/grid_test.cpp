#include <QHeaderView>
#include <QLineEdit>
#include <QPainter>
#include <QTest>

#include "widget_tests.h"
#include "widgets/grid.h"

namespace korvela::test {
namespace {

QColor FillAt(const QImage& image, const TMyGrid& grid, int row, int column) {
  const QRect r = grid.visualRect(grid.model()->index(row, column))
                      .translated(grid.viewport()->mapTo(&grid, QPoint(0, 0)));
  return image.pixelColor(r.left() + 2, r.top() + 2);
}

// Four rows of three columns, the first row holding titles.
struct TGridFixture {
  TMyGrid grid{4, 3};
  TGridFixture() {
    grid.resize(320, 120);
    grid.SetFixedColor(QColor(200, 200, 200));
    for (int row = 0; row < 4; ++row)
      for (int column = 0; column < 3; ++column)
        grid.SetCellText(row, column, QStringLiteral("r%1c%2").arg(row).arg(column));
    grid.setCurrentCell(0, 0, QItemSelectionModel::NoUpdate);
    grid.clearSelection();
  }
  QLineEdit* Editor() const { return grid.findChild<QLineEdit*>(); }
};

class TGridTest : public QObject {
  Q_OBJECT
 private slots:
  void RowsAreStripedBelowTheTitleRow() {
    TGridFixture f;
    QCOMPARE(f.grid.rowHeight(2), 18);
    const QImage image = f.grid.grab().toImage();
    QCOMPARE(FillAt(image, f.grid, 0, 1), QColor(200, 200, 200));
    QCOMPARE(FillAt(image, f.grid, 1, 1), QColor(255, 255, 255));
    QCOMPARE(FillAt(image, f.grid, 2, 1), QColor(252, 252, 252));
    QCOMPARE(FillAt(image, f.grid, 3, 1), QColor(255, 255, 255));
  }

  void TheTitleRowNamesTheColumnsForScreenReaders() {
    TGridFixture f;
    for (int column = 0; column < 3; ++column)
      QCOMPARE(f.grid.model()->headerData(column, Qt::Horizontal).toString(),
               QStringLiteral("r0c%1").arg(column));
    QVERIFY(f.grid.horizontalHeader()->isHidden());
  }

  void SelectionIsGreyOnlyWithoutTheAlwaysShownEditor() {
    TGridFixture f;
    f.grid.setCurrentCell(1, 1);
    QCOMPARE(FillAt(f.grid.grab().toImage(), f.grid, 1, 1), QColor(255, 255, 255));
    f.grid.SetAlwaysShowEditor(false);
    QCOMPARE(FillAt(f.grid.grab().toImage(), f.grid, 1, 1), QColor(240, 240, 240));
  }

  void OwnerFormatsCellsAndDrawsAfterThem() {
    TGridFixture f;
    int afterDraws = 0;
    f.grid.OnGetCellFormat = [](int row, int column, TGridCellFormat& format) {
      QCOMPARE(format.fill, row == 0       ? QColor(200, 200, 200)
                            : row % 2 == 1 ? QColor(Qt::white)
                                           : QColor(252, 252, 252));
      if (row == 2 && column == 2) format.fill = QColor(255, 0, 0);
    };
    f.grid.OnAfterDrawCell = [&](QPainter& painter, int row, int column, const QRect& rect) {
      ++afterDraws;
      if (row == 3 && column == 0)
        painter.fillRect(rect.adjusted(0, 0, -rect.width() / 2, 0), Qt::green);
    };
    const QImage image = f.grid.grab().toImage();
    QCOMPARE(FillAt(image, f.grid, 2, 2), QColor(255, 0, 0));
    QCOMPARE(FillAt(image, f.grid, 2, 1), QColor(252, 252, 252));
    QCOMPARE(FillAt(image, f.grid, 3, 0), QColor(0, 255, 0));
    QCOMPARE(afterDraws, 12);
  }

  void TextTakesItsPositionAndWrapsOnlyAtTheTop() {
    TGridFixture f;
    f.grid.setRowHeight(1, 60);
    f.grid.setColumnWidth(1, 90);
    f.grid.SetCellText(1, 1, QStringLiteral("WWW WWW WWW WWW"));
    auto inkRows = [&](TCellAlignment alignment, bool multiLine) {
      f.grid.SetDefaultCellsAlignment(alignment);
      f.grid.SetDefaultMultiLineCells(multiLine);
      const QImage image = f.grid.grab().toImage();
      const QRect r = f.grid.visualRect(f.grid.model()->index(1, 1))
                          .translated(f.grid.viewport()->mapTo(&f.grid, QPoint(0, 0)));
      int first = -1, last = -1;
      for (int y = r.top() + 1; y < r.bottom(); ++y)
        for (int x = r.left() + 1; x < r.right(); ++x)
          if (image.pixelColor(x, y).value() < 100) {
            if (first < 0) first = y - r.top();
            last = y - r.top();
            break;
          }
      return std::pair{first, last};
    };
    const auto top = inkRows(TCellAlignment::TopLeft, false);
    const auto wrapped = inkRows(TCellAlignment::TopLeft, true);
    const auto bottom = inkRows(TCellAlignment::BottomRight, true);
    QVERIFY(top.first >= 1 && top.first < 8);
    QVERIFY(wrapped.first == top.first);
    QVERIFY(wrapped.second - wrapped.first > 2 * (top.second - top.first));  // several lines
    QVERIFY(bottom.second > 50);                                             // at the bottom
    QVERIFY(bottom.second - bottom.first < wrapped.second - wrapped.first);  // one line
    QVERIFY(!f.grid.DefaultMultiLineCells());  // switched off by the bottom position
  }

  void ALongOneLineTextEndsInAnEllipsisUnlessEllipsesAreOff() {
    TGridFixture f;
    f.grid.setColumnWidth(1, 60);
    f.grid.SetCellText(1, 1, QStringLiteral("WWWWWWWWWWWWWWWWWWWW"));
    // Ink in the upper half of the cell's last few pixel columns: the strokes
    // of a cut-off W reach there, the dots of an ellipsis sit low.
    const auto inkAtTheEnd = [&] {
      const QImage image = f.grid.grab().toImage();
      const QRect r = f.grid.visualRect(f.grid.model()->index(1, 1))
                          .translated(f.grid.viewport()->mapTo(&f.grid, QPoint(0, 0)));
      for (int y = r.top() + 2; y < r.center().y(); ++y)
        for (int x = r.right() - 5; x < r.right() - 1; ++x)
          if (image.pixelColor(x, y).value() < 100) return true;
      return false;
    };
    QCOMPARE(f.grid.textElideMode(), Qt::ElideRight);
    QVERIFY(!inkAtTheEnd());
    f.grid.setTextElideMode(Qt::ElideNone);
    QVERIFY(inkAtTheEnd());
  }

  void CanEditCellDecidesWhichCellsOpenAnEditor() {
    TGridFixture f;
    f.grid.show();
    f.grid.edit(f.grid.model()->index(0, 1));  // the title row: never by default
    QVERIFY(!f.Editor() || !f.Editor()->isVisible());
    f.grid.edit(f.grid.model()->index(2, 1));
    QVERIFY(f.Editor() && f.Editor()->isVisible());
    f.grid.closePersistentEditor(f.grid.currentItem());
    f.grid.setCurrentCell(0, 0);

    TGridFixture g;
    g.grid.show();
    g.grid.OnCanEditCell = [](int row, int column) { return row == 0 || column == 2; };
    g.grid.edit(g.grid.model()->index(2, 1));
    QVERIFY(!g.Editor() || !g.Editor()->isVisible());
    g.grid.edit(g.grid.model()->index(0, 1));
    QVERIFY(g.Editor() && g.Editor()->isVisible());
  }
};

}  // namespace

int RunGridTests(int argc, char** argv) {
  TGridTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace korvela::test

#include "grid_test.moc"
