#include "nutrition/ui/recipe_book_form.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTextList>
#include <QToolBar>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

#include "energy/ui/body_form_parts.h"
#include "nutrition/ui/calorie_pie.h"
#include "nutrition/ui/food_form_parts.h"
#include "nutrition/ui/food_logging_form.h"
#include "nutrition/ui/rtf_document.h"
#include "widgets/page_printing.h"
#include "widgets/pie_chart.h"

namespace korvela {
namespace {

constexpr int kRecipeBookHelpTopic = 35;
constexpr const char* kRecipeSearchHint = "Type here the recipe or food I am looking for...";

bool IsEnter(const QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  const int key = static_cast<const QKeyEvent*>(event)->key();
  return key == Qt::Key_Return || key == Qt::Key_Enter;
}

bool IsKey(const QEvent* event, int key) {
  return event->type() == QEvent::KeyPress && static_cast<const QKeyEvent*>(event)->key() == key;
}

QTreeWidget* MakeList(const char* name, const char* accessibleName, const QStringList& headers,
                      QWidget* parent) {
  auto* list = new QTreeWidget(parent);
  list->setObjectName(QString::fromUtf8(name));
  list->setAccessibleName(QString::fromUtf8(accessibleName));
  list->setRootIsDecorated(false);
  list->setUniformRowHeights(true);
  list->setAlternatingRowColors(true);
  list->setHeaderLabels(headers);
  list->header()->setSectionsClickable(true);
  list->header()->setStretchLastSection(false);
  list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
  list->setTextElideMode(Qt::ElideRight);
  return list;
}

// Fills a list with rows of texts; every column but the first is a number
// or a quantity and stands to the right.
void FillList(QTreeWidget& list, const std::vector<TRecipeBookRow>& rows) {
  const int current = list.currentIndex().row();
  list.clear();
  QList<QTreeWidgetItem*> items;
  items.reserve(static_cast<qsizetype>(rows.size()));
  for (const TRecipeBookRow& row : rows) {
    auto* item = new QTreeWidgetItem;
    for (std::size_t c = 0; c < row.size(); ++c) {
      const int column = static_cast<int>(c);
      item->setText(column, QText(row[c]));
      if (column > 0) item->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
    }
    items << item;
  }
  list.addTopLevelItems(items);
  if (current >= 0 && current < list.topLevelItemCount())
    list.setCurrentItem(list.topLevelItem(current), 0, QItemSelectionModel::NoUpdate);
}

int CurrentRow(const QTreeWidget& list) {
  QTreeWidgetItem* item = list.currentItem();
  return item ? list.indexOfTopLevelItem(item) : -1;
}

}  // namespace

TFRecipeBook::TFRecipeBook(TProgram& program, TPrompter& prompter, QWidget* parent)
    : QDialog(parent), program_(program), prompter_(prompter) {
  TUserSession* session = program.Session();
  state_ = std::make_unique<TRecipeBookState>(program.Foods(), program.Config(), prompter,
                                              program.Folder(), program.Random(),
                                              session ? &session->FrequentFoods() : nullptr);
  setWindowTitle(QString::fromUtf8(kRecipeBookCaption));
  setSizeGripEnabled(true);

  OnAskQuantity = [this](TWFoodItem item) -> std::optional<TWFoodItem> {
    TFIngredient dialog(program_, prompter_, std::move(item), this);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Ingredient();
  };
  OnChoosePrinter = [this](QPrinter& printer) {
    QPrintDialog dialog(&printer, this);
    return dialog.exec() == QDialog::Accepted;
  };
  OnOpenLink = [](const QString& link) { QDesktopServices::openUrl(QUrl(link)); };

  // Search row.
  searchLineEdit_ = MakeLineEdit("searchLineEdit", this);
  searchLineEdit_->setPlaceholderText(QString::fromUtf8(kRecipeSearchHint));
  searchLineEdit_->setAccessibleName(QStringLiteral("Search for"));
  searchLineEdit_->installEventFilter(this);
  categoryComboBox_ = new QComboBox(this);
  categoryComboBox_->setObjectName(QStringLiteral("categoryComboBox"));
  categoryComboBox_->setAccessibleName(QStringLiteral("Category"));
  for (const std::string& c : state_->Categories()) categoryComboBox_->addItem(QText(c));
  categoryComboBox_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  categoryComboBox_->setMinimumContentsLength(18);
  findButton_ = MakeButton("&Find", "findButton", this);
  showAllButton_ = MakeButton("Show &All", "showAllButton", this);
  auto* searchRow = new QHBoxLayout;
  searchRow->addWidget(searchLineEdit_, 3);
  searchRow->addWidget(categoryComboBox_, 1);
  searchRow->addWidget(findButton_);
  searchRow->addWidget(showAllButton_);
  connect(findButton_, &QPushButton::clicked, this, &TFRecipeBook::FindExecute);
  connect(showAllButton_, &QPushButton::clicked, this, &TFRecipeBook::ShowAllExecute);

  tabs_ = new QTabWidget(this);
  tabs_->setObjectName(QStringLiteral("recipeTabs"));
  tabs_->setFocusPolicy(Qt::NoFocus);
  recipesPage_ = BuildRecipesPage();
  ingredientsPage_ = BuildIngredientsPage();
  directionsPage_ = BuildDirectionsPage();
  resultsPage_ = BuildResultsPage();
  tabs_->addTab(recipesPage_, QStringLiteral("Recipes"));
  tabs_->addTab(ingredientsPage_, QStringLiteral("Ingredients"));
  tabs_->addTab(directionsPage_, QStringLiteral("Directions"));
  tabs_->addTab(resultsPage_, QStringLiteral("Ingredients Search Results"));

  // Commands of the whole screen.
  newButton_ = MakeButton("&New Recipe", "newRecipeButton", this);
  editButton_ = MakeButton("&Edit", "editButton", this);
  editCopyButton_ = MakeButton("Edit a &copy", "editCopyButton", this);
  deleteButton_ = MakeButton("&Delete", "deleteButton", this);
  saveButton_ = MakeButton("&Save", "saveButton", this);
  okButton_ = MakeButton("OK", "okButton", this);
  cancelButton_ = MakeButton("Cancel", "cancelButton", this);
  helpButton_ = MakeButton("Help", "helpButton", this);
  for (QPushButton* b : {newButton_, editButton_, editCopyButton_, deleteButton_, saveButton_,
                         cancelButton_, helpButton_})
    b->setAutoDefault(false);
  okButton_->setAutoDefault(false);
  connect(newButton_, &QPushButton::clicked, this, &TFRecipeBook::NewRecipeExecute);
  connect(editButton_, &QPushButton::clicked, this, &TFRecipeBook::EditExecute);
  connect(editCopyButton_, &QPushButton::clicked, this, &TFRecipeBook::EditCopyExecute);
  connect(deleteButton_, &QPushButton::clicked, this, &TFRecipeBook::DeleteExecute);
  connect(saveButton_, &QPushButton::clicked, this, &TFRecipeBook::SaveExecute);
  connect(okButton_, &QPushButton::clicked, this, &TFRecipeBook::accept);
  connect(cancelButton_, &QPushButton::clicked, this, &TFRecipeBook::CancelExecute);
  ConnectHelp(*this, helpButton_, program, kRecipeBookHelpTopic);
  newAction_ = AddAction(this, "New Recipe", &TFRecipeBook::NewRecipeExecute,
                         QKeySequence(Qt::CTRL | Qt::Key_N));
  saveAction_ =
      AddAction(this, "Save", &TFRecipeBook::SaveExecute, QKeySequence(Qt::CTRL | Qt::Key_S));

  auto* buttonRow = new QHBoxLayout;
  for (QPushButton* b : {newButton_, editButton_, editCopyButton_, deleteButton_})
    buttonRow->addWidget(b);
  buttonRow->addStretch(1);
  for (QPushButton* b : {saveButton_, okButton_, cancelButton_, helpButton_})
    buttonRow->addWidget(b);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(searchRow);
  layout->addWidget(tabs_, 1);
  layout->addLayout(buttonRow);

  setTabOrder(searchLineEdit_, categoryComboBox_);
  setTabOrder(categoryComboBox_, findButton_);
  setTabOrder(findButton_, showAllButton_);

  resize(940, 620);
  Refresh();
  searchLineEdit_->setFocus();
}

TFRecipeBook::~TFRecipeBook() = default;

QAction* TFRecipeBook::AddAction(QWidget* owner, const char* caption, void (TFRecipeBook::*slot)(),
                                 QKeySequence shortcut) {
  auto* action = new QAction(QString::fromUtf8(caption), owner);
  action->setShortcut(shortcut);
  action->setShortcutContext(owner == this ? Qt::WindowShortcut : Qt::WidgetWithChildrenShortcut);
  connect(action, &QAction::triggered, this, slot);
  owner->addAction(action);
  return action;
}

QWidget* TFRecipeBook::BuildRecipesPage() {
  auto* page = new QWidget(this);
  recipeList_ =
      MakeList("recipeGrid", "Recipes",
               {QStringLiteral("Recipe"), QStringLiteral("Servings"), QStringLiteral("Protein"),
                QStringLiteral("Fats"), QStringLiteral("Carbs"), QStringLiteral("Calories")},
               page);
  recipeList_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  recipeList_->installEventFilter(this);
  recipeList_->setContextMenuPolicy(Qt::ActionsContextMenu);
  connect(recipeList_, &QTreeWidget::itemDoubleClicked, this, &TFRecipeBook::EditExecute);
  connect(recipeList_, &QTreeWidget::itemSelectionChanged, this, &TFRecipeBook::UpdateCommands);
  connect(recipeList_->header(), &QHeaderView::sectionClicked, this, [this](int column) {
    state_->SortRecipes(column);
    FillRecipes();
  });
  auto* showAll = new QAction(QStringLiteral("Show All Recipes"), recipeList_);
  connect(showAll, &QAction::triggered, this, &TFRecipeBook::ShowAllExecute);
  recipeList_->addAction(showAll);
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(recipeList_);
  return page;
}

QWidget* TFRecipeBook::BuildIngredientsPage() {
  auto* page = new QWidget(this);
  nameLineEdit_ = MakeLineEdit("nameLineEdit", page, 100);
  servingsLineEdit_ = MakeLineEdit("servingsLineEdit", page, 20);
  servingsLineEdit_->setFixedWidth(120);
  caloriesLineEdit_ = MakeLineEdit("caloriesLineEdit", page);
  caloriesLineEdit_->setReadOnly(true);
  caloriesLineEdit_->setFixedWidth(120);
  caloriesLineEdit_->setAlignment(Qt::AlignRight);
  caloriesLineEdit_->setFocusPolicy(Qt::ClickFocus);
  nameLineEdit_->installEventFilter(this);
  servingsLineEdit_->installEventFilter(this);
  connect(nameLineEdit_, &QLineEdit::textEdited, this, [this](const QString& text) {
    if (!text.isEmpty()) state_->Book().SetName(text.toStdString());
  });

  auto* fields = new QGridLayout;
  fields->addWidget(MakeBuddyLabel("Recipe &name:", nameLineEdit_, page), 0, 0);
  fields->addWidget(nameLineEdit_, 0, 1);
  fields->addWidget(MakeBuddyLabel("S&ervings:", servingsLineEdit_, page), 1, 0);
  fields->addWidget(servingsLineEdit_, 1, 1, Qt::AlignLeft);
  fields->addWidget(MakeBuddyLabel("Calories:", caloriesLineEdit_, page), 2, 0);
  fields->addWidget(caloriesLineEdit_, 2, 1, Qt::AlignLeft);
  fields->setRowStretch(3, 1);
  fields->setColumnStretch(1, 1);
  pie_ = MakeCaloriePie(page);
  pie_->setFixedSize(300, 130);
  auto* top = new QHBoxLayout;
  top->addLayout(fields, 1);
  top->addWidget(pie_);

  ingredientList_ =
      MakeList("ingredientGrid", "Ingredients",
               {QStringLiteral("Ingredient"), QStringLiteral("Quantity"), QStringLiteral("Protein"),
                QStringLiteral("Fats"), QStringLiteral("Carbs"), QStringLiteral("Calories")},
               page);
  ingredientList_->installEventFilter(this);
  connect(ingredientList_, &QTreeWidget::itemDoubleClicked, this,
          &TFRecipeBook::EditQuantityExecute);
  connect(ingredientList_, &QTreeWidget::currentItemChanged, this, &TFRecipeBook::UpdateCommands);
  connect(ingredientList_->header(), &QHeaderView::sectionClicked, this, [this](int column) {
    state_->SortIngredients(column);
    FillIngredients();
  });
  editQuantityButton_ = MakeButton("Edit &quantity...", "editQuantityButton", page);
  deleteIngredientButton_ = MakeButton("Delete ingredient", "deleteIngredientButton", page);
  editQuantityButton_->setAutoDefault(false);
  deleteIngredientButton_->setAutoDefault(false);
  connect(editQuantityButton_, &QPushButton::clicked, this, &TFRecipeBook::EditQuantityExecute);
  connect(deleteIngredientButton_, &QPushButton::clicked, this,
          &TFRecipeBook::DeleteIngredientExecute);
  pasteFoodsButton_ = MakeButton("&Paste copied foods", "pasteFoodsButton", page);
  pasteFoodsButton_->setAutoDefault(false);
  pasteFoodsButton_->setToolTip(
      QStringLiteral("Adds the meal or food last copied on the food log screen"));
  connect(pasteFoodsButton_, &QPushButton::clicked, this, &TFRecipeBook::PasteFoodsExecute);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(editQuantityButton_);
  buttons->addWidget(deleteIngredientButton_);
  buttons->addWidget(pasteFoodsButton_);
  buttons->addStretch(1);

  auto* layout = new QVBoxLayout(page);
  layout->addLayout(top);
  layout->addWidget(ingredientList_, 1);
  layout->addLayout(buttons);
  return page;
}

QWidget* TFRecipeBook::BuildDirectionsPage() {
  auto* page = new QWidget(this);
  directionsEdit_ = new QTextEdit(page);
  directionsEdit_->setObjectName(QStringLiteral("directionsTextEdit"));
  directionsEdit_->setAccessibleName(QStringLiteral("Directions"));
  directionsEdit_->setAcceptRichText(true);
  directionsEdit_->setTabChangesFocus(true);
  directionsEdit_->setToolTip(QStringLiteral("Ctrl+click a link to open it"));
  directionsEdit_->viewport()->installEventFilter(this);
  directionsEdit_->installEventFilter(this);

  auto* bar = new QToolBar(page);
  bar->setObjectName(QStringLiteral("directionsToolBar"));
  bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
  const auto command = [&](const char* caption, auto run, QKeySequence shortcut = {},
                           const char* tip = nullptr) {
    auto* action = bar->addAction(QString::fromUtf8(caption));
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    if (tip) action->setToolTip(QString::fromUtf8(tip));
    connect(action, &QAction::triggered, this, run);
    page->addAction(action);
    return action;
  };
  // Cut, copy, paste, delete and undo are the editor's own keys.
  command(
      "Cut", [this] { directionsEdit_->cut(); }, {}, "Cut (Ctrl+X)");
  command(
      "Copy", [this] { directionsEdit_->copy(); }, {}, "Copy (Ctrl+C)");
  command(
      "Paste", [this] { directionsEdit_->paste(); }, {}, "Paste (Ctrl+V)");
  command(
      "Delete", [this] { directionsEdit_->textCursor().removeSelectedText(); }, {}, "Delete (Del)");
  command(
      "Undo", [this] { directionsEdit_->undo(); }, {}, "Undo (Ctrl+Z)");
  bar->addSeparator();
  const auto align = [this](Qt::Alignment a) {
    return [this, a] { directionsEdit_->setAlignment(a); };
  };
  command("Left", align(Qt::AlignLeft), {}, "Align left");
  command("Centre", align(Qt::AlignHCenter), {}, "Centre");
  command("Right", align(Qt::AlignRight), {}, "Align right");
  bar->addSeparator();
  command(
      "Bold",
      [this] {
        QTextCharFormat f;
        f.setFontWeight(directionsEdit_->fontWeight() >= QFont::DemiBold ? QFont::Normal
                                                                         : QFont::Bold);
        directionsEdit_->mergeCurrentCharFormat(f);
      },
      QKeySequence(Qt::CTRL | Qt::Key_B), "Bold (Ctrl+B)");
  command(
      "Italic",
      [this] {
        QTextCharFormat f;
        f.setFontItalic(!directionsEdit_->fontItalic());
        directionsEdit_->mergeCurrentCharFormat(f);
      },
      QKeySequence(Qt::CTRL | Qt::Key_I), "Italic (Ctrl+I)");
  command(
      "Underline",
      [this] {
        QTextCharFormat f;
        f.setFontUnderline(!directionsEdit_->fontUnderline());
        directionsEdit_->mergeCurrentCharFormat(f);
      },
      QKeySequence(Qt::CTRL | Qt::Key_U), "Underline (Ctrl+U)");
  command(
      "Bullets",
      [this] {
        QTextCursor cursor = directionsEdit_->textCursor();
        if (QTextList* list = cursor.currentList()) {
          QTextBlock block = cursor.block();
          list->remove(block);
          QTextBlockFormat format = cursor.blockFormat();
          format.setIndent(0);
          cursor.setBlockFormat(format);
        } else {
          cursor.createList(QTextListFormat::ListDisc);
        }
      },
      {}, "Bullets");
  bar->addSeparator();
  pasteIngredientsAction_ = command(
      "Paste ingredients", [this] { PasteIngredientsExecute(); }, {},
      "Append a line for every ingredient");
  command(
      "Print...", [this] { PrintExecute(); }, {}, "Print the directions");

  auto* layout = new QVBoxLayout(page);
  layout->addWidget(bar);
  layout->addWidget(directionsEdit_, 1);
  return page;
}

QWidget* TFRecipeBook::BuildResultsPage() {
  auto* page = new QWidget(this);
  resultList_ =
      MakeList("resultGrid", "Ingredients found",
               {QStringLiteral("Ingredient"), QStringLiteral("Protein"), QStringLiteral("Fats"),
                QStringLiteral("Carbs"), QStringLiteral("Calories")},
               page);
  resultList_->installEventFilter(this);
  connect(resultList_, &QTreeWidget::itemDoubleClicked, this, &TFRecipeBook::AddIngredientExecute);
  connect(resultList_, &QTreeWidget::currentItemChanged, this, &TFRecipeBook::UpdateCommands);
  connect(resultList_->header(), &QHeaderView::sectionClicked, this, [this](int column) {
    state_->SortResults(column);
    FillResults();
  });
  addIngredientButton_ = MakeButton("&Add ingredient...", "addIngredientButton", page);
  addIngredientButton_->setAutoDefault(false);
  connect(addIngredientButton_, &QPushButton::clicked, this, &TFRecipeBook::AddIngredientExecute);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(addIngredientButton_);
  buttons->addStretch(1);
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(resultList_, 1);
  layout->addLayout(buttons);
  return page;
}

void TFRecipeBook::Refresh() {
  const bool browsing = state_->Browsing();
  tabs_->setTabVisible(tabs_->indexOf(recipesPage_), browsing);
  for (QWidget* page : {ingredientsPage_, directionsPage_, resultsPage_})
    tabs_->setTabVisible(tabs_->indexOf(page), !browsing);
  if (browsing)
    tabs_->setCurrentWidget(recipesPage_);
  else if (tabs_->currentWidget() == recipesPage_)
    tabs_->setCurrentWidget(ingredientsPage_);
  showAllButton_->setVisible(browsing);
  categoryComboBox_->setVisible(!browsing);
  for (QPushButton* b : {newButton_, editButton_, editCopyButton_, deleteButton_})
    b->setVisible(browsing);
  saveButton_->setVisible(!browsing);
  cancelButton_->setVisible(!browsing);
  if (browsing) {
    FillRecipes();
  } else {
    ShowWorking();
    FillResults();
  }
  UpdateCommands();
}

void TFRecipeBook::ShowWorking() {
  nameLineEdit_->setText(QText(state_->NameText()));
  servingsLineEdit_->setText(QText(state_->ServingsText()));
  FillIngredients();
}

void TFRecipeBook::FillRecipes() {
  FillList(*recipeList_, state_->RecipeRows());
  UpdateCommands();
}

void TFRecipeBook::FillIngredients() {
  caloriesLineEdit_->setText(QText(state_->CaloriesText()));
  ShowCalorieShares(*pie_, state_->Shares());
  pie_->setVisible(state_->HasIngredients());
  FillList(*ingredientList_, state_->IngredientRows());
  UpdateCommands();
}

void TFRecipeBook::FillResults() {
  FillList(*resultList_, state_->ResultRows());
  UpdateCommands();
}

void TFRecipeBook::UpdateCommands() {
  const bool browsing = state_->Browsing();
  const bool one = TRecipeBookState::OneSelected(
      static_cast<int>(recipeList_->selectionModel()->selectedRows().size()));
  editButton_->setEnabled(one);
  editCopyButton_->setEnabled(one);
  deleteButton_->setEnabled(one);
  newAction_->setEnabled(browsing);
  const bool canSave = !browsing && state_->HasIngredients();
  saveButton_->setEnabled(canSave);
  saveAction_->setEnabled(canSave);
  okButton_->setVisible(browsing || canSave);
  okButton_->setDefault(browsing);
  pasteIngredientsAction_->setEnabled(canSave);
  editQuantityButton_->setEnabled(ingredientList_->currentItem() != nullptr);
  deleteIngredientButton_->setEnabled(ingredientList_->currentItem() != nullptr);
  addIngredientButton_->setEnabled(resultList_->currentItem() != nullptr);
  pasteFoodsButton_->setEnabled(!program_.FoodClipboard().Empty());
}

bool TFRecipeBook::eventFilter(QObject* watched, QEvent* event) {
  // Nothing is watched for the user before the screen is whole.
  if (!okButton_ || !directionsEdit_) return QDialog::eventFilter(watched, event);
  if (watched == searchLineEdit_ && IsEnter(event)) {
    FindExecute();
    return true;
  }
  if (watched == recipeList_ && (IsEnter(event) || IsKey(event, Qt::Key_Delete))) {
    if (IsEnter(event)) {
      EditExecute();
    } else {
      DeleteExecute();
    }
    return true;
  }
  if (watched == resultList_ && IsEnter(event)) {
    AddIngredientExecute();
    return true;
  }
  if (watched == ingredientList_ && (IsEnter(event) || IsKey(event, Qt::Key_Delete))) {
    if (IsEnter(event)) {
      EditQuantityExecute();
    } else {
      DeleteIngredientExecute();
    }
    return true;
  }
  if (watched == directionsEdit_->viewport() && event->type() == QEvent::MouseButtonRelease) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const QString link = directionsEdit_->anchorAt(mouse->position().toPoint());
    if (!link.isEmpty() && (mouse->modifiers() & Qt::ControlModifier) &&
        OpensOnDesktop(link.toStdString())) {
      OnOpenLink(link);
      return true;
    }
  }
  if (watched == directionsEdit_ && event->type() == QEvent::FocusOut) ShowDirections();
  const bool isName = watched == nameLineEdit_;
  const bool isServings = watched == servingsLineEdit_;
  if (isName || isServings) {
    if (IsEnter(event)) {
      if (isName)
        NameLeave();
      else
        ServingsLeave();
      return true;
    }
    if (event->type() == QEvent::FocusOut && !checking_ && !state_->Browsing()) {
      const auto reason = static_cast<QFocusEvent*>(event)->reason();
      const bool check = reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
                         QApplication::focusWidget() != cancelButton_;
      if (check) {
        if (isName)
          NameLeave();
        else
          ServingsLeave();
      }
    }
  }
  return QDialog::eventFilter(watched, event);
}

