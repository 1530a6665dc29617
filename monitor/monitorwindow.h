#ifndef MONITORWINDOW_H
#define MONITORWINDOW_H

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>
#include <QWidget>

#include <memory>

class QTimer;
class TreeModel;

namespace Ui {
class MonitorWindow;
}

// The drive's state variables as a table, refreshed in sweeps once a second while the window
// is open: one read per row of the monitor table, decoded by the row's type.
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

    // One sweep over every row; also the slot of the sweep timer.
    void pollAll();

    TreeModel *treeModel() const { return model.get(); }
    bool isMonitoring() const;

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

    Ui::MonitorWindow *ui = nullptr;
    std::unique_ptr<TreeModel> model;
    int currentRow = 0;
    bool replyOk = false;
    int driverChoice = 0;
    QTimer *timer = nullptr;
    bool serialOpen = false;
    // Set from Start to End (or the port's loss); the sweep timer runs only while it is set.
    bool monitoring = false;
    // The row whose answer the sweep waits for; -1 between waits, so that an answer that
    // comes after its wait never lands in another row.
    int awaitingRow = -1;
    QString tableResource;
};

#endif // MONITORWINDOW_H
