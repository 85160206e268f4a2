#include <QDialog>
#include <QDialogButtonBox>
#include <QTableView>
#include <QTest>
#include <QVBoxLayout>
#include <utility>
#include <vector>

#include "users/configurator.h"
#include "widget_tests.h"
#include "widgets/big_calendar.h"
#include "widgets/month_calendar.h"

namespace korvela::test {
namespace {

const QColor kMagenta(255, 0, 255);

QRect InCalendar(const TMyBigCalendar& calendar, const QRect& viewportRect) {
  const auto* view = calendar.findChild<QTableView*>(QStringLiteral("qt_calendar_calendarview"));
  return viewportRect.translated(view->viewport()->mapTo(&calendar, QPoint(0, 0)));
}

class TCalendarTest : public QObject {
  Q_OBJECT
 private slots:
  void BigCalendarStartsItsWeeksOnTheFirstDayOfTheWeek() {
    TConfigurator config;
    config.SetFirstDOW(6);
    TMyBigCalendar calendar(config);
    calendar.SelectDay(2007, 3, 15);
    const auto* view = calendar.findChild<QTableView*>(QStringLiteral("qt_calendar_calendarview"));
    QVERIFY(view);
    const QAbstractItemModel* model = view->model();
    QCOMPARE(calendar.FirstDOW(), 6);
    QCOMPARE(model->index(0, 0).data().toString(), QStringLiteral("Sun"));
    // Thursday 1 March 2007 sits in the fifth column of the first week.
    QCOMPARE(model->index(1, 4).data().toInt(), 1);

    config.SetFirstDOW(0);  // a change of the settings reaches the calendar
    QCOMPARE(calendar.FirstDOW(), 0);
    QCOMPARE(model->index(0, 0).data().toString(), QStringLiteral("Mon"));
    QCOMPARE(model->index(1, 3).data().toInt(), 1);
  }

  void OnlyFourPennantsFitAndTheDaysOfTheShownMonthAreMarked() {
    TConfigurator config;
    TMyBigCalendar calendar(config);
    calendar.resize(420, 300);
    calendar.SelectDay(2007, 3, 15);
    std::vector<int> flagSlots;
    std::vector<TDateTime> dates;
    QRect cell;
    calendar.OnDrawFlags = [&](TMyBigCalendar& c, const QRect& rect, TDateTime date) {
      dates.push_back(date);
      if (date != EncodeDate(2007, 3, 20)) return;
      cell = rect;
      for (int slot : flagSlots) c.DrawFlag(slot, kMagenta);
    };
    auto pennantPixels = [&](std::vector<int> drawn) {
      flagSlots = std::move(drawn);
      dates.clear();
      const QImage image = calendar.grab().toImage();
      return CountPixels(image, InCalendar(calendar, cell), kMagenta);
    };
    const int one = pennantPixels({0});
    const int four = pennantPixels({0, 1, 2, 3});
    QVERIFY(one > 0);
    QCOMPARE(four, 4 * one);
    QCOMPARE(pennantPixels({0, 1, 2, 3, 4}), four);
    QCOMPARE(pennantPixels({4}), 0);
    QCOMPARE(pennantPixels({-1}), 0);

    QCOMPARE(dates.size(), size_t{31});
    for (size_t i = 0; i < dates.size(); ++i)
      QCOMPARE(dates[i], EncodeDate(2007, 3, static_cast<unsigned>(i + 1)));
  }

  void IconsLineUpFromTheLeftOfEachCell() {
    TConfigurator config;
    TMyBigCalendar calendar(config);
    calendar.resize(420, 300);
    calendar.SelectDay(2007, 3, 1);
    const QList<QPixmap> icons = [] {
      QList<QPixmap> list;
      for (const QColor& c : {QColor(255, 0, 0), QColor(0, 0, 255)}) {
        QPixmap p(16, 16);
        p.fill(c);
        list.push_back(p);
      }
      return list;
    }();
    QRect first, second;
    calendar.OnDrawFlags = [&](TMyBigCalendar& c, const QRect& rect, TDateTime date) {
      if (date == EncodeDate(2007, 3, 20)) {
        first = rect;
        c.DrawIcon(icons, 0);
        c.DrawIcon(icons, 1);
        c.DrawIcon(icons, 7);  // no such image: nothing
      } else if (date == EncodeDate(2007, 3, 21)) {
        second = rect;
        c.DrawIcon(icons, 1);
      }
    };
    const QImage image = calendar.grab().toImage();
    const QRect a = InCalendar(calendar, first);
    const QRect b = InCalendar(calendar, second);
    const int bottom = a.top() + a.height();
    QCOMPARE(CountPixels(image, QRect(a.left() + 2, bottom - 18, 16, 16), QColor(255, 0, 0)), 256);
    QCOMPARE(CountPixels(image, QRect(a.left() + 20, bottom - 18, 16, 16), QColor(0, 0, 255)), 256);
    QCOMPARE(CountPixels(image, a, QColor(0, 0, 255)), 256);
    // The next cell starts its own row of icons.
    QCOMPARE(CountPixels(image, QRect(b.left() + 2, b.top() + b.height() - 18, 16, 16),
                         QColor(0, 0, 255)),
             256);
  }

  void MonthStepsKeepTheDayWithinTheMonthAndCrossYears() {
    TConfigurator config;
    TMyBigCalendar calendar(config);
    calendar.SelectDay(2007, 1, 31);
    calendar.PreviousMonth();
    QCOMPARE(calendar.Date(), EncodeDate(2006, 12, 31));
    calendar.NextMonth();
    calendar.NextMonth();
    QCOMPARE(calendar.Date(), EncodeDate(2007, 2, 28));
    QCOMPARE(calendar.yearShown(), 2007);
    QCOMPARE(calendar.monthShown(), 2);
  }