bool TFRecipeBook::NameLeave() {
  const std::optional<std::string> warning =
      state_->Book().SetName(nameLineEdit_->text().toStdString());
  if (!warning) return true;
  checking_ = true;
  prompter_.Warn(*warning);
  checking_ = false;
  tabs_->setCurrentWidget(ingredientsPage_);
  nameLineEdit_->setFocus();
  return false;
}

bool TFRecipeBook::ServingsLeave() {
  const std::string text = servingsLineEdit_->text().toStdString();
  const std::optional<std::string> warning =
      state_->Book().SetServings(text, program_.Config().FloatingChar());
  if (!warning) {
    servingsLineEdit_->setText(QText(state_->ServingsText()));
    FillIngredients();
    return true;
  }
  checking_ = true;
  prompter_.Warn(*warning);
  checking_ = false;
  tabs_->setCurrentWidget(ingredientsPage_);
  servingsLineEdit_->setFocus();
  servingsLineEdit_->selectAll();
  return false;
}

std::string TFRecipeBook::DirectionsRtf() const {
  TRtfDocument document = ReadTextDocument(*directionsEdit_->document());
  DetectLinks(document);
  return WriteRtf(document);
}

void TFRecipeBook::ShowDirections() {
  // Addresses typed as text become links once the editor is left.
  TRtfDocument document = ReadTextDocument(*directionsEdit_->document());
  const TRtfDocument typed = document;
  DetectLinks(document);
  if (document == typed) return;
  const int position = directionsEdit_->textCursor().position();
  ShowRtfDocument(document, *directionsEdit_->document());
  QTextCursor cursor = directionsEdit_->textCursor();
  cursor.setPosition(std::min(position, directionsEdit_->document()->characterCount() - 1));
  directionsEdit_->setTextCursor(cursor);
}

