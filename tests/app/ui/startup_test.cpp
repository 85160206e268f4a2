// The whole program started in-process on an empty data folder: the first
// screen asks "Who am I?"; cancelling it leads to the login screen; leaving
// that ends the program without creating anything.
#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/ui/shell.h"
#include "support/temp_folder.h"

namespace {

class TScreenRecorder final : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* dialog = qobject_cast<QDialog*>(watched);
    if (dialog && event->type() == QEvent::Show) {
      shown.push_back(dialog->windowTitle().toStdString());
      if (auto* login = dialog->findChild<QPushButton*>(QStringLiteral("loginButton")))
        loginEnabled = login->isEnabled();
      QTimer::singleShot(0, dialog, &QDialog::reject);
    }
    return false;
  }
  std::vector<std::string> shown;
  bool loginEnabled = true;
};

int Fail(const std::string& why) {
  std::printf("1 failed: %s\n0 passed, 1 failed\n", why.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  korvela::test::TTempFolder home;
  korvela::test::TTempFolder runtime;  // the lock of this run only
  std::filesystem::permissions(runtime.Path(), std::filesystem::perms::owner_all);
  qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(runtime.Path().string()));
  std::filesystem::copy_file(KORVELA_SHIPPED_STRINGS, home / "rs.dat");
  std::filesystem::copy_file(KORVELA_SHIPPED_FOODS, home / "foods.dat");
  qputenv("KORVELA_HOME", QByteArray::fromStdString(home.Path().string()));
  qputenv("QT_QPA_PLATFORM", "offscreen");
  TScreenRecorder recorder;
  const int code = korvela::RunKorvela(
      argc, argv, [&](QApplication& app) { app.installEventFilter(&recorder); });
  if (code != 0) return Fail("exit code " + std::to_string(code));
  const std::vector<std::string> want = {"Who am I?", "Login..."};
  if (recorder.shown != want) {
    std::string seen;
    for (const auto& s : recorder.shown) seen += "[" + s + "]";
    return Fail("screens shown: " + seen);
  }
  if (recorder.loginEnabled) return Fail("Login enabled without accounts");
  for (const auto& entry : std::filesystem::directory_iterator(home.Path()))
    if (entry.path().filename().string().starts_with("usr")) return Fail("an account was created");
  std::printf("1 passed, 0 failed\n");
  return 0;
}
