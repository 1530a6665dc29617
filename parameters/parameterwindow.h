#ifndef PARAMETERWINDOW_H
#define PARAMETERWINDOW_H

#include <QByteArray>
#include <QElapsedTimer>
#include <QString>
#include <QVector>
#include <QWidget>

#include <functional>
#include <memory>

class QTreeView;
class TreeModel;
class parameterDelegation;

namespace Ui {
class parameterWindow;
}

// The drive's parameter table: the catalogue of the chosen drive family and language in a
// checkable tree, in full on the All tab and split over seven group tabs, sharing one model
// and one value editor. The window is spread over several files by what they hold:
//   parameterwindow.cpp          form, catalogue loading, group tabs, search, check-all, state slots
//   parameterwindow_readdata.cpp addressing and the read-reply slot (readData)
// and the transfers, files and command-file services, each in a file of its own.
class parameterWindow : public QWidget
{
    Q_OBJECT

public:
    explicit parameterWindow(QWidget *parent = nullptr);
    ~parameterWindow() override;

    // "driver.ini" and "language.ini", read at the moment they are needed.
    int readDriverChoice();
    int readLanguageChoice();

    // Register address of the parameter row at the row cursor, VR road / HXQ road.
    QByteArray paramAddressHex();
    QByteArray paramAddressDec();
    QString toHexText(int value);

    // Spreads the value of a switch word (attribute 0 or 1) over its digit rows; other rows
    // are left alone. spreadAllSwitchDigits runs it over every parameter row in order.
    void spreadSwitchDigits(int row);
    void spreadAllSwitchDigits();

    // The eight views: All, then PA0xx .. PA6/7xx.
    QVector<QTreeView *> views() const;
    int parameterRowCount() const;

    // A transfer (or anything else that walks the rows) holds the model while it runs: a
    // language switch or a change of drive family that comes meanwhile is carried out only
    // when the last hold is released, so the model is never replaced under a running
    // operation. The upload, download and reset flags count as holds too; an operation that
    // clears its flag calls applyDeferredReload() afterwards.
    class ModelHold
    {
    public:
        explicit ModelHold(parameterWindow *window);
        ~ModelHold();
        ModelHold(const ModelHold &) = delete;
        ModelHold &operator=(const ModelHold &) = delete;

    private:
        parameterWindow *window;
    };
    bool modelBusy() const;
    void applyDeferredReload();
    void setTableRepaints(bool enabled);

signals:
    void readSerialStr(QByteArray addr, QByteArray data, int flags);
    void writeSerialStr(QByteArray addr, QByteArray data, int flags);
    void writeSerialStr2(QByteArray addr, QByteArray data, int flags);
    void sendMatchName(QString name);
    void sendMatchOnlineData(QVector<QString> values);
    // The numbers of the rows whose values sendMatchOnlineData carries, in the same order, sent
    // just before them, so that the compare window pairs the values by number.
    void sendMatchOnlineNumbers(QVector<QString> numbers);
    void showCompareWindow();
    void isOnLine(bool online);
    void TreeViewOk(bool ok);
    void sendParameterIsOk(bool busy);
    void endOperation(bool ok, int code);
    void sendOperation_RV(int value);
    // A request of the command file turned away before anything was sent, and why (in the
    // file's English): the automation window answers it with that reason.
    void autoRequestRefused(QString reason);
    void stopMainWindowQuery();
    void startMainWindowQuery();

public slots:
    void showParameterWindow();
    bool readData(QVector<QString> words);
    void isOpenSerial(bool open);
    void changeFrist(bool first);
    void DriverModelToSave(QString name);
    void changeLanguageToEnglsih();
    void changeLanguageToChinese();
    void receiveOnline_offline(bool online);
    void receiveEncoderIsOk(bool busy);
    void receiveMainWindow(bool online);
    void closeThisWindow();
    void on_checkBox_All_clicked();
    void on_lineEdit_textChanged(const QString &text);

    // Transfers: upload and first read, download, factory reset (parameterwindow_upload.cpp,
    // parameterwindow_download.cpp, parameterwindow_reset.cpp; shared steps in parameterwindow_transfer.cpp).
    void receiveWriteDataToCheck(QString echo);
    void on_pushButton_Upload_clicked();
    void on_pushButton_Download_clicked();
    void on_pushButton_Default_clicked();

    // Parameter files and the compare window's questions (parameterwindow_files.cpp).
    void matchingName(QString number);
    void OnlineMatchData();
    void on_pushButton_Save_clicked();
    void on_pushButton_Load_clicked();
    void on_pushButton_Compare_clicked();

