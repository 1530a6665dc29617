#ifndef ENCODERDATAWINDOW_H
#define ENCODERDATAWINDOW_H

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QVector>
#include <QWidget>

#include "drivecommands.h"

class MotionGuard;
class PollTurn;
class QPushButton;
class QTimer;
class TreeModel;
class encoderDelegation;

namespace Ui {
class EncoderdataWindow;
}

// The motor-parameter window of the VR family: a four-step wizard (download the motor data,
// execute, initialise the encoder, test run) around the table of the 46 motor and encoder data
// in the drive's registers 0F00 to 0F21. The window is spread over several files:
//   encoderdatawindow.cpp           form, table, language, link and show/close slots
//   encoderdatawindow_transfer.cpp  upload, download, the write step and the operation frame
//   encoderdatawindow_sequences.cpp alarm clear, execute, initialisation, status poll, stop, one-click run
//   encoderdatawindow_test.cpp      the test run
//   encoderdatawindow_files.cpp     motor data files (.CBC)
class EncoderdataWindow : public QWidget
{
    Q_OBJECT

public:
    explicit EncoderdataWindow(QWidget *parent = nullptr);
    ~EncoderdataWindow() override;

    bool isParameterBusy() const { return parameterBusy; }

    // "driver.ini" and "language.ini".
    void readDriverChoice();
    int readLanguageChoice();

    // Register address of the row at currentRow ("PnF0A" gives "0F0A").
    QByteArray paramAddress();
    int packDigits3(int a, int b, int c);
    int packBytes2(int a, int b);
    QVector<int> unpackWord(int value, int kind);

    // Test counts in "test.ini"; one repetition of the forward or reverse command.
    void saveTestTimes();
    void loadTestTimes();
    bool runForward();
    bool runReverse();

    // The operation running now (None when idle).
    enum class Operation { None, Upload, Download, RemoveAlarm, Execute, Initialise, Test };
    Operation runningOperation() const { return operation; }

signals:
    void readSerialEncoder(QByteArray addr, QByteArray count, int requester);
    void writeSerialEncoder(QByteArray addr, QByteArray value, int requester);
    void treeViewOK(bool ok);
    // True when one of this window's drive operations starts, false when it ends.
    void sendEncoderIsOk(bool busy);

public slots:
    void showEncoderDataWindow();
    void closeThisWindow();
    // Runs before a language switch closes the link: a running operation is stopped first.
    void stopBeforeLinkCloses();
    void changeLanguageToEnglsih();
    void changeLanguageToChinese();
    void readDataToEncoder(QVector<QString> words);
    void receiveToCheck(QString echo);
    void receiveStatus(QVector<QString> words);
    void isOpenSerial(bool open);
    void driverModel(QString name);
    // A session was chosen at the start-up choice (online or not): the window takes its family
    // from it, forgets the model and the values of the drive before, and uploads when next shown.
    void sessionChosen(bool online);
    // The parameter window's transfer state; while it is true this window starts no drive operation.
    void receiveParameterIsOk(bool busy);
    void receiveMainWindow(bool online);
    void queryStutas();

    // Bound to the form by object name.
    void on_checkBox_modification_clicked();
    void on_pushButton_scan_clicked();
    void on_pushButton_downloadParameter_clicked();
    void on_pushButton_execute_clicked();
    void on_pushButton_loading_clicked();
    void on_pushButton_test_clicked();
    void on_toolBox_currentChanged(int index);
    void on_pushButton_upLoad_clicked();
    void on_pushButton_downLoad_clicked();
    void on_pushButton_save_clicked();
    void on_pushButton_load_clicked();
    void on_pushButton_removeAlarm_clicked();
    void on_pushButton_startExecute_clicked();
    void on_pushButton_startLoading_clicked();
    void on_pushButton_interrupt_clicked();
    void on_pushButton_importAll_clicked();
    void on_pushButton_startTest_clicked();
    void on_pushButton_endTest_clicked();

protected:
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // How an operation step ended.
    enum class Step { Done, NoAnswer, Stopped, LinkDown };
    // Unanswered requests in a row (test-run commands, status polls) after which the drive
    // counts as silent and the operation is stopped.
    static constexpr int MissedLimit = 3;
    // Who stopped the running operation.
    enum class StopCause { User, OtherWindow, SilentDrive, DriveFault };

