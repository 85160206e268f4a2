// The report viewer on the offscreen platform: the page it shows, the colour
// scheme list, the exports and their failures, and its page file.
#include "widgets/report_viewer.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QPrinter>
#include <QTextBrowser>
#include <QToolButton>
#include <filesystem>

#include "support/scripted_prompter.h"
#include "support/temp_folder.h"

namespace korvela {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;

class ReportViewerTest : public ::testing::Test {
 protected:
  ReportViewerTest() {
    report.AddTitle("Week <b>7</b>");
    report.BeginTable();
    report.BeginHeaderRow();
    report.AddCell("Food", "trl");
    report.AddCell("Calories", "trr");
    report.EndRow();
    report.BeginRow();
    report.AddCell("<img src=\"/dev/zero\">", "trl");
    report.AddCell("");
    report.EndRow();
    report.EndTable();
    report.EndDocument();
  }
  QAction* Action(const TFShowReport& viewer, const char* name) {
    return viewer.findChild<QAction*>(QString::fromLatin1(name));
  }
  // Answers the save dialog with `file` and records what it was asked.
  void Answer(TFShowReport& viewer, const fs::path& file) {
    viewer.SetExportFileChooser([this, file](QWidget*, const TExportDialog& dialog) {
      asked.push_back(std::string(dialog.title) + "|" + std::string(dialog.filter) + "|" +
                      std::string(dialog.defaultSuffix) + "|" + std::string(dialog.proposedName));
      return QString::fromStdString(file.string());
    });
  }

