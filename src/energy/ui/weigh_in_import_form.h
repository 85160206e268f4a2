#pragma once
#include <QDialog>
#include <optional>

#include "app/program.h"
#include "energy/weigh_in_import.h"
#include "users/prompter.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTreeWidget;

namespace korvela {

// "Import Weigh-ins and Measurements...": a CSV file chosen, the rows it
// would add, replace or skip listed with the reason for each, and the rows
// to add and replace stored on "Import".
class TFWeighInImport final : public QDialog {
  Q_OBJECT
 public:
  TFWeighInImport(TProgram& program, TPrompter& prompter, QWidget* parent = nullptr);

  // Reads the file and shows its preview.
  void SetFile(const QString& path);
  QTreeWidget* PreviewList() const { return previewListWidget_; }
  QPushButton* ImportButton() const { return importButton_; }

 private:
  void BrowseButtonClick();
  void ImportButtonClick();
  void ShowPreview();

  TProgram& program_;
  TPrompter& prompter_;
  QLineEdit* fileLineEdit_;
  QRadioButton* kgRadioButton_;
  QRadioButton* lbsRadioButton_;
  QTreeWidget* previewListWidget_;
  QLabel* summaryLabel_;
  QPushButton* importButton_;
  std::optional<TImportPreview> preview_;
};

}  // namespace korvela
