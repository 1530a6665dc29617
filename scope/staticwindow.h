#ifndef STATICWINDOW_H
#define STATICWINDOW_H

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QVector>
#include <QWidget>

#include <functional>

class PollTurn;
class QCPGraph;
class QCloseEvent;
class QDateTime;
class QLineEdit;
class QComboBox;
class QLabel;
class QMouseEvent;
class QSpinBox;
class QTimer;

namespace CaptureFiles {
struct StaticCapture;
struct StaticParse;
}

namespace Ui {
class staticWindow;
}

// The triggered capture window: four drive variables and four I/O signals chosen on the
// channel tab, the sampling and trigger set-up on the panel of the connected drive family,
// one plot with eight traces, files, and the loop-gain tab. The class spreads over files by
// what they hold:
//   staticwindow.cpp         construction, plot set-up, showing and closing, link, online and
//                            access-level slots
//   staticwindow_labels.cpp  the selection boxes: catalogue builders, language relabelling and
//                            the trigger-source rule
//   staticwindow_coding.cpp  sampler set-up codes and the trace-buffer decoding (thin members
//                            over samplercoding.h and tracedecoding.h)
//   staticwindow_plots.cpp   the eight traces and the plot interaction
//   staticwindow_auto.cpp    the command-file hooks
//   staticwindow_fft.cpp     the spectra sent back by the spectrum window, the spectrum export
class staticWindow : public QWidget
{
    Q_OBJECT

public:
    explicit staticWindow(QWidget *parent = nullptr);
    ~staticWindow() override;

    // "driver.ini" and "language.ini", read at the moment they are needed (staticwindow.cpp).
    void readDriverChoice();
    int readLanguageChoice();

    // Catalogue builders (staticwindow_labels.cpp).
    void fillChannelListsModelA();
    void fillChannelListsModelB();

    // Sampler set-up coding and trace decoding (staticwindow_coding.cpp).
    QByteArray channelCode(int channelIndex, int ioIndex);
    QByteArray channelCodeModelB(int index);
    QByteArray triggerModeCode(int condition, int source);
    QString levelToHex(int variableIndex, int level);
    void decodeChannel(QVector<QString> words, int channel, int kind);

    // Draws every trace whose box is checked again from its value list, each replacing its own
    // graph; the capture run and the file loader call it when new data has arrived
    // (staticwindow_plots.cpp).
    void redrawCheckedTraces();

signals:
    void imageSetting(QByteArray addr, QByteArray data, int requester);
    void imageSetting2(QByteArray addr, QByteArray data);
    void readPicData(QByteArray addr, QByteArray count, int requester);
    void startDrow(bool collect);
    void endDrow(bool draw, int requester);
    void stopMainWindowQuery();
    void startMainWindowQuery();
    void showAutoWindow();
    void closeFFT();
    void autoOperation_WOP(bool accepted, int code);
    void sendOperation_ROP(bool valid, int status);
    // Why a command-file operation failed (what a box would have said).
    void autoOperationFailed(QString reason);
    void FFTAnalyze(QVector<int> a, QVector<int> b, QVector<int> c, QVector<int> d);

public slots:
    // staticwindow.cpp
    void showStaticWindow();
    void isOpenSerialPlot(bool open);
    void DriverModelToSave(QString name);
    void changeEvent(QEvent *e) override;
    void receviePasswordFlags(bool granted);
    void receviePasswordFlags2(bool granted);
    void receiveMainWindow(bool online);
    void closeThisWindow();
    void on_pushButton_Auto_clicked();
    void on_pushButton_QuickSave_clicked();

    // staticwindow_labels.cpp
    void EnglishLable();
    void ChineseLable();
    void on_comboBox_triggerChoose1_currentIndexChanged(int index);
    void on_comboBox_triggerChoose2_currentIndexChanged(int index);

    // staticwindow_coding.cpp
    void readGraphDataRecieve(QVector<QString> words);

    // staticwindow_plots.cpp
    void channelOne();
    void channelTwo();
    void channelThree();
    void channelFour();
    void channelOne_IO();
    void channelTwo_IO();
    void channelThree_IO();
    void channelFour_IO();
    void myMouseMoveEvent(QMouseEvent *event);
    void on_pushButton_Reset_clicked();
    void on_pushButton_FullScreen_clicked();
    void on_checkBox_fixed_clicked();

    // staticwindow_auto.cpp
    void autoSampling(QString sub, QString field2, QString field3);
    void autoQuerySamplingStatus(QString sub, QString field2, QString field3);

    // The capture run, the sampler stop and the quick-change save.
    void on_pushButton_Sampling_clicked();
    void on_pushButton_Stop_clicked();
    void on_pushButton_QuickChange_clicked();

    // staticwindow_poll.cpp: the status poll and the answers of the link
    void QueryIfComplete();
    void PicStastus(QString text);
    void FrameDataIsOK(bool ok);
    void recevieWriteGraphToCheck(QString text);

    // staticwindow_files.cpp
    void on_pushButton_Save_clicked();
    void on_pushButton_Load_clicked();
    void on_pushButton_modifiedSave_clicked();
    void on_pushButton_Screenshot_clicked();