  void SettingTheSameDateTwiceRaisesOnSelectDateOnce() {
    TMyCalendar calendar(EncodeDate(2007, 3, 10));
    int raised = 0;
    calendar.OnSelectDate = [&] { ++raised; };
    calendar.SetSelectedDate(EncodeDate(2007, 3, 20));
    calendar.SetSelectedDate(EncodeDate(2007, 3, 20) + 0.5);  // the same day
    QCOMPARE(raised, 1);
    calendar.SetSelectedDate(EncodeDate(2006, 12, 5));
    QCOMPARE(raised, 2);
    QCOMPARE(calendar.ShownMonth(), (TYearMonth{2006, 12}));
  }

  void ArrowsStepTheShownMonthAcrossYears() {
    TMyCalendar calendar(EncodeDate(2007, 1, 15));
    calendar.SetStaticCalendar(true);
    int raised = 0;
    calendar.OnSelectDate = [&] { ++raised; };
    calendar.show();
    QCOMPARE(calendar.HeaderText(), QStringLiteral("January, 2007"));
    QTest::mouseClick(&calendar, Qt::LeftButton, {}, calendar.PreviousArrowRect().center());
    QCOMPARE(calendar.HeaderText(), QStringLiteral("December, 2006"));
    for (int i = 0; i < 3; ++i)
      QTest::mouseClick(&calendar, Qt::LeftButton, {}, calendar.NextArrowRect().center());
    QCOMPARE(calendar.HeaderText(), QStringLiteral("March, 2007"));
    QCOMPARE(calendar.SelectedDate(), EncodeDate(2007, 1, 15));
    QCOMPARE(raised, 0);
    // The arrow under the mouse lights up.
    const QPoint previous = calendar.PreviousArrowRect().topLeft() + QPoint(1, 1);
    const QColor lit(166, 202, 240);
    QTest::mouseMove(&calendar, calendar.DayRect(10).center());
    QVERIFY(calendar.grab().toImage().pixelColor(previous) != lit);
    QTest::mouseMove(&calendar, calendar.PreviousArrowRect().center());
    QCOMPARE(calendar.grab().toImage().pixelColor(previous), lit);

    calendar.hide();
    calendar.show();  // shown again: the month of the selected date
    QCOMPARE(calendar.HeaderText(), QStringLiteral("January, 2007"));
  }

  // In a dialog, a calendar that stays put passes Escape and Enter on: the
  // dialog closes or is confirmed with the day chosen from the keyboard.
  void StaticCalendarLeavesEscapeAndEnterToItsDialog() {
    for (const auto& [key, result] : {std::pair{Qt::Key_Escape, QDialog::Rejected},
                                      std::pair{Qt::Key_Return, QDialog::Accepted}}) {
      QDialog dialog;
      auto* calendar = new TMyCalendar(EncodeDate(2007, 3, 10), &dialog);
      calendar->SetStaticCalendar(true);
      auto* buttons =
          new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
      connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
      connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
      auto* layout = new QVBoxLayout(&dialog);
      layout->addWidget(calendar);
      layout->addWidget(buttons);
      dialog.setResult(-1);
      dialog.show();
      calendar->setFocus();
      QTest::keyClick(calendar, Qt::Key_Right);
      QTest::keyClick(calendar, key);
      QCOMPARE(calendar->SelectedDate(), EncodeDate(2007, 3, 11));
      QVERIFY(!dialog.isVisible());
      QCOMPARE(dialog.result(), static_cast<int>(result));
    }
  }

  void WeeksStartOnFirstDOW() {
    TMyCalendar calendar(EncodeDate(2007, 3, 10));
    calendar.SetFirstDOW(6);  // Sunday 4 March begins a week
    QCOMPARE(calendar.DayRect(4).left(),
             calendar.DayRect(1).left() - 4 * calendar.DayRect(1).width());
    QVERIFY(calendar.DayRect(4).left() < calendar.DayRect(5).left());
    calendar.SetFirstDOW(0);  // Monday 5 March begins a week
    QVERIFY(calendar.DayRect(5).left() < calendar.DayRect(4).left());
    QVERIFY(calendar.DayRect(5).top() > calendar.DayRect(4).top());
  }

  void ClickingADayPicksItAndClosesTheDropDown() {
    TMyCalendar calendar(EncodeDate(2007, 3, 10));
    int raised = 0, closed = 0;
    calendar.OnSelectDate = [&] { ++raised; };
    calendar.OnCloseUp = [&] { ++closed; };
    calendar.show();
    QTest::mouseClick(&calendar, Qt::LeftButton, {}, calendar.DayRect(20).center());
    QCOMPARE(calendar.SelectedDate(), EncodeDate(2007, 3, 20));
    QCOMPARE(raised, 1);
    QVERIFY(!calendar.isVisible());
    QCOMPARE(closed, 1);

    // The selected day: white text on light blue.
    const QImage image = calendar.grab().toImage();
    const QRect day = calendar.DayRect(20);
    QCOMPARE(image.pixelColor(day.left() + 1, day.top() + 1), QColor(166, 202, 240));
    QVERIFY(CountPixels(image, day, Qt::white) > 0);
    QCOMPARE(image.pixelColor(calendar.DayRect(21).topLeft() + QPoint(1, 1)), QColor(Qt::white));
  }
};

}  // namespace

int RunCalendarTests(int argc, char** argv) {
  TCalendarTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace korvela::test

#include "calendar_test.moc"
