#include "nutrition/ui/food_log_form.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabBar>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "nutrition/food_logging.h"
#include "nutrition/ui/calorie_pie.h"
#include "nutrition/ui/food_editor_form.h"
#include "nutrition/ui/food_logging_form.h"
#include "nutrition/ui/open_plan_forms.h"
#include "nutrition/ui/plan_options_form.h"
#include "nutrition/user_food_edits.h"
#include "nutrition/user_foods.h"
#include "reports/food_log_report.h"
#include "storage/errors.h"
#include "widgets/icons.h"
#include "widgets/pie_chart.h"
#include "widgets/report_viewer.h"

namespace korvela {
namespace {

constexpr int kFoodLogHelpTopic = 50;
constexpr int kFirstTipTopic = 51;
constexpr const char* kTips[] = {"How to search for foods?",
                                 "How to log foods quickly?",
                                 "Drag logs and menus for fast logging",
                                 "Set up your favorite foods",
                                 "Make your own menus",
                                 "Use shorter food names"};

QString Q(const std::string& text) { return QString::fromStdString(text); }

QLabel* PlainLabel(const QString& text = {}) {
  auto* label = new QLabel(text);
  label->setTextFormat(Qt::PlainText);
  return label;
}

void SetColour(QLabel* label, TPanelColour colour) {
  switch (colour) {
    case TPanelColour::Blue:
      label->setStyleSheet(QStringLiteral("color: #1f4fb4; font-weight: bold"));
      break;
    case TPanelColour::Red:
      label->setStyleSheet(QStringLiteral("color: #c0262d; font-weight: bold"));
      break;
    case TPanelColour::None:
      label->setStyleSheet(QStringLiteral("font-weight: bold"));
      break;
  }
}

QPixmap MarkPixmap(TPlanMark mark) {
  switch (mark) {
    case TPlanMark::Pass:
      return KorvelaPixmap("mark-pass", 16);
    case TPlanMark::Fail:
      return KorvelaPixmap("mark-fail", 16);
    case TPlanMark::NotAvailable:
      break;
  }
  return KorvelaPixmap("mark-not-available", 16);
}

}  // namespace

TFFoodLogForm::TFFoodLogForm(TProgram& program, TPrompter& prompter, TDateTime day, QWidget* parent)
    : QDialog(parent), program_(program), prompter_(prompter) {
  setObjectName(QStringLiteral("FoodLogForm"));
  setWindowTitle(QString::fromUtf8(kFoodLogCaption));
  TUserSession& session = *program.Session();

  dialogs_.logFood = [this](TWFoodItem item, TDaysMeals& plan, int meal) {
    const TLogFoodResult r = LogFood(program_, prompter_, std::move(item), plan, meal, this);
    return TLogOutcome{r.logged, r.meal, r.mealsChanged};
  };
  dialogs_.openLog = [this]() { return OpenFoodLog(program_, *store_, this); };
  dialogs_.openMenu = [this]() { return OpenSavedMenu(program_, program_.Menus(), this); };
  dialogs_.planOptions = [this](TDaysMeals& plan) {
    return EditPlanOptions(program_, prompter_, plan, this);
  };
  store_ = std::make_unique<TFoodLogStore>(program.CurrentUser()->Folder, program.Random());
  store_->RunArchivingPass(session.Energy().Today());
  // The state calls the dialogs through this object, so that tests may
  // replace them after the screen is built.
  TFoodLogDialogs forwarding;
  forwarding.logFood = [this](TWFoodItem item, TDaysMeals& plan, int meal) {
    return dialogs_.logFood(std::move(item), plan, meal);
  };
  forwarding.openLog = [this]() { return dialogs_.openLog(); };
  forwarding.openMenu = [this]() { return dialogs_.openMenu(); };
  forwarding.planOptions = [this](TDaysMeals& plan) { return dialogs_.planOptions(plan); };
  state_ = std::make_unique<TFoodLogState>(
      TFoodLogState::TContext{program.Config(), program.Foods(), session.FrequentFoods(),
                              program.Menus(), session.MealDefinitions(), *store_, session.Energy(),
                              session.DayRecords(), program.FoodClipboard(), prompter,
                              std::move(forwarding)},
      day);

  // Search row.
  searchLineEdit_ = new QLineEdit;
  searchLineEdit_->setObjectName(QStringLiteral("searchLineEdit"));
  searchLineEdit_->setPlaceholderText(QString::fromUtf8(kSearchBoxHint));
  searchLineEdit_->setAccessibleName(QStringLiteral("Search for"));
  searchLineEdit_->installEventFilter(this);
  categoryComboBox_ = new QComboBox;
  categoryComboBox_->setObjectName(QStringLiteral("categoryComboBox"));
  categoryComboBox_->setAccessibleName(QStringLiteral("Category"));
  for (const std::string& c : state_->Categories()) categoryComboBox_->addItem(Q(c));
  categoryComboBox_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  categoryComboBox_->setMinimumContentsLength(18);
  findButton_ = new QPushButton(QStringLiteral("&Find"));
  findButton_->setObjectName(QStringLiteral("findButton"));
  findButton_->setAutoDefault(false);
  connect(findButton_, &QPushButton::clicked, this, &TFFoodLogForm::FindButtonClick);

  targetComboBox_ = new QComboBox;
  targetComboBox_->setObjectName(QStringLiteral("targetComboBox"));
  targetComboBox_->setAccessibleName(QStringLiteral("Logging to"));
  targetComboBox_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  targetComboBox_->setMinimumContentsLength(14);
  connect(targetComboBox_, &QComboBox::activated, this, &TFFoodLogForm::TargetChange);
  mealComboBox_ = new QComboBox;
  mealComboBox_->setObjectName(QStringLiteral("mealComboBox"));
  mealComboBox_->setAccessibleName(QStringLiteral("Default Meal"));
  mealComboBox_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  mealComboBox_->setMinimumContentsLength(12);
  connect(mealComboBox_, &QComboBox::activated, this, &TFFoodLogForm::DefaultMealChange);

  auto* searchRow = new QHBoxLayout;
  searchRow->addWidget(searchLineEdit_, 3);
  searchRow->addWidget(categoryComboBox_, 1);
  searchRow->addWidget(findButton_);
  searchRow->addSpacing(12);
  auto* targetLabel = new QLabel(QStringLiteral("Logging &to:"));
  targetLabel->setBuddy(targetComboBox_);
  searchRow->addWidget(targetLabel);
  searchRow->addWidget(targetComboBox_, 1);
  auto* mealLabel = new QLabel(QStringLiteral("Default &Meal:"));
  mealLabel->setBuddy(mealComboBox_);
  searchRow->addWidget(mealLabel);
  searchRow->addWidget(mealComboBox_, 1);

  // Tabs and the list.
  tabBar_ = new QTabBar;
  tabBar_->setObjectName(QStringLiteral("PlanTabs"));
  tabBar_->setExpanding(false);
  tabBar_->setElideMode(Qt::ElideRight);
  tabBar_->setUsesScrollButtons(true);
  tabBar_->setFocusPolicy(Qt::NoFocus);
  tabBar_->installEventFilter(this);
  connect(tabBar_, &QTabBar::currentChanged, this, &TFFoodLogForm::TabChange);
  listView_ = new QTreeWidget;
  listView_->setObjectName(QStringLiteral("foodListWidget"));
  listView_->setAccessibleName(QStringLiteral("Foods"));
  listView_->setRootIsDecorated(false);
  listView_->setUniformRowHeights(true);
  listView_->setAlternatingRowColors(true);
  listView_->setContextMenuPolicy(Qt::CustomContextMenu);
  listView_->header()->setSectionsClickable(true);
  listView_->header()->setStretchLastSection(false);
  listView_->installEventFilter(this);
  connect(listView_, &QTreeWidget::itemDoubleClicked, this, &TFFoodLogForm::ListDoubleClick);
  connect(listView_, &QTreeWidget::customContextMenuRequested, this,
          &TFFoodLogForm::ListContextMenu);
  // The commands follow the chosen row, which is the current item only once
  // it is selected too: the focus makes the first item current unselected.
  connect(listView_, &QTreeWidget::currentItemChanged, this, [this] { UpdateCommands(); });
  connect(listView_, &QTreeWidget::itemSelectionChanged, this, [this] { UpdateCommands(); });
  connect(listView_->header(), &QHeaderView::sectionClicked, this, &TFFoodLogForm::HeaderClick);

  // Panels.
  auto* balanceBox = new QGroupBox(QStringLiteral("Calorie Balance"));
  auto* balanceGrid = new QGridLayout(balanceBox);
  balanceDateLabel_ = PlainLabel();
  balanceDateLabel_->setStyleSheet(QStringLiteral("font-weight: bold"));
  eatenLabel_ = PlainLabel();
  burnedLabel_ = PlainLabel();
  balanceLabel_ = PlainLabel();
  balanceGrid->addWidget(balanceDateLabel_, 0, 0, 1, 2);
  balanceGrid->addWidget(new QLabel(QStringLiteral("Calories Eaten")), 1, 0);
  balanceGrid->addWidget(eatenLabel_, 1, 1, Qt::AlignRight);
  balanceGrid->addWidget(new QLabel(QStringLiteral("Calories Burned")), 2, 0);
  balanceGrid->addWidget(burnedLabel_, 2, 1, Qt::AlignRight);
  balanceGrid->addWidget(new QLabel(QStringLiteral("Net Balance")), 3, 0);
  balanceGrid->addWidget(balanceLabel_, 3, 1, Qt::AlignRight);
  balanceGrid->setRowStretch(4, 1);

  auto* compositionBox = new QGroupBox(QStringLiteral("Calorie Composition"));
  auto* compositionGrid = new QGridLayout(compositionBox);
  compositionTitleLabel_ = PlainLabel();
  compositionTitleLabel_->setStyleSheet(QStringLiteral("font-weight: bold"));
  compositionGrid->addWidget(compositionTitleLabel_, 0, 0, 1, 5);
  const char* nutrients[] = {"Protein", "Fats", "Carbs"};
  for (int r = 0; r < 3; ++r) {
    compositionGrid->addWidget(new QLabel(QString::fromUtf8(nutrients[r])), r + 1, 0);
    for (int c = 0; c < 4; ++c) {
      QLabel* label = PlainLabel();
      compositionLabels_[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] = label;
      compositionGrid->addWidget(label, r + 1, c + 1, Qt::AlignRight);
    }
  }
  pie_ = MakeCaloriePie(compositionBox);
  pie_->SetLegendVisible(false);
  pie_->setFixedSize(96, 96);
  compositionGrid->addWidget(pie_, 0, 5, 4, 1);

  auto* planBox = new QGroupBox(QStringLiteral("Nutrition Plan"));
  auto* planGrid = new QGridLayout(planBox);
  goalNoteLabel_ = PlainLabel();
  planGrid->addWidget(goalNoteLabel_, 0, 0, 1, 3);
  for (int i = 0; i < 3; ++i) {
    taskMarks_[static_cast<std::size_t>(i)] = new QLabel;
    taskLabels_[static_cast<std::size_t>(i)] = PlainLabel();
    planGrid->addWidget(taskMarks_[static_cast<std::size_t>(i)], i + 1, 0);
    planGrid->addWidget(taskLabels_[static_cast<std::size_t>(i)], i + 1, 1, 1, 2);
  }
  targetMark_ = new QLabel;
  targetFirstLabel_ = PlainLabel();
  targetValueLabel_ = PlainLabel();
  targetThirdLabel_ = PlainLabel();
  auto* targetRow = new QHBoxLayout;
  targetRow->addWidget(targetFirstLabel_);
  targetRow->addWidget(targetValueLabel_);
  targetRow->addWidget(targetThirdLabel_, 1);
  planGrid->addWidget(targetMark_, 4, 0);
  planGrid->addLayout(targetRow, 4, 1, 1, 2);
  planGrid->setColumnStretch(2, 1);

  auto* panels = new QHBoxLayout;
  panels->addWidget(balanceBox, 2);
  panels->addWidget(compositionBox, 3);
  panels->addWidget(planBox, 4);

  // Buttons.
  logButton_ = new QPushButton(QStringLiteral("&Log"));
  logButton_->setObjectName(QStringLiteral("logButton"));
  editButton_ = new QPushButton(QStringLiteral("&Edit"));
  editButton_->setObjectName(QStringLiteral("editButton"));
  auto* buttons = new QDialogButtonBox;
  buttons->addButton(logButton_, QDialogButtonBox::ActionRole);
  buttons->addButton(editButton_, QDialogButtonBox::ActionRole);
  QPushButton* ok = buttons->addButton(QDialogButtonBox::Ok);
  ok->setObjectName(QStringLiteral("okButton"));
  buttons->addButton(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cancelButton"));
  QPushButton* help = buttons->addButton(QDialogButtonBox::Help);
  help->setObjectName(QStringLiteral("helpButton"));
  for (QAbstractButton* b : buttons->buttons())
    if (auto* p = qobject_cast<QPushButton*>(b)) p->setAutoDefault(false);
  ok->setDefault(false);
  connect(logButton_, &QPushButton::clicked, this, &TFFoodLogForm::LogFoodExecute);
  connect(editButton_, &QPushButton::clicked, this, &TFFoodLogForm::EditExecute);
  connect(buttons, &QDialogButtonBox::accepted, this, &TFFoodLogForm::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &TFFoodLogForm::reject);
  connect(help, &QPushButton::clicked, this, [this] { program_.ShowHelp(kFoodLogHelpTopic); });

  auto* layout = new QVBoxLayout(this);
  BuildMenus();
  layout->addLayout(searchRow);
  auto* listBox = new QVBoxLayout;
  listBox->setSpacing(0);
  listBox->addWidget(tabBar_);
  listBox->addWidget(listView_, 1);
  layout->addLayout(listBox, 1);
  layout->addLayout(panels);
  layout->addWidget(buttons);

  setTabOrder(searchLineEdit_, categoryComboBox_);
  setTabOrder(categoryComboBox_, findButton_);
  setTabOrder(findButton_, targetComboBox_);
  setTabOrder(targetComboBox_, mealComboBox_);
  setTabOrder(mealComboBox_, listView_);

  resize(1100, 660);
  Refresh(kFirstPlanTab);
  searchLineEdit_->setFocus();
}

TFFoodLogForm::~TFFoodLogForm() = default;

QAction* TFFoodLogForm::AddCommand(QMenu* menu, const char* caption, void (TFFoodLogForm::*slot)(),
                                   QKeySequence shortcut) {
  QAction* action = menu->addAction(QString::fromUtf8(caption));
  action->setShortcut(shortcut);
  action->setShortcutContext(Qt::WindowShortcut);
  addAction(action);
  connect(action, &QAction::triggered, this, slot);
  return action;
}

void TFFoodLogForm::BuildMenus() {
  auto* bar = new QMenuBar(this);
  auto rule = [this](QAction* a, TFoodLogCommand c) {
    ruled_.emplace_back(a, c);
    return a;
  };
  QMenu* logs = bar->addMenu(QStringLiteral("&Logs"));
  QAction* openLog = rule(AddCommand(logs, "Open...", &TFFoodLogForm::OpenLogExecute,
                                     QKeySequence(Qt::CTRL | Qt::Key_O)),
                          TFoodLogCommand::OpenLog);
  QAction* saveLog = rule(
      AddCommand(logs, "Save", &TFFoodLogForm::SaveExecute, QKeySequence(Qt::CTRL | Qt::Key_S)),
      TFoodLogCommand::SaveLog);
  rule(AddCommand(logs, "Log Notes...", &TFFoodLogForm::PlanOptionsExecute),
       TFoodLogCommand::LogNotes);
  rule(AddCommand(logs, "Close...", &TFFoodLogForm::ClosePlanExecute), TFoodLogCommand::CloseLog);
  logs->addSeparator();
  rule(AddCommand(logs, "Edit a Copy", &TFFoodLogForm::CopyPlanExecute), TFoodLogCommand::CopyPlan);
  logs->addSeparator();
  QAction* print = rule(AddCommand(logs, "Print...", &TFFoodLogForm::PrintExecute,
                                   QKeySequence(Qt::CTRL | Qt::Key_P)),
                        TFoodLogCommand::Print);

  QMenu* menus = bar->addMenu(QStringLiteral("&Menus"));
  QAction* newMenu = rule(AddCommand(menus, "New...", &TFFoodLogForm::NewMenuExecute,
                                     QKeySequence(Qt::CTRL | Qt::Key_M)),
                          TFoodLogCommand::NewMenu);
  QAction* openMenu = rule(AddCommand(menus, "Open...", &TFFoodLogForm::OpenMenuExecute),
                           TFoodLogCommand::OpenMenu);
  // "Save" of a menu shares the shortcut of the log's through the same slot.
  rule(AddCommand(menus, "Save", &TFFoodLogForm::SaveExecute), TFoodLogCommand::SaveMenu);
  rule(AddCommand(menus, "Menu options", &TFFoodLogForm::PlanOptionsExecute),
       TFoodLogCommand::MenuOptions);
  rule(AddCommand(menus, "Close...", &TFFoodLogForm::ClosePlanExecute), TFoodLogCommand::CloseMenu);
  rule(AddCommand(menus, "Delete...", &TFFoodLogForm::DeleteMenuExecute),
       TFoodLogCommand::DeleteMenu);
  menus->addSeparator();
  rule(AddCommand(menus, "Edit a Copy", &TFFoodLogForm::CopyPlanExecute),
       TFoodLogCommand::CopyPlan);

  QMenu* foods = bar->addMenu(QStringLiteral("&Foods"));
  QAction* logFood = rule(AddCommand(foods, "Log this food", &TFFoodLogForm::LogFoodExecute),
                          TFoodLogCommand::LogFood);
  rule(AddCommand(foods, "Add to favourite foods", &TFFoodLogForm::AddFavouriteExecute),
       TFoodLogCommand::AddFavourite);
  rule(AddCommand(foods, "Delete from favourite foods", &TFFoodLogForm::RemoveFavouriteExecute),
       TFoodLogCommand::RemoveFavourite);
  foods->addSeparator();
  AddCommand(foods, "New Food", &TFFoodLogForm::NewFoodExecute, QKeySequence(Qt::CTRL | Qt::Key_N));
  editFoodAction_ = AddCommand(foods, "Edit Food", &TFFoodLogForm::EditFoodExecute);
  copyFoodAction_ = AddCommand(foods, "Edit a Copy", &TFFoodLogForm::CopyFoodExecute);
  deleteFoodAction_ = AddCommand(foods, "Delete Food", &TFFoodLogForm::DeleteFoodExecute);
  foods->addSeparator();
  QAction* copy = rule(AddCommand(foods, "Copy Food/Meal", &TFFoodLogForm::CopyExecute,
                                  QKeySequence(Qt::CTRL | Qt::Key_C)),
                       TFoodLogCommand::Copy);
  QAction* paste = rule(AddCommand(foods, "Paste Food/Meal", &TFFoodLogForm::PasteExecute,
                                   QKeySequence(Qt::CTRL | Qt::Key_V)),
                        TFoodLogCommand::Paste);
  QAction* remove = rule(AddCommand(foods, "Remove(Unlog) Food/Meal", &TFFoodLogForm::RemoveExecute,
                                    QKeySequence(Qt::Key_Delete)),
                         TFoodLogCommand::Remove);
  rule(
      AddCommand(foods, "Edit Food Quantity and Meal Options", &TFFoodLogForm::EditQuantityExecute),
      TFoodLogCommand::EditQuantity);

  QMenu* tips = bar->addMenu(QStringLiteral("&Tips"));
  for (int i = 0; i < 6; ++i) {
    QAction* a = tips->addAction(QString::fromUtf8(kTips[i]));
    connect(a, &QAction::triggered, this, [this, i] { program_.ShowHelp(kFirstTipTopic + i); });
  }

  auto* toolBar = new QToolBar(this);
  toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
  toolBar->setFocusPolicy(Qt::NoFocus);
  // The menus name a command by its menu ("Logs" > "Open..."); the tool bar
  // has no menu around it, so its buttons say what they open.
  openLog->setIconText(QStringLiteral("Open Log"));
  saveLog->setIconText(QStringLiteral("Save"));
  newMenu->setIconText(QStringLiteral("New Menu"));
  openMenu->setIconText(QStringLiteral("Open Menu"));
  print->setIconText(QStringLiteral("Print"));
  logFood->setIconText(QStringLiteral("Log"));
  copy->setIconText(QStringLiteral("Copy"));
  paste->setIconText(QStringLiteral("Paste"));
  remove->setIconText(QStringLiteral("Remove"));
  for (QAction* a : {openLog, saveLog, newMenu, openMenu, print}) toolBar->addAction(a);
  toolBar->addSeparator();
  for (QAction* a : {logFood, copy, paste, remove}) toolBar->addAction(a);
  auto* top = new QVBoxLayout;
  top->setContentsMargins(0, 0, 0, 0);
  top->setSpacing(0);
  top->addWidget(bar);
  top->addWidget(toolBar);
  static_cast<QVBoxLayout*>(layout())->insertLayout(0, top);
}

int TFFoodLogForm::Tab() const { return tabBar_->currentIndex(); }

int TFFoodLogForm::Row() const {
  QTreeWidgetItem* item = listView_->currentItem();
  if (!item || !item->isSelected()) return -1;
  return listView_->indexOfTopLevelItem(item);
}

TUserFood* TFFoodLogForm::SelectedUserFood() const {
  const int row = Row();
  if (Tab() != 1 || row < 0 || row >= static_cast<int>(state_->Results().size())) return nullptr;
  const TFoodItem& food = state_->Results()[static_cast<std::size_t>(row)].Food();
  return dynamic_cast<TUserFood*>(const_cast<TFoodItem*>(&food));
}

void TFFoodLogForm::Refresh(std::optional<int> tab) {
  FillTabs();
  if (tab) {
    filling_ = true;
    tabBar_->setCurrentIndex(*tab);
    filling_ = false;
  }
  FillList();
  FillTargets();
  ShowPanels();
  UpdateCommands();
}

void TFFoodLogForm::FillTabs() {
  filling_ = true;
  const std::vector<std::string> captions = state_->TabCaptions();
  while (tabBar_->count() > static_cast<int>(captions.size()))
    tabBar_->removeTab(tabBar_->count() - 1);
  for (std::size_t i = 0; i < captions.size(); ++i) {
    const int t = static_cast<int>(i);
    if (t >= tabBar_->count()) tabBar_->addTab(QString());
    tabBar_->setTabText(t, Q(captions[i]));
    const bool target = t == kFirstPlanTab + state_->Target();
    tabBar_->setTabIcon(t, t == 0   ? KorvelaIcon("tab-star")
                           : target ? KorvelaIcon("tab-pen")
                                    : QIcon());
    tabBar_->setTabToolTip(t, Q(captions[i]));
  }
  filling_ = false;
}

void TFFoodLogForm::FillList() {
  const int tab = Tab();
  const int keep = Row();
  listView_->clear();
  const bool plan = tab >= kFirstPlanTab;
  QStringList headers;
  if (plan)
    headers = {QStringLiteral("Meals"), QStringLiteral("Quantity"), QStringLiteral("Protein"),
               QStringLiteral("Fats"),  QStringLiteral("Carbs"),    QStringLiteral("Calories")};
  else
    headers = {QStringLiteral("Foods"), QStringLiteral("Protein"), QStringLiteral("Fats"),
               QStringLiteral("Carbs"), QStringLiteral("Calories")};
  listView_->setColumnCount(static_cast<int>(headers.size()));
  listView_->setHeaderLabels(headers);
  QList<QTreeWidgetItem*> items;
  QFont bold = listView_->font();
  bold.setBold(true);
  for (const TListRow& row : state_->Rows(tab)) {
    auto* item = new QTreeWidgetItem;
    for (int c = 0; c < headers.size(); ++c) {
      item->setText(c, Q(row.cells[static_cast<std::size_t>(c)]));
      if (c > 0) item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
    }
    if (row.kind != TRowKind::Food) {
      const QColor fill =
          row.kind == TRowKind::Meal ? QColor(0xdd, 0xe8, 0xf6) : QColor(0xf3, 0xe4, 0xc4);
      for (int c = 0; c < headers.size(); ++c) {
        item->setFont(c, bold);
        item->setBackground(c, fill);
      }
    }
    items.push_back(item);
  }
  listView_->addTopLevelItems(items);
  QHeaderView* header = listView_->header();
  header->setSectionResizeMode(0, QHeaderView::Stretch);
  for (int c = 1; c < headers.size(); ++c) {
    header->setSectionResizeMode(c, QHeaderView::Fixed);
    header->resizeSection(c, plan && c == 1 ? 190 : 80);
  }
  if (keep >= 0 && keep < listView_->topLevelItemCount()) {
    listView_->setCurrentItem(listView_->topLevelItem(keep));
  }
}

void TFFoodLogForm::FillTargets() {
  targetComboBox_->clear();
  for (const std::string& c : state_->TargetCaptions()) targetComboBox_->addItem(Q(c));
  targetComboBox_->setCurrentIndex(state_->Target());
  mealComboBox_->clear();
  for (const std::string& m : state_->MealNames()) mealComboBox_->addItem(Q(m));
  mealComboBox_->setCurrentIndex(state_->DefaultMeal());
}

void TFFoodLogForm::ShowPanels() {
  const TFoodLogPanels panels = state_->Panels();
  balanceDateLabel_->setText(Q(panels.balance.date));
  eatenLabel_->setText(Q(panels.balance.eaten));
  burnedLabel_->setText(Q(panels.balance.burned));
  balanceLabel_->setText(Q(panels.balance.balance));
  SetColour(balanceLabel_, panels.balance.balanceColour);
  compositionTitleLabel_->setText(Q(panels.composition.title));
  for (std::size_t r = 0; r < 3; ++r)
    for (std::size_t c = 0; c < 4; ++c)
      compositionLabels_[r][c]->setText(Q(panels.composition.cells[r][c]));
  const auto& cal = panels.composition.calories;
  ShowCalorieShares(*pie_, TCalorieShares{cal[0], cal[1], cal[2], 0});
  goalNoteLabel_->setText(Q(panels.plan.goalNote));
  for (std::size_t i = 0; i < 3; ++i) {
    const bool shown = i < panels.plan.tasks.size();
    taskLabels_[i]->setVisible(shown);
    taskMarks_[i]->setVisible(shown);
    if (!shown) continue;
    taskLabels_[i]->setText(Q(panels.plan.tasks[i].text));
    taskMarks_[i]->setPixmap(MarkPixmap(panels.plan.tasks[i].mark));
  }
  const TTargetBalance& t = panels.plan.balance;
  for (QLabel* l : {targetFirstLabel_, targetValueLabel_, targetThirdLabel_, targetMark_})
    l->setVisible(t.shown);
  if (t.shown) {
    targetFirstLabel_->setText(Q(t.firstLine));
    targetValueLabel_->setText(Q(t.target));
    SetColour(targetValueLabel_, t.blue ? TPanelColour::Blue : TPanelColour::Red);
    targetThirdLabel_->setText(Q(t.thirdLine));
    targetMark_->setPixmap(MarkPixmap(t.mark));
  }
}

void TFFoodLogForm::UpdateCommands() {
  const int tab = Tab();
  const int row = Row();
  for (auto& [action, command] : ruled_) action->setEnabled(state_->Enabled(command, tab, row));
  TUserFood* userFood = SelectedUserFood();
  editFoodAction_->setEnabled(userFood != nullptr);
  deleteFoodAction_->setEnabled(userFood != nullptr);
  const bool oneResult = tab == 1 && row >= 0;
  copyFoodAction_->setEnabled(oneResult &&
                              !state_->Results()[static_cast<std::size_t>(row)].Recipe());
  logButton_->setEnabled(state_->Enabled(TFoodLogCommand::LogFood, tab, row));
  editButton_->setEnabled(state_->Enabled(TFoodLogCommand::EditQuantity, tab, row) ||
                          userFood != nullptr);
}

bool TFFoodLogForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == searchLineEdit_ && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      FindButtonClick();
      return true;
    }
    if (key->key() == Qt::Key_Escape) {
      reject();
      return true;
    }
  }
  if (watched == listView_ && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (StartSearchWith(*key)) return true;
    if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && Tab() < kFirstPlanTab) {
      LogFoodExecute();
      return true;
    }
  }
  if (watched == tabBar_) {
    if (event->type() == QEvent::MouseButtonPress) {
      dragFrom_ = tabBar_->tabAt(static_cast<QMouseEvent*>(event)->position().toPoint());
    } else if (event->type() == QEvent::MouseButtonRelease) {
      const int to = tabBar_->tabAt(static_cast<QMouseEvent*>(event)->position().toPoint());
      const int from = dragFrom_;
      dragFrom_ = -1;
      if (from >= kFirstPlanTab && to >= 0 && to != from) {
        if (const std::optional<int> shown = state_->Drop(from, to)) Refresh(shown);
        return true;
      }
    }
  }
  return QDialog::eventFilter(watched, event);
}

