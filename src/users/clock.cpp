#include "users/clock.h"

#include <chrono>
#include <ctime>

namespace korvela {
namespace {

class TSystemClock final : public TClock {
 public:
  TDateTime Now() const override {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    const double dayFraction = (local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec) / 86400.0;
    return EncodeDate(local.tm_year + 1900, static_cast<unsigned>(local.tm_mon + 1),
                      static_cast<unsigned>(local.tm_mday)) +
           dayFraction;
  }
};

}  // namespace

std::unique_ptr<TClock> MakeSystemClock() { return std::make_unique<TSystemClock>(); }

}  // namespace korvela
