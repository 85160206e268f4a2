#pragma once
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <string>
#include <vector>

#include "app/program.h"
#include "users/prompter.h"

namespace korvela {

// "Selector": the sub-classes of one classification. Selecting items builds
// the Result text ("Chest, Triceps"); the list can be edited and reordered,
// and for the user-defined classifications the name too. OK stores the
// classification and hands back the Result; Cancel changes nothing.
class TFClassSelector final : public QDialog {
  Q_OBJECT
 public:
  TFClassSelector(TProgram& program, TPrompter& prompter, std::int32_t classID,
                  QWidget* parent = nullptr);

  // The Result text after OK; empty after Cancel.
  const std::string& Result() const { return result_; }

 private:
  void ListSelectionChange();
  void ListItemChange(QListWidgetItem* item);
  void ClassNameEditingFinished();
  void NewButtonClick();
  void EditButtonClick();
  void DeleteButtonClick();
  void MoveButtonClick(bool up);
  void OkButtonClick();
  void reject() override;

  void UpdateButtons();
  std::vector<bool> SelectionFlags() const;
  void ShowItems(const std::vector<std::string>& items, const std::vector<bool>& selected);

  TProgram& program_;
  TPrompter& prompter_;
  std::int32_t classID_;
  QLineEdit* classEdit_;
  QListWidget* list_;
  QLineEdit* resultEdit_;
  QPushButton* editButton_;
  QPushButton* deleteButton_;
  QPushButton* upButton_;
  QPushButton* downButton_;
  QPushButton* cancelButton_ = nullptr;
  std::vector<std::string> captions_;  // the accepted caption of each item
  std::vector<bool> selected_;         // the selection as last seen
  std::string result_;
  bool updating_ = false;
  bool closing_ = false;
  bool nameWarned_ = false;
};

// Shows the selector; the Result text, empty when cancelled.
std::string SelectClassification(TProgram& program, TPrompter& prompter, std::int32_t classID,
                                 QWidget* parent);

}  // namespace korvela
