#include "widgets/grid.h"

#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>

namespace korvela {
namespace {

constexpr int kRowHeight = 18;

class TGridDelegate final : public QStyledItemDelegate {
 public:
  explicit TGridDelegate(TMyGrid& grid) : QStyledItemDelegate(&grid), grid_(grid) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    const int row = index.row();
    const int column = index.column();
    TGridCellFormat format =
        grid_.DefaultCellFormat(row, column, option.state.testFlag(QStyle::State_Selected));
    format.font = option.font;
    if (grid_.OnGetCellFormat) grid_.OnGetCellFormat(row, column, format);

    painter->save();
    painter->fillRect(option.rect, format.fill);
    painter->setFont(format.font);
    painter->setPen(format.textColor);
    const QRect inner = option.rect.adjusted(1, 1, -1, -1);
    const int flags =
        static_cast<int>(ToQtAlignment(format.alignment)) |
        (WrapsText(format.alignment, format.multiLine) ? Qt::TextWordWrap : Qt::TextSingleLine);
    QString text = index.data(Qt::DisplayRole).toString();
    // A one-line text too long for its cell ends in "..." (as the grid's
    // elide mode says) rather than being cut off mid-letter.
    if (!(flags & Qt::TextWordWrap) && grid_.textElideMode() != Qt::ElideNone)
      text = QFontMetrics(format.font).elidedText(text, grid_.textElideMode(), inner.width());
    painter->drawText(inner, flags, text);
    painter->restore();
    if (grid_.OnAfterDrawCell) grid_.OnAfterDrawCell(*painter, row, column, option.rect);
  }

 private:
  TMyGrid& grid_;
};

}  // namespace

Qt::Alignment ToQtAlignment(TCellAlignment alignment) {
  const int n = static_cast<int>(alignment);
  const Qt::Alignment vertical[3] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};
  const Qt::Alignment horizontal[3] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
  return vertical[n / 3] | horizontal[n % 3];
}

TMyGrid::TMyGrid(QWidget* parent) : QTableWidget(parent) { Setup(); }

TMyGrid::TMyGrid(int rows, int columns, QWidget* parent) : QTableWidget(rows, columns, parent) {
  Setup();
}

void TMyGrid::Setup() {
  fixedColor_ = palette().color(QPalette::Button);
  horizontalHeader()->hide();
  verticalHeader()->hide();
  verticalHeader()->setMinimumSectionSize(8);
  verticalHeader()->setDefaultSectionSize(kRowHeight);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setTabKeyNavigation(true);
  setWordWrap(false);
  setItemDelegate(new TGridDelegate(*this));
  UpdateEditTriggers();
}

QString TMyGrid::CellText(int row, int column) const {
  const QTableWidgetItem* it = item(row, column);
  return it ? it->text() : QString();
}

void TMyGrid::SetCellText(int row, int column, const QString& text) {
  if (QTableWidgetItem* it = item(row, column)) {
    it->setText(text);
  } else {
    setItem(row, column, new QTableWidgetItem(text));
  }
  // The title row and the fixed columns are drawn as cells; their texts also
  // name the columns and rows, so that a screen reader announces them as the
  // table's headers.
  if (row == 0 && fixedRows_ > 0) setHorizontalHeaderItem(column, new QTableWidgetItem(text));
  if (column == 0 && fixedColumns_ > 0 && row >= fixedRows_)
    setVerticalHeaderItem(row, new QTableWidgetItem(text));
}

void TMyGrid::SetFixedRows(int rows) {
  fixedRows_ = std::max(0, rows);
  viewport()->update();
}

void TMyGrid::SetFixedColumns(int columns) {
  fixedColumns_ = std::max(0, columns);
  viewport()->update();
}

void TMyGrid::SetFixedColor(const QColor& color) {
  fixedColor_ = color;
  viewport()->update();
}

void TMyGrid::SetDefaultCellsAlignment(TCellAlignment alignment) {
  alignment_ = alignment;
  if (!WrapsText(alignment, true)) multiLine_ = false;
  viewport()->update();
}

void TMyGrid::SetDefaultMultiLineCells(bool value) {
  multiLine_ = WrapsText(alignment_, value);
  viewport()->update();
}

void TMyGrid::SetAlwaysShowEditor(bool value) {
  alwaysShowEditor_ = value;
  UpdateEditTriggers();
  viewport()->update();
}

void TMyGrid::UpdateEditTriggers() {
  EditTriggers triggers = DoubleClicked | EditKeyPressed | AnyKeyPressed;
  if (alwaysShowEditor_) triggers |= CurrentChanged | SelectedClicked;
  setEditTriggers(triggers);
}

TGridCellFormat TMyGrid::DefaultCellFormat(int row, int column, bool selected) const {
  TGridCellFormat format;
  format.font = font();
  const TGridCellPlace place{row, column, fixedRows_, fixedColumns_, selected, alwaysShowEditor_};
  const TRgb fixed{fixedColor_.red(), fixedColor_.green(), fixedColor_.blue()};
  const TRgb fill = GridCellFill(place, fixed);
  format.fill = QColor(fill.r, fill.g, fill.b);
  format.alignment = alignment_;
  format.multiLine = multiLine_;
  return format;
}

bool TMyGrid::CanEditCell(int row, int column) const {
  if (OnCanEditCell) return OnCanEditCell(row, column);
  return row >= fixedRows_ && column >= fixedColumns_;
}

bool TMyGrid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
  if (index.isValid() && trigger != NoEditTriggers && !CanEditCell(index.row(), index.column()))
    return false;
  return QTableWidget::edit(index, trigger, event);
}

}  // namespace korvela
