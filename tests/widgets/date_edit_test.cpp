#include <QApplication>
#include <QFocusEvent>
#include <QTest>

#include "users/clock.h"
#include "users/configurator.h"
#include "widget_tests.h"
#include "widgets/date_edit.h"

namespace korvela::test {
namespace {

// A date entry on 20 December 2007 that counts its beeps and notifications.
struct TDateFixture {
  TConfigurator config;
  TFixedClock clock{EncodeDate(2007, 12, 20) + 0.25};
  TMyDate entry{config, clock};
  int beeps = 0;
  int changes = 0;

  TDateFixture() {
    entry.Beep = [this] { ++beeps; };
    entry.UserOnDateChange = [this] { ++changes; };
    entry.show();
  }
  QString Text() const { return entry.Edit()->text(); }
  void Type(const char* text) {
    entry.Edit()->selectAll();
    QTest::keyClicks(entry.Edit(), QString::fromUtf8(text));
  }
  void Leave() {
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(entry.Edit(), &out);
  }
};

class TDateEditTest : public QObject {
  Q_OBJECT
 private slots:
  void StartsOnTodayAndCodeChangesAreNotTheUsers() {
    TDateFixture f;
    QCOMPARE(f.entry.Date(), EncodeDate(2007, 12, 20));
    QCOMPARE(f.Text(), QStringLiteral("20 Dec 2007"));
    f.entry.SetDate(EncodeDate(2007, 3, 10) + 0.7);
    QCOMPARE(f.entry.Date(), EncodeDate(2007, 3, 10));
    QCOMPARE(f.Text(), QStringLiteral("10 Mar 2007"));
    f.entry.DropDown();
    f.entry.SetDate(EncodeDate(2007, 4, 1));
    QCOMPARE(f.entry.Calendar()->SelectedDate(), EncodeDate(2007, 4, 1));
    QCOMPARE(f.changes, 0);
  }

  void TypedDatesAreReadWhenTheEntryIsLeft() {
    const struct {
      const char* typed;
      bool dayFirst;
      const char* shown;
      int changes;
    } cases[] = {
        {"5/3/2007", true, "5 Mar 2007", 1},
        {"5/3/2007", false, "3 May 2007", 1},
        {"apr 5 2006", true, "5 Apr 2006", 1},
        {"20.12.07", true, "20 Dec 2007", 0},  // the same day again
    };
    for (const auto& c : cases) {
      TDateFixture f;
      f.config.SetDayFirst(c.dayFirst);
      f.Type(c.typed);
      QCOMPARE(f.changes, 0);  // nothing until the entry is left
      f.Leave();
      QCOMPARE(f.Text(), QString::fromUtf8(c.shown));
      QCOMPARE(f.changes, c.changes);
      QCOMPARE(f.beeps, 0);
      QVERIFY(!f.entry.Calendar());
      f.Leave();  // leaving again without typing changes nothing
      QCOMPARE(f.changes, c.changes);
    }
  }

  void AnImpossibleDateBeepsAndOffersTheCalendarAtThePreviousDate() {
    TDateFixture f;
    f.entry.SetDate(EncodeDate(2007, 2, 10));
    f.Type("31 February 2007");
    f.Leave();
    QCOMPARE(f.beeps, 1);
    QCOMPARE(f.changes, 0);
    QVERIFY(f.entry.Calendar());
    QVERIFY(f.entry.Calendar()->isVisible());
    QCOMPARE(f.entry.Calendar()->SelectedDate(), EncodeDate(2007, 2, 10));
    QCOMPARE(f.entry.Calendar()->HeaderText(), QStringLiteral("February, 2007"));
    QCOMPARE(f.entry.Date(), EncodeDate(2007, 2, 10));
    QCOMPARE(f.Text(), QStringLiteral("10 Feb 2007"));
    // Closing the calendar without a pick keeps the date.
    f.entry.Calendar()->hide();
    QCOMPARE(f.Text(), QStringLiteral("10 Feb 2007"));
    QCOMPARE(f.changes, 0);
  }

  void PickingADayInTheDropDownIsTheUsersChange() {
    TDateFixture f;
    QTest::mouseClick(f.entry.DropDownButton(), Qt::LeftButton);
    TMyCalendar* calendar = f.entry.Calendar();
    QVERIFY(calendar && calendar->isVisible());
    // Directly below the entry, one pixel apart.
    QCOMPARE(calendar->geometry().topLeft(), f.entry.mapToGlobal(QPoint(0, f.entry.height() + 1)));
    QTest::mouseClick(calendar, Qt::LeftButton, {}, calendar->DayRect(3).center());
    QCOMPARE(f.entry.Date(), EncodeDate(2007, 12, 3));
    QCOMPARE(f.Text(), QStringLiteral("3 Dec 2007"));
    QCOMPARE(f.changes, 1);
    QVERIFY(!calendar->isVisible());

    // The calendar is kept; typing follows it without a second notice from it.
    f.Type("24 dec");
    f.Leave();
    QCOMPARE(f.entry.Calendar(), calendar);
    QCOMPARE(calendar->SelectedDate(), EncodeDate(2007, 12, 24));
    QCOMPARE(f.changes, 2);
  }

  void DroppingDownTakesATypedDate() {
    TDateFixture f;
    f.Type("1/1/2008");
    f.entry.DropDown();
    QCOMPARE(f.entry.Calendar()->SelectedDate(), EncodeDate(2008, 1, 1));
    QCOMPARE(f.Text(), QStringLiteral("1 Jan 2008"));
    QCOMPARE(f.changes, 1);
    QCOMPARE(f.beeps, 0);
  }
};

}  // namespace

int RunDateEditTests(int argc, char** argv) {
  TDateEditTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace korvela::test

#include "date_edit_test.moc"
