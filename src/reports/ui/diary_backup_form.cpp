#include "reports/ui/diary_backup_form.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <filesystem>
#include <optional>

#include "app/account_backup.h"
#include "energy/ui/body_form_parts.h"
#include "reports/diary_backup.h"
#include "storage/write_refused.h"

namespace korvela {
namespace {

constexpr int kBackupHelpTopic = 208;

QString Q(const std::string& text) { return QString::fromStdString(text); }

// The busy pointer while a backup or restore works; a ten-year diary takes
// the better part of a second.
class TBusyCursor {
 public:
  TBusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~TBusyCursor() { QApplication::restoreOverrideCursor(); }
  TBusyCursor(const TBusyCursor&) = delete;
  TBusyCursor& operator=(const TBusyCursor&) = delete;
};

std::filesystem::path PathOf(const QString& text) {
  return std::filesystem::path(text.toStdString());
}

QString FileFilter() {
  return QStringLiteral("Korvela diary backups (*%1);;All files (*)")
      .arg(QString::fromUtf8(kBackupExtension.data(),
                             static_cast<qsizetype>(kBackupExtension.size())));
}

}  // namespace

TFDiaryBackup::TFDiaryBackup(TMode mode, TProgram& program, TPrompter& prompter, QWidget* parent)
    : QDialog(parent), mode_(mode), program_(program), prompter_(prompter) {
  const bool backUp = mode == TMode::BackUp;
  setWindowTitle(backUp ? QStringLiteral("Back Up My Diary") : QStringLiteral("Restore a Diary"));
  auto* intro = new QLabel(this);
  intro->setTextFormat(Qt::PlainText);
  intro->setWordWrap(true);
  if (backUp) {
    intro->setText(
        QStringLiteral("Korvela writes your whole diary into one file, together with the foods, "
                       "recipes, menus, exercises, activities and workout templates it uses. "
                       "Keep the file in a safe place; \"Restore a Diary...\" brings it back, "
                       "also on another computer."));
  } else {
    intro->setText(
        QStringLiteral("Korvela restores the diary of a backup file as a new account. No "
                       "existing account is changed; foods, exercises and other shared items "
                       "you already have are kept as they are."));
  }

  fileLineEdit_ = new QLineEdit(this);
  fileLineEdit_->setObjectName(QStringLiteral("fileLineEdit"));
  fileLineEdit_->setAccessibleName(QStringLiteral("Backup file"));
  fileLineEdit_->setMinimumWidth(360);
  auto* fileLabel = new QLabel(QStringLiteral("Backup &file:"), this);
  fileLabel->setBuddy(fileLineEdit_);
  auto* browseButton = new QPushButton(QStringLiteral("&Browse..."), this);
  browseButton->setObjectName(QStringLiteral("browseButton"));
  browseButton->setAutoDefault(false);
  connect(browseButton, &QPushButton::clicked, this, &TFDiaryBackup::BrowseButtonClick);
  auto* fileRow = new QHBoxLayout;
  fileRow->addWidget(fileLabel);
  fileRow->addWidget(fileLineEdit_, 1);
  fileRow->addWidget(browseButton);

  if (backUp && program_.CurrentUser()) {
    const std::string name =
        DefaultBackupFileName(program_.CurrentUser()->UserName, program_.Clock().Today());
    fileLineEdit_->setText(QDir::home().filePath(Q(name)));
  }

  auto* buttons = new QDialogButtonBox(this);
  startButton_ =
      buttons->addButton(backUp ? QStringLiteral("Back &Up") : QStringLiteral("&Restore"),
                         QDialogButtonBox::AcceptRole);
  startButton_->setObjectName(QStringLiteral("startButton"));
  startButton_->setDefault(true);
  QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
  cancel->setObjectName(QStringLiteral("cancelButton"));
  QPushButton* help = buttons->addButton(QDialogButtonBox::Help);
  help->setObjectName(QStringLiteral("helpButton"));
  connect(startButton_, &QPushButton::clicked, this, &TFDiaryBackup::StartButtonClick);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  ConnectHelp(*this, help, program_, kBackupHelpTopic);

  ChooseFile = [this, backUp] {
    return backUp ? QFileDialog::getSaveFileName(this, windowTitle(), fileLineEdit_->text(),
                                                 FileFilter())
                  : QFileDialog::getOpenFileName(this, windowTitle(), fileLineEdit_->text(),
                                                 FileFilter());
  };

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(intro);
  layout->addLayout(fileRow);
  layout->addStretch(1);
  layout->addWidget(buttons);
  resize(620, sizeHint().height());
}

void TFDiaryBackup::BrowseButtonClick() {
  const QString path = ChooseFile();
  if (path.isEmpty()) return;
  fileLineEdit_->setText(path);
  // The system's save dialog has asked already whether to replace it.
  if (mode_ == TMode::BackUp) confirmedPath_ = path;
}

void TFDiaryBackup::StartButtonClick() {
  const QString path = fileLineEdit_->text().trimmed();
  const bool done = mode_ == TMode::BackUp ? BackUp(path) : Restore(path);
  if (done) accept();
}

bool TFDiaryBackup::BackUp(const QString& path) {
  if (path.isEmpty()) {
    prompter_.Warn(kMsgChooseBackupTarget);
    fileLineEdit_->setFocus();
    return false;
  }
  const std::filesystem::path file = WithBackupExtension(PathOf(path));
  const QString named = Q(file.string());
  if (named != path) fileLineEdit_->setText(named);  // the name written is the name shown
  std::error_code ec;
  if (named != confirmedPath_ && std::filesystem::exists(file, ec) &&
      !prompter_.AskYesNo(ReplaceBackupQuestion(file)))
    return false;
  try {
    std::optional<TBusyCursor> busy(std::in_place);
    const TBackupSummary summary = BackUpAccount(program_, *program_.CurrentUser(), file);
    busy.reset();
    prompter_.Inform(BackedUpText(summary, file));
    return true;
  } catch (const EXMLIOError& e) {
    // The backup that could not be written, or a file of the diary that
    // could not be read.
    prompter_.Warn(WriteRefusedText(e));
    return false;
  }
}

bool TFDiaryBackup::Restore(const QString& path) {
  if (path.isEmpty()) {
    prompter_.Warn(kMsgChooseBackupSource);
    fileLineEdit_->setFocus();
    return false;
  }
  const std::filesystem::path file = PathOf(path);
  std::error_code ec;
  if (!std::filesystem::is_regular_file(file, ec)) {
    prompter_.Warn(NoBackupFileText(file));
    return false;
  }
  try {
    std::optional<TBusyCursor> busy(std::in_place);
    const TUser& user = RestoreAccount(program_, file);
    busy.reset();
    prompter_.Inform(RestoredText(user.UserName));
    return true;
  } catch (const EBackupDamaged& e) {
    prompter_.Warn(RefusedBackupText(e));
    return false;
  } catch (const EXMLIOError& e) {
    prompter_.Warn(WriteRefusedText(e));
    return false;
  }
}

}  // namespace korvela
