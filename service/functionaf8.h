#ifndef FUNCTIONAF8_H
#define FUNCTIONAF8_H

#include <QByteArray>
#include <QString>
#include <QVector>
#include <QWidget>

namespace Ui {
class FunctionAF8;
}

// Torque command offset (function 1008): shows the torque command voltage and the offset, steps
// the offset up or down, and stores a typed offset in the protected 16-bit register 0E56.
class FunctionAF8 : public QWidget
{
    Q_OBJECT

public:
    explicit FunctionAF8(QWidget *parent = nullptr);
    ~FunctionAF8() override;

signals:
    void sendToMaster(QByteArray addr, QByteArray value, int windowId);
    void sendToMasterRead(QByteArray addr, QByteArray count, int windowId);
    void AlarmIsOk(bool ok);


public slots:
    void showAF8();
    void readDataToAF8(QVector<QString> words);
    void on_pushButton_AF8Up_clicked();
    void on_pushButton_AF8Down_clicked();
    void on_pushButton_adjust_clicked();
    void changeEvent(QEvent *event) override;
    void receiveWriteOutcome(int windowId, int outcome);

private:
    void readValues();
    bool write(const QByteArray &addr, const QByteArray &value);
    void step(const QByteArray &subCommand);
    void updateButtons();

    Ui::FunctionAF8 *ui;
    bool replyReceived = false;
    int valueIndex = 0;
    int writeResult = -1;
    bool running = false; // the opening's reads or a command is under way
};

#endif // FUNCTIONAF8_H
