#include "training/ui/workout_grid_view.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QStyledItemDelegate>
#include <QTimeEdit>

namespace korvela {
namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// The TIME and REST picker. The toolkit's picker turns digits that fit no
// section into something else ("99:99" into 09:09); what was typed is kept
// beside it, and a picker whose typing names no time is refused when the
// cell is committed, so the cell keeps its value.
class TGridTimeEdit final : public QTimeEdit {
 public:
  using QTimeEdit::QTimeEdit;
  bool Refused() const { return !TypedTimeFits(typed_, first_, sectionCount() == 3); }

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    const QString text = event->text();
    if (text.size() == 1 && (text[0].isDigit() || text[0] == QLatin1Char(':'))) {
      if (typed_.empty()) first_ = static_cast<std::size_t>(std::max(currentSectionIndex(), 0));
      typed_ += text.toStdString();
    } else if (!text.isEmpty() && text[0].isPrint()) {
      typed_ += '?';  // nothing of a time
    } else {
      switch (event->key()) {
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Home:
        case Qt::Key_End:
        case Qt::Key_Backspace:
        case Qt::Key_Delete:
          // The value is chosen anew from what the picker shows.
          typed_.clear();
          break;
        default:
          break;
      }
    }
    QTimeEdit::keyPressEvent(event);
  }
  void mousePressEvent(QMouseEvent* event) override {
    typed_.clear();
    QTimeEdit::mousePressEvent(event);
  }
  void wheelEvent(QWheelEvent* event) override {
    typed_.clear();
    QTimeEdit::wheelEvent(event);
  }

 private:
  std::string typed_;
  std::size_t first_ = 0;
};

}  // namespace

TExerciseCellEditor::TExerciseCellEditor(const TExerciseDictionary& dictionary, QWidget* parent)
    : QWidget(parent),
      dictionary_(dictionary),
      line_(new QLineEdit(this)),
      pickButton_(new QPushButton(QStringLiteral(".."), this)) {
  line_->setObjectName(QStringLiteral("exerciseLineEdit"));
  line_->setAccessibleName(QStringLiteral("Exercise"));
  line_->setFrame(false);
  pickButton_->setObjectName(QStringLiteral("pickExerciseButton"));
  pickButton_->setAccessibleName(QStringLiteral("Pick an exercise"));
  pickButton_->setFixedWidth(22);
  pickButton_->setFocusPolicy(Qt::NoFocus);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(line_, 1);
  layout->addWidget(pickButton_);
  setFocusProxy(line_);
  line_->installEventFilter(this);
  connect(line_, &QLineEdit::textEdited, this,
          [this] { Complete(line_->text().left(line_->cursorPosition())); });
  connect(pickButton_, &QPushButton::clicked, this, &TExerciseCellEditor::PickButtonClick);
}

void TExerciseCellEditor::SetText(const std::string& text, bool readOnly) {
  line_->setText(Q(text));
  line_->setReadOnly(readOnly);
  pickButton_->setEnabled(!readOnly);
  line_->selectAll();
}

void TExerciseCellEditor::Complete(const QString& prefix) {
  const TExerciseMatch m = CompleteExercise(dictionary_, prefix.toStdString());
  const QString text = Q(m.Text);
  const int typed = Q(m.Text.substr(0, m.PrefixLength)).size();
  line_->setText(text);
  line_->setSelection(text.size(),
                      typed - text.size());  // the completed rest, cursor after the prefix
  if (OnApply) OnApply(m.DID, m.Limb);
}

void TExerciseCellEditor::PickButtonClick() {
  if (!OnPick) return;
  const std::int32_t did = OnPick();
  if (did != -1) {
    const TDrill* drill = dictionary_.Find(did);
    line_->setText(Q(PickedText ? PickedText(did) : std::string()));
    if (OnApply) OnApply(did, drill && drill->Unilateral() ? kLeftLimb : kNoLimb);
  }
  line_->setFocus();
}

bool TExerciseCellEditor::eventFilter(QObject* watched, QEvent* event) {
  if (watched != line_ || event->type() != QEvent::KeyPress)
    return QWidget::eventFilter(watched, event);
  auto* key = static_cast<QKeyEvent*>(event);
  switch (key->key()) {
    case Qt::Key_Backspace:
      if (line_->hasSelectedText() && !line_->isReadOnly()) {
        // The completed rest goes together with the last typed character.
        const int start = line_->selectionStart();
        Complete(line_->text().left(std::max(0, start - 1)));
        return true;
      }
      break;
    case Qt::Key_Up:
    case Qt::Key_Down:
      if (OnLeave) OnLeave(key->key());
      return true;
    case Qt::Key_Left:
      if (line_->cursorPosition() == 0 && !line_->hasSelectedText() && OnLeave) {
        OnLeave(key->key());
        return true;
      }
      break;
    case Qt::Key_Right:
      if (line_->cursorPosition() == line_->text().size() && !line_->hasSelectedText() && OnLeave) {
        OnLeave(key->key());
        return true;
      }
      break;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Enter:
    case Qt::Key_Return:
    case Qt::Key_Escape:
      // The grid's delegate watches the editor, not its line.
      QCoreApplication::sendEvent(this, event);
      return true;
    default:
      break;
  }
  return QWidget::eventFilter(watched, event);
}

