#pragma once
#include <QSpinBox>

namespace korvela {

// A duration picker in "mm:ss" that holds whole seconds of less than a day.
// Minutes go on past 59 ("75:00") instead of turning into hours. The arrows
// and the Up and Down keys step the part the cursor is in: minutes before
// the colon, seconds after it.
class TMinutesSecondsEdit final : public QSpinBox {
  Q_OBJECT
 public:
  explicit TMinutesSecondsEdit(QWidget* parent = nullptr);

  int Seconds() const { return value(); }
  void SetSeconds(int seconds);

  void stepBy(int steps) override;

 protected:
  QString textFromValue(int value) const override;
  int valueFromText(const QString& text) const override;
  QValidator::State validate(QString& input, int& pos) const override;
  void fixup(QString& input) const override;
};

}  // namespace korvela
