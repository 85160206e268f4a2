#pragma once
#include <filesystem>
#include <functional>
#include <vector>

#include "storage/random.h"

namespace korvela {

enum class TTimeFormat { hr12 = 0, hr24 = 1 };

// Defaults taken from the operating system's regional settings.
struct TSystemDefaults {
  bool metric = true;
  TTimeFormat timeFormat = TTimeFormat::hr24;
  int firstDOW = 0;      // 0 = Monday ... 6 = Sunday
  bool dayFirst = true;  // short date order: day before month
};

// The program-wide settings every screen consults. Setting a property to a
// new value notifies that property's listeners in registration order, then
// the listeners of any change.
class TConfigurator {
 public:
  using TCallback = std::function<void()>;
  using THandle = int;
  enum class TNotice { FloatingChar, MetricSystem, TimeFormat, AnyChange };

  explicit TConfigurator(const TSystemDefaults& defaults = {});

  bool MetricSystem() const { return metric_; }
  TTimeFormat TimeFormat() const { return timeFormat_; }
  char FloatingChar() const { return floatingChar_; }
  int FirstDOW() const { return firstDOW_; }
  // Order of day and month in typed dates; from the system, not stored.
  bool DayFirst() const { return dayFirst_; }

  void SetMetricSystem(bool value);
  void SetTimeFormat(TTimeFormat value);
  void SetFloatingChar(char value);
  void SetFirstDOW(int value);
  void SetDayFirst(bool value) { dayFirst_ = value; }

  THandle Register(TNotice notice, TCallback callback);
  void Unregister(THandle handle);

 private:
  void Notify(TNotice notice);

  struct TListener {
    THandle handle;
    TNotice notice;
    TCallback callback;
  };
  bool metric_;
  TTimeFormat timeFormat_;
  char floatingChar_ = '.';
  int firstDOW_;
  bool dayFirst_;
  std::vector<TListener> listeners_;
  THandle nextHandle_ = 1;
};

// The settings of the logged-in user, mirroring the program-wide settings and
// stored as "CI.DAT" in the user's folder.
class TConfigData {
 public:
  // Reads the file and applies it; a file without a document raises
  // EInvalidXMLFile, a missing or unreadable one EXMLIOError.
  static std::unique_ptr<TConfigData> Load(TConfigurator& configurator,
                                           const std::filesystem::path& file);
  // Takes the current program-wide settings.
  static std::unique_ptr<TConfigData> FromCurrent(TConfigurator& configurator);
  ~TConfigData();
  TConfigData(const TConfigData&) = delete;
  TConfigData& operator=(const TConfigData&) = delete;

  // A failure to write is ignored: the settings stay in effect, unstored.
  void Save(const std::filesystem::path& file, TRandom& random) const;

  bool MetricSystem = true;
  TTimeFormat TimeFormat = TTimeFormat::hr24;
  char FloatChar = '.';
  int FirstDayOfWeek = 0;

 private:
  explicit TConfigData(TConfigurator& configurator);
  void CopyFrom();
  void Apply();

  TConfigurator& configurator_;
  TConfigurator::THandle handle_ = 0;
};

inline constexpr const char* kConfigFileName = "CI.DAT";

}  // namespace korvela