void TFRecipeBook::StartEditing() {
  searchLineEdit_->clear();
  categoryComboBox_->setCurrentIndex(0);
  const TRecipeFood* working = state_->Book().Working();
  ShowRtfDocument(working ? ReadRtf(RecipeOf(*working).Desc) : TRtfDocument{},
                  *directionsEdit_->document());
  Refresh();
  tabs_->setCurrentWidget(ingredientsPage_);
  nameLineEdit_->setFocus();
  nameLineEdit_->selectAll();
}

void TFRecipeBook::FindExecute() {
  const std::string query = searchLineEdit_->text().toStdString();
  if (state_->Browsing()) {
    state_->FindRecipes(query);
    FillRecipes();
    return;
  }
  state_->FindIngredients(query, categoryComboBox_->currentIndex());
  FillResults();
  tabs_->setCurrentWidget(resultsPage_);
  if (resultList_->topLevelItemCount() > 0) {
    resultList_->setCurrentItem(resultList_->topLevelItem(0));
    resultList_->setFocus();
  }
}

void TFRecipeBook::ShowAllExecute() {
  if (!state_->Browsing()) return;
  searchLineEdit_->clear();
  state_->ShowAll();
  FillRecipes();
}

void TFRecipeBook::NewRecipeExecute() {
  if (!state_->Browsing()) return;
  state_->New();
  StartEditing();
}

