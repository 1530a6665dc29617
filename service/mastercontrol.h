#ifndef MASTERCONTROL_H
#define MASTERCONTROL_H

#include <QByteArray>
#include <functional>
#include <QString>
#include <QVector>
#include <QWidget>

namespace Ui {
class masterControl;
}

// The auxiliary-function panel: seven buttons, each opening one auxiliary-function dialog,
// and the dialogs' only road to the drive. A dialog emits a request with its window id; the
// panel sends it under requester 6, waits for the echo or the reply and hands a read reply to
// the dialog that asked, and tells every dialog what became of a write (writeOutcome).
class masterControl : public QWidget
{
    Q_OBJECT

public:
    explicit masterControl(QWidget *parent = nullptr);
    ~masterControl() override;

    // Wait limits (ms) before the wire time at the port's baud rate is added; the tests on a
    // loaded machine lengthen the read wait.
    int writeWaitMs = 999;
    int readWaitMs = 49;

    bool portOpen() const { return portFlag; }
    int pendingWindow() const { return pendingId; }

signals:
    void writeSerialMoster(QByteArray addr, QByteArray value, int code);
    void writeSerialMoster2(QByteArray addr, QByteArray data, int code);
    void readSerialMoster(QByteArray addr, QByteArray count, int code);
    void sendToShowAlram(QVector<QString> words);
    void sendToShowAF1(QVector<QString> words);
    void sendToShowAF6(QVector<QString> words);
    void sendToShowAF7(QVector<QString> words);
    void sendToShowAF8(QVector<QString> words);
    void sendToShowAF11(QVector<QString> words);
    void sendToShowAF30(QVector<QString> words);
    void sendThisWindow(masterControl *window);
    void showAF1();
    void showAF4();
    void showAF6();
    void showAF7();
    void showAF8();
    void showAF11();
    void showAF30();
    void AlarmOK(bool ok);
    void stopMainWindowQuery();
    void startMainWindowQuery();
    // What became of the write a dialog asked for (AuxCoding::WriteOutcome), sent before the
    // dialog's request returns; every dialog hears it and keeps the one with its own id.
    void writeOutcome(int windowId, int outcome);

public slots:
    void receiveFunctionAF(QByteArray addr, QByteArray value, int windowId);
    void receiveFunctionAF2(QByteArray addr, QByteArray data, int windowId);
    void receiveFunctionAFRead(QByteArray addr, QByteArray count, int windowId);
    void receiveToCheck(QString echo);
    void receiveToShowAlarm(QVector<QString> words);
    void AlarmIsOk(bool ok);
    void showMasterWindow();
    void receiveSerialIsOK(bool open);
    void receiveMainWindow(bool online);
    void changeEvent(QEvent *event) override;

private slots:
    void on_commandLinkButton_clicked();
    void on_commandLinkButton_2_clicked();
    void on_commandLinkButton_3_clicked();
    void on_commandLinkButton_4_clicked();
    void on_commandLinkButton_5_clicked();
    void on_commandLinkButton_6_clicked();
    void on_commandLinkButton_AF30_clicked();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // False when the port is closed, after the link-down message: for every refused write, and
    // once for a run of refused reads.
    bool accept(int windowId, bool write);
    // Sends a write through send() and waits for its own echo; tells the dialog what became of it.
    void relayWrite(int windowId, int limitMs, const QByteArray &address, const QByteArray &data,
                    const std::function<void()> &send);
    void setButtonsEnabled(bool enabled);
    void openDialog(void (masterControl::*open)());

    Ui::masterControl *ui;
    bool replyTaken = false;
    int pendingId = 0;
    bool portFlag = false;
    int warningGiven = 0;
    // Set while a read waits for its reply and cleared by the first reply or the end of the
    // wait, so that a late reply is never handed to a later request or another dialog.
    bool readOutstanding = false;
    // Set while a dialog's request waits here, whichever dialog's and whatever its kind.
    bool relayWaiting = false;
};

#endif // MASTERCONTROL_H
