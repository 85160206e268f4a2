#include "energy/ui/skinfold_form.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QShortcut>
#include <QVBoxLayout>
#include <algorithm>

namespace korvela {
namespace {

// Width of the entries, in digits.
constexpr int kEntryDigits = 10;

QString Text(const char* text) { return QString::fromUtf8(text); }

// "skinfold1" for the first site: sites are named by position, since the
// 3-site names change with the sex.
QString SiteName(std::size_t site) {
  return QStringLiteral("skinfold") + QString::number(static_cast<qulonglong>(site + 1));
}

void NameControls(TLabeledEdit* edit, const QString& name) {
  edit->setObjectName(name + QStringLiteral("Edit"));
  edit->Edit()->setObjectName(name + QStringLiteral("LineEdit"));
}

}  // namespace

TFSkinfold::TFSkinfold(TProgram& program, TPrompter& prompter, TSkinfoldMethod method,
                       QWidget* parent)
    : QDialog(parent), program_(program), prompter_(prompter), method_(method) {
  setWindowTitle(Text(SkinfoldCaption(method_)));
  auto* heading = new QLabel(Text(SkinfoldHeading(method_)), this);
  heading->setObjectName(QStringLiteral("headingLabel"));
  QFont font = heading->font();
  font.setBold(true);
  heading->setFont(font);

  calculateButton_ = new QPushButton(Text(kSkinfoldCalculateCaption), this);
  calculateButton_->setObjectName(QStringLiteral("calculateButton"));
  calculateButton_->setDefault(true);
  connect(calculateButton_, &QPushButton::clicked, this, &TFSkinfold::CalculateButtonClick);
  auto* f1 = new QShortcut(QKeySequence::HelpContents, this);
  connect(f1, &QShortcut::activated, this, &TFSkinfold::HelpKeyPress);

  // Made in reading order, which is the order Tab follows.
  QWidget* entries = BuildEntries();
  QWidget* result = BuildResult();
  closeButton_ = new QPushButton(Text(kSkinfoldCloseCaption), this);
  closeButton_->setObjectName(QStringLiteral("closeButton"));
  closeButton_->setAutoDefault(false);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(closeButton_, QDialogButtonBox::RejectRole);
  connect(closeButton_, &QPushButton::clicked, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(heading);
  layout->addSpacing(8);
  layout->addWidget(entries);
  layout->addSpacing(8);
  layout->addWidget(result);
  layout->addStretch();
  layout->addWidget(buttons);

  if (const TUser* user = program_.CurrentUser()) {
    sexComboBox_->setCurrentIndex(static_cast<int>(user->UserSex));
    ageEdit_->Edit()->setText(QString::number(user->AgeOn(program_.Clock().Today())));
  }
  SexComboBoxChange();
  connect(sexComboBox_, &QComboBox::currentIndexChanged, this, &TFSkinfold::SexComboBoxChange);
  // Calculate, made before the result row it sits in, follows the entries.
  setTabOrder(skinfoldEdits_.back()->Edit(), calculateButton_);
  ageEdit_->Edit()->setFocus();
}

QWidget* TFSkinfold::BuildEntries() {
  auto* box = new QWidget(this);
  const int entryWidth = fontMetrics().horizontalAdvance(QLatin1Char('0')) * kEntryDigits;

  sexComboBox_ = new QComboBox(box);
  sexComboBox_->setObjectName(QStringLiteral("sexComboBox"));
  for (const char* sex : kSkinfoldSexNames) sexComboBox_->addItem(Text(sex));
  sexComboBox_->setFixedWidth(entryWidth);
  auto* sexLabel = new QLabel(Text(kSkinfoldSexLabel), box);
  sexLabel->setBuddy(sexComboBox_);
  sexComboBox_->setAccessibleName(sexLabel->text());
  // The sex row copies the shape of the entries below: caption, gap, field.
  auto* sexRow = new QHBoxLayout;
  sexRow->setSpacing(0);
  sexRow->addWidget(sexLabel);
  sexRow->addSpacing(10);
  sexRow->addWidget(sexComboBox_);
  sexRow->addStretch();

  ageEdit_ = new TLabeledEdit(Text(kSkinfoldAgeLabel), box);
  NameControls(ageEdit_, QStringLiteral("age"));
  const std::size_t siteCount = SkinfoldSiteNames(method_, TSex::Male).size();
  for (std::size_t site = 0; site < siteCount; ++site) {
    auto* edit = new TLabeledEdit(QString(), box);
    NameControls(edit, SiteName(site));
    edit->SetUnit(Text(kSkinfoldUnit));
    skinfoldEdits_.push_back(edit);
  }

  // One caption column, wide enough for the site names of either sex, so
  // that nothing moves when the sex changes.
  int captionWidth = sexLabel->sizeHint().width();
  const QFontMetrics metrics = ageEdit_->CaptionLabel()->fontMetrics();
  const auto widen = [&captionWidth, &metrics](const char* caption) {
    captionWidth = std::max(captionWidth, metrics.horizontalAdvance(Text(caption)));
  };
  widen(kSkinfoldAgeLabel);
  for (const TSex sex : {TSex::Male, TSex::Female})
    for (const char* name : SkinfoldSiteNames(method_, sex)) widen(name);
  sexLabel->setMinimumWidth(captionWidth);

  ageEdit_->Edit()->setFixedWidth(entryWidth);
  ageEdit_->CaptionLabel()->setMinimumWidth(captionWidth);
  auto* sitesColumn = new QVBoxLayout;
  for (TLabeledEdit* edit : skinfoldEdits_) {
    edit->Edit()->setFixedWidth(entryWidth);
    edit->CaptionLabel()->setMinimumWidth(captionWidth);
    sitesColumn->addWidget(edit, 0, Qt::AlignLeft);
  }

  // The notes on units stand beside the skinfolds they concern.
  auto* inchNote = new QLabel(Text(kSkinfoldInchNote), box);
  inchNote->setObjectName(QStringLiteral("inchNoteLabel"));
  auto* cmNote = new QLabel(Text(kSkinfoldCmNote), box);
  cmNote->setObjectName(QStringLiteral("cmNoteLabel"));
  // "1 cm = 10 mm" lines up under the "1 inch" of the note above it.
  cmNote->setIndent(inchNote->fontMetrics().horizontalAdvance(QStringLiteral("Note: ")));
  auto* notes = new QVBoxLayout;
  notes->setSpacing(2);
  notes->addSpacing((skinfoldEdits_.front()->sizeHint().height() - inchNote->sizeHint().height()) /
                    2);
  notes->addWidget(inchNote);
  notes->addWidget(cmNote);
  notes->addStretch();
  auto* sitesRow = new QHBoxLayout;
  sitesRow->addLayout(sitesColumn);
  sitesRow->addSpacing(24);
  sitesRow->addLayout(notes);
  sitesRow->addStretch();

  auto* layout = new QVBoxLayout(box);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addLayout(sexRow);
  layout->addWidget(ageEdit_, 0, Qt::AlignLeft);
  layout->addSpacing(8);
  layout->addLayout(sitesRow);
  return box;
}

QWidget* TFSkinfold::BuildResult() {
  auto* box = new QWidget(this);
  auto* group = new QGroupBox(Text(kSkinfoldResultCaption), box);
  bodyFatEdit_ = new TLabeledEdit(Text(kSkinfoldBodyFatLabel), group);
  NameControls(bodyFatEdit_, QStringLiteral("bodyFat"));
  bodyFatEdit_->SetUnit(Text(kSkinfoldBodyFatUnit));
  bodyFatEdit_->Edit()->setReadOnly(true);
  bodyFatEdit_->Edit()->setFixedWidth(fontMetrics().horizontalAdvance(QLatin1Char('0')) *
                                      kEntryDigits);
  auto* groupLayout = new QHBoxLayout(group);
  groupLayout->addWidget(bodyFatEdit_);
  groupLayout->addStretch();

  auto* layout = new QHBoxLayout(box);
  layout->setContentsMargins(0, 0, 0, 0);
  // "Calculate" stands level with the body fat it fills in.
  auto* button = new QVBoxLayout;
  button->addStretch();
  button->addWidget(calculateButton_);
  button->addSpacing(groupLayout->contentsMargins().bottom() +
                     (bodyFatEdit_->sizeHint().height() - calculateButton_->sizeHint().height()) /
                         2);
  layout->addLayout(button);
  layout->addSpacing(12);
  layout->addWidget(group, 1);
  return box;
}

TSex TFSkinfold::Sex() const {
  return sexComboBox_->currentIndex() == static_cast<int>(TSex::Female) ? TSex::Female : TSex::Male;
}

QLineEdit* TFSkinfold::FieldEdit(int field) const {
  if (field == kSkinfoldAgeField) return ageEdit_->Edit();
  return skinfoldEdits_.at(static_cast<std::size_t>(field - SkinfoldSiteField(0)))->Edit();
}

// The typed skinfolds stay; only the names of their sites change.
void TFSkinfold::SexComboBoxChange() {
  const std::span<const char* const> names = SkinfoldSiteNames(method_, Sex());
  for (std::size_t site = 0; site < skinfoldEdits_.size(); ++site)
    skinfoldEdits_[site]->SetCaption(Text(names[site]));
}

void TFSkinfold::CalculateButtonClick() {
  std::vector<std::string> skinfolds;
  for (const TLabeledEdit* edit : skinfoldEdits_)
    skinfolds.push_back(edit->Edit()->text().toStdString());
  const TSkinfoldOutcome outcome = CalculateSkinfoldBodyFat(
      program_.Config(), method_, Sex(), ageEdit_->Edit()->text().toStdString(), skinfolds);
  if (outcome.bodyFat) bodyFatEdit_->Edit()->setText(QString::fromStdString(*outcome.bodyFat));
  if (!outcome.warning) return;
  prompter_.Warn(*outcome.warning);
  if (outcome.focusField == kSkinfoldNoField) return;
  QLineEdit* edit = FieldEdit(outcome.focusField);
  edit->setFocus();
  edit->selectAll();
}

void TFSkinfold::HelpKeyPress() { program_.ShowHelp(SkinfoldHelpTopic(method_)); }

}  // namespace korvela
