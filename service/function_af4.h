#ifndef FUNCTION_AF4_H
#define FUNCTION_AF4_H

#include <QByteArray>
#include <QString>
#include <QVector>
#include <QWidget>

class QTableWidgetItem;

namespace Ui {
class function_AF4;
}

// Alarm reset and alarm history: the last ten alarms with their times and texts, the current
// alarm, its reset (function 2001) and the clearing of the history (function 1004).
class function_AF4 : public QWidget
{
    Q_OBJECT

public:
    explicit function_AF4(QWidget *parent = nullptr);
    ~function_AF4() override;

    int readLanguageChoice() const;

signals:
    void sendToMaster(QByteArray addr, QByteArray value, int windowId);
    void sendToMasterAlarm(QByteArray addr, QByteArray count, int windowId);
    void AlarmIsOK(bool ok);

public slots:
    void showAF4();
    void receiveAlarmData(QVector<QString> words);
    void on_pushButton_resert_clicked();
    void on_pushButton_UploadAlarm_clicked();
    void on_pushButton_AF4_clicked();
    void changeEvent(QEvent *event) override;
    void receiveWriteOutcome(int windowId, int outcome);

private:
    QTableWidgetItem *makeAlarmItem(const QVector<QString> &words, int kind);
    void fillAlarmTexts();
    void showHistoryUnread();
    void setHeaderLabels();
    void updateButtons();
    void readHistory();
    void readRegister(int index, const QByteArray &addr, const QByteArray &count);
    bool write(const QByteArray &addr, const QByteArray &value);

    Ui::function_AF4 *ui;
    bool replyReceived = false;
    int pendingIndex = 0;
    int writeResult = -1;
    bool running = false; // a read of the history or a command is under way
};

#endif // FUNCTION_AF4_H
