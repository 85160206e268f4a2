#pragma once
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QString>
#include <functional>
#include <string>

#include "app/program.h"
#include "storage/date_time.h"

namespace korvela {

class TMyDate;

// Pieces shared by the measurements, phases and recovery screens.

QString QText(const std::string& text);
QPushButton* MakeButton(const char* caption, const char* name, QWidget* parent);
// The bold line at the top of a screen.
QLabel* MakeHeading(const char* text, QWidget* parent);
// A label whose buddy is the control; the control's accessible name is the
// label's text.
QLabel* MakeBuddyLabel(const char* text, QWidget* control, QWidget* parent);
// A date entry whose line is named `name` ("...LineEdit") and labelled.
TMyDate* MakeDateEntry(TProgram& program, const char* name, const char* label, QWidget* parent);
// The Help button and F1 of a dialog open its help topic.
void ConnectHelp(QDialog& dialog, QPushButton* help, TProgram& program, int helpTopic);
// OK, Cancel and Help: OK runs okClick, Cancel rejects, Help and F1 open the
// screen's help topic.
QDialogButtonBox* MakeDialogButtons(QDialog& dialog, TProgram& program, int helpTopic,
                                    std::function<void()> okClick);

}  // namespace korvela
