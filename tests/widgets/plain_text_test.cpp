// Text from users and files reaches the screen as the characters typed.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include "widgets/elided_label.h"
#include "widgets/message_box_prompter.h"

namespace korvela {
namespace {

constexpr const char* kMarkup = "Do you really want to delete <img src=\"/dev/zero\"><b>Bold</b>?";

// Answers the message box that the prompter opens, after noting how it
// shows its text.
struct TBoxWatcher {
  Qt::TextFormat format = Qt::AutoText;
  QString text;
  bool seen = false;
  void WatchNextBox(QMessageBox::StandardButton answer) {
    QTimer::singleShot(0, [this, answer] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      seen = true;
      format = box->textFormat();
      text = box->text();
      box->button(answer)->click();
    });
  }
};

TEST(MessageBoxPrompter, ShowsEveryTextAsPlainText) {
  TMessageBoxPrompter prompter;
  TBoxWatcher watcher;
  watcher.WatchNextBox(QMessageBox::Ok);
  prompter.Warn(kMarkup);
  ASSERT_TRUE(watcher.seen);
  EXPECT_EQ(watcher.format, Qt::PlainText);
  EXPECT_EQ(watcher.text, QString::fromUtf8(kMarkup));

  watcher = {};
  watcher.WatchNextBox(QMessageBox::Yes);
  EXPECT_TRUE(prompter.AskYesNo(kMarkup));
  EXPECT_EQ(watcher.format, Qt::PlainText);

  watcher = {};
  watcher.WatchNextBox(QMessageBox::NoToAll);
  EXPECT_EQ(prompter.AskYesNoAll(kMarkup), TAnswer::NoToAll);
  EXPECT_EQ(watcher.format, Qt::PlainText);
}

TEST(ElidedLabel, CutsALongTextToItsWidthAndKeepsTheWholeTextAsToolTip) {
  TElidedLabel label;
  label.resize(120, 20);
  label.show();
  label.SetFullText(QString(80, QLatin1Char('W')));
  EXPECT_EQ(label.textFormat(), Qt::PlainText);
  EXPECT_TRUE(label.text().endsWith(QChar(0x2026)));
  EXPECT_LE(label.fontMetrics().horizontalAdvance(label.text()), 120);
  EXPECT_EQ(label.toolTip(), label.FullText());
  EXPECT_EQ(label.minimumSizeHint().width(), 0);
  label.resize(2000, 20);
  EXPECT_EQ(label.text(), label.FullText());
  EXPECT_TRUE(label.toolTip().isEmpty());
}

}  // namespace
}  // namespace korvela
