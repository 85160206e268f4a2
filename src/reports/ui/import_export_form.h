#pragma once
#include <QDialog>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

#include "app/program.h"
#include "reports/import_export.h"
#include "users/prompter.h"

class QAction;
class QLineEdit;
class QPushButton;
class QTabBar;
class QTreeWidget;

namespace korvela {

class TElidedLabel;

inline constexpr const char* kPackageDialogTitle =
    "Create/Open existing Import/Export Korvela Package";
inline constexpr const char* kPackageFilter = "Korvela Packages (*.krv *.KRV);;All files (*)";

// "Import/Export ...": the local items of the six kinds on the left, the
// open package's items on the right; export, import, deletion and the
// package password. The package is saved after every export and when the
// screen closes.
class TFImportExport final : public QDialog {
  Q_OBJECT
 public:
  TFImportExport(TProgram& program, TPrompter& prompter, QWidget* parent = nullptr);
  ~TFImportExport() override;

  // The file the user picks (empty when cancelled) and the text typed into a
  // password dialog (none when cancelled): dialogs by default, answered in
  // tests.
  std::function<QString()> ChooseFile;
  // `setting` is true for "Set New Password...", false for the question
  // when a package is opened.
  std::function<std::optional<QString>(bool setting)> AskPassword;

  const TImportExport& Model() const { return model_; }

  void NewOpenClick();
  void SetPasswordClick();
  void ExportClick();
  void ImportAllClick();
  void ImportSelectedClick();
  void DeleteClick();

  void done(int result) override;

 private:
  void FillLocal();
  void FillPackage();
  void UpdateCommands();
  void Import(const std::vector<std::size_t>& positions);
  std::vector<std::size_t> Selected(const QTreeWidget& list) const;

  TProgram& program_;
  TPrompter& prompter_;
  TImportExport model_;
  QAction* openAction_ = nullptr;
  QAction* passwordAction_ = nullptr;
  QTabBar* localTabs_ = nullptr;
  QLineEdit* localFilter_ = nullptr;
  QTreeWidget* localList_ = nullptr;
  QPushButton* selectAllButton_ = nullptr;
  QPushButton* unselectAllButton_ = nullptr;
  QPushButton* exportButton_ = nullptr;
  TElidedLabel* packageName_ = nullptr;
  QTabBar* packageTabs_ = nullptr;
  QLineEdit* packageFilter_ = nullptr;
  QTreeWidget* packageList_ = nullptr;
  QPushButton* importAllButton_ = nullptr;
  QPushButton* importSelectedButton_ = nullptr;
  QPushButton* deleteButton_ = nullptr;
};

// The masked password question: "Please, enter password" when a package is
// opened, "Set New Password..." for the password command.
std::optional<QString> AskPackagePassword(QWidget* parent, bool setting);

}  // namespace korvela