  test::TTempFolder folder;
  TMyReport report;
  test::TScriptedPrompter prompter;
  std::vector<std::string> asked;
};

TEST_F(ReportViewerTest, ShowsThePageFromReportHtmWithTextAsWrittenAndDeletesItOnClose) {
  const fs::path page = folder / "report.htm";
  {
    TFShowReport viewer(report, folder.Path(), prompter);
    EXPECT_EQ(viewer.windowTitle(), QStringLiteral("Report"));
    EXPECT_EQ(ReadBytes(page), report.Text());
    const QString shown = viewer.Viewer()->toPlainText();
    EXPECT_TRUE(shown.contains(QStringLiteral("Week <b>7</b>"))) << shown.toStdString();
    EXPECT_TRUE(shown.contains(QStringLiteral("<img src=\"/dev/zero\">")));
    EXPECT_EQ(Action(viewer, "printAction")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
    for (const char* name :
         {"printPreviewAction", "printAction", "exportHtmlAction", "exportPdfAction"}) {
      QAction* action = Action(viewer, name);
      ASSERT_NE(action, nullptr) << name;
      EXPECT_TRUE(action->isEnabled()) << name;
    }
    EXPECT_TRUE(prompter.shown.empty());
  }
  EXPECT_FALSE(fs::exists(page));
}

TEST_F(ReportViewerTest, SchemeListRewritesThePageAndBackAgainGivesTheSamePage) {
  TFShowReport viewer(report, folder.Path(), prompter);
  auto* schemes = viewer.findChild<QComboBox*>(QStringLiteral("colorSchemeComboBox"));
  ASSERT_NE(schemes, nullptr);
  ASSERT_EQ(schemes->count(), 2);
  EXPECT_EQ(schemes->itemText(0), QStringLiteral("Black&White #1"));
  EXPECT_EQ(schemes->itemText(1), QStringLiteral("Black&White #2"));
  EXPECT_EQ(schemes->currentIndex(), 0);
  const std::string first = ReadBytes(folder / "report.htm");
  schemes->setCurrentIndex(1);
  EXPECT_EQ(report.Scheme(), 1u);
  const std::string second = ReadBytes(folder / "report.htm");
  EXPECT_NE(second.find(" border-width: 0px;"), std::string::npos);
  schemes->setCurrentIndex(0);
  EXPECT_EQ(ReadBytes(folder / "report.htm"), first);
  EXPECT_TRUE(viewer.Viewer()->toPlainText().contains(QStringLiteral("Calories")));
}

TEST_F(ReportViewerTest, ExportsWriteHtmlAndPdfWhereTheUserChose) {
  TFShowReport viewer(report, folder.Path(), prompter);
  Answer(viewer, folder / "Exported Report.htm");
  Action(viewer, "exportHtmlAction")->trigger();
  EXPECT_EQ(ReadBytes(folder / "Exported Report.htm"), report.Text());
  Answer(viewer, folder / "week.pdf");
  Action(viewer, "exportPdfAction")->trigger();
  const std::string pdf = ReadBytes(folder / "week.pdf");
  EXPECT_TRUE(pdf.starts_with("%PDF-")) << pdf.substr(0, 16);
  EXPECT_GT(pdf.size(), 1000u);
  EXPECT_EQ(asked, (std::vector<std::string>{
                       "Export report to HTML file|HTML files (*.htm *.html)|html|Exported "
                       "Report.htm",
                       "Export report to PDF file|PDF files (*.pdf)|pdf|Exported Report.pdf"}));
  EXPECT_TRUE(prompter.shown.empty());

  // Cancelling the dialog writes nothing.
  viewer.SetExportFileChooser([](QWidget*, const TExportDialog&) { return QString(); });
  Action(viewer, "exportHtmlAction")->trigger();
  EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(ReportViewerTest, FailedExportWarnsNamingTheFileAndTheViewerStaysOpen) {
  TFShowReport viewer(report, folder.Path(), prompter);
  viewer.show();
  const fs::path gone = folder / "no such folder" / "Exported Report.htm";
  Answer(viewer, gone);
  Action(viewer, "exportHtmlAction")->trigger();
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_TRUE(prompter.shown[0].starts_with("warn: The report could not be exported to \"" +
                                            gone.string() + "\" (cannot create: "))
      << prompter.shown[0];
  Answer(viewer, folder / "no such folder" / "r.pdf");
  Action(viewer, "exportPdfAction")->trigger();
  ASSERT_EQ(prompter.shown.size(), 2u);
  EXPECT_NE(prompter.shown[1].find("r.pdf"), std::string::npos);
  EXPECT_TRUE(viewer.isVisible());
  EXPECT_FALSE(fs::exists(folder / "no such folder"));
}

// Printing goes to a PDF file here in place of a printer.
TEST_F(ReportViewerTest, APrinterThatFailsIsReportedAndACancelledDialogPrintsNothing) {
  TFShowReport viewer(report, folder.Path(), prompter);
  const auto printTo = [&](const fs::path& file, bool chosen) {
    viewer.SetPrinterChooser([file, chosen](QPrinter& printer) {
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(QString::fromStdString(file.string()));
      return chosen;
    });
    Action(viewer, "printAction")->trigger();
  };
  printTo(folder / "printed.pdf", true);
  EXPECT_TRUE(ReadBytes(folder / "printed.pdf").starts_with("%PDF-"));
  EXPECT_TRUE(prompter.shown.empty());
  printTo(folder / "cancelled.pdf", false);
  EXPECT_FALSE(fs::exists(folder / "cancelled.pdf"));
  EXPECT_TRUE(prompter.shown.empty());
  printTo(folder / "no such folder" / "printed.pdf", true);
  EXPECT_EQ(prompter.shown,
            std::vector<std::string>{std::string("warn: ") + kMsgPrintReportFailed});
}

TEST_F(ReportViewerTest, PageThatCannotBeWrittenIsAnnouncedAndPrintingIsOff) {
  const fs::path blocked = folder / "blocked";
  fs::create_directories(blocked / "report.htm" / "inside");  // a folder in the page's place
  TFShowReport viewer(report, blocked, prompter);
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_TRUE(prompter.shown[0].starts_with("warn: The report cannot be shown: the file \"" +
                                            (blocked / "report.htm").string() + "\""))
      << prompter.shown[0];
  EXPECT_FALSE(Action(viewer, "printAction")->isEnabled());
  EXPECT_FALSE(Action(viewer, "exportPdfAction")->isEnabled());
  EXPECT_TRUE(Action(viewer, "exportHtmlAction")->isEnabled());
}

TEST_F(ReportViewerTest, TabReachesTheCommandsAndTheSchemeList) {
  TFShowReport viewer(report, folder.Path(), prompter);
  const QList<QToolButton*> buttons = viewer.findChildren<QToolButton*>();
  int commands = 0;
  for (const QToolButton* button : buttons) {
    if (!button->defaultAction() || button->defaultAction()->objectName().isEmpty()) continue;
    ++commands;
    EXPECT_TRUE(button->focusPolicy() & Qt::TabFocus) << button->text().toStdString();
    EXPECT_FALSE(button->accessibleName().isEmpty());
  }
  EXPECT_EQ(commands, 4);
}

// Pictures of a week's food log in both colour schemes at the size the
// viewer takes on a 1366x768 screen, written to $KORVELA_WIDGET_SNAPSHOTS.
TEST(ReportViewerSnapshot, WeekInBothSchemes) {
  const QByteArray out = qgetenv("KORVELA_WIDGET_SNAPSHOTS");
  if (out.isEmpty()) GTEST_SKIP() << "KORVELA_WIDGET_SNAPSHOTS is not set";
  test::TTempFolder folder;
  test::TScriptedPrompter prompter;
  TMyReport report;
  report.AddTitle("Food Log: Mum's week <15 June 2007>");
  report.AddSubtitle("Friday, 15 June 2007");
  report.BeginTable();
  report.BeginHeaderRow();
  for (const char* h : {"Food", "Amount", "Protein", "Fat", "Carbs", "Calories"})
    report.AddCell(h, h[0] == 'F' && h[1] == 'o' ? "trl" : "trr");
  report.EndRow();
  const struct {
    const char *name, *amount, *p, *f, *c, *kcal;
  } rows[] = {{"Breakfast", "", "", "", "", ""},
              {"Oats, regular and quick, not fortified, dry", "50 g", "8.4", "3.3", "33.8", "191"},
              {"Milk, reduced fat, 2% milkfat", "1 cup", "8.1", "4.8", "11.7", "122"},
              {"Lunch", "", "", "", "", ""},
              {"Chicken breast, roasted & sliced <homemade>", "150 g", "46.5", "5.4", "0", "235"},
              {"Rice, white, long-grain, cooked", "1 cup", "4.3", "0.4", "44.5", "205"}};
  for (const auto& r : rows) {
    if (r.amount[0] == '\0') {
      report.BeginRow("table_subheader");
      report.AddCell(r.name, "trl");
      for (int i = 0; i < 5; ++i) report.AddEmptyCell();
    } else {
      report.BeginRow();
      report.AddCell(r.name, "trl");
      for (const char* v : {r.amount, r.p, r.f, r.c, r.kcal}) report.AddCell(v, "trr");
    }
    report.EndRow();
  }
  report.BeginTotalRow();
  report.AddCell("Total", "trl");
  for (const char* v : {"", "67.3", "13.9", "90.0", "753"}) report.AddCell(v, "trr");
  report.EndRow();
  report.EndTable();
  report.EndDocument();

  TFShowReport viewer(report, folder.Path(), prompter);
  viewer.resize(940, 680);
  viewer.show();
  QApplication::processEvents();
  const QString dir = QString::fromLocal8Bit(out);
  EXPECT_TRUE(viewer.grab().save(dir + QStringLiteral("/report-scheme1.png")));
  viewer.findChild<QComboBox*>(QStringLiteral("colorSchemeComboBox"))->setCurrentIndex(1);
  QApplication::processEvents();
  EXPECT_TRUE(viewer.grab().save(dir + QStringLiteral("/report-scheme2.png")));
  viewer.SetExportFileChooser(
      [&dir](QWidget*, const TExportDialog&) { return dir + QStringLiteral("/report.pdf"); });
  viewer.findChild<QAction*>(QStringLiteral("exportPdfAction"))->trigger();
  EXPECT_TRUE(prompter.shown.empty());
}

}  // namespace
}  // namespace korvela
