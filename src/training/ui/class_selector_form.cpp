#include "training/ui/class_selector_form.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "energy/ui/body_form_parts.h"
#include "storage/errors.h"
#include "training/exercise_forms.h"

namespace korvela {
namespace {

std::string Trimmed(const QString& text) { return text.trimmed().toStdString(); }

}  // namespace

TFClassSelector::TFClassSelector(TProgram& program, TPrompter& prompter, std::int32_t classID,
                                 QWidget* parent)
    : QDialog(parent),
      program_(program),
      prompter_(prompter),
      classID_(classID),
      classEdit_(new QLineEdit(this)),
      list_(new QListWidget(this)),
      resultEdit_(new QLineEdit(this)),
      editButton_(MakeButton("Edit", "editButton", this)),
      deleteButton_(MakeButton("Delete", "deleteButton", this)),
      upButton_(MakeButton("Up", "upButton", this)),
      downButton_(MakeButton("Down", "downButton", this)) {
  setWindowTitle(QString::fromUtf8(kSelectorCaption));
  const TDClass* dclass = program.Exercises().FindClass(classID);
  classEdit_->setObjectName(QStringLiteral("classificationLineEdit"));
  classEdit_->setText(QText(dclass ? dclass->Name : DefaultClassName(classID)));
  classEdit_->setReadOnly(classID < kUserClassOneID || classID > kUserClassFourID);
  list_->setObjectName(QStringLiteral("subClassesListWidget"));
  list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  if (dclass) captions_ = dclass->SubClasses;
  for (const std::string& caption : captions_) {
    auto* item = new QListWidgetItem(QText(caption), list_);
    item->setFlags(item->flags() | Qt::ItemIsEditable);
  }
  selected_.assign(captions_.size(), false);
  resultEdit_->setObjectName(QStringLiteral("resultLineEdit"));
  resultEdit_->setReadOnly(true);

  auto* newButton = MakeButton("New", "newButton", this);
  auto* commands = new QVBoxLayout;
  for (QPushButton* b : {newButton, editButton_, deleteButton_, upButton_, downButton_})
    commands->addWidget(b);
  commands->addStretch(1);

  auto* fields = new QGridLayout;
  fields->addWidget(MakeBuddyLabel("Classification", classEdit_, this), 0, 0);
  fields->addWidget(classEdit_, 0, 1);
  auto* listRow = new QHBoxLayout;
  listRow->addWidget(list_, 1);
  listRow->addLayout(commands);
  list_->setAccessibleName(QStringLiteral("Sub-classes"));
  auto* hint = new QLabel(QString::fromUtf8(kSelectorHint), this);
  auto* resultRow = new QHBoxLayout;
  resultRow->addWidget(MakeBuddyLabel("Result", resultEdit_, this));
  resultRow->addWidget(resultEdit_, 1);

  auto* ok = MakeButton("OK", "okButton", this);
  ok->setDefault(true);
  cancelButton_ = MakeButton("Cancel", "cancelButton", this);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(ok, QDialogButtonBox::AcceptRole);
  buttons->addButton(cancelButton_, QDialogButtonBox::RejectRole);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addLayout(listRow, 1);
  layout->addWidget(hint);
  layout->addLayout(resultRow);
  layout->addWidget(buttons);

  connect(list_, &QListWidget::itemSelectionChanged, this, &TFClassSelector::ListSelectionChange);
  connect(list_, &QListWidget::itemChanged, this, &TFClassSelector::ListItemChange);
  connect(classEdit_, &QLineEdit::editingFinished, this,
          &TFClassSelector::ClassNameEditingFinished);
  connect(classEdit_, &QLineEdit::textEdited, this, [this] { nameWarned_ = false; });
  connect(newButton, &QPushButton::clicked, this, &TFClassSelector::NewButtonClick);
  connect(editButton_, &QPushButton::clicked, this, &TFClassSelector::EditButtonClick);
  connect(deleteButton_, &QPushButton::clicked, this, &TFClassSelector::DeleteButtonClick);
  connect(upButton_, &QPushButton::clicked, this, [this] { MoveButtonClick(true); });
  connect(downButton_, &QPushButton::clicked, this, [this] { MoveButtonClick(false); });
  connect(ok, &QPushButton::clicked, this, &TFClassSelector::OkButtonClick);
  connect(cancelButton_, &QPushButton::clicked, this, &TFClassSelector::reject);
  UpdateButtons();
  resize(420, 420);
}

std::vector<bool> TFClassSelector::SelectionFlags() const {
  std::vector<bool> flags(static_cast<std::size_t>(list_->count()), false);
  for (int i = 0; i < list_->count(); ++i)
    flags[static_cast<std::size_t>(i)] = list_->item(i)->isSelected();
  return flags;
}

void TFClassSelector::UpdateButtons() {
  const int count = static_cast<int>(list_->selectedItems().size());
  editButton_->setEnabled(count == 1);
  deleteButton_->setEnabled(count > 0);
  upButton_->setEnabled(count > 0);
  downButton_->setEnabled(count > 0);
}

void TFClassSelector::ListSelectionChange() {
  if (updating_) return;
  const std::vector<bool> now = SelectionFlags();
  std::string result = resultEdit_->text().toStdString();
  if (std::none_of(now.begin(), now.end(), [](bool b) { return b; })) {
    result.clear();
  } else {
    for (std::size_t i = 0; i < now.size() && i < selected_.size(); ++i) {
      if (now[i] && !selected_[i]) result = AddToResult(result, captions_[i]);
      if (!now[i] && selected_[i]) result = RemoveFromResult(result, captions_[i]);
    }
  }
  selected_ = now;
  resultEdit_->setText(QText(result));
  UpdateButtons();
}

void TFClassSelector::ListItemChange(QListWidgetItem* item) {
  if (updating_) return;
  const std::size_t row = static_cast<std::size_t>(list_->row(item));
  if (row >= captions_.size()) return;
  const std::string text = Trimmed(item->text());
  updating_ = true;
  if (text.empty()) {
    item->setText(QText(captions_[row]));
  } else {
    captions_[row] = item->text().toStdString();
    resultEdit_->setText(item->text());
  }
  updating_ = false;
}

void TFClassSelector::ClassNameEditingFinished() {
  if (closing_ || classEdit_->isReadOnly() || QApplication::focusWidget() == cancelButton_) return;
  if (!Trimmed(classEdit_->text()).empty() || nameWarned_) return;
  nameWarned_ = true;
  prompter_.Warn(kClassNameMissingMessage);
  classEdit_->setFocus();
}

void TFClassSelector::NewButtonClick() {
  updating_ = true;
  auto* item = new QListWidgetItem(QString::fromUtf8(kNewSubClassName), list_);
  item->setFlags(item->flags() | Qt::ItemIsEditable);
  captions_.push_back(kNewSubClassName);
  selected_.push_back(false);
  updating_ = false;
  list_->setCurrentItem(item, QItemSelectionModel::NoUpdate);
  list_->editItem(item);
}

void TFClassSelector::EditButtonClick() {
  const auto items = list_->selectedItems();
  if (items.size() == 1) list_->editItem(items.front());
}

void TFClassSelector::DeleteButtonClick() {
  std::vector<bool> flags = SelectionFlags();
  const auto first = std::find(flags.begin(), flags.end(), true);
  if (first == flags.end()) return;
  if (!prompter_.AskYesNo(
          DeleteQuestion(captions_[static_cast<std::size_t>(first - flags.begin())])))
    return;
  std::vector<std::string> kept;
  for (std::size_t i = 0; i < captions_.size(); ++i)
    if (!flags[i]) kept.push_back(captions_[i]);
  ShowItems(kept, std::vector<bool>(kept.size(), false));
  resultEdit_->clear();
}

void TFClassSelector::MoveButtonClick(bool up) {
  std::vector<std::string> items = captions_;
  std::vector<bool> flags = SelectionFlags();
  if (up)
    MoveSelectedUp(items, flags);
  else
    MoveSelectedDown(items, flags);
  ShowItems(items, flags);
}

void TFClassSelector::ShowItems(const std::vector<std::string>& items,
                                const std::vector<bool>& selected) {
  updating_ = true;
  list_->clear();
  for (std::size_t i = 0; i < items.size(); ++i) {
    auto* item = new QListWidgetItem(QText(items[i]), list_);
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    item->setSelected(selected[i]);
  }
  captions_ = items;
  selected_ = selected;
  updating_ = false;
  UpdateButtons();
}

void TFClassSelector::OkButtonClick() {
  if (Trimmed(classEdit_->text()).empty()) {
    if (!nameWarned_) prompter_.Warn(kClassNameMissingMessage);
    nameWarned_ = true;
    classEdit_->setFocus();
    return;
  }
  TDClass dclass;
  dclass.ID = classID_;
  dclass.Name = classEdit_->text().toStdString();
  dclass.SubClasses = captions_;
  try {
    program_.Exercises().SaveClass(dclass);
  } catch (const EXMLIOError& e) {
    prompter_.Warn(e.what());
    return;
  }
  result_ = resultEdit_->text().toStdString();
  closing_ = true;
  accept();
}

void TFClassSelector::reject() {
  closing_ = true;
  result_.clear();
  QDialog::reject();
}

std::string SelectClassification(TProgram& program, TPrompter& prompter, std::int32_t classID,
                                 QWidget* parent) {
  TFClassSelector selector(program, prompter, classID, parent);
  if (selector.exec() != QDialog::Accepted) return {};
  return selector.Result();
}

}  // namespace korvela
