#include "reports/ui/import_export_form.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTabBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/account_backup.h"
#include "energy/ui/body_form_parts.h"
#include "widgets/elided_label.h"

namespace korvela {
namespace {

constexpr int kImportExportHelpTopic = 31;
constexpr int kIndexRole = Qt::UserRole;

QTreeWidget* MakeItemList(const char* name, const char* accessibleName, QWidget* parent) {
  auto* list = new QTreeWidget(parent);
  list->setObjectName(QString::fromUtf8(name));
  list->setAccessibleName(QString::fromUtf8(accessibleName));
  list->setColumnCount(2);
  list->setHeaderLabels({QStringLiteral("Item Name"), QStringLiteral("Type")});
  list->setRootIsDecorated(false);
  list->setUniformRowHeights(true);
  list->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list->setTextElideMode(Qt::ElideRight);
  list->header()->setStretchLastSection(false);
  list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
  list->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
  return list;
}

void FillList(QTreeWidget& list, const std::vector<TIEListItem>& items) {
  list.clear();
  QList<QTreeWidgetItem*> rows;
  rows.reserve(static_cast<qsizetype>(items.size()));
  for (const TIEListItem& item : items) {
    auto* row = new QTreeWidgetItem({QText(item.name), QText(item.kindName)});
    row->setData(0, kIndexRole, QVariant::fromValue<qulonglong>(item.index));
    rows.push_back(row);
  }
  list.addTopLevelItems(rows);
}

QLabel* FilterLabel(QLineEdit* edit, QWidget* parent) {
  return MakeBuddyLabel("Filter Items:", edit, parent);
}

}  // namespace

std::optional<QString> AskPackagePassword(QWidget* parent, bool setting) {
  QDialog dialog(parent);
  dialog.setWindowTitle(setting ? QStringLiteral("Set New Password...")
                                : QStringLiteral("Please, enter password"));
  auto* edit = new QLineEdit(&dialog);
  edit->setObjectName(QStringLiteral("passwordLineEdit"));
  edit->setEchoMode(QLineEdit::Password);
  auto* label = MakeBuddyLabel(setting ? "New Password" : "Password", edit, &dialog);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(label);
  layout->addWidget(edit);
  layout->addWidget(buttons);
  edit->setFocus();
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return edit->text();
}

TFImportExport::TFImportExport(TProgram& program, TPrompter& prompter, QWidget* parent)
    : QDialog(parent),
      program_(program),
      prompter_(prompter),
      model_(ExchangeStores(program), prompter) {
  setWindowTitle(QStringLiteral("Import/Export ..."));
  ChooseFile = [this] {
    QFileDialog dialog(this, QString::fromUtf8(kPackageDialogTitle));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilter(QString::fromUtf8(kPackageFilter));
    dialog.setDefaultSuffix(QStringLiteral("krv"));
    dialog.setLabelText(QFileDialog::Accept, QStringLiteral("Open"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    return dialog.selectedFiles().front();
  };
  AskPassword = [this](bool setting) { return AskPackagePassword(this, setting); };

  auto* menu = new QMenuBar(this);
  menu->setObjectName(QStringLiteral("importExportMenuBar"));
  openAction_ = menu->addAction(QStringLiteral("New/Open Import Export File"));
  passwordAction_ = menu->addAction(QStringLiteral("Set File Password..."));
  connect(openAction_, &QAction::triggered, this, &TFImportExport::NewOpenClick);
  connect(passwordAction_, &QAction::triggered, this, &TFImportExport::SetPasswordClick);

  // The local side.
  localTabs_ = new QTabBar(this);
  localTabs_->setObjectName(QStringLiteral("localKindTabs"));
  localTabs_->setAccessibleName(QStringLiteral("Kind of items to export"));
  for (const auto& kind : model_.Kinds()) localTabs_->addTab(QText(kind->TabName()));
  localFilter_ = new QLineEdit(this);
  localFilter_->setObjectName(QStringLiteral("localFilterLineEdit"));
  localFilter_->setClearButtonEnabled(true);
  localList_ = MakeItemList("localItemsList", "Items to export", this);
  selectAllButton_ = MakeButton("Select All", "selectAllButton", this);
  unselectAllButton_ = MakeButton("Unselect All", "unselectAllButton", this);
  exportButton_ = MakeButton("Export SELECTED Items-->", "exportButton", this);

  auto* localBox = new QGroupBox(QStringLiteral("Select Items to Export to File"), this);
  auto* localFilterRow = new QHBoxLayout;
  localFilterRow->addWidget(FilterLabel(localFilter_, this));
  localFilterRow->addWidget(localFilter_, 1);
  auto* localButtons = new QHBoxLayout;
  localButtons->addWidget(selectAllButton_);
  localButtons->addWidget(unselectAllButton_);
  localButtons->addStretch();
  localButtons->addWidget(exportButton_);
  auto* localLayout = new QVBoxLayout(localBox);
  localLayout->addWidget(localTabs_);
  localLayout->addLayout(localFilterRow);
  localLayout->addWidget(localList_, 1);
  localLayout->addLayout(localButtons);

  // The package side.
  packageName_ = new TElidedLabel(this);
  packageName_->setObjectName(QStringLiteral("packageNameLabel"));
  packageTabs_ = new QTabBar(this);
  packageTabs_->setObjectName(QStringLiteral("packageKindTabs"));
  packageTabs_->setAccessibleName(QStringLiteral("Kind of package items"));
  packageTabs_->addTab(QString::fromUtf8(kAllItemsTabName));
  for (const auto& kind : model_.Kinds()) packageTabs_->addTab(QText(kind->TabName()));
  packageFilter_ = new QLineEdit(this);
  packageFilter_->setObjectName(QStringLiteral("packageFilterLineEdit"));
  packageFilter_->setClearButtonEnabled(true);
  packageList_ = MakeItemList("packageItemsList", "Items in the file", this);
  importAllButton_ = MakeButton("<--Import ALL items", "importAllButton", this);
  importSelectedButton_ = MakeButton("<--Import SELECTED items", "importSelectedButton", this);
  deleteButton_ = MakeButton("Delete items from file", "deleteButton", this);

  auto* packageBox = new QGroupBox(QStringLiteral("Import/Export File"), this);
  auto* packageFilterRow = new QHBoxLayout;
  packageFilterRow->addWidget(FilterLabel(packageFilter_, this));
  packageFilterRow->addWidget(packageFilter_, 1);
  auto* packageButtons = new QHBoxLayout;
  packageButtons->addWidget(importAllButton_);
  packageButtons->addWidget(importSelectedButton_);
  packageButtons->addStretch();
  packageButtons->addWidget(deleteButton_);
  auto* packageLayout = new QVBoxLayout(packageBox);
  packageLayout->addWidget(packageName_);
  packageLayout->addWidget(packageTabs_);
  packageLayout->addLayout(packageFilterRow);
  packageLayout->addWidget(packageList_, 1);
  packageLayout->addLayout(packageButtons);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Help, this);
  buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("okButton"));
  buttons->button(QDialogButtonBox::Help)->setObjectName(QStringLiteral("helpButton"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  ConnectHelp(*this, buttons->button(QDialogButtonBox::Help), program_, kImportExportHelpTopic);

  auto* sides = new QHBoxLayout;
  sides->addWidget(localBox, 1);
  sides->addWidget(packageBox, 1);
  auto* layout = new QVBoxLayout(this);
  layout->setMenuBar(menu);
  layout->addWidget(MakeHeading(
      "Import/Export foods, recipes, menus, exercises, activities, workouts....", this));
  layout->addLayout(sides, 1);
  layout->addWidget(buttons);

  for (QPushButton* b : {selectAllButton_, unselectAllButton_, exportButton_, importAllButton_,
                         importSelectedButton_, deleteButton_})
    b->setAutoDefault(false);
  connect(localTabs_, &QTabBar::currentChanged, this, [this] { FillLocal(); });
  connect(localFilter_, &QLineEdit::textChanged, this, [this] { FillLocal(); });
  connect(packageTabs_, &QTabBar::currentChanged, this, [this] { FillPackage(); });
  connect(packageFilter_, &QLineEdit::textChanged, this, [this] { FillPackage(); });
  connect(localList_, &QTreeWidget::itemSelectionChanged, this, [this] { UpdateCommands(); });
  connect(packageList_, &QTreeWidget::itemSelectionChanged, this, [this] { UpdateCommands(); });
  connect(selectAllButton_, &QPushButton::clicked, localList_, &QTreeWidget::selectAll);
  connect(unselectAllButton_, &QPushButton::clicked, localList_, &QTreeWidget::clearSelection);
  connect(exportButton_, &QPushButton::clicked, this, &TFImportExport::ExportClick);
  connect(importAllButton_, &QPushButton::clicked, this, &TFImportExport::ImportAllClick);
  connect(importSelectedButton_, &QPushButton::clicked, this, &TFImportExport::ImportSelectedClick);
  connect(deleteButton_, &QPushButton::clicked, this, &TFImportExport::DeleteClick);

  FillLocal();
  FillPackage();
  resize(1100, 640);
}

TFImportExport::~TFImportExport() = default;

std::vector<std::size_t> TFImportExport::Selected(const QTreeWidget& list) const {
  std::vector<std::size_t> positions;
  for (int i = 0; i < list.topLevelItemCount(); ++i) {
    const QTreeWidgetItem* row = list.topLevelItem(i);
    if (row->isSelected())
      positions.push_back(static_cast<std::size_t>(row->data(0, kIndexRole).toULongLong()));
  }
  return positions;
}

void TFImportExport::FillLocal() {
  FillList(*localList_, model_.LocalItems(static_cast<std::size_t>(localTabs_->currentIndex()),
                                          localFilter_->text().toStdString()));
  UpdateCommands();
}

void TFImportExport::FillPackage() {
  FillList(*packageList_,
           model_.PackageItems(packageTabs_->currentIndex(), packageFilter_->text().toStdString()));
  const TIEPackage* package = model_.Package();
  packageName_->SetFullText(package ? QString::fromStdString(package->FileName().string())
                                    : QStringLiteral("No file open"));
  UpdateCommands();
}

void TFImportExport::UpdateCommands() {
  passwordAction_->setEnabled(model_.CanSetPassword());
  exportButton_->setEnabled(!localList_->selectedItems().isEmpty());
  importAllButton_->setEnabled(packageList_->topLevelItemCount() > 0);
  const bool selected = !packageList_->selectedItems().isEmpty();
  importSelectedButton_->setEnabled(selected);
  deleteButton_->setEnabled(selected);
}

void TFImportExport::NewOpenClick() {
  const QString file = ChooseFile();
  if (file.isEmpty()) return;
  const bool opened =
      model_.OpenPackage(file.toStdString(), [this]() -> std::optional<std::string> {
        const std::optional<QString> typed = AskPassword(false);
        if (!typed) return std::nullopt;
        return typed->toStdString();
      });
  if (opened) packageTabs_->setCurrentIndex(kAllItemsTab);
  FillPackage();
}

void TFImportExport::SetPasswordClick() {
  if (!model_.CanSetPassword()) return;
  const std::optional<QString> typed = AskPassword(true);
  if (typed) model_.SetPassword(typed->toStdString());
}

void TFImportExport::ExportClick() {
  model_.Export(static_cast<std::size_t>(localTabs_->currentIndex()), Selected(*localList_));
  FillPackage();
  localList_->clearSelection();
}

void TFImportExport::Import(const std::vector<std::size_t>& positions) {
  model_.Import(packageTabs_->currentIndex(), positions);
  FillLocal();
  FillPackage();
}

void TFImportExport::ImportAllClick() {
  std::vector<std::size_t> all;
  for (int i = 0; i < packageList_->topLevelItemCount(); ++i)
    all.push_back(
        static_cast<std::size_t>(packageList_->topLevelItem(i)->data(0, kIndexRole).toULongLong()));
  Import(all);
}

void TFImportExport::ImportSelectedClick() { Import(Selected(*packageList_)); }

void TFImportExport::DeleteClick() {
  if (model_.DeleteItems(Selected(*packageList_))) FillPackage();
}

void TFImportExport::done(int result) {
  // The package is saved as the screen closes; a refused write keeps the
  // screen open with the package as it is.
  if (!model_.Close()) return;
  QDialog::done(result);
}

}  // namespace korvela
