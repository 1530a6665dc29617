#ifndef ANSWERBOX_H
#define ANSWERBOX_H

#include <QMessageBox>
#include <QString>

#include <functional>

class QWidget;

// The boxes a user must answer, opened where they can be answered. While a modal window has the
// input (the monitor, the JOG control, another box), a box parented to some other window opens
// behind it, or is blocked by it and cannot be dismissed; so it opens over that modal window.
// A box is a window of its own: opened over a window that moves the motor, it still makes that
// window's motion guard stop the motion before it takes the input.
namespace AnswerBox {

// The window a box of `owner` opens over: the modal window that has the input, if there is one;
// otherwise `owner`.
QWidget *parentFor(QWidget *owner);

// Modal boxes, as the static functions of QMessageBox open them, over parentFor(owner).
QMessageBox::StandardButton warning(QWidget *owner, const QString &title, const QString &text,
                                    QMessageBox::StandardButtons buttons = QMessageBox::Ok);
QMessageBox::StandardButton question(QWidget *owner, const QString &title, const QString &text,
                                     QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton);

// From a slot the link calls (an answer, the end of a request, a poll's turn), or anything that
// may run inside another window's wait: the box opens later, from the event loop, once no wait
// for the drive runs, so that neither the link nor a window waiting beneath it (the command file,
// an operation) is held while someone reads it. Nothing opens once owner is gone.
void later(QWidget *owner, std::function<void()> open);
void warningLater(QWidget *owner, const QString &title, const QString &text);

// A message that waits for nobody (the command file is served unattended): a non-modal box over
// parentFor(owner) that stays on the screen until someone closes it.
void notice(QWidget *owner, QMessageBox::Icon icon, const QString &title, const QString &text);

// A note on something the tool stopped by itself (a language switch, a window closed under a
// run): an information box for a person, but a notice while the command file is served
// unattended (AutomationMode), so that no request waits for someone to press OK.
void stoppedNote(QWidget *owner, const QString &title, const QString &text);

// A start refused because another operation holds the drive's command registers
// (DriveCommands): a notice, so that neither that operation's wait nor its motion guard is
// touched by it.
void commandsHeld(QWidget *owner);

} // namespace AnswerBox

#endif // ANSWERBOX_H
