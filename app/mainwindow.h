#ifndef MAINWINDOW_H
#define MAINWINDOW_H

#include <QByteArray>
#include <QMainWindow>
#include <QString>
#include <QVector>

#include <memory>

#include "actionenabling.h"

class QAction;
class QLabel;
class QTimer;
class HelpLauncher;
class PollTurn;
class LanguageSwitcher;

namespace Ui {
class MainWindow;
}

// The tool's main window: its menus and tool bar open every other window through signals that
// main connects; it keeps the online state, enables the drive actions by family, online state
// and access level, switches the language while the program runs, and polls the drive's status
// word every two seconds without waiting for it (mainwindow_poll.cpp).
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // Reads "driver.ini" into `family`.
    void readDriverChoice();

    // The maker shown in the About box and the status-bar link.
    static QString makerName();
    static QString makerAddress();

    // For the tests: the state the poll works on.
    bool isOnline() const { return online; }
    bool pollAnswered() const { return answered; }
    // The state line of the status bar: "OnLine", "OffLine" (or "off" before any choice).
    QString linkState() const;
    bool isPolling() const;
    // A tick's read is out (waiting its turn or on the line), or the tick has not ended yet.
    bool tickUnderWay() const;
    int missCount() const { return misses; }
    int driveFamily() const { return family; }
    bool alarmAnnounced() const { return alarmShown != 0; }
    QString powerStatus() const { return powerText; }
    QString alarmStatus() const { return alarmText; }
    QAction *actionFor(ActionEnabling::Action which) const;
    // The one help launcher, made by the first help request and kept for the later ones.
    HelpLauncher &helpViewer();

signals:
    void showDynamic();
    void showStatic();
    void showParameter();
    void showComparePage();
    void showSerialConnect();
    void showPassWordDialog();
    void showMonitorWindow();
    void showControlWindow();
    void showEncoderDataWindow();
    void showMasterWindow(MainWindow *window);
    void showVersionsWindow();
    void showFFTWindow();

    // The poll (mainwindow_poll.cpp)
    void sendOnlineOrOffLine(bool online);
    void QueryOperateInterface(bool ask);
    void queryDriverStatus(QByteArray addr, QByteArray count);

    // Relays of the auxiliary-function panel's traffic
    void sendMasterReadData(QVector<QString> words);
    void sendMasterWriteData(QString echo);
    void readSerial(QByteArray addr, QByteArray count, int code);
    void writeSerial(QByteArray addr, QByteArray data, int code);

    void closeAllWindow();
    // The user gave the silent link up: the port is closed, so that nothing shows it as open.
    void giveUpLink();
    void changeLanguageEnglish();
    void changeLanguageChinese();

public slots:
    void showMainWindow();
    void isOpenSerialPlotOK(bool open);
    void offLineIsOk(bool onlineChosen);
    void passwordIsOK(bool accepted);
    void stopQuery();
    void StartQuery();
    // The panel and monitor windows send themselves; they are shown as top-level windows.
    void showMasterWindowInMdi(QWidget *w);
    void showMonitorWindowInMdi(QWidget *w);

    void queryStatus();
    void recevieStatus(QVector<QString> words);
    void recevieveInterface(bool busy);
    // How a request on the line ended (the link's driveAnswered), whichever window asked it.
    void linkAnswered(bool heard);

    void openUrl(QString url);
    void recevieReadData(QVector<QString> v);
    void recevieWriteData(QString s);
    void masterToRead(QByteArray addr, QByteArray count, int code);
    void masterToWrite(QByteArray addr, QByteArray data, int code);
    void removeMaster(QWidget *w);
    void removeMonitor(QWidget *w);

private slots:
    void on_action_Dynamic_triggered();
    void on_action_Static_triggered();
    void on_action_Parameter_triggered();
    void on_action_Compare_triggered();
    void on_action_triggered();
    void on_action_English_triggered();
    void on_action_Chinese_triggered();
    void on_action_help_triggered();
    void on_action_PassWord_triggered();
    void on_action_Alarm_triggered();
    void on_action_motorParameter_triggered();
    void on_action_master_triggered();
    void on_action_monitor_triggered();
    void on_action_Analysis_triggered();
    void on_action_help_2_triggered();
    void on_action_version_triggered();

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void applyEnabling(ActionEnabling::Event event);
    void apply(const ActionEnabling::Settings &settings);
    void explainDisabledActions();
    void switchLanguage(int newLanguage);
    void relabel();
    void fitMenus();
    void askToReconnect();
    void reconnectAnswered(bool keepTrying);
    bool askDrive(const QByteArray &reg);
    void statusReadEnded();
    void endTick();
    void abandonTick();
    // The one place the state line's "OnLine"/"OffLine" is set, with what the grant is judged by.
    void showLinkState(bool answers);

    Ui::MainWindow *ui;
    bool online = false;
    QTimer *poll = nullptr;
    std::unique_ptr<LanguageSwitcher> translator;
    int language = 0;
    bool alarmSeen = false;
    int alarmShown = 0;
    QString powerText;
    QString alarmText;
    int family = 0;
    // The tick's own status read: set when it is answered, cleared when the next tick starts.
    bool answered = false;
    // What the state line says: the drive answered its last request, whichever window asked it
    // (or the scan, on a link just confirmed). The access level is judged by it, so a password
    // takes exactly while the line says "OnLine", with the poll running or paused.
    bool driveAnswers = false;
    int misses = 0;
    std::unique_ptr<HelpLauncher> helpLauncher;
    QLabel *linkLabel = nullptr;
    // The link's state, in a label of its own: a menu's hover text covers it only for a while.
    QLabel *stateLabel = nullptr;

    // Whether the poll should run: cleared by stopQuery, set by StartQuery and showMainWindow.
    bool pollWanted = false;
    // Set while the main window is closed: a window closing on closeAllWindow may ask for the
    // poll again, which must not bring it back.
    bool closed = false;
    bool reconnectQuestionOpen = false;

    // The poll's one read at a time: the status word, then (once) the alarm code.
    enum class TickStep { None, StatusWord, AlarmCode };
    TickStep tickStep = TickStep::None;
    PollTurn *statusTurn = nullptr;
    quint64 statusTicket = 0; // the poll's read asked last
};

#endif // MAINWINDOW_H