void TFRecipeBook::EditExecute() {
  const QList<QTreeWidgetItem*> selected = recipeList_->selectedItems();
  if (!state_->Browsing() || selected.size() != 1) return;
  if (state_->Edit(recipeList_->indexOfTopLevelItem(selected.front()))) StartEditing();
}

void TFRecipeBook::EditCopyExecute() {
  const QList<QTreeWidgetItem*> selected = recipeList_->selectedItems();
  if (!state_->Browsing() || selected.size() != 1) return;
  if (state_->EditCopy(recipeList_->indexOfTopLevelItem(selected.front()))) StartEditing();
}

void TFRecipeBook::DeleteExecute() {
  const QList<QTreeWidgetItem*> selected = recipeList_->selectedItems();
  if (!state_->Browsing() || selected.size() != 1) return;
  if (state_->Delete(recipeList_->indexOfTopLevelItem(selected.front()))) FillRecipes();
}

void TFRecipeBook::AddIngredientExecute() {
  std::optional<TWFoodItem> item = state_->IngredientFor(CurrentRow(*resultList_));
  if (!item) return;
  std::optional<TWFoodItem> confirmed = OnAskQuantity(std::move(*item));
  if (!confirmed) return;
  state_->AddIngredient(std::move(*confirmed));
  FillIngredients();
  tabs_->setCurrentWidget(ingredientsPage_);
  ingredientList_->setCurrentItem(
      ingredientList_->topLevelItem(ingredientList_->topLevelItemCount() - 1));
}

