#ifndef SERIALPORT_H
#define SERIALPORT_H

#include <QByteArray>
#include <QDialog>
#include <QElapsedTimer>
#include <QHash>
#include <QQueue>
#include <QSerialPort>
#include <QTimer>
#include <QString>
#include <QVector>

#include "drivecommands.h"
#include "linedoubt.h"
#include "linetickets.h"
#include "portsettings.h"
#include "replygatherer.h"

namespace Ui {
class serialPort;
}

// The one road to the drive: the connection dialog and the Modbus RTU master.
// Windows emit request signals that main connects to the request slots; the answer comes
// back through the signal that the request's requester code selects. The link owns the line:
// one request on it at a time, the others wait their turn in order; a reply goes only to the
// request it answers; a request the drive leaves unanswered is given up after the link's limit.
// Its reply may still come, however late: until the line shows that it is back in step with that
// station, a reply that could be the late one is held until the line stays quiet, and a request
// that could be answered by it waits for a settle first. A motion stop goes ahead of every request
// waiting its turn.
class serialPort : public QDialog
{
    Q_OBJECT

public:
    // The kinds of request; each kind is answered through its own path.
    enum Mark { ReadMark, WriteMark, ModelQueryMark, GraphReadMark, GraphWriteMark, DynamicMark, StatusMark };

    explicit serialPort(QWidget *parent = nullptr);
    ~serialPort() override;

    // Opens the named port with the given settings and connects the reply side;
    // false (and nothing left open) when the port cannot be opened.
    bool openPort(const QString &name, qint32 baudRate,
                  QSerialPort::DataBits dataBits = QSerialPort::Data8,
                  QSerialPort::Parity parity = QSerialPort::NoParity,
                  QSerialPort::StopBits stopBits = QSerialPort::OneStop);
    void closePort();
    bool isPortOpen() const { return portOpen; }

    void setStation(const QString &twoHexDigits) { station = twoHexDigits.toUpper(); }
    QString stationText() const { return station; }
    QString driverModel() const { return modelName; }

    // True while the station scan runs inside the Connect handler.
    bool scanRunning() const { return scanning; }

public slots:
    // The connection dialog (serialport_dialog.cpp, serialport_scan.cpp)
    void showSerialPlotWindow();
    // The start-up choice: working off-line closes the port; either choice starts the session.
    void workOnlineOrOffline(bool online);
    // The main window gave the silent drive up: the link is closed and announced so.
    void giveUpLink();
    void changeLanguage();
    void closeThisWindow();

    // Requests (arguments as 4-digit hex text; see the requester-code table in the .cpp)
    void readSerial(QByteArray addr, QByteArray data, int flags);
    void writeSerial(QByteArray addr, QByteArray data, int code);
    void writeSerial2(QByteArray addr, QByteArray data, int code);
    void readStaticPic(QByteArray addr, QByteArray data, int code);
    void writeStaticPic(QByteArray addr, QByteArray data, int code);
    void writeStaticPic2(QByteArray addr, QByteArray data);
    void readDynamic(QByteArray addr, QByteArray data);
    void queryStatus(QByteArray addr, QByteArray count);

    // Capture upload, end of exchange, link-busy query
    void startDrow(bool draw);
    // Empties what was gathered for the window of that code (0 capture, 1 spectrum) only.
    void startUpload(int which);
    void endDrow(bool draw, int which);
    void TreeViewOk(bool ok);
    void QueryInterface(bool ok);

    // Connected to QSerialPort::readyRead while the port is open
    void HaveReadData();

signals:
    // Read answers by requester code 1..8
    void readDataToShow(QVector<QString> words);
    void readDataTOMonitor(QVector<QString> words);
    void readDataToControl(QVector<QString> words);
    void readDataToEncoder(QVector<QString> words);
    void sendEncodeQuery(QVector<QString> words);
    void readDataToMaster(QVector<QString> words);
    void readDataToAuto(QVector<QString> words);
    void SendVision(QVector<QString> words);
    // Write echoes by requester code 1, 3, 4, 6, 7
    void writeDataToCheck(QString echo);
    void writeDataToControl(QString echo);
    void writeDataToEncoder(QString echo);
    void writeDataToMaster(QString echo);
    void writeDataToAuto(QString echo);
    // An echo came for the write on the line (requester code) and was refused as not that
    // write's: it repeats another register or value. The write still waits for its own echo
    // until the link's limit; this tells its requester that the drive did send something.
    void writeEchoRefused(int code);
    // The drive answered the read or write on the line (requester code) with a Modbus exception
    // (its exception code): the request is over, and nothing more comes for it.
    void driveRefused(int code, int exception);
    // Capture reads and writes (code 0 capture window, 1 spectrum window)
    void FrameDataIsOK(bool ok);
    void FrameDataIsOK1(bool ok);
    void sendPicFinished(QString words);
    void sendPicFinished1(QString words);
    void WriteGraphToCheck(QString echo);
    void WriteGraphToCheck1(QString echo);
    void readDataToPaint(QVector<QString> words);
    void readDataToPaint1(QVector<QString> words);
    // Live trend, status query, link-busy answer
    void readDataToDynamic(QVector<QString> words);
    void sendStatus(QVector<QString> words);
    void sendQueryOperateInterface(bool busy);
    // How each request of the windows ended on the line: true when the drive answered it (a reply
    // or an exception), or sent a whole, valid frame of its station meanwhile that was refused
    // (the echo of another write); false when the link gave it up with nothing of the drive
    // heard. The station scan's queries are left out: a station that is not there says nothing
    // of the drive worked with.
    void driveAnswered(bool answered);
    // Connection broadcasts
    void isOpenSerial(bool open);
    void driverModelToSave(QString model);
    void changeFirst(bool first);
    // The connection dialog's Cancel and OK
    void showChooseDialog();
    void showMainWindow();

protected:
    void changeEvent(QEvent *event) override;
    // Return presses the focused button, or confirms the selected station, but never drops a
    // live link; Escape acts as Cancel.
    void keyPressEvent(QKeyEvent *event) override;