    QStringList headerTexts() const;
    void loadTable(int language);
    void reloadWhenIdle(int language);
    void setStepHint(const QString &chinese, const QString &english);
    // The step hint, below why the operations are held while a fault of the drive holds them.
    void showStepHint();
    // The state line's first line while a fault of the drive (2 execute, 4 initialisation) holds
    // the operations; why an operation stopped; where a one-click run stopped.
    static QString holdText(int fault, bool english);
    static QString stopText(StopCause cause, bool english);
    static QString oneClickText(int step, const QString &hint, bool english);
    // What the window enables, from its state alone (see the definition).
    void updateControls();
    QVector<QPushButton *> operationButtons() const;
    QString cell(int row, int column) const;
    void setCell(int row, int column, const QString &text);
    // What a row's status column says about where its value came from.
    enum class Note { None, Typed, Loaded, Uploaded, Downloaded, UploadFailed, DownloadFailed };
    Note noteOf(int row) const;
    void setNote(int row, Note note);
    void markRows(const QVector<int> &rowNumbers, Note note);
    // Where a row's value came from, whatever its status column says was done with it since
    // (a value typed and then downloaded is still the person's).
    enum class Source { None, Drive, File, Person };
    void setSource(int row, Source source);
    bool filledByHand(int row) const;
    // A change of the table's cells: an edit makes its row the person's; rows 42 to 45 follow row 46.
    void cellsChanged(int firstRow, int lastRow, int firstColumn, int lastColumn);
    // Rows 42 to 45 show register 0F21, which row 46 writes: they show what row 46 holds.
    void showSharedWord();
    // After a lost link or at a new connection: a value that came from the drive before is
    // shown as unread (downloaded or not), one the person typed or loaded keeps its value and
    // says so again, and every note about the drive before goes.
    void forgetDriveValues();
    // The family of the session is not the VR family: the state line says so.
    bool refuseOtherFamily();
    int rowOfNumber(int rowNumber) const;
    // Save's check of the file text it would write (encoderdatawindow_files.cpp).
    bool refuseUnloadableSave(const QString &text);

    // The frame of every operation (encoderdatawindow_transfer.cpp).
    bool refuseSecondOperation();
    void refuseWhileParametersTransfer();
    // A drive sequence (op not None) also takes the drive's command registers.
    bool entryGuards(Operation op = Operation::None);
    static DriveCommands::Operation commandOperation(Operation op);
    void beginOperation(Operation op);
    void endOperation(bool withdrawBusy);
    void reportLinkDown();
    // A write of the running operation; isStop: one of the stop request's own writes, which goes
    // on the line ahead of every request waiting its turn and does not look at stopRequested.
    Step writeStep(const QByteArray &address, const QByteArray &value, bool isStop = false);
    Step readStep(const QByteArray &address);

    // The operations, each returning true when it ran to its normal end. The reading on
    // opening (onOpening) leaves the rows the person typed or loaded as they are.
    bool runUpload(bool onOpening = false);
    bool runDownload();
    bool runRemoveAlarm();
    bool runExecute();
    bool runInitialise();
    bool runTest();
    void runStopRequest();
    Step waitForStatus(int status);
    // The status poll's request has ended, answered or not.
    void statusPollEnded();
    void dropStatusPoll();
    Step commandSteps(const QVector<QPair<QByteArray, QByteArray>> &writes);
    bool stepDone(Step step, const QString &failedChinese, const QString &failedEnglish);
    // Stops the running operation for a reason of the window's own and says so.
    void stopFor(StopCause cause);
    // The status line of an operation that did not reach its end: what it did and why it ended.
    void showEnded(Step step, const QString &doneChinese = QString(), const QString &doneEnglish = QString());
    bool motionMayRun() const;
    bool repetition(const QByteArray &subCommand);

public:
    Ui::EncoderdataWindow *ui;
    TreeModel *model = nullptr;
    encoderDelegation *delegation = nullptr;
    QTimer *queryTimer = nullptr;
    int driverChoice = 0;
    QString driverModelName;
    bool uploadOnShow = true;

    bool serialOpen = false;
    bool parameterBusy = false;
    bool stopRequested = false;
    int currentRow = 0;
    bool readAck = false;
    bool writeAck = false;
    int driveStatus = 0;
    int testCounter = 1;

private:
    Operation operation = Operation::None;
    int busyDepth = 0;          // operations (and stop requests) that announced themselves busy
    bool readPending = false;   // a table read waits for its reply
    bool statusFresh = false;   // driveStatus was read after the running status wait began
    PollTurn *statusTurn = nullptr;
    quint64 statusTicket = 0;   // the status poll's request now out (0: none)
    bool statusAnswered = false; // the poll out now was answered
    quint64 commandTicket = 0;  // the operation's write waiting for its echo (0: none)
    bool stopRunning = false;   // the stop request is sending its writes
    bool reloadPending = false; // a language switch waits for the running operation
    bool linkShown = true;      // the link as last told (isOpenSerial or the online state)
    int heldFault = 0;          // the fault status the drive reported (2 or 4): nothing starts until a stop request
    QString hintChinese, hintEnglish; // the step hint as the operations left it
    StopCause stopCause = StopCause::User;
    int missedAnswers = 0;      // test-run commands in a row the drive did not echo
    int missedPolls = 0;        // status polls in a row the drive did not answer
    MotionGuard *motionGuard = nullptr;
    int pendingLanguage = 0;
    QVector<Source> sources;    // by table position; kept over a language switch
    QVector<int> keptRows;      // row numbers the running reading leaves as they are
    // Every status text the window wrote, in the language of its day: a table carried over a
    // language switch still tells its rows' notes apart.
    QHash<QString, Note> notesWritten;
};

#endif // ENCODERDATAWINDOW_H