    // Command-file services (parameterwindow_command.cpp): requests of the automation window,
    // sent with requester 7, and the drive's variable-operation mailbox.
    void AutoReadParameter(QString field1, QString field2, QString field3);
    void AutoReadMonitor(QString field1, QString field2, QString field3);
    void AutoWriteParameter(QString field1, QString field2, QString field3);
    void AutoStartOperation_WV(QString field1, QString field2, QString field3);
    void AutoStartOperation_RV(QString field1, QString field2, QString field3);
    void queryOperation_WV();
    void stopOperation(bool stop);
    // The link handed the automation window the answer to the pending requester-7 request.
    void autoAnswerCame();

protected:
    void changeEvent(QEvent *e) override;

private slots:
    void showRefusal(const QString &number, const QString &reason);

private:
    bool autoPortReady();
    bool autoRefuses();
    bool autoLinkLost();
    bool autoExchange(const std::function<void()> &send, int limitMs, const std::function<bool()> &done = {});
    bool autoWrite(const QByteArray &address, const QByteArray &value, bool twoRegisters = false);
    bool autoRead(const QString &address, int words);
    bool autoQueryStatus();
    QStringList headerTexts() const;
    void loadCatalogue(int family, int language);
    void attachGroupViews();
    void startAtDefaults();
    void enableControls();
    void requestReload(int family, int language, bool setsFirstRead, bool setsModelFamily);
    void followSession();
    // A new connection: the open table reads the drive at once.
    void readOnConnection();
    void forgetDriveValues();
    void noteDriveValue(int row);
    void showUnanswered(int row);
    bool onlineOffered = false; // the compare window was last offered the online comparison
    // The value text each row last got from the drive; null where the row's value is not the
    // drive's (a default, a file's, or nothing read over the present link).
    QVector<QString> driveValueTexts;
    // Rows whose value the person typed or loaded and no read has replaced since.
    QVector<bool> typedOrLoaded;

    // Shared steps of the transfers (parameterwindow_transfer.cpp).
    bool transferRunning() const { return uploadRunning || downloadRunning || resetRunning; }
    bool startTransfer(const QString &runningText, bool askReset);
    void withdrawTransfer();
    void finishTransfer();
    bool readExchange(const QByteArray &addr, const QByteArray &count);
    bool writeExchange(const QByteArray &addr, const QByteArray &data, bool twoRegisters, int firstWaitMs,
                       int settleMs = 0);
    bool isParameterEntry(const QPersistentModelIndex &entry) const;
    void markStatus(int row, const QString &text);
    int markOutcomes(const QVector<QPair<int, bool>> &outcomes, const QString &doneText, const QString &failedText);
    void reportFailures(int failed, const QString &text);
    int uploadChecked(bool *interrupted);
    int readAllInformation(bool *interrupted);
    void showProgress(int value);

public:
    // Form, model and editor.
    Ui::parameterWindow *ui;
    std::unique_ptr<TreeModel> model;
    parameterDelegation *delegate = nullptr;

    // Position of the running transfer.
    int rowCursor = 0;
    int progressCount = 0;
    int replyRow = 0;            // the row the next read reply of an upload fills
    QElapsedTimer progressShown; // when the progress bar last moved

    QString driverModelName;

    bool uploadRunning = false;
    bool downloadRunning = false;
    bool resetRunning = false;
    bool firstRead = true;       // the next upload reads values, limits and defaults
    bool portOpen = false;
    bool readReplyOk = false;
    bool online = false;
    QVector<QString> onlineValues;

    int driverFamily = 0;
    int modelFamily = 3;         // the family the model was last built for by a show; 3 is none
    bool motorBusy = false;
    bool stopRequested = false;
    int readBackStage = 0;       // stage of a command-file variable read: 653, 654, 655
    bool autoAnswered = false;   // the pending command-file request has its answer
    bool autoWaiting = false;    // a command-file request waits for its answer
    bool closedWithMainWindow = false; // closeThisWindow dropped the port flag; the next isOpenSerial raises it
    bool driveReachable = true;  // what the port and the main window said last; the form starts enabled

private:
    int connectionCount = 0;     // changeFrist calls so far: a first read sees a reconnect
    int modelHolds = 0;
    bool reloadPending = false;
    int pendingFamily = 0;
    int pendingLanguage = 0;
    bool pendingFirstRead = false;
    bool pendingModelFamily = false;
};

#endif // PARAMETERWINDOW_H
