#include "training/ui/minutes_seconds_edit.h"

#include <QLineEdit>
#include <QRegularExpression>

#include "training/record_editor.h"

namespace korvela {

TMinutesSecondsEdit::TMinutesSecondsEdit(QWidget* parent) : QSpinBox(parent) {
  setRange(0, kMaxRecordSeconds);
  setAccelerated(true);
  setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
  setAlignment(Qt::AlignRight);
}

void TMinutesSecondsEdit::SetSeconds(int seconds) { setValue(seconds); }

QString TMinutesSecondsEdit::textFromValue(int value) const {
  return QString::fromStdString(MinutesSecondsText(value));
}

int TMinutesSecondsEdit::valueFromText(const QString& text) const {
  return ParseMinutesSeconds(text.trimmed().toStdString()).value_or(value());
}

QValidator::State TMinutesSecondsEdit::validate(QString& input, int&) const {
  const QString text = input.trimmed();
  if (ParseMinutesSeconds(text.toStdString())) return QValidator::Acceptable;
  // What may still become a time while it is typed: "7", "75:", "75:0".
  static const QRegularExpression partial(QStringLiteral("^\\d{0,4}(:\\d{0,2})?$"));
  return partial.match(text).hasMatch() ? QValidator::Intermediate : QValidator::Invalid;
}

void TMinutesSecondsEdit::fixup(QString& input) const {
  // "7" means seven minutes and "7:5" seven minutes and five seconds, when
  // that stays below a day.
  const QString text = input.trimmed();
  const int colon = static_cast<int>(text.indexOf(QLatin1Char(':')));
  bool minutesOk = false;
  const int minutes = (colon < 0 ? text : text.left(colon)).toInt(&minutesOk);
  const int seconds = colon < 0 || colon == text.size() - 1 ? 0 : text.mid(colon + 1).toInt();
  if ((!minutesOk && colon != 0) || seconds >= 60) return;
  const int total = (minutesOk ? minutes : 0) * 60 + seconds;
  if (total <= kMaxRecordSeconds) input = textFromValue(total);
}

void TMinutesSecondsEdit::stepBy(int steps) {
  QLineEdit* line = lineEdit();
  const int colon = static_cast<int>(line->text().indexOf(QLatin1Char(':')));
  const bool minutes = colon >= 0 && line->cursorPosition() <= colon;
  setValue(value() + steps * (minutes ? 60 : 1));
  // The cursor stays in the part it stepped.
  const int newColon = static_cast<int>(line->text().indexOf(QLatin1Char(':')));
  line->setCursorPosition(minutes ? newColon : static_cast<int>(line->text().size()));
}

}  // namespace korvela
