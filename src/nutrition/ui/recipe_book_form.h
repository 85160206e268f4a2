#pragma once
#include <QDialog>
#include <functional>
#include <memory>
#include <optional>

#include "app/program.h"
#include "nutrition/recipe_book_state.h"
#include "users/prompter.h"

class QAction;
class QComboBox;
class QLineEdit;
class QPrinter;
class QPushButton;
class QTabWidget;
class QTextEdit;
class QTreeWidget;

namespace korvela {

class TPieChart;

// "Recipe Book": the recipes with their search while browsing; while a
// recipe is edited its ingredients with the calorie pie, its directions in a
// rich-text editor and the ingredient search. The screen shows a
// TRecipeBookState and passes the user's commands to it.
class TFRecipeBook final : public QDialog {
  Q_OBJECT
 public:
  TFRecipeBook(TProgram& program, TPrompter& prompter, QWidget* parent = nullptr);
  ~TFRecipeBook() override;

  TRecipeBookState& State() { return *state_; }
  QTextEdit* Directions() const { return directionsEdit_; }

  // The quantity of an ingredient: the ingredient dialog unless replaced;
  // none when cancelled.
  std::function<std::optional<TWFoodItem>(TWFoodItem)> OnAskQuantity;
  // The printer for the directions: the print dialog unless replaced; false
  // when the user cancelled.
  std::function<bool(QPrinter&)> OnChoosePrinter;
  // Opens a link of the directions; the desktop unless replaced.
  std::function<void(const QString&)> OnOpenLink;

  // Shows the browsing or the editing controls and everything the state
  // holds now.
  void Refresh();

  void accept() override;
  void reject() override;

  // The commands, as the buttons, keys and menus run them.
  void FindExecute();
  void ShowAllExecute();
  void NewRecipeExecute();
  void EditExecute();
  void EditCopyExecute();
  void DeleteExecute();
  void AddIngredientExecute();
  void EditQuantityExecute();
  void DeleteIngredientExecute();
  void PasteIngredientsExecute();
  void PasteFoodsExecute();
  void PrintExecute();
  void SaveExecute();
  void CancelExecute();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  QWidget* BuildRecipesPage();
  QWidget* BuildIngredientsPage();
  QWidget* BuildDirectionsPage();
  QWidget* BuildResultsPage();
  QAction* AddAction(QWidget* owner, const char* caption, void (TFRecipeBook::*slot)(),
                     QKeySequence shortcut = {});

  void StartEditing();
  void ShowWorking();
  void FillRecipes();
  void FillIngredients();
  void FillResults();
  void UpdateCommands();
  bool NameLeave();
  bool ServingsLeave();
  std::string DirectionsRtf() const;
  void ShowDirections();
  // Closes with the save question; false when the screen stays open.
  bool TryClose();

  TProgram& program_;
  TPrompter& prompter_;
  std::unique_ptr<TRecipeBookState> state_;
  bool checking_ = false;
  bool closed_ = false;

  QLineEdit* searchLineEdit_ = nullptr;
  QComboBox* categoryComboBox_ = nullptr;
  QPushButton* findButton_ = nullptr;
  QPushButton* showAllButton_ = nullptr;
  QTabWidget* tabs_ = nullptr;
  QWidget* recipesPage_ = nullptr;
  QWidget* ingredientsPage_ = nullptr;
  QWidget* directionsPage_ = nullptr;
  QWidget* resultsPage_ = nullptr;
  QTreeWidget* recipeList_ = nullptr;
  QTreeWidget* ingredientList_ = nullptr;
  QTreeWidget* resultList_ = nullptr;
  QLineEdit* nameLineEdit_ = nullptr;
  QLineEdit* servingsLineEdit_ = nullptr;
  QLineEdit* caloriesLineEdit_ = nullptr;
  TPieChart* pie_ = nullptr;
  QTextEdit* directionsEdit_ = nullptr;

  QPushButton* newButton_ = nullptr;
  QPushButton* editButton_ = nullptr;
  QPushButton* editCopyButton_ = nullptr;
  QPushButton* deleteButton_ = nullptr;
  QPushButton* addIngredientButton_ = nullptr;
  QPushButton* editQuantityButton_ = nullptr;
  QPushButton* deleteIngredientButton_ = nullptr;
  QPushButton* pasteFoodsButton_ = nullptr;
  QPushButton* saveButton_ = nullptr;
  QPushButton* okButton_ = nullptr;
  QPushButton* cancelButton_ = nullptr;
  QPushButton* helpButton_ = nullptr;
  QAction* pasteIngredientsAction_ = nullptr;
  QAction* newAction_ = nullptr;
  QAction* saveAction_ = nullptr;
};

}  // namespace korvela
