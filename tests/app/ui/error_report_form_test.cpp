#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QPushButton>

#include "app/error_report.h"
#include "app/ui/error_report_form.h"

namespace korvela {
namespace {

TEST(ErrorReportForm, ShowsTheReportAndCopiesItWithTheAddress) {
  TFErrorReport form("Invalid data file", "TFLogin");
  EXPECT_EQ(form.windowTitle(), QStringLiteral("Unexpected Program Behavior!"));
  // The text box keeps the report's lines, with its own line ends.
  EXPECT_EQ(form.ReportText(),
            QString::fromStdString(ErrorReportText("Invalid data file", "TFLogin"))
                .replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  auto* copy = form.findChild<QPushButton*>(QStringLiteral("copyPushButton"));
  ASSERT_NE(copy, nullptr);
  copy->click();
  const QString clip = QApplication::clipboard()->text();
  EXPECT_TRUE(clip.contains(QString::fromUtf8(kSupportAddress)));
  EXPECT_TRUE(clip.contains(QStringLiteral("Event Sender: TFLogin")));
  auto* terminate = form.findChild<QPushButton*>(QStringLiteral("terminatePushButton"));
  ASSERT_NE(terminate, nullptr);
  form.show();
  terminate->click();
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(form.result(), QDialog::Accepted);
}

}  // namespace
}  // namespace korvela
