#include "app/ui/error_report_form.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QLabel>
#include <QUrl>
#include <QVBoxLayout>

#include "app/error_report.h"

namespace korvela {

TFErrorReport::TFErrorReport(const std::string& message, const std::string& sender, QWidget* parent)
    : QDialog(parent), text_(new QPlainTextEdit(this)) {
  setWindowTitle(QString::fromUtf8(kErrorReportCaption));
  auto* heading = new QLabel(QString::fromUtf8(kErrorReportCaption), this);
  QFont font = heading->font();
  font.setPointSizeF(font.pointSizeF() * 1.4);
  font.setBold(true);
  heading->setFont(font);
  heading->setObjectName(QStringLiteral("headingLabel"));

  text_->setObjectName(QStringLiteral("reportPlainTextEdit"));
  text_->setAccessibleName(QString::fromUtf8(kErrorReportCaption));
  text_->setPlainText(QString::fromStdString(ErrorReportText(message, sender)));
  text_->setMinimumSize(520, 220);

  auto* send = new QPushButton(QStringLiteral("Send Report to the Support Team"), this);
  send->setObjectName(QStringLiteral("sendPushButton"));
  // Opening a mail program can fail silently; the report can also be copied.
  auto* copy = new QPushButton(QStringLiteral("Copy Report and Address"), this);
  copy->setObjectName(QStringLiteral("copyPushButton"));
  auto* terminate = new QPushButton(QStringLiteral("Terminate Korvela"), this);
  terminate->setObjectName(QStringLiteral("terminatePushButton"));
  terminate->setDefault(true);
  connect(send, &QPushButton::clicked, this, &TFErrorReport::SendButtonClick);
  connect(copy, &QPushButton::clicked, this, &TFErrorReport::CopyButtonClick);
  connect(terminate, &QPushButton::clicked, this, &QDialog::accept);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(send);
  buttons->addWidget(copy);
  buttons->addStretch();
  buttons->addWidget(terminate);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(heading);
  layout->addWidget(text_, 1);
  layout->addLayout(buttons);
}

void TFErrorReport::SendButtonClick() {
  QDesktopServices::openUrl(QUrl(QString::fromStdString(ErrorReportMailto())));
}

void TFErrorReport::CopyButtonClick() {
  QApplication::clipboard()->setText(QStringLiteral("To: ") + QString::fromUtf8(kSupportAddress) +
                                     QStringLiteral("\n\n") + text_->toPlainText());
}

}  // namespace korvela
