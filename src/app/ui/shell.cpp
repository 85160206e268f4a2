#include "app/ui/shell.h"

#include <QDir>
#include <QLocale>
#include <QProxyStyle>
#include <QStandardPaths>
#include <cstdio>
#include <cstdlib>

#include "app/main_menu.h"
#include "app/program.h"
#include "app/program_folder.h"
#include "app/ui/application.h"
#include "app/ui/error_report_form.h"
#include "app/ui/help_window.h"
#include "app/ui/main_form.h"
#include "app/ui/screens.h"
#include "app/ui/single_instance.h"
#include "app/ui/splash_form.h"
#include "widgets/access_key_assigner.h"
#include "widgets/message_box_prompter.h"
#include "widgets/window_fit.h"

namespace korvela {
namespace {

constexpr int kToolTipDelayMs = 150;

// Tooltips appear after 150 ms.
class TKorvelaStyle final : public QProxyStyle {
 public:
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returnData) const override {
    if (hint == QStyle::SH_ToolTip_WakeUpDelay) return kToolTipDelayMs;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
  }
};

TSystemDefaults SystemDefaults() {
  const QLocale locale;
  TSystemDefaults d;
  d.metric = locale.language() != QLocale::English;
  d.timeFormat =
      locale.timeFormat(QLocale::ShortFormat).contains(QLatin1Char('a'), Qt::CaseInsensitive)
          ? TTimeFormat::hr12
          : TTimeFormat::hr24;
  d.firstDOW = static_cast<int>(locale.firstDayOfWeek()) - 1;
  const QString shortDate = locale.dateFormat(QLocale::ShortFormat);
  const auto month = shortDate.indexOf(QLatin1Char('M'));
  const auto day = shortDate.indexOf(QLatin1Char('d'));
  d.dayFirst = !(month >= 0 && day >= 0 && month < day);
  return d;
}

void ShowErrorReport(const std::string& message, const std::string& sender) {
  TFErrorReport report(message, sender);
  report.exec();
}

}  // namespace

int RunKorvela(int argc, char** argv, const std::function<void(QApplication&)>& prepare) {
  TKorvelaApplication app(argc, argv);
  if (prepare) prepare(app);
  QApplication::setApplicationName(QStringLiteral("korvela"));
  app.setStyle(new TKorvelaStyle);
  AssignAccessKeysOnShow(app);
  FitWindowsOnShow(app);

  const std::filesystem::path folder = ChooseProgramFolder(
      std::getenv("KORVELA_HOME"),
      QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation).toStdString());
  std::unique_ptr<TProgram> program;
  std::unique_ptr<TClock> clock = MakeSystemClock();
  std::unique_ptr<TRandom> random = MakeSystemRandom();
  app.SetErrorHandler([&program](const std::string& message, const std::string& sender) {
    ShowErrorReport(message, sender);
    // Write what can be written; the program ends whatever happens.
    try {
      if (program) program->Exit();
    } catch (...) {
    }
    std::_Exit(1);
  });

  try {
    QApplication::setApplicationDisplayName(QStringLiteral("Korvela"));
    const QString folderText = QString::fromStdString(folder.string());
    QDir().mkpath(folderText);
    TSingleInstance instance(folderText);
    switch (instance.TryLock()) {
      case TSingleInstance::TLock::Taken:
        break;
      case TSingleInstance::TLock::HeldByAnotherCopy: {
        // The running copy comes forward; if it cannot be reached, say why
        // nothing else happens.
        const std::string text = AlreadyRunningText(folder);
        std::fprintf(stderr, "%s\n", text.c_str());
        if (!instance.AskRunningCopyToShow()) TMessageBoxPrompter().Inform(text);
        return 0;
      }
      case TSingleInstance::TLock::Failed: {
        const std::string text = LockFailedText(instance.LockFile(), instance.FailureReason());
        std::fprintf(stderr, "%s\n", text.c_str());
        TMessageBoxPrompter().Warn(text);
        return 1;
      }
    }
    RemoveLeftoverTemporaryFiles(folder);

    const std::filesystem::path shipped =
        ShippedDataFolder(QCoreApplication::applicationDirPath().toStdString());
    SeedProgramFolder(shipped, folder);
    TMessageBoxPrompter prompter;
    program = std::make_unique<TProgram>(folder, SystemDefaults(), *clock, *random);
    program->SetShippedFolder(shipped);
    program->Start(&prompter);

    THelpWindowOwner help(*program);
    program->SetHelpHandler([&help](int topic) { help.ShowHelp(topic); });
    app.SetHelpKeyHandler([&help](QWidget* window) { help.ShowHelpForScreen(window); });

    TFMain main(*program, prompter, MakeScreens(*program, prompter));
    main.PlaceOnScreen();
    instance.Listen([&main] {
      QWidget* front = QApplication::activeModalWidget();
      if (!front) front = &main;
      if (front->isMinimized()) front->showNormal();
      front->raise();
      front->activateWindow();
    });

    TFSplash splash(QString::fromStdString((shipped / "splash.jpg").string()));
    splash.ShowFadingIn();
    const bool catalogueFound = program->LoadSharedCollections(&prompter);
    splash.close();
    if (!catalogueFound) prompter.Inform(kMsgCatalogueMissing);

    main.show();
    main.RunActivationStep();
    if (!program->CurrentUser()) return 0;
    const int code = QApplication::exec();
    return code;
  } catch (const std::exception& e) {
    app.ReportError(e.what(), "TKorvelaApplication");
  }
  return 1;
}

}  // namespace korvela