bool TFFoodLogForm::StartSearchWith(const QKeyEvent& key) {
  // A letter typed outside the search box starts a new search with it, even
  // in the list, which would otherwise jump to a row starting with it.
  const QString text = key.text();
  if (searchLineEdit_->hasFocus() || text.size() != 1 ||
      (key.modifiers() & ~Qt::ShiftModifier) != Qt::NoModifier || !text.front().isLetter())
    return false;
  searchLineEdit_->setText(text);
  searchLineEdit_->setFocus();
  searchLineEdit_->setCursorPosition(1);
  return true;
}

void TFFoodLogForm::keyPressEvent(QKeyEvent* event) {
  if (StartSearchWith(*event)) return;
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) return;  // OK is a click
  QDialog::keyPressEvent(event);
}

void TFFoodLogForm::FindButtonClick() {
  const TSearchOutcome outcome =
      state_->Find(searchLineEdit_->text().toStdString(), categoryComboBox_->currentIndex());
  Refresh(1);
  if (outcome == TSearchOutcome::Found && listView_->topLevelItemCount() > 0) {
    listView_->setFocus();
    listView_->setCurrentItem(listView_->topLevelItem(0));
  }
}

void TFFoodLogForm::TabChange(int) {
  if (filling_) return;
  state_->ForgetSortColumn();
  listView_->clearSelection();
  listView_->setCurrentItem(nullptr);
  FillList();
  UpdateCommands();
}