void TFRecipeBook::EditQuantityExecute() {
  const int row = CurrentRow(*ingredientList_);
  std::optional<TWFoodItem> item = state_->IngredientAt(row);
  if (!item) return;
  std::optional<TWFoodItem> confirmed = OnAskQuantity(std::move(*item));
  if (!confirmed) return;
  state_->ReplaceIngredient(row, std::move(*confirmed));
  FillIngredients();
}

void TFRecipeBook::DeleteIngredientExecute() {
  const int row = CurrentRow(*ingredientList_);
  if (!state_->IngredientAt(row)) return;
  state_->DeleteIngredient(row);
  FillIngredients();
}

void TFRecipeBook::PasteIngredientsExecute() {
  const std::vector<std::string> lines = state_->IngredientLines();
  if (lines.empty()) return;
  QTextCursor cursor(directionsEdit_->document());
  cursor.movePosition(QTextCursor::End);
  cursor.beginEditBlock();
  QTextCharFormat plain;
  plain.setFontWeight(QFont::Normal);
  plain.setFontItalic(false);
  plain.setFontUnderline(false);
  for (const std::string& line : lines) {
    if (!cursor.block().text().isEmpty() || cursor.block().textList()) {
      cursor.insertBlock(QTextBlockFormat(), plain);
    }
    cursor.insertText(QText(line), plain);
  }
  cursor.endEditBlock();
  directionsEdit_->setTextCursor(cursor);
  tabs_->setCurrentWidget(directionsPage_);
}

