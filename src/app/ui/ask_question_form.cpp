#include "app/ui/ask_question_form.h"

#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/help.h"

namespace korvela {

TFAskQuestion::TFAskQuestion(QWidget* parent, TUrlOpener openUrl)
    : QDialog(parent), openUrl_(std::move(openUrl)) {
  if (!openUrl_) openUrl_ = [](const QUrl& url) { QDesktopServices::openUrl(url); };
  setObjectName(QStringLiteral("askQuestionForm"));
  setWindowTitle(QString::fromUtf8(kAskQuestionCaption));

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(20, 16, 20, 14);
  layout->setSpacing(10);
  auto* heading = new QLabel(QString::fromUtf8(kAskQuestionHeading), this);
  heading->setObjectName(QStringLiteral("headingLabel"));
  QFont font = heading->font();
  font.setPointSizeF(font.pointSizeF() * 1.3);
  font.setBold(true);
  heading->setFont(font);
  layout->addWidget(heading);

  const char* hints[] = {kAskQuestionHint1, kAskQuestionHint2};
  int n = 1;
  for (const char* hint : hints) {
    auto* label = new QLabel(QString::fromUtf8(hint), this);
    label->setObjectName(QStringLiteral("hint%1Label").arg(n++));
    layout->addWidget(label);
  }
  auto* mail =
      new QLabel(QString::fromUtf8(kAskQuestionHint3) + QString::fromUtf8(kSupportEmail), this);
  mail->setObjectName(QStringLiteral("hint3Label"));
  mail->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(mail);
  layout->addSpacing(8);

  auto* buttons = new QHBoxLayout;
  auto* email = new QPushButton(QString::fromUtf8(kEmailQuestionButton), this);
  email->setObjectName(QStringLiteral("emailButton"));
  connect(email, &QPushButton::clicked, this, &TFAskQuestion::EmailButtonClick);
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("okButton"));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  buttons->addWidget(email);
  buttons->addStretch();
  buttons->addWidget(ok);
  layout->addLayout(buttons);
}

void TFAskQuestion::EmailButtonClick() { openUrl_(QUrl(QString::fromUtf8(kAskQuestionMailto))); }

}  // namespace korvela
