#ifndef FUNCTION_AF11_H
#define FUNCTION_AF11_H

#include <QByteArray>
#include <QString>
#include <QVector>
#include <QWidget>

namespace Ui {
class Function_AF11;
}

// Absolute encoder reset (function 1011): shows the encoder's multi-turn count, asks, starts
// the reset and polls the drive's result register until it reports success or failure.
class Function_AF11 : public QWidget
{
    Q_OBJECT

public:
    explicit Function_AF11(QWidget *parent = nullptr);
    ~Function_AF11() override;

    // Result reads after the first one that found the reset unfinished, and the pause between
    // two reads (the tests shorten it).
    static const int MaxRetries = 8;
    int retryPauseMs = 1000;

signals:
    void sendToMaster(QByteArray addr, QByteArray value, int windowId);
    void sendToMasterToRead(QByteArray addr, QByteArray count, int windowId);
    void AlarmIsOk(bool ok);

public slots:
    void showAF11();
    void ReadDataToAF11(QVector<QString> words);
    void on_pushButton_AF11_clicked();
    void changeEvent(QEvent *event) override;
    void receiveWriteOutcome(int windowId, int outcome);

private:
    bool write(const QByteArray &addr, const QByteArray &value);
    void pollResult();
    void updateButtons();

    Ui::Function_AF11 *ui;
    bool replyReceived = false;
    // 1: the next answer is the turn count (E162); 2: the reset result (2036); 0: none expected.
    int answerMode = 0;
    int retryCount = 0;
    // The result answered to the poll read that is running (-1 until it comes).
    int result = -1;
    int writeResult = -1;
    bool running = false; // the opening's read or a reset is under way
};

#endif // FUNCTION_AF11_H
