#pragma once
#include <QDialog>
#include <array>
#include <memory>

#include "app/program.h"
#include "nutrition/food_log_state.h"
#include "users/prompter.h"

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTabBar;
class QTreeWidget;

namespace korvela {

class TPieChart;
class TUserFood;

// "Log your daily eating...": favourites and search results beside up to
// five open logs and menus, and the panels of the plan being logged to. The
// screen only shows a TFoodLogState and passes the user's commands to it.
class TFFoodLogForm final : public QDialog {
  Q_OBJECT
 public:
  TFFoodLogForm(TProgram& program, TPrompter& prompter, TDateTime day, QWidget* parent = nullptr);
  ~TFFoodLogForm() override;

  TFoodLogState& State() { return *state_; }
  QLineEdit* SearchBox() const { return searchLineEdit_; }
  QTreeWidget* List() const { return listView_; }
  QTabBar* Tabs() const { return tabBar_; }
  // Tests and the pictures choose the dialogs' answers here.
  TFoodLogDialogs& Dialogs() { return dialogs_; }

  // Shows a tab (when given) and everything the state holds now.
  void Refresh(std::optional<int> tab = std::nullopt);

  void accept() override;
  void reject() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void BuildMenus();
  // Moves a typed letter into the search box; true when it did.
  bool StartSearchWith(const QKeyEvent& key);
  QAction* AddCommand(QMenu* menu, const char* caption, void (TFFoodLogForm::*slot)(),
                      QKeySequence shortcut = {});

  void FindButtonClick();
  void TabChange(int tab);
  void TargetChange(int plan);
  void DefaultMealChange(int meal);
  void ListDoubleClick();
  void ListContextMenu(const QPoint& at);
  void HeaderClick(int column);

  void LogFoodExecute();
  void EditExecute();
  void AddFavouriteExecute();
  void RemoveFavouriteExecute();
  void CopyExecute();
  void PasteExecute();
  void RemoveExecute();
  void EditQuantityExecute();
  void OpenLogExecute();
  void SaveExecute();
  void PlanOptionsExecute();
  void ClosePlanExecute();
  void CopyPlanExecute();
  void NewMenuExecute();
  void OpenMenuExecute();
  void DeleteMenuExecute();
  void PrintExecute();
  void NewFoodExecute();
  void EditFoodExecute();
  void CopyFoodExecute();
  void DeleteFoodExecute();

  int Tab() const;
  int Row() const;
  // The selected user food among the search results, or null.
  TUserFood* SelectedUserFood() const;
  void FillTabs();
  void FillList();
  void FillTargets();
  void ShowPanels();
  void UpdateCommands();

  TProgram& program_;
  TPrompter& prompter_;
  TFoodLogDialogs dialogs_;
  std::unique_ptr<TFoodLogStore> store_;
  std::unique_ptr<TFoodLogState> state_;
  bool filling_ = false;
  bool closed_ = false;

  QLineEdit* searchLineEdit_;
  QComboBox* categoryComboBox_;
  QPushButton* findButton_;
  QComboBox* targetComboBox_;
  QComboBox* mealComboBox_;
  QTabBar* tabBar_;
  QTreeWidget* listView_;
  QPushButton* logButton_;
  QPushButton* editButton_;
  int dragFrom_ = -1;

  // Panels.
  QLabel* balanceDateLabel_;
  QLabel* eatenLabel_;
  QLabel* burnedLabel_;
  QLabel* balanceLabel_;
  QLabel* compositionTitleLabel_;
  TPieChart* pie_;
  std::array<std::array<QLabel*, 4>, 3> compositionLabels_{};
  QLabel* goalNoteLabel_;
  std::array<QLabel*, 3> taskLabels_{};
  std::array<QLabel*, 3> taskMarks_{};
  QLabel* targetFirstLabel_;
  QLabel* targetValueLabel_;
  QLabel* targetThirdLabel_;
  QLabel* targetMark_;

  // Commands with an enabled rule.
  std::vector<std::pair<QAction*, TFoodLogCommand>> ruled_;
  QAction* editFoodAction_;
  QAction* deleteFoodAction_;
  QAction* copyFoodAction_;
};

// The main window's "Food Logs..." for a day; true when closed with OK.
bool ShowFoodLog(TProgram& program, TPrompter& prompter, TDateTime day, QWidget* parent);

}  // namespace korvela
