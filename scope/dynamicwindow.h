#ifndef DYNAMICWINDOW_H
#define DYNAMICWINDOW_H

#include <QByteArray>
#include <QPointer>
#include <QString>
#include <QVector>
#include <QWidget>

#include "livetrend.h"

class PollTurn;
class QCPGraph;
class QTimer;
class axisTag;

namespace Ui {
class dynamicWindow;
}

// The live trend: one drive variable (CH1) read every 40 ms and drawn as a curve that scrolls
// through the newest 100 samples, with a value tag on the right-hand axis.
//   dynamicwindow.cpp       form, plot set-up, showing, closing, channel switching, labels
//   dynamicwindow_poll.cpp  the tick, the reads and their answers
//   dynamicwindow_file.cpp  the ".Dynamic" file
class dynamicWindow : public QWidget
{
    Q_OBJECT

public:
    explicit dynamicWindow(QWidget *parent = nullptr);
    ~dynamicWindow() override;

signals:
    void readDynamicData(QByteArray addr, QByteArray count);
    void stopMainWindowQuery();
    void startMainWindowQuery();
    // Declared for the shell; nothing connects them.
    void startDynamic();
    void endDynamic();

public slots:
    void showDynamicWindow();
    void closeThisWindow();
    void EnglishLable();
    void ChineseLable();
    void readGraphDataRecieve(QVector<QString> words);
    void isOpenSerialPlot(bool open);
    void DriverModelToSave(QString model);
    void channelOne();
    void timerSlot();
    void readDataFromSerial();

    void on_pushButton_pause_clicked();
    void on_pushButton_continue_clicked();
    void on_pushButton_Reset_clicked();
    void on_pushButton_FullScreen_clicked();
    void on_pushButton_save_clicked();
    void on_checkBox_Fixed_clicked();
    void on_comboBox_CH1_currentIndexChanged(int index);

public:
    // The drawing half of a tick: one point of valueCH1, the scrolled ranges, the tag, replot.
    void plotPoint();

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void appendHistory(int value);
    void fillChannelBoxes(bool chinese);
    void stopForLanguageSwitch();
    // Asks for the read of the channel at `boxIndex` for CH1 or CH2; its end comes to readEnded().
    bool askChannel(int channelNumber, int boxIndex);
    void readEnded();
    void noteAnswer(bool answered);

public:
    Ui::dynamicWindow *ui = nullptr;
    QPointer<QCPGraph> graphCH1;
    QTimer *trendTimer = nullptr;
    axisTag *tagCH1 = nullptr;
    bool replyReceived = false;
    bool firstShow = true;
    qint32 valueCH1 = 0;
    qint32 valueCH2 = 0;
    int wordCount = 0;
    bool serialOpen = false;
    int pendingChannel = 0;
    LiveTrend::ValueHistory history;
    QString driverModel;

    // The trend's turn on the line: one read out at a time, never waited for inside the event
    // loop. A tick reads CH1, and CH2 once CH1's read has ended; ticks meanwhile are skipped.
    PollTurn *readTurn = nullptr;
    int roundChannel = 0; // the channel whose read is out (1 or 2), 0 none
    // Whether CH1's read out was answered for the variable chosen now, and the silent reads.
    bool freshCH1 = false;
    static constexpr int SilentTicks = 5;
    LiveTrend::SilentReads silence{SilentTicks};
    bool stoppedByClose = false; // the link closed under a running trend a moment ago
};

#endif // DYNAMICWINDOW_H
