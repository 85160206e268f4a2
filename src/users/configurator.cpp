#include "users/configurator.h"

#include <algorithm>

#include "storage/document_file.h"
#include "storage/errors.h"
#include "storage/garbled_stream.h"
#include "storage/value_text.h"

namespace korvela {
namespace {

constexpr const char* kConfigElement = "ConfigInfo";
constexpr const char* kMetricAttr = "MetricSystem";
constexpr const char* kTimeFormatAttr = "TimeFormat";
constexpr const char* kFloatCharAttr = "FloatChar";
constexpr const char* kFirstDayAttr = "FirstDayOfWeek";

}  // namespace

TConfigurator::TConfigurator(const TSystemDefaults& defaults)
    : metric_(defaults.metric),
      timeFormat_(defaults.timeFormat),
      firstDOW_(defaults.firstDOW),
      dayFirst_(defaults.dayFirst) {}

void TConfigurator::SetMetricSystem(bool value) {
  if (value == metric_) return;
  metric_ = value;
  Notify(TNotice::MetricSystem);
}

void TConfigurator::SetTimeFormat(TTimeFormat value) {
  if (value == timeFormat_) return;
  timeFormat_ = value;
  Notify(TNotice::TimeFormat);
}

void TConfigurator::SetFloatingChar(char value) {
  if (value == floatingChar_) return;
  floatingChar_ = value;
  Notify(TNotice::FloatingChar);
}

void TConfigurator::SetFirstDOW(int value) {
  if (value == firstDOW_) return;
  firstDOW_ = value;
  Notify(TNotice::AnyChange);
}

TConfigurator::THandle TConfigurator::Register(TNotice notice, TCallback callback) {
  if (!callback) return 0;
  listeners_.push_back({nextHandle_, notice, std::move(callback)});
  return nextHandle_++;
}

void TConfigurator::Unregister(THandle handle) {
  const auto it = std::find_if(listeners_.begin(), listeners_.end(),
                               [handle](const TListener& l) { return l.handle == handle; });
  if (it != listeners_.end()) listeners_.erase(it);
}

void TConfigurator::Notify(TNotice notice) {
  // A listener may unregister itself or others while being notified: work
  // from a copy of the handles and look each one up before calling it.
  auto callAll = [this](TNotice which) {
    std::vector<THandle> handles;
    for (const TListener& l : listeners_)
      if (l.notice == which) handles.push_back(l.handle);
    for (THandle h : handles) {
      const auto it = std::find_if(listeners_.begin(), listeners_.end(),
                                   [h](const TListener& l) { return l.handle == h; });
      if (it != listeners_.end()) {
        const TCallback callback = it->callback;
        callback();
      }
    }
  };
  if (notice != TNotice::AnyChange) callAll(notice);
  callAll(TNotice::AnyChange);
}

TConfigData::TConfigData(TConfigurator& configurator) : configurator_(configurator) {}

TConfigData::~TConfigData() { configurator_.Unregister(handle_); }

std::unique_ptr<TConfigData> TConfigData::Load(TConfigurator& configurator,
                                               const std::filesystem::path& file) {
  const std::unique_ptr<XMLNode> root = LoadDocumentFile(file, kConfigElement);
  std::unique_ptr<TConfigData> data(new TConfigData(configurator));
  try {
    data->MetricSystem = root->AttrInt(kMetricAttr) != 0;
    data->TimeFormat = root->AttrInt(kTimeFormatAttr) == 0 ? TTimeFormat::hr12 : TTimeFormat::hr24;
    const std::string& floatChar = root->AttrText(kFloatCharAttr);
    data->FloatChar = floatChar.empty() ? '.' : floatChar[0];
    data->FirstDayOfWeek = std::clamp(root->AttrInt(kFirstDayAttr), 0, 6);
  } catch (EKorvelaError& e) {
    e.SetFileIfUnknown(file.string());
    throw;
  }
  data->Apply();
  return data;
}

std::unique_ptr<TConfigData> TConfigData::FromCurrent(TConfigurator& configurator) {
  std::unique_ptr<TConfigData> data(new TConfigData(configurator));
  data->CopyFrom();
  data->Apply();
  return data;
}

void TConfigData::CopyFrom() {
  MetricSystem = configurator_.MetricSystem();
  TimeFormat = configurator_.TimeFormat();
  FloatChar = configurator_.FloatingChar();
  FirstDayOfWeek = configurator_.FirstDOW();
}

void TConfigData::Apply() {
  // Read the values first: a listener of the settings may change them back.
  const bool metric = MetricSystem;
  const TTimeFormat timeFormat = TimeFormat;
  const char floatChar = FloatChar;
  const int firstDay = FirstDayOfWeek;
  configurator_.SetMetricSystem(metric);
  configurator_.SetTimeFormat(timeFormat);
  configurator_.SetFloatingChar(floatChar);
  configurator_.SetFirstDOW(firstDay);
  handle_ = configurator_.Register(TConfigurator::TNotice::AnyChange, [this] { CopyFrom(); });
}

void TConfigData::Save(const std::filesystem::path& file, TRandom& random) const {
  XMLNode root(kConfigElement);
  root.AddAttr(kMetricAttr, MetricSystem ? "1" : "0");
  root.AddAttr(kTimeFormatAttr, TimeFormat == TTimeFormat::hr12 ? "0" : "1");
  root.AddAttr(kFloatCharAttr, std::string(1, FloatChar));
  root.AddIntAttr(kFirstDayAttr, FirstDayOfWeek);
  // A refused write goes to the caller, which tells the user; the settings
  // stay in effect either way.
  SaveXMLFile(root, file, kDataKey, random);
}

}  // namespace korvela
