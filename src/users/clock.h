#pragma once
#include <memory>

#include "storage/date_time.h"

namespace korvela {

// "Now" and "today" of the program, in local time. Passed in, so that tests
// fix the date.
class TClock {
 public:
  virtual ~TClock() = default;
  virtual TDateTime Now() const = 0;
  TDateTime Today() const { return DayOf(Now()); }
};

class TFixedClock final : public TClock {
 public:
  explicit TFixedClock(TDateTime now) : now_(now) {}
  TDateTime Now() const override { return now_; }
  void Set(TDateTime now) { now_ = now; }

 private:
  TDateTime now_;
};

std::unique_ptr<TClock> MakeSystemClock();

}  // namespace korvela
