#ifndef CONTROLWINDOW_H
#define CONTROLWINDOW_H

#include <QByteArray>
#include <QPointer>
#include <QString>
#include <QVector>
#include <QWidget>

#include <functional>

class MotionGuard;
class PollTurn;
class QPushButton;
class QTimer;

namespace Ui {
class controlWindow;
}

// Moves the motor of a VR-family drive from the PC: JOG (hold-to-run stepping or continuous
// stepping), the drive's program run and homing, each selected in the drive's function
// register and driven by sub-commands. Anything that moves the motor stops on release, on
// Stop or OFF, on closing, on focus loss while held, on link loss and when a modal window
// opens elsewhere in the tool.
class controlWindow : public QWidget
{
    Q_OBJECT

public:
    enum Direction { Forward, Reverse };
    enum Mode { NoMode, JogMode, ProgramMode, HomingMode };

    explicit controlWindow(QWidget *parent = nullptr);
    ~controlWindow() override;

    // True while something this window started may keep the motor moving.
    bool motionMayRun() const;

signals:
    void readSerialContorl(QByteArray addr, QByteArray count, int requester);
    void writeSerialControl(QByteArray addr, QByteArray value, int requester);
    void writeSerialControl2(QByteArray addr, QByteArray data, int requester);
    void JogIsOk(bool ok);
    void stopMainWindowQuery();
    void startMainWindowQuery();

public slots:
    void receiveToCheck(QString echo);
    void receiveToControl(QVector<QString> words);
    void showControl();
    void receiveSerialIsOK(bool open);
    void receiveMainWindow(bool online);
    void closeThisWindow();
    void changeEvent(QEvent *event) override;
    void QueryProgramStaus();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void on_pushButton_NO_clicked();
    void on_pushButton_OFF_clicked();
    void on_pushButton_Foreward_pressed();
    void on_pushButton_Foreward_clicked();
    void on_pushButton_Reversal_pressed();
    void on_pushButton_Reversal_clicked();
    void on_pushButton_continuousForeward_clicked();
    void on_pushButton_continuousReversal_clicked();
    void on_pushButton_stop_clicked();
    void on_pushButton_originON_clicked();
    void on_pushButton_originOFF_clicked();
    void on_pushButton_originForeward_clicked();
    void on_pushButton_originReversal_clicked();
    void on_pushButton_originStop_clicked();
    void on_pushButton_ProgramON_clicked();
    void on_pushButton_programOFF_clicked();
    void on_pushButton_Write_clicked();
    void on_pushButton_Read_clicked();
    void on_pushButton_programForeward_clicked();
    void on_pushButton_programReversal_clicked();
    void on_pushButton_programStop_clicked();
    void on_pushButton_programWrite_clicked();
    void on_pushButton_ProgramRead_clicked();

    // A held Forward or Reversal button let go, wherever the mouse is.
    void holdReleased();

private:
    // Drive exchanges. A stop or OFF write goes on the line ahead of every request waiting its
    // turn (AheadOfAll); everything else waits its turn.
    enum Send { InTurn, AheadOfAll };
    bool writeStep(const QByteArray &reg, const QByteArray &value, int fixedMs, int graceMs = 0,
                   Send send = InTurn);
    bool writeStep2(const QByteArray &reg, const QByteArray &data, int fixedMs);
    bool safeWrite(const QByteArray &reg, const QByteArray &value, const std::function<bool()> &goOn = {});
    bool readStep(const QByteArray &reg, int words, int code);
    quint64 emitWrite(const QByteArray &reg, const QByteArray &value, Send send);
    void withdrawMotion();
    void showUnread(int code);
    void markSpeedRead(bool read);
    void takeTypedSpeed();
    bool linkCheck();
    void reportLinkDown();
    void reportUnconfirmedStops();
    void sendStops(const QVector<QByteArray> &writes, const std::function<void()> &then);

    // Modes
    void showMode(Mode mode);
    void fitFixedSize();
    void modeOff(const std::function<bool()> &goOn = {});
    bool holdsCommands();
    bool refusedWhileSwitching();
    void releaseWhenIdle();
    void modeOn(Mode mode, const QVector<QByteArray> &functionWrites);

    // Stepping
    void jogForwardStep();
    void jogReverseStep();
    void step(Direction direction);
    void startStepping(Direction direction, QPushButton *heldBy);
    void stopStepping(Direction direction);
    void stopAllMotion();
    void stopSilentDrive(const QString &text);
    void stopForModal();
    void stopTimers();
    void endHold(bool sendStop);
    bool stopForClose();

    // Program run
    void startProgram(Direction direction, bool fromPoll = false);
    bool runSwitchKnown(qint64 *value = nullptr) const;
    bool collectProgramFields(QVector<qint64> *values);
    void programStatusEnded();
    bool answersStatusPoll() const;
    void stopProgramPoll();

    void applyEnabled();
    void writePass(const QVector<std::function<void()>> &steps);
    void showState(const QString &text);

public:
    // The window's state, public so the tests can see what an action left behind.
    Ui::controlWindow *ui = nullptr;
    bool echoConfirmed = false;
    QTimer *jogForwardTimer = nullptr;
    QTimer *jogReverseTimer = nullptr;
    QTimer *programStatusTimer = nullptr;
    // The program-status read out on the line, if any.
    PollTurn *statusTurn = nullptr;
    int pendingRead = 0;
    bool replyReceived = false;
    bool serialOpen = false;

    // The held hold-to-run button, if any.
    QPointer<QPushButton> heldButton;
    // Step writes in a row that the drive did not echo.
    int missedSteps = 0;
    // Program-status reads in a row that the drive did not answer.
    int missedPolls = 0;
    // Stop and OFF writes that stayed unconfirmed since the last report.
    int unconfirmedStops = 0;
    bool alarmPresent = false;
    // The user has typed in the JOG speed box since its last read.
    bool speedTyped = false;
    bool linkEnabled = false;
    // A write of the JOG speed or of the program parameters runs, its read-back included.
    bool writing = false;
    // The function the window last selected in the drive (all off after a lost link).
    Mode mode = NoMode;

private:
    bool awaitingRead = false;
    // The requests of the read step and of the status poll now out (0 when none), so that
    // each answer goes to the read it answers.
    quint64 readTicket = 0;
    quint64 pollTicket = 0;
    int statusWord = -1;
    // Motion commands (steps) asked and not yet known to be over: a stop takes back those still
    // waiting their turn.
    QVector<quint64> motionTickets;
    // Counts every stop, so that a stepping start interrupted by a stop does not go on.
    int stopCount = 0;
    // The mode an ON now selects (NoMode while none runs).
    Mode switching = NoMode;
    // Nesting of the window's own sequences; the program-status poll waits for them.
    int busy = 0;
    MotionGuard *guard = nullptr;
};

#endif // CONTROLWINDOW_H