// Paints as the grid does and makes each cell's editor from the model.
class TWorkoutCellDelegate final : public QStyledItemDelegate {
 public:
  TWorkoutCellDelegate(TWorkoutGridView& view, QAbstractItemDelegate* painter)
      : QStyledItemDelegate(&view), view_(view), painter_(painter) {}

  void paint(QPainter* p, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    painter_->paint(p, option, index);
  }

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                        const QModelIndex& index) const override {
    TWorkoutGrid* m = view_.model_;
    if (!m) return nullptr;
    const auto line = static_cast<std::size_t>(index.row());
    const auto column = static_cast<std::size_t>(index.column());
    if (m->UsesExerciseEditor(line, column)) {
      auto* editor = new TExerciseCellEditor(m->Dictionary(), parent);
      editor->setObjectName(QStringLiteral("exerciseEditor"));
      editor->OnApply = [this, line](std::int32_t did, std::uint8_t limb) {
        if (view_.model_ && view_.model_->ApplyExercise(line, did, limb)) {
          if (view_.OnChanged) view_.OnChanged();
          view_.Refresh();
        }
      };
      editor->OnPick = [this] { return view_.OnPickExercise ? view_.OnPickExercise() : -1; };
      editor->PickedText = [this](std::int32_t did) {
        return view_.model_ ? view_.model_->ExerciseEditorText(did) : std::string();
      };
      editor->OnLeave = [this, editor, index](int key) {
        const int row = index.row() + (key == Qt::Key_Down) - (key == Qt::Key_Up);
        const int col = index.column() + (key == Qt::Key_Right) - (key == Qt::Key_Left);
        emit const_cast<TWorkoutCellDelegate*>(this)->commitData(editor);
        emit const_cast<TWorkoutCellDelegate*>(this)->closeEditor(editor, NoHint);
        view_.setCurrentCell(std::clamp(row, 0, view_.rowCount() - 1),
                             std::clamp(col, 0, view_.columnCount() - 1));
      };
      return editor;
    }
    if (m->UsesTimeEditor(line, column)) {
      auto* editor = new TGridTimeEdit(parent);
      editor->setObjectName(QStringLiteral("timeEditor"));
      const bool time = m->ColumnID(column) == kTimeColumn;
      editor->setDisplayFormat(time ? QStringLiteral("H:mm:ss") : QStringLiteral("mm:ss"));
      editor->setAccessibleName(Q(m->Title(column)));
      return editor;
    }
    auto* editor = new QLineEdit(parent);
    editor->setObjectName(QStringLiteral("cellLineEdit"));
    editor->setAccessibleName(Q(m->Title(column)));
    editor->setFrame(false);
    return editor;
  }

  void setEditorData(QWidget* editor, const QModelIndex& index) const override {
    TWorkoutGrid* m = view_.model_;
    // Only when it opens: a refill of the cells under an open editor keeps
    // what is being typed.
    if (!m || editor->property("started").toBool()) return;
    editor->setProperty("started", true);
    const auto line = static_cast<std::size_t>(index.row());
    const auto column = static_cast<std::size_t>(index.column());
    if (auto* exercise = qobject_cast<TExerciseCellEditor*>(editor)) {
      const auto start = m->StartExerciseEdit(line);
      exercise->SetText(start.Text, start.ReadOnly);
      return;
    }
    if (auto* time = qobject_cast<QTimeEdit*>(editor)) {
      time->setTime(QTime(0, 0).addSecs(m->EditSeconds(line, column)));
      return;
    }
    if (auto* text = qobject_cast<QLineEdit*>(editor)) text->setText(Q(m->EditText(line, column)));
  }

  void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override {
    TWorkoutGrid* m = view_.model_;
    if (!m) return;
    const auto line = static_cast<std::size_t>(index.row());
    const auto column = static_cast<std::size_t>(index.column());
    bool changed = false;
    if (qobject_cast<TExerciseCellEditor*>(editor)) {
      changed = true;  // applied while typing; the cells follow now
    } else if (auto* time = dynamic_cast<TGridTimeEdit*>(editor)) {
      // A typed text that is no time leaves the cell as it was.
      if (!time->Refused())
        changed = m->CommitSeconds(line, column, QTime(0, 0).secsTo(time->time()));
    } else if (auto* text = qobject_cast<QLineEdit*>(editor)) {
      changed = m->Commit(line, column, text->text().toStdString());
    }
    if (changed && view_.OnChanged) view_.OnChanged();
    view_.Refresh();
  }

  void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                            const QModelIndex&) const override {
    QRect r = option.rect;
    if (qobject_cast<QTimeEdit*>(editor))
      r.setWidth(std::max(r.width(), editor->sizeHint().width()));
    editor->setGeometry(r);
  }

 private:
  TWorkoutGridView& view_;
  QAbstractItemDelegate* painter_;
};

