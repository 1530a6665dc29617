#ifndef FUNCTION_AF6_H
#define FUNCTION_AF6_H

#include <QByteArray>
#include <QString>
#include <QVector>
#include <QWidget>

namespace Ui {
class Function_AF6;
}

// Analog offset auto-adjust (function 1006): shows the speed and torque command voltages
// before and after the drive measures and stores their offsets.
class Function_AF6 : public QWidget
{
    Q_OBJECT

public:
    explicit Function_AF6(QWidget *parent = nullptr);
    ~Function_AF6() override;

signals:
    void sendToMaster(QByteArray addr, QByteArray value, int windowId);
    void sendToMasterRead(QByteArray addr, QByteArray count, int windowId);
    void AlarmIsOk(bool ok);

public slots:
    void showAF6();
    void readDataToAF6(QVector<QString> words);
    void on_pushButton_AF6_clicked();
    void changeEvent(QEvent *event) override;
    void receiveWriteOutcome(int windowId, int outcome);

private:
    void readVoltages();
    bool write(const QByteArray &addr, const QByteArray &value);

    Ui::Function_AF6 *ui;
    bool replyReceived = false;
    int valueIndex = 0;
    int writeResult = -1;
};

#endif // FUNCTION_AF6_H