void TFFoodLogForm::TargetChange(int plan) {
  state_->SetTarget(plan);
  Refresh(kFirstPlanTab + plan);
}

void TFFoodLogForm::DefaultMealChange(int meal) { state_->SetDefaultMeal(meal); }

void TFFoodLogForm::HeaderClick(int column) {
  if (Tab() >= kFirstPlanTab) return;
  state_->SortColumn(Tab(), column);
  FillList();
}

void TFFoodLogForm::ListDoubleClick() {
  if (Tab() < kFirstPlanTab) LogFoodExecute();
}

void TFFoodLogForm::ListContextMenu(const QPoint& at) {
  QMenu menu(this);
  const int tab = Tab();
  const int row = Row();
  for (auto& [action, command] : ruled_) action->setEnabled(state_->Enabled(command, tab, row));
  if (tab < kFirstPlanTab) {
    for (auto& [action, command] : ruled_)
      if (command == TFoodLogCommand::LogFood) menu.addAction(action);
    const std::vector<std::string> quick = state_->QuickLogCaptions(tab, row);
    for (std::size_t i = 0; i < quick.size(); ++i) {
      QAction* a = menu.addAction(Q(quick[i]));
      connect(a, &QAction::triggered, this, [this, tab, row, i] {
        if (const std::optional<int> shown = state_->QuickLog(tab, row, static_cast<int>(i)))
          Refresh(shown);
      });
    }
    menu.addSeparator();
    for (auto& [action, command] : ruled_)
      if (command == TFoodLogCommand::AddFavourite || command == TFoodLogCommand::RemoveFavourite)
        menu.addAction(action);
  } else {
    const int plan = TFoodLogState::PlanOfTab(tab);
    if (plan != state_->Target()) {
      QAction* a =
          menu.addAction(state_->Plan(plan).IsMenu() ? QStringLiteral("Logging to this menu?")
                                                     : QStringLiteral("Logging to this log?"));
      connect(a, &QAction::triggered, this, [this, plan] { TargetChange(plan); });
      menu.addSeparator();
    }
    for (auto& [action, command] : ruled_)
      if (command == TFoodLogCommand::Copy || command == TFoodLogCommand::Paste ||
          command == TFoodLogCommand::Remove || command == TFoodLogCommand::EditQuantity)
        menu.addAction(action);
  }
  menu.exec(listView_->viewport()->mapToGlobal(at));
}

