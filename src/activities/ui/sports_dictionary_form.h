#pragma once
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

#include "activities/ui/activity_grid.h"
#include "app/program.h"
#include "users/prompter.h"

namespace korvela {

// "Physical Activities Dictionary": the activities with what each burns and
// adds for the user over its default duration, found by words, added,
// edited, copied and deleted. Every change is stored at once.
class TFSportsDictionary final : public QDialog {
  Q_OBJECT
 public:
  TFSportsDictionary(TProgram& program, TPrompter& prompter, QWidget* parent = nullptr);

  TActivityGrid* Grid() const { return grid_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QStringList Cells(const TSport& sport) const;
  void UpdateCommands();
  void NewActivityClick();
  void EditActivityClick();
  void CopyActivityClick();
  void DeleteActivityClick();
  void ShowAllClick();
  void FindClick();
  void SearchTextChange();
  // Shows the whole list again with the activity selected.
  void ShowWhole(const TSport* selected);

  TProgram& program_;
  TPrompter& prompter_;
  double rate_ = -1;
  QLineEdit* searchEdit_ = nullptr;
  TActivityGrid* grid_ = nullptr;
  QPushButton* newButton_ = nullptr;
  QPushButton* editButton_ = nullptr;
  QPushButton* copyButton_ = nullptr;
  QPushButton* deleteButton_ = nullptr;
  QPushButton* showAllButton_ = nullptr;
  QPushButton* findButton_ = nullptr;
};

}  // namespace korvela
