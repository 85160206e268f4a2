#include "energy/ui/recovery_form.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

#include "energy/ui/body_form_parts.h"
#include "users/unit_text.h"
#include "widgets/color_panel.h"
#include "widgets/save_guard.h"

namespace korvela {
namespace {

constexpr int kRecoveryHelpTopic = 79;
// Object names of the six rating groups' buttons: "<name><index>RadioButton".
constexpr std::array<const char*, 6> kRatingNames = {"sleep",  "appetite",    "pulse",
                                                     "energy", "performance", "desire"};

QGroupBox* MakeLegend(QWidget* parent) {
  auto* legend = new QGroupBox(QString::fromUtf8(kRecoveryLegendTitle), parent);
  legend->setObjectName(QStringLiteral("legendGroupBox"));
  auto* rows = new QGridLayout(legend);
  rows->setHorizontalSpacing(8);
  rows->setVerticalSpacing(2);
  int r = 0;
  for (const TRecoveryBand& band : kRecoveryLegend) {
    auto* swatch = new MyColorPanel(legend);
    swatch->SetColor(QColor(RedOf(band.color), GreenOf(band.color), BlueOf(band.color)));
    swatch->setFixedSize(14, 14);
    rows->addWidget(swatch, r, 0);
    rows->addWidget(new QLabel(QString::fromUtf8(band.range), legend), r, 1);
    rows->addWidget(new QLabel(QString::fromUtf8(band.text), legend), r, 2);
    ++r;
  }
  rows->setColumnStretch(2, 1);
  return legend;
}

}  // namespace

TFRecovery::TFRecovery(TProgram& program, TPrompter& prompter, TDateTime day, QWidget* parent)
    : QDialog(parent),
      program_(program),
      prompter_(prompter),
      editor_(ListRecovery(program.Session()->DayRecords()), day),
      dateEdit_(MakeDateEntry(program, "dateLineEdit", "Date:", this)),
      wakeUpTimeEdit_(new QTimeEdit(this)),
      hoursLineEdit_(new QLineEdit(this)),
      coldsCheckBox_(new QCheckBox(QString::fromUtf8(kColdsCaption), this)),
      ratingGroups_{},
      scoreLineEdit_(new QLineEdit(this)) {
  setWindowTitle(QString::fromUtf8(kRecoveryCaption));

  wakeUpTimeEdit_->setObjectName(QStringLiteral("wakeUpTimeEdit"));
  hoursLineEdit_->setObjectName(QStringLiteral("hoursLineEdit"));
  hoursLineEdit_->setFixedWidth(60);
  coldsCheckBox_->setObjectName(QStringLiteral("coldsCheckBox"));
  scoreLineEdit_->setObjectName(QStringLiteral("scoreLineEdit"));
  scoreLineEdit_->setReadOnly(true);
  scoreLineEdit_->setFixedWidth(70);
  QFont bold = scoreLineEdit_->font();
  bold.setBold(true);
  scoreLineEdit_->setFont(bold);
  dateEdit_->setFixedWidth(140);
  ApplyTimeFormat();

  auto* top = new QHBoxLayout;
  top->addWidget(MakeBuddyLabel("Date:", dateEdit_, this));
  top->addWidget(dateEdit_);
  top->addSpacing(16);
  top->addWidget(MakeBuddyLabel("Wake up time", wakeUpTimeEdit_, this));
  top->addWidget(wakeUpTimeEdit_);
  top->addSpacing(16);
  top->addWidget(MakeBuddyLabel("Hours of sleep:", hoursLineEdit_, this));
  top->addWidget(hoursLineEdit_);
  top->addStretch(1);

  auto* ratings = new QGridLayout;
  QWidget* lastRadio = nullptr;
  for (std::size_t i = 0; i < kRatingScales.size(); ++i) {
    const TRatingScale& scale = kRatingScales[i];
    auto* box = new QGroupBox(QString::fromUtf8(scale.title), this);
    box->setObjectName(QString::fromUtf8(kRatingNames[i]) + QStringLiteral("GroupBox"));
    auto* items = new QVBoxLayout(box);
    items->setSpacing(2);
    auto* group = new QButtonGroup(this);
    for (std::size_t item = 0; item < scale.items.size(); ++item) {
      auto* radio = new QRadioButton(QString::fromUtf8(scale.items[item]), box);
      radio->setObjectName(
          QStringLiteral("%1%2RadioButton").arg(QString::fromUtf8(kRatingNames[i])).arg(item));
      group->addButton(radio, static_cast<int>(item));
      items->addWidget(radio);
      lastRadio = radio;
    }
    ratingGroups_[i] = group;
    ratings->addWidget(box, static_cast<int>(i / 3), static_cast<int>(i % 3));
    connect(group, &QButtonGroup::idToggled, this, [this](int, bool checked) {
      if (checked) FieldChange();
    });
  }

  // The score, made with the fields above, is read after the ratings.
  setTabOrder(lastRadio, scoreLineEdit_);
  auto* scoreRow = new QHBoxLayout;
  auto* scoreLabel = MakeBuddyLabel(kRecoveryScoreLabel, scoreLineEdit_, this);
  scoreLabel->setFont(bold);
  scoreRow->addWidget(scoreLabel, 0, Qt::AlignTop);
  scoreRow->addWidget(scoreLineEdit_, 0, Qt::AlignTop);
  scoreRow->addSpacing(16);
  scoreRow->addWidget(MakeLegend(this));
  scoreRow->addStretch(1);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(MakeHeading(kRecoveryCaption, this));
  layout->addSpacing(6);
  layout->addLayout(top);
  layout->addWidget(coldsCheckBox_);
  layout->addLayout(ratings);
  layout->addLayout(scoreRow);
  layout->addWidget(
      MakeDialogButtons(*this, program, kRecoveryHelpTopic, [this] { OkButtonClick(); }));

  dateEdit_->UserOnDateChange = [this] { DateChange(); };
  connect(wakeUpTimeEdit_, &QTimeEdit::timeChanged, this, &TFRecovery::FieldChange);
  connect(hoursLineEdit_, &QLineEdit::textChanged, this, &TFRecovery::FieldChange);
  connect(coldsCheckBox_, &QCheckBox::toggled, this, &TFRecovery::FieldChange);
  ShowRecord();
}

void TFRecovery::ApplyTimeFormat() {
  wakeUpTimeEdit_->setDisplayFormat(program_.Config().TimeFormat() == TTimeFormat::hr24
                                        ? QStringLiteral("HH:mm")
                                        : QStringLiteral("hh:mm AP"));
}

TRecoveryFields TFRecovery::Fields() const {
  TRecoveryFields fields;
  fields.hours = hoursLineEdit_->text().toStdString();
  fields.colds = coldsCheckBox_->isChecked();
  for (std::size_t i = 0; i < ratingGroups_.size(); ++i)
    fields.ratings[i] = ratingGroups_[i]->checkedId();
  fields.wakeUpSeconds = wakeUpTimeEdit_->time().msecsSinceStartOfDay() / 1000;
  return fields;
}

void TFRecovery::ShowRecord() {
  showing_ = true;
  const TRecoveryFields fields = RecoveryFieldsOf(program_.Config(), editor_.Current());
  dateEdit_->SetDate(editor_.Day());
  hoursLineEdit_->setText(QText(fields.hours));
  coldsCheckBox_->setChecked(fields.colds);
  for (std::size_t i = 0; i < ratingGroups_.size(); ++i) {
    QButtonGroup* group = ratingGroups_[i];
    // An exclusive group cannot be emptied while one of its buttons is on.
    group->setExclusive(false);
    for (QAbstractButton* button : group->buttons()) button->setChecked(false);
    if (QAbstractButton* chosen = group->button(fields.ratings[i])) chosen->setChecked(true);
    group->setExclusive(true);
  }
  wakeUpTimeEdit_->setTime(QTime::fromMSecsSinceStartOfDay(fields.wakeUpSeconds * 1000));
  showing_ = false;
  FieldChange();
}

void TFRecovery::FieldChange() {
  if (showing_) return;
  scoreLineEdit_->setText(QText(RecoveryScoreText(program_.Config(), Fields())));
}

void TFRecovery::DateChange() {
  editor_.ChangeDay(program_.Config(), Fields(), dateEdit_->Date());
  ShowRecord();
}

void TFRecovery::OkButtonClick() {
  editor_.Take(program_.Config(), Fields());
  if (!SaveOrWarn(prompter_,
                  [this] { ReplaceRecovery(program_.Session()->DayRecords(), editor_.Records()); }))
    return;
  accept();
}

}  // namespace korvela
