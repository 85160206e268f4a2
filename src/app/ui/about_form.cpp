#include "app/ui/about_form.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtGlobal>

#include "app/about.h"
#include "widgets/icons.h"

namespace korvela {

TFAbout::TFAbout(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("aboutForm"));
  setWindowTitle(QString::fromUtf8(kAboutCaption));

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(20, 18, 20, 14);
  layout->setSpacing(18);
  auto* icon = new QLabel(this);
  icon->setObjectName(QStringLiteral("iconLabel"));
  icon->setPixmap(KorvelaPixmap("app-icon", 64));
  icon->setAlignment(Qt::AlignTop);
  layout->addWidget(icon, 0, Qt::AlignTop);

  auto* column = new QVBoxLayout;
  column->setSpacing(8);
  const std::vector<std::string> paragraphs = AboutParagraphs(qVersion());
  for (std::size_t i = 0; i < paragraphs.size(); ++i) {
    auto* label = new QLabel(QString::fromStdString(paragraphs[i]), this);
    label->setObjectName(QStringLiteral("paragraph%1Label").arg(i + 1));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    if (i == 0) {
      QFont font = label->font();
      font.setPointSizeF(font.pointSizeF() * 1.4);
      font.setBold(true);
      label->setFont(font);
    }
    column->addWidget(label);
  }
  column->addSpacing(6);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("okButton"));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  buttons->addWidget(ok);
  column->addLayout(buttons);
  layout->addLayout(column, 1);
  setMinimumWidth(520);
  setMaximumWidth(640);
}

}  // namespace korvela
