#pragma once
#include <QLabel>
#include <QMainWindow>
#include <functional>
#include <map>
#include <string>

#include "app/program.h"
#include "users/prompter.h"

namespace korvela {

// The frame of the program: menu bar, tool bar, title strip and the panels
// of the logged-in user. Every command opens one modal screen.
class TFMain final : public QMainWindow {
  Q_OBJECT
 public:
  // A screen the window opens; it returns true when it was accepted.
  using TScreen = std::function<bool(QWidget* parent)>;
  struct TScreens {
    TScreen newAccount;
    TScreen login;
    // The screens of the menu and tool bar commands, by caption.
    std::map<std::string, TScreen> commands;
  };

  TFMain(TProgram& program, TPrompter& prompter, TScreens screens);

  // Runs whenever the window becomes active: asks for a first account or a
  // login, ends the program without a user, else shows the user's panels.
  void RunActivationStep();
  // The action of a menu or tool bar command, by its caption.
  QAction* Command(const std::string& caption) const;
  void ExecuteCommand(const std::string& caption);

 protected:
  bool event(QEvent* event) override;

 private:
  void BuildMenus();
  void BuildToolBar();
  void BuildPanels();
  QAction* AddCommand(QMenu& menu, const std::string& caption, int helpTopic);
  void ShowPanels(bool visible);
  void LogOff();
  void ExitProgram();

  TProgram& program_;
  TPrompter& prompter_;
  TScreens screens_;
  QLabel* titleLabel_ = nullptr;
  QWidget* panels_ = nullptr;
  QLabel* welcomeLabel_ = nullptr;
  QLabel* dateLabel_ = nullptr;
  std::map<std::string, QAction*> actions_;
  bool activating_ = false;
  bool ending_ = false;
};

}  // namespace korvela
