#ifndef FUNCTION_AF1_H
#define FUNCTION_AF1_H

#include <QByteArray>
#include <QString>
#include <QVector>
#include <QWidget>

namespace Ui {
class Function_AF1;
}

// Position teaching: shows the motor feedback and command pulse counts and has the drive
// clear both (function 1001). Reaches the drive through the auxiliary-function panel only.
class Function_AF1 : public QWidget
{
    Q_OBJECT

public:
    explicit Function_AF1(QWidget *parent = nullptr);
    ~Function_AF1() override;

signals:
    void sendToMaster(QByteArray addr, QByteArray value, int windowId);
    void sendToMasterToRead(QByteArray addr, QByteArray count, int windowId);
    void AlarmIsOk(bool ok);

public slots:
    void on_pushButton_AF1_clicked();
    void changeEvent(QEvent *event) override;
    void showFunctionAF1();
    void ReadDataToShow(QVector<QString> words);
    // The panel's word on the write this dialog asked for.
    void receiveWriteOutcome(int windowId, int outcome);

private:
    void read(int index);
    bool write(const QByteArray &addr, const QByteArray &value);

    Ui::Function_AF1 *ui;
    int valueIndex = 0;
    int writeResult = -1;
};

#endif // FUNCTION_AF1_H