void TFRecipeBook::PasteFoodsExecute() {
  if (state_->PasteFoods(program_.FoodClipboard()) == 0) return;
  FillIngredients();
  tabs_->setCurrentWidget(ingredientsPage_);
}

void TFRecipeBook::PrintExecute() {
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(QString::fromUtf8(kRecipeInstructionsTitle));
  if (!OnChoosePrinter(printer)) return;
  std::unique_ptr<QTextDocument> page(directionsEdit_->document()->clone());
  page->setMetaInformation(QTextDocument::DocumentTitle,
                           QString::fromUtf8(kRecipeInstructionsTitle));
  QTextCursor cursor(page.get());
  cursor.movePosition(QTextCursor::Start);
  QTextCharFormat heading;
  heading.setFontWeight(QFont::Bold);
  heading.setFontPointSize(14);
  cursor.insertBlock();
  cursor.movePosition(QTextCursor::Start);
  cursor.setBlockFormat(QTextBlockFormat());
  cursor.insertText(QText(state_->NameText()), heading);
  if (!PrintDocument(*page, printer)) prompter_.Warn(kMsgPrintRecipeFailed);
}

void TFRecipeBook::SaveExecute() {
  if (state_->Browsing() || !state_->HasIngredients()) return;
  if (nameLineEdit_->text().isEmpty() && !NameLeave()) return;
  if (servingsLineEdit_->text().toStdString() != state_->ServingsText() && !ServingsLeave()) return;
  if (!state_->Save(DirectionsRtf())) return;
  searchLineEdit_->clear();
  Refresh();
  searchLineEdit_->setFocus();
}

void TFRecipeBook::CancelExecute() {
  if (state_->Browsing()) return;
  state_->Cancel();
  searchLineEdit_->clear();
  Refresh();
  searchLineEdit_->setFocus();
}

bool TFRecipeBook::TryClose() {
  if (closed_) return true;
  if (!state_->Close([this] { return DirectionsRtf(); })) return false;
  closed_ = true;
  return true;
}

void TFRecipeBook::accept() {
  if (!state_->Browsing()) {
    SaveExecute();
    return;
  }
  if (TryClose()) QDialog::accept();
}

void TFRecipeBook::reject() {
  if (!state_->Browsing()) {
    CancelExecute();
    return;
  }
  if (TryClose()) QDialog::reject();
}

void TFRecipeBook::closeEvent(QCloseEvent* event) {
  if (!TryClose()) {
    event->ignore();
    return;
  }
  event->accept();
  QDialog::done(QDialog::Rejected);
}

}  // namespace korvela
