#ifndef FUNCTION_AF30_H
#define FUNCTION_AF30_H

#include <QByteArray>
#include <QString>
#include <QVector>
#include <QWidget>

namespace Ui {
class function_AF30;
}

// Rigidity level: a level from 1 to 25 stands for four gain parameters (PA100, PA101, PA102,
// PA401); opening reads PA100 and shows the level it falls in, confirming writes the four.
class function_AF30 : public QWidget
{
    Q_OBJECT

public:
    explicit function_AF30(QWidget *parent = nullptr);
    ~function_AF30() override;

    void showAF30Window();
    void receiveAF30Values(QVector<QString> words);

    int speedLoopGain = 0;
    int speedIntegralTime = 0;
    int positionLoopGain = 0;
    int torqueFilterTime = 0;

signals:
    void sendToMaster(QByteArray addr, QByteArray value, int windowId);
    void sendToMasterToRead(QByteArray addr, QByteArray count, int windowId);
    void AlarmIsOk(bool ok);

public slots:
    void on_horizontalSlider_valueChanged(int level);
    void on_lineEdit_Value_textChanged(const QString &text);
    void on_lineEdit_Value_editingFinished();
    void on_pushButton_read_clicked();
    void on_pushButton_write_clicked();
    void changeEvent(QEvent *event) override;
    void receiveWriteOutcome(int windowId, int outcome);

private:
    // Field and slider at `level`, which the four values follow.
    void showLevel(int level);
    // The drive's level is not known: the field shows the unread mark (with `why` as its tool
    // tip), the slider is greyed at its start and shows no level until one is read or typed.
    void showLevelUnknown(const QString &why = QString());
    // After a write the drive did not confirm whole: its four gains are read back.
    void readBack();

    Ui::function_AF30 *ui;
    int writeResult = -1;
    int driveLevel = 0; // the level the drive was read or written at; 0 while not known
    bool readingBack = false;
    QVector<int> gainsRead; // PA100, PA101, PA102, PA401 as read back
};

#endif // FUNCTION_AF30_H
