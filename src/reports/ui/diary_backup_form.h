#pragma once
#include <QDialog>
#include <functional>

#include "app/program.h"
#include "users/prompter.h"

class QLineEdit;
class QPushButton;

namespace korvela {

// "Back Up My Diary..." and "Restore a Diary...": one file chosen, then the
// logged-in user's diary written to it, or the backup in it restored as a
// new account. The screen stays open when the file cannot be written or
// read, so another can be chosen.
class TFDiaryBackup final : public QDialog {
  Q_OBJECT
 public:
  enum class TMode { BackUp, Restore };
  TFDiaryBackup(TMode mode, TProgram& program, TPrompter& prompter, QWidget* parent = nullptr);

  QLineEdit* FileEdit() const { return fileLineEdit_; }
  QPushButton* StartButton() const { return startButton_; }
  // Asks for a file with the system's file dialog; tests replace it.
  std::function<QString()> ChooseFile;

 private:
  void BrowseButtonClick();
  void StartButtonClick();
  bool BackUp(const QString& path);
  bool Restore(const QString& path);

  TMode mode_;
  TProgram& program_;
  TPrompter& prompter_;
  QLineEdit* fileLineEdit_;
  QPushButton* startButton_;
  QString confirmedPath_;
};

}  // namespace korvela