TWorkoutGridView::TWorkoutGridView(QWidget* parent) : TMyGrid(parent) {
  setObjectName(QStringLiteral("workoutGrid"));
  setAccessibleName(QStringLiteral("Workout"));
  SetFixedRows(0);
  SetAlwaysShowEditor(false);
  horizontalHeader()->show();
  horizontalHeader()->setSectionsMovable(true);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(horizontalHeader(), &QHeaderView::sectionMoved, this, &TWorkoutGridView::SectionMoved);
  connect(horizontalHeader(), &QHeaderView::customContextMenuRequested, this,
          [this](const QPoint& at) {
            if (OnPopup) OnPopup(horizontalHeader()->mapToGlobal(at), false);
          });
  setContextMenuPolicy(Qt::CustomContextMenu);
  connect(this, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    const QModelIndex index = indexAt(at);
    if (index.isValid()) setCurrentCell(index.row(), index.column());
    if (OnPopup) OnPopup(viewport()->mapToGlobal(at), true);
  });
  auto* delegate = new TWorkoutCellDelegate(*this, itemDelegate());
  setItemDelegate(delegate);
  OnCanEditCell = [this](int row, int column) {
    return model_ && !refreshing_ &&
           model_->CanEdit(static_cast<std::size_t>(row), static_cast<std::size_t>(column));
  };
  OnGetCellFormat = [this](int row, int, TGridCellFormat& format) {
    if (model_ && model_->IsSection(static_cast<std::size_t>(row))) {
      format.fill = QColor(0xD6, 0xE4, 0xF0);
      format.font.setBold(true);
    }
  };
}

void TWorkoutGridView::SetModel(TWorkoutGrid* model) {
  model_ = model;
  Refresh();
}

void TWorkoutGridView::Refresh() {
  if (!model_) {
    setRowCount(0);
    return;
  }
  refreshing_ = true;
  const TWorkoutGrid& m = *model_;
  const int columns = static_cast<int>(m.ColumnCount());
  const int rows = static_cast<int>(m.RowCount());
  if (columnCount() != columns) setColumnCount(columns);
  if (rowCount() < rows) setRowCount(rows);
  for (int c = 0; c < columns; ++c) {
    const auto column = static_cast<std::size_t>(c);
    QTableWidgetItem* title = horizontalHeaderItem(c);
    if (!title) setHorizontalHeaderItem(c, title = new QTableWidgetItem);
    title->setText(Q(m.Title(column)));
    const int width = m.ColumnWidth(column);
    if (width > 0 && columnWidth(c) != width) setColumnWidth(c, width);
  }
  for (int r = 0; r < rowCount(); ++r)
    for (int c = 0; c < columns; ++c) {
      const QString text = Q(m.Text(static_cast<std::size_t>(r), static_cast<std::size_t>(c)));
      QTableWidgetItem* it = item(r, c);
      if (!it) {
        if (text.isEmpty()) continue;
        setItem(r, c, it = new QTableWidgetItem);
      }
      if (it->text() != text) it->setText(text);
    }
  refreshing_ = false;
  viewport()->update();
}

void TWorkoutGridView::EndEdit() {
  if (!Editing()) return;
  const int row = currentRow();
  const int column = currentColumn();
  setCurrentIndex(QModelIndex());  // commits and closes the editor
  setCurrentCell(row, column);
}

std::vector<std::int32_t> TWorkoutGridView::Widths() const {
  std::vector<std::int32_t> widths;
  for (int c = 0; c < columnCount(); ++c) widths.push_back(columnWidth(c));
  return widths;
}

std::size_t TWorkoutGridView::CurrentLine() const {
  return static_cast<std::size_t>(std::max(currentRow(), 0));
}

void TWorkoutGridView::SectionMoved(int, int oldVisual, int newVisual) {
  // The columns are laid out in map order again; the move goes to the map.
  QHeaderView* header = horizontalHeader();
  {
    const QSignalBlocker block(header);
    header->moveSection(newVisual, oldVisual);
  }
  if (OnColumnMoved)
    OnColumnMoved(static_cast<std::size_t>(oldVisual), static_cast<std::size_t>(newVisual));
}

}  // namespace korvela
