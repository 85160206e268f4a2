// Time from process start to the login screen being shown, with the shipped
// data files and one account present. The program is started afresh for
// every run (as a child process of this one), so the figure includes
// loading the executable and its libraries.
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/program.h"
#include "app/program_folder.h"
#include "app/ui/shell.h"

namespace {

// Milliseconds since this process was started by the kernel.
double MillisecondsSinceProcessStart() {
  std::ifstream stat("/proc/self/stat");
  std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
  // Field 22 (start time in clock ticks after boot) follows the command name in parentheses.
  std::istringstream fields(text.substr(text.rfind(')') + 2));
  std::string field;
  for (int i = 3; i <= 22; ++i) fields >> field;
  const double startSeconds = std::stod(field) / static_cast<double>(sysconf(_SC_CLK_TCK));
  timespec now{};
  clock_gettime(CLOCK_BOOTTIME, &now);
  return (static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9 -
          startSeconds) *
         1000.0;
}

// Reports the moment the login screen appears, then ends the program.
class TLoginProbe final : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show && !seen_) {
      auto* dialog = qobject_cast<QDialog*>(watched);
      if (dialog && dialog->windowTitle() == QStringLiteral("Login...")) {
        seen_ = true;
        std::printf("%.1f\n", MillisecondsSinceProcessStart());
        std::fflush(stdout);
        QTimer::singleShot(0, dialog, &QDialog::reject);
      }
    }
    return false;
  }

 private:
  bool seen_ = false;
};

int RunChild(int argc, char** argv) {
  TLoginProbe probe;
  return korvela::RunKorvela(argc, argv,
                             [&probe](QApplication& app) { app.installEventFilter(&probe); });
}

// A data folder with the shipped files and one account, as a returning user has.
void PrepareHome(const std::filesystem::path& home) {
  std::filesystem::create_directories(home);
  auto clock = korvela::MakeSystemClock();
  auto random = korvela::MakeSeededRandom(1);
  const std::filesystem::path shipped = std::filesystem::canonical("/proc/self/exe").parent_path();
  korvela::SeedProgramFolder(shipped.parent_path() / "src", home);
  korvela::TProgram program(home, {}, *clock, *random);
  program.Start();
  korvela::TNewAccount account;
  account.name = "Ann";
  account.birthDate = korvela::EncodeDate(1980, 1, 1);
  account.heightCm = 170;
  account.weightKg = 70;
  program.CreateAccount(account);
  program.LogOff();
  program.Exit();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::string(argv[1]) == "--child") return RunChild(1, argv);
  const int runs = argc > 1 ? std::atoi(argv[1]) : 20;
  const std::filesystem::path home =
      std::filesystem::temp_directory_path() / ("korvela-startup-" + std::to_string(getpid()));
  PrepareHome(home);
  setenv("KORVELA_HOME", home.c_str(), 1);
  const std::filesystem::path runtime = home / "runtime";
  std::filesystem::create_directories(runtime);
  std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
  setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
  if (!getenv("QT_QPA_PLATFORM") && !getenv("DISPLAY")) setenv("QT_QPA_PLATFORM", "offscreen", 1);

  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    const std::string command =
        "\"" + std::filesystem::canonical("/proc/self/exe").string() + "\" --child 2>/dev/null";
    FILE* child = popen(command.c_str(), "r");
    char line[64] = {};
    if (child && std::fgets(line, sizeof line, child)) times.push_back(std::atof(line));
    if (child) pclose(child);
  }
  std::filesystem::remove_all(home);
  if (times.empty()) {
    std::fprintf(stderr, "the login screen was never shown\n");
    return 1;
  }
  std::sort(times.begin(), times.end());
  std::printf("process start to login screen shown, %zu runs (%s):\n", times.size(),
              getenv("QT_QPA_PLATFORM") ? getenv("QT_QPA_PLATFORM") : "display");
  std::printf("  min %.1f ms, median %.1f ms, max %.1f ms\n", times.front(),
              times[times.size() / 2], times.back());
  return 0;
}
