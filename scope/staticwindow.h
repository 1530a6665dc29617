#ifndef STATICWINDOW_H
#define STATICWINDOW_H

#include <QString>
#include <QWidget>

namespace Ui {
class staticWindow;
}

// The capture window. For now it holds what the command-file automation needs: the
// automation button (second access level), the port state, and the two hooks through which
// the command file starts, stops and saves captures and asks how the last one went. The
// capture itself (set-up, run, upload, plots, files) is filled in behind the same buttons.
//   staticwindow.cpp       form, showing, port and access-level slots
//   staticwindow_auto.cpp  the command-file hooks
class staticWindow : public QWidget
{
    Q_OBJECT

public:
    explicit staticWindow(QWidget *parent = nullptr);
    ~staticWindow() override;

signals:
    void showAutoWindow();
    void autoOperation_WOP(bool accepted, int code);
    void sendOperation_ROP(bool valid, int status);

public slots:
    void showStaticWindow();
    void closeThisWindow();
    void isOpenSerialPlot(bool open);
    void receiveMainWindow(bool online);
    void receviePasswordFlags2(bool granted);
    void autoSampling(QString sub, QString field2, QString field3);
    void autoQuerySamplingStatus(QString sub, QString field2, QString field3);

    void on_pushButton_Auto_clicked();
    // The capture run, the sampler stop and the quick-change save.
    void on_pushButton_Sampling_clicked();
    void on_pushButton_Stop_clicked();
    void on_pushButton_QuickChange_clicked();

public:
    Ui::staticWindow *ui;
    bool serialOpen = false;

    // Command-file operations: fixed codes, the one running (-1 none), and the status that
    // "rop" reports (0 idle, 1 capture asked for or refused, 3 stop asked for or refused,
    // 5 save running, 2 the operation has returned).
    const int autoCodeS1 = 0;
    const int autoCodeS2 = 2;
    const int autoCodeS3 = 4;
    int autoRunningCode = -1;
    int autoStatus = 0;
};

#endif // STATICWINDOW_H