void TFFoodLogForm::LogFoodExecute() {
  if (const std::optional<int> shown = state_->LogFood(Tab(), Row())) {
    Refresh(shown);
    searchLineEdit_->setFocus();
    searchLineEdit_->selectAll();
  } else {
    FillTargets();
  }
}

void TFFoodLogForm::EditExecute() {
  if (Tab() >= kFirstPlanTab)
    EditQuantityExecute();
  else
    EditFoodExecute();
}

void TFFoodLogForm::AddFavouriteExecute() {
  state_->AddToFavourites(Row());
  Refresh(0);
}

void TFFoodLogForm::RemoveFavouriteExecute() {
  state_->RemoveFavourite(Row());
  Refresh(0);
}

void TFFoodLogForm::CopyExecute() {
  state_->Copy(Tab(), Row());
  UpdateCommands();
}

void TFFoodLogForm::PasteExecute() {
  if (const std::optional<int> shown = state_->Paste(Tab())) Refresh(shown);
}

void TFFoodLogForm::RemoveExecute() {
  state_->Remove(Tab(), Row());
  Refresh();
}

void TFFoodLogForm::EditQuantityExecute() {
  state_->EditQuantity(Tab(), Row());
  Refresh();
}

void TFFoodLogForm::OpenLogExecute() {
  if (const std::optional<int> shown = state_->OpenLog()) Refresh(shown);
}

