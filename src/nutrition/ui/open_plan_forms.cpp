#include "nutrition/ui/open_plan_forms.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QShortcut>
#include <QVBoxLayout>

#include "energy/ui/body_form_parts.h"
#include "nutrition/plan_dialogs.h"

namespace korvela {
namespace {

constexpr int kOpenLogHelpTopic = 38;
constexpr int kOpenMenuHelpTopic = 39;

// "Open", "Cancel" and "Help" (with F1) of the two open dialogs.
QDialogButtonBox* OpenButtons(QDialog& dialog, TProgram& program, int topic) {
  QDialogButtonBox* buttons =
      MakeDialogButtons(dialog, program, topic, [&dialog] { dialog.accept(); });
  buttons->findChild<QPushButton*>(QStringLiteral("okButton"))->setText(QStringLiteral("Open"));
  buttons->findChild<QPushButton*>(QStringLiteral("okButton"))
      ->setObjectName(QStringLiteral("openButton"));
  return buttons;
}

}  // namespace

TFOpenLog::TFOpenLog(TProgram& program, QWidget* parent)
    : QDialog(parent), calendar_(new TMyCalendar(program.Clock().Today(), this)) {
  setWindowTitle(QString::fromUtf8(kOpenLogCaption));
  calendar_->setObjectName(QStringLiteral("dayCalendar"));
  calendar_->setAccessibleName(QStringLiteral("Day"));
  calendar_->SetStaticCalendar(true);
  calendar_->SetFirstDOW(program.Config().FirstDOW());

  auto* group = new QGroupBox(QString::fromUtf8(kOpenLogGroup), this);
  auto* days = new QVBoxLayout;
  static constexpr const char* kNames[] = {"dayBeforeYesterdayButton", "yesterdayButton",
                                           "todayButton", "tomorrowButton"};
  for (std::size_t i = 0; i < kOpenLogDays.size(); ++i) {
    auto* button = MakeButton(kOpenLogDays[i].first, kNames[i], this);
    button->setAutoDefault(false);
    const int offset = kOpenLogDays[i].second;
    connect(button, &QPushButton::clicked, this, [this, &program, offset] {
      calendar_->SetSelectedDate(program.Clock().Today() + offset);
    });
    days->addWidget(button);
  }
  days->addStretch(1);
  auto* row = new QHBoxLayout(group);
  row->addWidget(calendar_);
  row->addLayout(days);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(MakeHeading(kOpenLogHeading, this));
  layout->addWidget(group);
  layout->addWidget(OpenButtons(*this, program, kOpenLogHelpTopic));
  calendar_->setFocus();
}

std::optional<TDaysMeals> OpenFoodLog(TProgram& program, TFoodLogStore& store, QWidget* parent) {
  TFOpenLog dialog(program, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return OpenDayLog(store, dialog.SelectedDay(), program.Session()->MealDefinitions());
}

TFOpenMenu::TFOpenMenu(TProgram& program, const TMenuList& menus, QWidget* parent)
    : QDialog(parent),
      menus_(menus),
      menuListWidget_(new QListWidget(this)),
      notesTextEdit_(new QPlainTextEdit(this)) {
  setWindowTitle(QString::fromUtf8(kOpenMenuCaption));
  menuListWidget_->setObjectName(QStringLiteral("menuListWidget"));
  notesTextEdit_->setObjectName(QStringLiteral("notesTextEdit"));
  notesTextEdit_->setReadOnly(true);
  notesTextEdit_->setTabChangesFocus(true);
  for (const auto& menu : menus_.Menus()) {
    auto* item = new QListWidgetItem(QText(menu->MenuName), menuListWidget_);
    item->setToolTip(QText(menu->MenuName));
  }
  // Long names are elided, never widen the list.
  menuListWidget_->setTextElideMode(Qt::ElideRight);
  menuListWidget_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

  auto* lists = new QGridLayout;
  lists->addWidget(MakeBuddyLabel(kSavedMenusLabel, menuListWidget_, this), 0, 0);
  lists->addWidget(MakeBuddyLabel(kMenuNotesLabel, notesTextEdit_, this), 0, 1);
  lists->addWidget(menuListWidget_, 1, 0);
  lists->addWidget(notesTextEdit_, 1, 1);
  lists->setColumnStretch(0, 1);
  lists->setColumnStretch(1, 1);

  QDialogButtonBox* buttons = OpenButtons(*this, program, kOpenMenuHelpTopic);
  openButton_ = buttons->findChild<QPushButton*>(QStringLiteral("openButton"));

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(MakeHeading(kOpenMenuHeading, this));
  layout->addLayout(lists, 1);
  layout->addWidget(buttons);

  connect(menuListWidget_, &QListWidget::currentRowChanged, this, &TFOpenMenu::MenuChange);
  connect(menuListWidget_, &QListWidget::itemDoubleClicked, this, [this] {
    if (SelectedMenu() >= 0) accept();
  });
  if (menuListWidget_->count() > 0) menuListWidget_->setCurrentRow(0);
  MenuChange(menuListWidget_->currentRow());
  menuListWidget_->setFocus();
  resize(560, 340);
}

void TFOpenMenu::MenuChange(int row) {
  const bool any = row >= 0 && row < static_cast<int>(menus_.Menus().size());
  notesTextEdit_->setPlainText(any ? QText(menus_.Menus()[static_cast<std::size_t>(row)]->MenuNotes)
                                   : QString());
  openButton_->setEnabled(any);
}

std::optional<int> OpenSavedMenu(TProgram& program, const TMenuList& menus, QWidget* parent) {
  TFOpenMenu dialog(program, menus, parent);
  if (dialog.exec() != QDialog::Accepted || dialog.SelectedMenu() < 0) return std::nullopt;
  return dialog.SelectedMenu();
}

}  // namespace korvela
