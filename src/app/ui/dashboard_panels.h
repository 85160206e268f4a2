#pragma once
#include <QFrame>
#include <QLabel>
#include <QWidget>
#include <array>

#include "energy/dashboard.h"

namespace korvela {

// The gauge of the activity profile: a scale from red (inactive) to green
// (active) with a pointer at a place of the dashboard's 16 ... 224 scale.
class TZoneGauge final : public QWidget {
  Q_OBJECT
 public:
  explicit TZoneGauge(QWidget* parent = nullptr);
  void SetPointer(bool shown, int position);
  bool PointerShown() const { return shown_; }
  int Pointer() const { return position_; }
  QSize sizeHint() const override { return {240, 46}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  bool shown_ = false;
  int position_ = 0;
};

// A titled box of the dashboard.
class TDashboardBox : public QFrame {
  Q_OBJECT
 public:
  TDashboardBox(const QString& title, QWidget* parent);
  void SetTitle(const QString& title) { title_->setText(title); }
  QWidget* Body() const { return body_; }

 private:
  QLabel* title_;
  QWidget* body_;
};

// The weight and activity profile panels below the calendar.
class TProfilePanels final : public QWidget {
  Q_OBJECT
 public:
  explicit TProfilePanels(QWidget* parent = nullptr);
  void Show(const TDashboardView& view);

 private:
  TDashboardBox* weightBox_;
  TDashboardBox* activityBox_;
  std::array<QLabel*, 5> weightValues_{};
  std::array<QLabel*, 3> zoneLines_{};
  TZoneGauge* gauge_;
};

// The nutrition plan, calorie composition and calorie balance panels.
class TDayPanels final : public QWidget {
  Q_OBJECT
 public:
  explicit TDayPanels(QWidget* parent = nullptr);
  void Show(const TDashboardView& view);

 private:
  void BuildPlan();
  void BuildComposition();
  void BuildBalance();

  TDashboardBox* planBox_;
  TDashboardBox* compositionBox_;
  TDashboardBox* balanceBox_;
  QLabel* goalNote_ = nullptr;
  std::array<QLabel*, 3> taskTexts_{};
  std::array<QLabel*, 3> taskMarks_{};
  std::array<QLabel*, 3> targetLines_{};
  QLabel* targetMark_ = nullptr;
  QWidget* targetBlock_ = nullptr;
  QLabel* perWeightTitle_ = nullptr;
  std::array<std::array<QLabel*, 4>, 3> compositionCells_{};
  std::array<QLabel*, 7> balanceValues_{};
  QLabel* balanceUnit_ = nullptr;
};

}  // namespace korvela
