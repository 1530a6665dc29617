#ifndef FUNCTION_AF7_H
#define FUNCTION_AF7_H

#include <QByteArray>
#include <QString>
#include <QVector>
#include <QWidget>

namespace Ui {
class Function_AF7;
}

// Speed command offset (function 1007): shows the speed command voltage and the offset, steps
// the offset up or down, and stores a typed offset in the protected 32-bit register 0E53.
class Function_AF7 : public QWidget
{
    Q_OBJECT

public:
    explicit Function_AF7(QWidget *parent = nullptr);
    ~Function_AF7() override;

signals:
    void sendToMaster(QByteArray addr, QByteArray value, int windowId);
    void sendToMasterRead(QByteArray addr, QByteArray count, int windowId);
    void AlarmIsOk(bool ok);
    void sendToMasterWrite2(QByteArray addr, QByteArray data, int windowId);

public slots:
    void showAF7();
    void readDataToAF7(QVector<QString> words);
    void on_pushButton_AF7UP_clicked();
    void on_pushButton_AF7DOWN_clicked();
    void on_pushButton_adjust_clicked();
    void changeEvent(QEvent *event) override;
    void receiveWriteOutcome(int windowId, int outcome);

private:
    void readValues();
    bool write(const QByteArray &addr, const QByteArray &value);
    void step(const QByteArray &subCommand);
    void updateButtons();

    Ui::Function_AF7 *ui;
    bool replyReceived = false;
    int valueIndex = 0;
    int writeResult = -1;
    bool running = false; // the opening's reads or a command is under way
};

#endif // FUNCTION_AF7_H
