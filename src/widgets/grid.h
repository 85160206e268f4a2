#pragma once
#include <QColor>
#include <QFont>
#include <QTableWidget>
#include <functional>

#include "widgets/calendar_layout.h"

namespace korvela {

// How one cell is drawn; the owner may change it before the cell is drawn.
struct TGridCellFormat {
  QFont font;
  QColor textColor = Qt::black;
  QColor fill;
  TCellAlignment alignment = TCellAlignment::MiddleLeft;
  bool multiLine = false;
};

// A string grid: rows of 18 pixels, the first row (and any fixed rows and
// columns) in the fixed colour, data rows striped white and light grey, each
// cell's text in one of nine positions, word-wrapped for the top positions
// when multi-line cells are on. Row 0 is the title row; the toolkit's own
// headers are hidden, so every row and column number is a cell's.
class TMyGrid : public QTableWidget {
  Q_OBJECT
 public:
  explicit TMyGrid(QWidget* parent = nullptr);
  TMyGrid(int rows, int columns, QWidget* parent = nullptr);

  QString CellText(int row, int column) const;
  void SetCellText(int row, int column, const QString& text);

  int FixedRows() const { return fixedRows_; }
  void SetFixedRows(int rows);
  int FixedColumns() const { return fixedColumns_; }
  void SetFixedColumns(int columns);
  QColor FixedColor() const { return fixedColor_; }
  void SetFixedColor(const QColor& color);

  TCellAlignment DefaultCellsAlignment() const { return alignment_; }
  // Any position but the three top ones switches multi-line cells off.
  void SetDefaultCellsAlignment(TCellAlignment alignment);
  bool DefaultMultiLineCells() const { return multiLine_; }
  // Stays off unless the alignment is a top one.
  void SetDefaultMultiLineCells(bool value);
  // With the editor always shown, moving to a cell opens its editor and the
  // selected cell keeps its stripe.
  bool AlwaysShowEditor() const { return alwaysShowEditor_; }
  void SetAlwaysShowEditor(bool value);

  // The format a cell gets before the owner's query: the stripes and the
  // default alignment.
  TGridCellFormat DefaultCellFormat(int row, int column, bool selected) const;
  // Whether a cell may be edited: OnCanEditCell when set, otherwise every
  // cell outside the fixed rows and columns.
  bool CanEditCell(int row, int column) const;
  using QTableWidget::edit;

  std::function<bool(int row, int column)> OnCanEditCell;
  std::function<void(int row, int column, TGridCellFormat& format)> OnGetCellFormat;
  // Raised after a cell is drawn, for extra marks.
  std::function<void(QPainter& painter, int row, int column, const QRect& rect)> OnAfterDrawCell;

 protected:
  bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;

 private:
  void Setup();
  void UpdateEditTriggers();

  int fixedRows_ = 1;
  int fixedColumns_ = 0;
  QColor fixedColor_;
  TCellAlignment alignment_ = TCellAlignment::MiddleLeft;
  bool multiLine_ = false;
  bool alwaysShowEditor_ = true;
};

// The toolkit's alignment flags of a cell position.
Qt::Alignment ToQtAlignment(TCellAlignment alignment);

}  // namespace korvela
