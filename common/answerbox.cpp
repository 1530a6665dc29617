#include "answerbox.h"
#include "afterwaits.h"
#include "automationmode.h"
#include "drivecommands.h"

#include <QApplication>
#include <QCoreApplication>
#include <QPointer>
#include <QWidget>

namespace AnswerBox {

namespace {

QMessageBox *makeBox(QWidget *owner, QMessageBox::Icon icon, const QString &title, const QString &text,
                     QMessageBox::StandardButtons buttons)
{
    return new QMessageBox(icon, title, text, buttons, parentFor(owner));
}

QMessageBox::StandardButton run(QMessageBox *box)
{
    // The window it opened over may go while it is open, and take the box with it.
    const QPointer<QMessageBox> open(box);
    const int result = box->exec();
    if (!open)
        return QMessageBox::Cancel;
    const QMessageBox::StandardButton button =
        result == -1 ? QMessageBox::Cancel : box->standardButton(box->clickedButton());
    delete box;
    return button;
}

} // namespace

QWidget *parentFor(QWidget *owner)
{
    QWidget *modal = QApplication::activeModalWidget();
    return modal && modal->isVisible() ? modal : owner;
}

QMessageBox::StandardButton warning(QWidget *owner, const QString &title, const QString &text,
                                    QMessageBox::StandardButtons buttons)
{
    return run(makeBox(owner, QMessageBox::Warning, title, text, buttons));
}

QMessageBox::StandardButton question(QWidget *owner, const QString &title, const QString &text,
                                     QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)
{
    QMessageBox *box = makeBox(owner, QMessageBox::Question, title, text, buttons);
    box->setDefaultButton(defaultButton);
    return run(box);
}

void later(QWidget *owner, std::function<void()> open)
{
    AfterWaits::run(owner, std::move(open));
}

void warningLater(QWidget *owner, const QString &title, const QString &text)
{
    later(owner, [owner, title, text] { warning(owner, title, text); });
}

void notice(QWidget *owner, QMessageBox::Icon icon, const QString &title, const QString &text)
{
    QMessageBox *box = makeBox(owner, icon, title, text, QMessageBox::Ok);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->show();
}

void stoppedNote(QWidget *owner, const QString &title, const QString &text)
{
    if (AutomationMode::isOn())
        notice(owner, QMessageBox::Information, title, text);
    else
        QMessageBox::information(owner, title, text);
}

void commandsHeld(QWidget *owner)
{
    notice(owner, QMessageBox::Warning, QCoreApplication::translate("DriveCommands", "error"),
           DriveCommands::refusalText());
}

} // namespace AnswerBox