    // staticwindow_fft.cpp
    void recevieFFTResult(QVector<int> frequencies, QVector<int> amplitudes, int peak1Frequency,
                          int peak1Amplitude, int peak2Frequency, int peak2Amplitude);
    void on_pushButton_SearFile_clicked();
    void on_pushButton_IN_clicked();
    void on_pushButton_OUT_clicked();

    // staticwindow_gains.cpp
    void on_pushButton_read_clicked();
    void on_pushButton_write_clicked();

protected:
    // A capture waiting for the drive ends with the window (staticwindow_poll.cpp).
    void closeEvent(QCloseEvent *event) override;

public:
    // Members shared by every file of the window, in declaration order.
    Ui::staticWindow *ui;
    QCPGraph *graphCH2 = nullptr;
    QCPGraph *graphCH3 = nullptr;
    QCPGraph *graphCH4 = nullptr;
    QCPGraph *graphCH1 = nullptr;
    QCPGraph *graphIO2 = nullptr;
    QCPGraph *graphIO3 = nullptr;
    QCPGraph *graphIO4 = nullptr;
    QCPGraph *graphIO1 = nullptr;
    int wordIndex = 0;
    int progressValue = 0;
    bool samplingActive = true;
    bool serialOpen = false;
    QVector<QString> rawCH1, rawCH2, rawCH3, rawCH4;
    QVector<int> dataCH1, dataCH2, dataCH3, dataCH4;
    QVector<short> dataIO1, dataIO2, dataIO3, dataIO4;
    QVector<int> dataChoices; // the box entries the data held were captured or loaded under
    // The capture shown when a run started, held aside while the run fills the lists above: a
    // save during the run writes it, and it is shown again when the run draws nothing.
    struct HeldCapture {
        QVector<QString> raw[4];
        QVector<int> values[4];
        QVector<short> states[4];
        int width = 1;
    } heldAside;
    bool shownHeldAside = false;
    // The eight traces the window shows, CH1, IO1, CH2, IO2, CH3, IO3, CH4, IO4, whether a run
    // holds them aside or not.
    QVector<QVector<int>> shownTraces() const;
    void swapHeldAside();
    int dataFamily = 0;
    int samplingStatus = 0;
    bool uploadPhase = false;
    bool scaleReadPhase = false;
    bool accessFlag = false;
    QString driverModel;
    QTimer *statusTimer = nullptr;
    // The status poll's turn on the line: a tick asks for the status unless its last read is
    // still out, and never waits for the answer.
    PollTurn *statusTurn = nullptr;
    bool frameDataOk = false;
    quint64 statusPollTicket = 0; // the capture's last status poll
    int driverChoice = 0;
    int sampleWidth = 1;
    short triggerIndex = 0;
    short scaleE601 = 1;
    short scaleE602 = 1;
    int paramReadTarget = 0;
    int channelKind = 0;
    int kindCH1 = 0, kindCH2 = 0, kindCH3 = 0, kindCH4 = 0;
    int lastDriverChoice = 3;
    QString removedType1Item4, removedType1Item5, removedType2Item4, removedType2Item5;
    bool quickChangeFirst = true;
    QString quickChangeFileName;
    bool gainReadPending = false;
    int gainReadIndex = 0;
    // Command-file operations: fixed codes, the one running (-1 none), and the status that
    // "rop" reports (0 idle, 1 capture asked for or refused, 3 stop asked for or refused,
    // 5 save running, 2 the operation has returned).
    const int autoCodeS1 = 0;
    const int autoCodeS2 = 2;
    const int autoCodeS3 = 4;
    int autoRunningCode = -1;
    int autoStatus = 0;
    QString autoFailure;        // why the running command-file operation failed
    bool autoStopAsked = false; // the file stopped its own capture
    // A reason that reaches the command file is English, whatever the interface language: the
    // outside program reads it, and the command-file window translates it for its label.
    // True while an operation of the command file runs in automatic mode: nobody is there to
    // answer a box. toCommandFile keeps the reason as the operation's and returns true then;
    // otherwise it returns false and the caller shows its box.
    bool answeringCommandFile() const;
    bool toCommandFile(const char *reason);
    void finishAutoOperation(bool done, const char *fallbackReason);
    // Says the text to the person in a box, or its reason to the command file (as above): the
    // one way the window's operations tell how they went.
    enum class Box { Warning, Information };
    void tell(const QString &text, const char *reason, Box box = Box::Warning);
    void refuseAutoOperation(int code, const QString &reason);
    const char *whyButtonRefuses() const;
    QVector<int> fftCH1, fftCH2, fftCH3, fftCH4;
    QList<QString> batchFiles;
    QString batchFolder;
    int batchIndex = 0;
    int fftResultCount = 0;
    int fftPeaks[16] = {};
    QCPGraph *spectrumGraph = nullptr;
    void drawFFTResult(QVector<int> frequencies, QVector<int> amplitudes);
    void requestSpectrum();
    bool readBatchEntry(); // true when lines 1, 3, 5 and 7 were read whole

private:
    // staticwindow.cpp
    void setupPlot();
    void arrangeForFamily();
    void followSession();
    bool linkLostShown = false; // the title says the link was lost under a capture
    // The one place that enables or greys the window's buttons, from the state below, the
    // capture run's and the link's: every path that changes that state calls it.
    void applyEnabling();
    bool linkUsable = false;      // the port is open and the drive was last said to answer
    bool gainPassRunning = false; // a loop-gain Read or Setting runs
    bool hxqWaitsForStop = false; // an HXQ capture drawn: the VR-only buttons wait for Stop
    int linkChanges = 0;          // counts every link opened or lost
    // staticwindow_labels.cpp
    void relabel(bool english);
    bool englishLists = true; // the language the selection boxes were last filled in
    void fillIoLists();
    void applyTriggerSourceRule(int index, QComboBox *conditions, QLabel *levelLabel, QSpinBox *level,
                                QString &setAside4, QString &setAside5);
    // staticwindow_plots.cpp
    void drawTrace(int trace);
    QVector<int> boxChoices() const;
    QString traceName(int trace) const;
    // What a capture run was started with. The sampler is set up from it, and the trace is
    // decoded and named by it, whatever the boxes are set to while the run waits for the drive.
    struct CaptureSetup {
        QVector<int> choices; // box entries in trace order (boxChoices)
        int interval = 1, combination = 0, pretrigger = 0;
        int triggerType[2] = {}, triggerSource[2] = {}, triggerLevel[2] = {};
        bool softwareTrigger = false;
        int hxqTrigger = 0, hxqThreshold = 0, hxqTime = 1;
    };
    CaptureSetup setupFromForm() const;
    CaptureSetup runSetup; // the running capture's set-up
    // What the data held was captured or loaded under, kept with dataChoices: the settings a save
    // writes and the time unit on the plot's axis, whatever the form is set to since.
    CaptureSetup dataSetup;
    CaptureSetup shownSetup() const; // dataSetup; before any capture, the form's
    void relabelTraceAxes(); // the names on the axes of the traces drawn, as the boxes show them
    void removeTraceGraph(QCPGraph *&handle);
    void removeAllTraces();
    bool redrawingTraces = false;

