#pragma once
#include <QDialog>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <optional>

#include "app/program.h"
#include "nutrition/food_log_store.h"
#include "nutrition/menus.h"
#include "widgets/month_calendar.h"

namespace korvela {

// "Open food log...": a month calendar and four quick days around today.
class TFOpenLog final : public QDialog {
  Q_OBJECT
 public:
  TFOpenLog(TProgram& program, QWidget* parent = nullptr);

  TDateTime SelectedDay() const { return calendar_->SelectedDate(); }

 private:
  TMyCalendar* calendar_;
};

// The entry point of the food log screen: the stored log of the chosen day,
// or a new one for it; none when cancelled.
std::optional<TDaysMeals> OpenFoodLog(TProgram& program, TFoodLogStore& store, QWidget* parent);

// "Open a saved menu...": the menu list with the selected menu's notes.
class TFOpenMenu final : public QDialog {
  Q_OBJECT
 public:
  TFOpenMenu(TProgram& program, const TMenuList& menus, QWidget* parent = nullptr);

  // -1 when nothing is selected.
  int SelectedMenu() const { return menuListWidget_->currentRow(); }

 private:
  void MenuChange(int row);

  const TMenuList& menus_;
  QListWidget* menuListWidget_;
  QPlainTextEdit* notesTextEdit_;
  QPushButton* openButton_;
};

// The position of the chosen menu in the list; none when cancelled.
std::optional<int> OpenSavedMenu(TProgram& program, const TMenuList& menus, QWidget* parent);

}  // namespace korvela
