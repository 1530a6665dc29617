#ifndef MONITORWINDOW_H
#define MONITORWINDOW_H

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>
#include <QWidget>

#include <memory>

class PollTurn;
class QTimer;
class TreeModel;

namespace Ui {
class MonitorWindow;
}

// The drive's state variables as a table, refreshed in sweeps once a second while the window
// is open: one read per row of the monitor table, decoded by the row's type. A sweep never
// waits inside the event loop: each row's read is asked when the previous row's read has
// ended, so other windows' requests take their turns on the line between the rows.
class MonitorWindow : public QWidget
{
    Q_OBJECT

public:
    explicit MonitorWindow(QWidget *parent = nullptr);
    ~MonitorWindow() override;

    // Connected by main (plain member functions).
    void showMonitor();
    void setSerialOpen(bool open);
    void setOnline(bool online);
    void receiveMonitorData(QVector<QString> words);
    void loadTreeChinese();
    void loadTreeEnglish();
    void closeMonitor();

    // Starts a sweep over every row, unless one is still running; also the slot of the sweep
    // timer.
    void pollAll();

    TreeModel *treeModel() const { return model.get(); }
    bool isMonitoring() const;
    bool isSweeping() const { return sweeping; }

signals:
    void readSerial(QByteArray addr, QByteArray count, int requester);
    void treeViewOK(bool answered);
    void sendThis(MonitorWindow *window);
    void stopMainWindowQuery();
    void startMainWindowQuery();
    void removeMonitor(MonitorWindow *window);

public slots:
    void changeEvent(QEvent *event) override;

private slots:
    void on_pushButton_startMonitor_clicked();
    void on_pushButton_endMonitor_clicked();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QByteArray monitorRegister() const;
    QString bitsToString(int value) const;
    void readDriverChoice();
    int readLanguageChoice() const;
    QStringList headers() const;
    QString tableOfLanguage() const;
    void setTable(const QString &resource);
    void clearValues();
    void applyColumns();
    void endMonitoring();
    void reportLinkDown();
    void askRow();
    void rowEnded();
    void stopSweep();
    void linkLost();

    Ui::MonitorWindow *ui = nullptr;
    std::unique_ptr<TreeModel> model;
    int currentRow = 0;
    bool replyOk = false;
    int driverChoice = 0;
    QTimer *timer = nullptr;
    bool serialOpen = false;
    // Set from Start to End (or the port's loss); the sweep timer runs only while it is set.
    bool monitoring = false;
    // A sweep has started and its last row's read has not ended yet.
    bool sweeping = false;
    // The turn of the row reads on the line, and the request of the row whose read is out
    // (0 between reads), so that an answer to another read never lands in a row.
    PollTurn *turn = nullptr;
    quint64 rowTicket = 0;
    int awaitingRow = -1;
    // The word count of the last row of a known type (a row of another type reads as many).
    QByteArray rowWords;
    QString tableResource;
};

#endif // MONITORWINDOW_H
