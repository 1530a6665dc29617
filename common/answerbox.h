#ifndef ANSWERBOX_H
#define ANSWERBOX_H

#include <QMessageBox>
#include <QString>

class QWidget;

// The boxes a user must answer, opened where they can be answered. While a modal window has the
// input (the monitor, the JOG control, another box), a box parented to some other window opens
// behind it, or is blocked by it and cannot be dismissed; so it opens over that modal window.
//
// A box opened over another window's modal window is marked as not that window's own: the motion
// guard of a window that moves the motor still stops the motion before the box takes the input.
namespace AnswerBox {

// The window a box of `owner` opens over: the modal window that has the input, if there is one;
// otherwise `owner` when it is shown; otherwise the active window; otherwise `owner`.
QWidget *parentFor(QWidget *owner);

// True for a box opened over a window that is not its owner's own.
bool openedElsewhere(const QWidget *box);

// Modal boxes, as the static functions of QMessageBox open them, over parentFor(owner).
QMessageBox::StandardButton warning(QWidget *owner, const QString &title, const QString &text,
                                    QMessageBox::StandardButtons buttons = QMessageBox::Ok);
QMessageBox::StandardButton question(QWidget *owner, const QString &title, const QString &text,
                                     QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton);

// A message that waits for nobody (the command file is served unattended): a non-modal box over
// parentFor(owner) that stays on the screen until someone closes it.
void notice(QWidget *owner, QMessageBox::Icon icon, const QString &title, const QString &text);

} // namespace AnswerBox

#endif // ANSWERBOX_H
