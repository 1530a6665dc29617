#ifndef FFTWINDOW_H
#define FFTWINDOW_H

#include <QByteArray>
#include <QString>
#include <QVector>
#include <QWidget>

class QCPGraph;
class QCustomPlot;
class QEvent;
class QMouseEvent;
class QTimer;

namespace Ui {
class FFT_Window;
}

// The spectrum window: a one-channel capture of speed or torque from the drive (or samples from
// a file, or the capture window's four channels), its spectrum in amplitude and phase, and the
// four largest peaks. The arithmetic lives in spectrumcomputation, samplering and samplefile.
// fftwindow.cpp: the frame, plots and language; fftwindow_capture.cpp: the capture;
// fftwindow_files.cpp: Save and Load.
class FFT_Window : public QWidget
{
    Q_OBJECT

public:
    explicit FFT_Window(QWidget *parent = nullptr);
    ~FFT_Window() override;

    void computeSpectrum(QVector<int> samples);
    void findPeaks();
    void plotAmplitude();
    void plotPhase();
    QByteArray channelSourceCode(int index);
    void samplesFromRing(QVector<QString> words, int kind);

signals:
    void imageWrite(QByteArray addr, QByteArray value, int code);
    void imageRead(QByteArray addr, QByteArray count, int code);
    void startDrow(bool draw);
    void endDrow(bool draw, int which);
    void closeStatic();
    void sendFFTResult(QVector<int> frequencies, QVector<int> amplitudes, int peak1Frequency,
                       int peak1Amplitude, int peak2Frequency, int peak2Amplitude);

public slots:
    void PicStastus(QString words);
    void FrameDataIsOK(bool ok);
    void recevieWriteGraphToCheck(QString echo);
    void readGraphDataRecieve(QVector<QString> words);
    void isOpenSerialPlot(bool open);
    void receiveMainWindow(bool online);
    void DriverModelToSave(QString model);
    void showFFTWindow();
    void closeThisWindow();
    void EnglishLable();
    void ChineseLable();
    // A language switch closes the link: a running capture stops first, while its stop can
    // still reach the drive.
    void stopBeforeLinkCloses();
    void FFTAnalyze(QVector<int> first, QVector<int> second, QVector<int> third, QVector<int> fourth);
    void myMouseMoveEvent(QMouseEvent *event);
    void pollSamplingStatus();

protected:
    void changeEvent(QEvent *event) override;

private slots:
    void on_pushButton_Start_clicked();
    void on_pushButton_stop_clicked();
    void on_pushButton_Save_clicked();
    void on_pushButton_Load_clicked();
    void on_pushButton_Hidden_clicked();
    void on_pushButton_reveal_clicked();
    void on_pushButton_Reset_clicked();
    void on_pushButton_showPhase_clicked();
    void on_pushButton_showAmplitude_clicked();

private:
    // Which read the link is answering; an answer is taken only for the read it answers.
    enum class PendingRead { None, Scale, Status, Block, TriggerIndex };

    int readLanguageChoice();
    void showLinkDown();
    void relabelChannels(const QString &speed, const QString &torque);
    bool intervalUsable();
    void setupPlot(QCustomPlot *plot);
    void plotHalf(QCustomPlot *plot, const QVector<int> &values, const QString &label, QCPGraph **graph);
    void showSpectrumOf(const QVector<int> &values);
    bool runCapture();
    bool setupWrite(const QByteArray &reg, const QByteArray &value, int fixedMs);
    bool readWithResend(const QByteArray &reg, const QByteArray &count, PendingRead what, int limitMs);
    bool readOne(const QByteArray &reg, PendingRead what, int fixedMs);
    void endCapture();
    void setProgress(int value);

public:
    // The window's state; public so the tests can see what a capture left behind.
    Ui::FFT_Window *ui = nullptr;
    QCPGraph *amplitudeGraph = nullptr;
    QCPGraph *phaseGraph = nullptr;

    QVector<QString> rawWords;
    QVector<int> frequencies;
    QVector<int> amplitudes;
    QVector<int> phases;
    QVector<int> samples;

    bool writeAcked = false;
    bool captureRunning = true;
    bool blockReceived = false;
    quint64 statusPollTicket = 0; // the capture's last status poll
    bool portOpen = false;
    int samplerStatus = 0;
    qint16 ringStart = 0;
    qint16 speedScale = 0;
    int scaleKind = 0;
    int scaleKindUsed = 0;
    int progressCount = 0;
    int tickLimit = 0;
    int tickCount = 0;
    QTimer *statusTimer = nullptr;

    int sampleCount = 0;
    int periodMultiplier = 0;
    int peak1Frequency = 0;
    int peak1Amplitude = 0;
    int peak2Frequency = 0;
    int peak2Amplitude = 0;

    QString driveModel;

    // A capture is on the stack (Start runs, possibly inside one of its waits).
    bool captureActive = false;
    // Start's state as the last port or online announcement left it.
    bool startAllowed = true;
    PendingRead pendingRead = PendingRead::None;
    bool speedScaleRead = false;
    bool ringStartRead = false;
    // What the last capture was taken with, for Save.
    int captureMultiplier = -1;
    int captureChannel = -1;
    // The samples came from a file, saved under `loadedChannel`.
    bool samplesLoaded = false;
    QString loadedChannel;
};

#endif // FFTWINDOW_H
