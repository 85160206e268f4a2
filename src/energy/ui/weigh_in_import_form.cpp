#include "energy/ui/weigh_in_import_form.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "storage/errors.h"
#include "widgets/save_guard.h"

namespace korvela {
namespace {

// Larger files are no diary export.
constexpr qint64 kLargestFile = 64LL * 1024 * 1024;

QString Q(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

TFWeighInImport::TFWeighInImport(TProgram& program, TPrompter& prompter, QWidget* parent)
    : QDialog(parent), program_(program), prompter_(prompter) {
  setWindowTitle(QStringLiteral("Import Weigh-ins and Measurements"));
  auto* intro = new QLabel(
      QStringLiteral("Choose a CSV file with a \"date\" column (YYYY-MM-DD) and a weight "
                     "column, or measurement columns as the reports export them."),
      this);
  intro->setWordWrap(true);

  fileLineEdit_ = new QLineEdit(this);
  fileLineEdit_->setObjectName(QStringLiteral("fileLineEdit"));
  auto* fileLabel = new QLabel(QStringLiteral("CSV &file:"), this);
  fileLabel->setBuddy(fileLineEdit_);
  fileLineEdit_->setAccessibleName(QStringLiteral("CSV file"));
  connect(fileLineEdit_, &QLineEdit::editingFinished, this,
          [this] { SetFile(fileLineEdit_->text()); });
  auto* browseButton = new QPushButton(QStringLiteral("&Browse..."), this);
  browseButton->setObjectName(QStringLiteral("browseButton"));
  browseButton->setAutoDefault(false);
  connect(browseButton, &QPushButton::clicked, this, &TFWeighInImport::BrowseButtonClick);
  auto* fileRow = new QHBoxLayout;
  fileRow->addWidget(fileLabel);
  fileRow->addWidget(fileLineEdit_, 1);
  fileRow->addWidget(browseButton);

  auto* unitBox = new QGroupBox(QStringLiteral("A column named just \"weight\" is in"), this);
  kgRadioButton_ = new QRadioButton(QStringLiteral("&kilograms"), unitBox);
  kgRadioButton_->setObjectName(QStringLiteral("kgRadioButton"));
  lbsRadioButton_ = new QRadioButton(QStringLiteral("&pounds"), unitBox);
  lbsRadioButton_->setObjectName(QStringLiteral("lbsRadioButton"));
  (program.Config().MetricSystem() ? kgRadioButton_ : lbsRadioButton_)->setChecked(true);
  auto* unitRow = new QHBoxLayout(unitBox);
  unitRow->addWidget(kgRadioButton_);
  unitRow->addWidget(lbsRadioButton_);
  unitRow->addStretch(1);
  connect(kgRadioButton_, &QRadioButton::toggled, this, [this] { ShowPreview(); });

  previewListWidget_ = new QTreeWidget(this);
  previewListWidget_->setObjectName(QStringLiteral("previewListWidget"));
  previewListWidget_->setAccessibleName(QStringLiteral("Rows of the file"));
  previewListWidget_->setRootIsDecorated(false);
  previewListWidget_->setUniformRowHeights(true);
  previewListWidget_->setHeaderLabels({QStringLiteral("Line"), QStringLiteral("Date"),
                                       QStringLiteral("Action"), QStringLiteral("Values"),
                                       QStringLiteral("Reason")});
  previewListWidget_->header()->setStretchLastSection(true);
  previewListWidget_->setColumnWidth(0, 60);
  previewListWidget_->setColumnWidth(1, 100);
  previewListWidget_->setColumnWidth(2, 90);
  previewListWidget_->setColumnWidth(3, 260);

  summaryLabel_ = new QLabel(this);
  summaryLabel_->setObjectName(QStringLiteral("summaryLabel"));
  summaryLabel_->setTextFormat(Qt::PlainText);
  summaryLabel_->setWordWrap(true);

  auto* buttons = new QDialogButtonBox(this);
  importButton_ = buttons->addButton(QStringLiteral("&Import"), QDialogButtonBox::AcceptRole);
  importButton_->setObjectName(QStringLiteral("importButton"));
  importButton_->setEnabled(false);
  QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
  cancel->setObjectName(QStringLiteral("cancelButton"));
  connect(importButton_, &QPushButton::clicked, this, &TFWeighInImport::ImportButtonClick);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(intro);
  layout->addLayout(fileRow);
  layout->addWidget(unitBox);
  layout->addWidget(previewListWidget_, 1);
  layout->addWidget(summaryLabel_);
  layout->addWidget(buttons);
  resize(760, 480);
}

void TFWeighInImport::BrowseButtonClick() {
  const QString path = QFileDialog::getOpenFileName(
      this, QStringLiteral("Import Weigh-ins and Measurements"), fileLineEdit_->text(),
      QStringLiteral("CSV files (*.csv);;All files (*)"));
  if (path.isEmpty()) return;
  fileLineEdit_->setText(path);
  SetFile(path);
}

void TFWeighInImport::SetFile(const QString& path) {
  if (fileLineEdit_->text() != path) fileLineEdit_->setText(path);
  ShowPreview();
}

void TFWeighInImport::ShowPreview() {
  preview_.reset();
  previewListWidget_->clear();
  importButton_->setEnabled(false);
  const QString path = fileLineEdit_->text().trimmed();
  if (path.isEmpty()) {
    summaryLabel_->clear();
    return;
  }
  QFile file(path);
  std::string why;
  if (!file.open(QIODevice::ReadOnly)) {
    why = file.errorString().toStdString();
  } else if (file.size() > kLargestFile) {
    why = "the file is larger than 64 MB";
  } else {
    const QByteArray bytes = file.readAll();
    TUserSession& session = *program_.Session();
    preview_ =
        PreviewImport(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                      lbsRadioButton_->isChecked() ? TImportUnit::Pounds : TImportUnit::Kilograms,
                      session.DayRecords(), session.Energy().Today(), &why);
  }
  if (!preview_) {
    summaryLabel_->setText(QStringLiteral("Korvela could not read %1: %2").arg(path, Q(why)));
    return;
  }
  QList<QTreeWidgetItem*> items;
  for (const std::string& line : PreviewLines(*preview_)) {
    const QStringList cells = Q(line).split(QLatin1Char('\t'));
    auto* item = new QTreeWidgetItem(cells);
    item->setText(0, cells.value(0).mid(5));  // "line 12" shows as "12"
    items << item;
  }
  previewListWidget_->addTopLevelItems(items);
  QString summary = Q(preview_->Summary());
  if (preview_->withoutValue > 0)
    summary += QStringLiteral("; %1 days without a value left out").arg(preview_->withoutValue);
  summaryLabel_->setText(summary + QStringLiteral("."));
  importButton_->setEnabled(
      preview_->Count(TImportAction::Add) + preview_->Count(TImportAction::Replace) > 0);
}

void TFWeighInImport::ImportButtonClick() {
  if (!preview_) return;
  TUserSession& session = *program_.Session();
  TImportOutcome outcome;
  try {
    outcome =
        ApplyImport(*preview_, session.Energy(), session.DayRecords(), *program_.CurrentUser());
  } catch (const EXMLIOError& e) {
    prompter_.Warn(ImportRefusedText(e));
    return;
  }
  if (!outcome.inPlace) prompter_.Inform(kMsgImportedLater);
  if (outcome.readjusted) prompter_.Inform(kMsgReadjusted);
  accept();
}

}  // namespace korvela