void TFFoodLogForm::SaveExecute() {
  if (state_->Save(Tab())) Refresh();
}

void TFFoodLogForm::PlanOptionsExecute() {
  if (state_->PlanOptions(Tab())) Refresh();
}

void TFFoodLogForm::ClosePlanExecute() {
  const int plan = TFoodLogState::PlanOfTab(Tab());
  if (plan <= 0) return;
  if (state_->ClosePlan(plan, false)) Refresh(kFirstPlanTab);
}

void TFFoodLogForm::CopyPlanExecute() {
  if (const std::optional<int> shown = state_->CopyPlan(Tab())) Refresh(shown);
}

void TFFoodLogForm::NewMenuExecute() {
  if (const std::optional<int> shown = state_->NewMenu()) Refresh(shown);
}

void TFFoodLogForm::OpenMenuExecute() {
  if (const std::optional<int> shown = state_->OpenMenu()) Refresh(shown);
}

void TFFoodLogForm::DeleteMenuExecute() {
  const std::size_t before = state_->PlanCount();
  state_->DeleteMenu(Tab());
  if (state_->PlanCount() != before) Refresh(kFirstPlanTab);
}

void TFFoodLogForm::PrintExecute() {
  const int plan = TFoodLogState::PlanOfTab(Tab());
  if (plan < 0) return;
  TMyReport report = FoodLogReport(state_->Plan(plan), program_.Config());
  ShowReport(report, program_.Folder(), prompter_, this);
}