    // Sends the model query of the station scan (one word at addr) and marks it pending.
    void sendModelQuery(const QByteArray &addr);
    // Turns the first model word into a model name for the current drive family.
    QString decodeModelName(const QString &word) const;

private slots:
    void portError(QSerialPort::SerialPortError error);

    // Bound to the form's buttons by object name
    void on_pushButtot_Connect_clicked();
    void on_pushButton_Search_clicked();
    void on_pushButton_OK_clicked();
    void on_pushButton_Cancel_clicked();

private:
    // The dialog side
    void setupDialog();
    void initComboBoxes();
    void appendLivePorts();
    bool openPort();
    void loadPortSettings();
    void savePortSettings();
    void readDriverChoice();
    void setChoicesEnabled(bool enabled);
    void fitConnectButton();
    void dropLink();
    void closeUnconfirmedLink();
    void showDisconnected();
    void setTableHeaders();
    void warnLinkLost(const QString &portName, bool unattended);

    // One request: its frame (built when it was asked for, with the station of that moment) and
    // who gets its answer.
    struct Request
    {
        Mark kind = ReadMark;
        int code = 0;
        QByteArray frame;
        QString station;
        int replyBytes = 0;
        LineTickets::Ticket ticket = 0;
        bool first = false;  // a motion stop: ahead of every request waiting, never settled
        bool heard = false;  // a whole, valid frame of its station came, though not its answer
        qint64 sentMs = 0;   // when it went on the line (lineClock)
    };

    bool requestAllowed();
    void enqueue(Mark kind, int code, const QString &frameText);
    void sendNext();
    void sendFrame(Request &request);
    // endTicket false: the request's answer is still to be handed over (handOver ends it then).
    void finishCurrent(bool endTicket = true);
    void responseTimedOut();
    void giveUpCurrent(const char *why);
    bool firstWaiting() const;
    static int requesterOf(const Request &request);
    static int writerOf(DriveCommands::Operation operation);
    QString commandWriteRefusal(const Request &request) const;
    void dropQueue();
    void dropBytes(const QByteArray &bytes, const char *why);

    void takeReply(const QByteArray &frame);
    void deliver(const QByteArray &frame);
    void handOver();
    void endRefused(bool modelQuery, QByteArray exception = QByteArray());
    void hold(const QByteArray &frame, bool exception);
    void replyBehind();
    void confirmHeld();
    void parseGraphReply(const Request &request, const QByteArray &frame);
    void parseModelReply(const QByteArray &frame);
    void emitReadAnswer(int code, const QVector<QString> &words);
    bool emitWriteEcho(int code, const QString &echo);
    void refuseReply(ReplyGatherer::Result result);
    void tellAnswered(bool answered);

public:
    // The link state; public so the tests can see what a request left behind.
    QSerialPort *port = nullptr;
    QString station = QStringLiteral("01");
    QString confirmedStation = station; // the one OK confirmed: the scan asks others meanwhile
    bool portOpen = false;

    // The request on the line (onLine), and those waiting their turn, in order.
    bool onLine = false;
    Request current;
    QQueue<Request> queue;
    int lastGraphWriteCode = -1;

    int givenUpCount = 0; // requests given up unanswered since the link was made
    // True while a request of this kind is on the line, waiting its turn, or its answer waits to
    // be handed over.
    bool hasRequest(Mark kind) const;
    // Anything but the status poll on the line or waiting.
    bool busy() const;

    QString replyText;
    QVector<QString> modelWords;
    // The words of each window's capture upload (by its code: 0 capture window, 1 spectrum window).
    QHash<int, QVector<QString>> graphWords;
    QString graphWordText;
    bool replySeen = false;
    QString modelName;
    int driveFamily = 0;
    // The line settings the last Connect asked the port for (a pseudo-terminal refuses some).
    PortSettings requestedPortSettings;

private:
    ReplyGatherer gatherer;
    QTimer *responseTimer = nullptr;
    QTimer *settleTimer = nullptr;
    QTimer *confirmTimer = nullptr;
    QElapsedTimer lineClock;
    // What the line may still owe after requests given up.
    LineDoubt doubt;
    // Answers taken and not yet handed to their windows: each goes from the event loop, once the
    // port's own handler has returned, so a slot that still opens a box holds neither the
    // reception nor the requests behind it.
    struct Answer
    {
        Request request;
        QByteArray frame;
    };
    QQueue<Answer> answers;
    // A reply that could be a late one, held until the line has stayed quiet.
    bool holding = false;
    bool heldException = false;
    QByteArray heldReply;
    Ui::serialPort *ui = nullptr;
    bool scanning = false;
    // Set once the main window has been shown (a station confirmed, or off-line work chosen):
    // Cancel then returns to the session instead of the start-up choice.
    bool sessionRunning = false;
    bool scanWithdrawn = false; // the scan's link was closed by Cancel or Disconnect: it ends without a word
    // The open link was confirmed with OK and announced to the windows.
    bool linkConfirmed = false;
    QString lostPortName; // the line of this port went away under the scan; the scan says so
    bool modelRefused = false; // the station asked by the scan answered garbage or an exception
    bool lossTold = false;      // the link shown as up was lost and told so; no port opened since
    bool closedBoxAsked = false; // "not open" is said once for the requests that come meanwhile
};

#endif // SERIALPORT_H
