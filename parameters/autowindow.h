#ifndef AUTOWINDOW_H
#define AUTOWINDOW_H

#include <QDateTime>
#include <QElapsedTimer>
#include <QString>
#include <QVector>
#include <QWidget>

#include "commandfile.h"

class QEvent;
class QTimer;

namespace Ui {
class AutoWindow;
}

// The command file through which an outside program drives the tool. The window polls the
// chosen text file; a request (two identical lines) is carried out once and answered by
// three lines written over it. Register and variable requests go out through the parameter
// window's command-file services; their replies come straight from the link
// (receiveReadData, receiveWriteResult). Capture requests go to the capture window, which
// answers through receiveOperationWOP / receiveOperationROP. main makes every connection.
class AutoWindow : public QWidget
{
    Q_OBJECT

public:
    explicit AutoWindow(QWidget *parent = nullptr);
    ~AutoWindow() override;

    // Answers, connected by main.
    void receiveReadData(QVector<QString> words);
    void receiveWriteResult(QString echo);
    // The link refused an echo of a write of ours as not that write's (serialPort::writeEchoRefused).
    void receiveEchoRefused(int code);
    // The drive answered a request of ours with a Modbus exception (serialPort::driveRefused).
    void receiveDriveRefusal(int code, int exception);
    void receiveEndOperation(bool ok, int code);
    void receiveOperationRV(int stage);
    void receiveOperationWOP(bool ok, int code);
    void receiveOperationROP(bool ok, int status);
    // Why a capture operation of the file failed (staticWindow::autoOperationFailed).
    void receiveCaptureFailure(QString reason);
    // Why the parameter window turned a drive request away unsent
    // (parameterWindow::autoRequestRefused).
    void receiveRefusal(QString reason);
    // The link's open state (serialPort::isOpenSerial): requests for the drive are answered
    // "F" at once while the port is closed, instead of being sent.
    void receivePortOpen(bool open);

    QString bitToText(int value);

    // How long the variable mailbox may stay busy before a "wv" or "rv" (ms). The drive's
    // answers are waited for by the parameter window's services, each within the link's limit.
    static const int handshakeLimitMs = 2000;

signals:
    void readDataFromParameter(QString field1, QString field2, QString field3);
    void writeDataFromParameter(QString field1, QString field2, QString field3);
    void startOperation_WV(QString field1, QString field2, QString field3);
    void sendToQuery_Wv();
    void readMonitorFromParameter(QString field1, QString field2, QString field3);
    void startOperation_RV(QString field1, QString field2, QString field3);
    void stopOperation(bool stop);
    void stopMainWindowQuery();
    void startMainWindowQuery();
    void StartSampling(QString field1, QString field2, QString field3);
    void StopSampling(QString field1, QString field2, QString field3);
    void QueryStatus_WOP(QString field1, QString field2, QString field3);
    // An answer is written whole and synced beside the command file; the file is looked at once
    // more and then replaced. What an outside program writes until then is still taken into
    // account.
    void answerReady();

public slots:
    void on_pushButton_clicked();
    void timeSlot();
    void writeFile();
    void timerSlot_WV();
    void on_checkBox_stateChanged(int state);
    void changeEvent(QEvent *e) override;
    void on_pushButton_2_clicked();

private:
    // Reads the command file and carries out a fresh request; problems go into the file and
    // the error label, never into a box.
    void readCommandFile();
    void carryOut(const CommandFile::Request &request);
    void runRegisterRequest(const CommandFile::Request &request);
    void runVariableRequest(const CommandFile::Request &request);
    void runCaptureRequest(const CommandFile::Request &request);
    bool mailboxHandshake();
    void takeStatus(const QVector<QString> &words);
    // Sets the answer and writes it; a request is answered once.
    void answer(const QString &result, bool ok);
    // Answers "-1 <reason>" with "F".
    void fail(const QString &reason);
    // Why a drive request has no answer to take: the port, the drive's exception, or silence.
    QString missingAnswerReason();
    // Why the write waiting last was not confirmed by its own echo.
    QString unconfirmedWriteReason();
    // Puts the answer held into the file, unless that would cover a request the window has not
    // read yet; true once it is there.
    bool deliverAnswer();
    QString shownResult(const QString &result) const;
    void showFileError(const QString &text);
    void relabel();

public:
    Ui::AutoWindow *ui;

    // The request read last and its answer-to-be.
    QString command;
    QString field1;
    QString field2;
    QString field3;
    QString resultText;
    bool resultOk = false;

    QString filePath;
    bool chooseFile = true;
    QTimer *pollTimer = nullptr;
    int lineCount = 0;
    QTimer *handshakeTimer = nullptr;
    int mailboxState = -1;
    bool operationEnded = false;
    int readBackStage = 0;
    QString lowWordText;
    QString highWordText;
    QString joinedText;
    int captureCode = -1;
    int captureStatus = -1;

    bool portOpen = false;

private:
    CommandFile::Request current;  // the request being carried out
    QString requestText;           // the file's text that held it
    QDateTime requestWritten;      // when the file was last written as it was read
    bool answerHeld = false;       // its answer is not in the file yet
    QString takenText;             // a request read while an answer was held: carried out next
    QDateTime takenWritten;
    QString answeredText;          // the file's text as our last answer left it
    QString captureFailure;        // why the capture window's operation failed
    bool pending = false;          // it is waiting for the drive or the capture window
    bool busy = false;             // a read of the file or a request is under way
    // What the drive and the capture window answered to the pending request.
    bool replied = false;
    int goodEchoes = 0;            // writes confirmed by their own echo
    int badEchoes = 0;             // echoes that confirmed nothing, or the link refused, since
                                   // a write of ours was last confirmed
    int refusedWith = -1;          // the exception code the drive answered a request with
    int lastStatus = -1;
    bool valueRead = false;
    bool captureAnswered = false;
    int captureRuns = 0;           // capture operations of the file still running (one inside another)
};

#endif // AUTOWINDOW_H