void TFFoodLogForm::NewFoodExecute() { NewUserFoodDialog(program_, prompter_, this); }

void TFFoodLogForm::EditFoodExecute() {
  TUserFood* food = SelectedUserFood();
  if (!food || !EditUserFoodDialog(program_, prompter_, *food, this)) return;
  state_->Refind(true);
  Refresh(1);
}

void TFFoodLogForm::CopyFoodExecute() {
  const int row = Row();
  if (Tab() != 1 || row < 0 || row >= static_cast<int>(state_->Results().size())) return;
  const TSFoodItem& result = state_->Results()[static_cast<std::size_t>(row)];
  if (result.Recipe()) return;
  TUserFood& copy = AddEditCopy(program_.Foods(), result.Food());
  if (EditUserFoodDialog(program_, prompter_, copy, this)) return;
  // Cancelled: the copy goes again; it was never stored.
  auto& list = program_.Foods().UserFoodList().Foods;
  list.erase(
      std::find_if(list.begin(), list.end(), [&](const auto& f) { return f.get() == &copy; }));
}

void TFFoodLogForm::DeleteFoodExecute() {
  TUserFood* food = SelectedUserFood();
  if (!food || !prompter_.AskYesNo("Do you really want to delete " + food->Name + "?")) return;
  RemoveUserFood(program_.Foods(), *food, program_.Folder(), program_.Random());
  state_->Refind(false);
  Refresh(1);
}

void TFFoodLogForm::accept() {
  if (closed_ || !state_->CloseScreen(true)) {
    Refresh(kFirstPlanTab);
    return;
  }
  closed_ = true;
  QDialog::accept();
}

void TFFoodLogForm::reject() {
  if (closed_) return QDialog::reject();
  if (!state_->CloseScreen(false)) {
    Refresh(kFirstPlanTab);
    return;
  }
  closed_ = true;
  QDialog::reject();
}

bool ShowFoodLog(TProgram& program, TPrompter& prompter, TDateTime day, QWidget* parent) {
  TFFoodLogForm form(program, prompter, day, parent);
  return form.exec() == QDialog::Accepted;
}

}  // namespace korvela