    // The capture run (staticwindow_run.cpp, staticwindow_poll.cpp)
    enum class RunEnd {
        Done,       // decoded, ready to draw
        Stopped,    // Stop, or the window closed
        PortClosed, // the port closed under the run
        NoAnswer,   // a set-up write or read got no valid answer, twice
        BlockLost,  // a block of the buffer never arrived
        UploadCut,  // the words handed over were not the whole buffer
        BadLevel,   // a trigger level cannot be coded (levelToHex has said why)
    };
    bool runMayGoOn() const;
    RunEnd whyRunStops() const;
    RunEnd setupWrite(const QByteArray &reg, const QByteArray &value, int fixedMs, bool twoWords = false);
    RunEnd setupRead(const QByteArray &reg, int target, int fixedMs);
    QByteArray triggerLevelData(int source, int level);
    RunEnd completionWait(int periodMs, int doneValue, bool softwareTrigger);
    RunEnd upload(int start, int words, int firstWaitMs);
    RunEnd wholeUpload(int words);
    int uploadedWords = 0; // what a cut upload brought
    RunEnd runVr();
    RunEnd runHxq();
    void reportRunEnd(RunEnd end);
    void stopSampler();
    // Writes the sampler's stop ahead of every request waiting its turn, and takes back a
    // request of the run still waiting (a start must never follow the stop). Returns the stop's
    // ticket.
    quint64 sendSamplerStop();
    quint64 runTicket = 0; // the run's last request
    void stopRunWithNote(const char *note);
    const char *stopNote = nullptr; // why something outside the run stopped it (source text)
    QString levelRefusal;           // why the run's trigger level could not be coded
    const char *levelRefusalReason = nullptr;
    // A capture read (requester 0) with its reply awaited, sent once more when the first wait
    // ends without one; false when no reply came or goOn() turned false.
    bool readWithResend(const QByteArray &addr, const QByteArray &count, int limitMs,
                        const std::function<bool()> &goOn);
    QString failedRegister; // the register or block address a failed run names
    bool runActive = false;  // a capture run is inside on_pushButton_Sampling_clicked
    bool runClosing = false; // the window was closed while a run waited
    bool lastRunDrawn = false; // the last run ended with its capture decoded and drawn

    // staticwindow_files.cpp
    CaptureFiles::StaticCapture captureToSave(const QDateTime &when) const;
    bool findLoadedEntries(CaptureFiles::StaticParse *parse, QVector<QPair<QComboBox *, int>> *entries);
    void applyLoadedCapture(const CaptureFiles::StaticCapture &capture, const QVector<QPair<QComboBox *, int>> &entries);
    bool quickChangeSave(const QString &path, const QString &ini);
    bool refuseQuickChangeForHxq();
    bool runQuickChange();

    // staticwindow_gains.cpp
    QLineEdit *gainField(int step) const;
    bool gainUnread(int step) const;
    void showGainAnswer(const QString &text);
    void forgetGains();
};

#endif // STATICWINDOW_H
