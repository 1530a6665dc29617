#ifndef FFTWINDOW_H
#define FFTWINDOW_H

#include <QByteArray>
#include <QString>
#include <QVector>
#include <QWidget>

#include "spectrumcomputation.h"

class QCPGraph;
class QCustomPlot;
class QEvent;
class QMouseEvent;
class QTimer;
class PollTurn;

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
    // What the plots and peaks show, and so what Save writes: the samples with the interval,
    // channel and drive model they were taken under.
    struct ShownSamples {
        QVector<int> samples;
        int multiplier = 0;
        int channel = -1;    // a capture's channel, named in the language shown when saved
        QString channelName; // the name a loaded file gave its samples
        QString driveModel;
    };
    void showSamples(const ShownSamples &what);
    void computeSpectrumAt(const QVector<int> &values, int multiplier);
    void showPeaks(const QVector<SpectrumComputation::Peak> &peaks);
    void askSamplingStatus();
    void stopSampler();
    bool runCapture();
    bool setupWrite(const QByteArray &reg, const QByteArray &value, int fixedMs);
    bool readWithResend(const QByteArray &reg, const QByteArray &count, PendingRead what, int limitMs);
    bool readOne(const QByteArray &reg, PendingRead what, int fixedMs);
    void endCapture();
    void setProgress(int value);
    // What a capture that ended early has to say, kept until it is over.
    enum class CaptureNote { None, SetupRefused, TimedOut, LanguageSwitched };
    CaptureNote captureNote = CaptureNote::None;
    void noteCaptureEnd(CaptureNote note);
    void tellCaptureNote();

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

    bool captureRunning = true;
    bool blockReceived = false;
    // The capture's status poll: one read out at a time, never waited for by the tick.
    PollTurn *statusTurn = nullptr;
    // The capture's request that waits for its answer: Stop takes it back if it has not gone out.
    quint64 captureRequest = 0;
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
    // What the running capture is taken with, fixed when Start is pressed.
    int captureMultiplier = -1;
    int captureChannel = -1;
    // Empty until a capture or Load is shown; a failed one leaves it as it was.
    ShownSamples shown;
};

#endif // FFTWINDOW_H
