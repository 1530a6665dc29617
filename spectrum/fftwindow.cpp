// The spectrum window's frame: the form, the two plots and their drawing, the mouse read-out,
// the view buttons, the language, the transform and peaks, and the capture window's requests.

#include "fftwindow.h"
#include "ui_fftwindow.h"

#include "choicefiles.h"
#include "plotlook.h"
#include "pollturn.h"
#include "spectrumcomputation.h"

#include <QEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QTimer>
#include <QToolTip>

#include <climits>

#include <qcustomplot.h>

namespace {

QPen axisPen(const QColor &colour)
{
    return QPen(QBrush(colour), 1, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin);
}

void colourAxis(QCPAxis *axis, const QColor &colour)
{
    axis->setTickLabelColor(colour);
    axis->setLabelColor(colour);
    axis->setBasePen(axisPen(colour));
    axis->setTickPen(axisPen(colour));
    axis->setSubTickPen(axisPen(colour));
}

} // namespace

FFT_Window::FFT_Window(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::FFT_Window)
{
    ui->setupUi(this);

    setupPlot(ui->widget_FFTphase);
    setupPlot(ui->widget_amplitude);

    statusTimer = new QTimer(this);
    connect(statusTimer, &QTimer::timeout, this, &FFT_Window::pollSamplingStatus);
    statusTurn = new PollTurn(this);

    if (readLanguageChoice() != 0)
        ChineseLable();
    else
        EnglishLable();

    ui->progressBar->hide();
    ui->progressBar->setRange(0, 40);
    ui->spinBox_time->setValue(1);
    ui->pushButton_reveal->hide();

    const QList<QLineEdit *> peakEdits = {ui->lineEdit_fre1, ui->lineEdit_fre2, ui->lineEdit_fre3, ui->lineEdit_fre4,
        ui->lineEdit_amplitude1, ui->lineEdit_amplitude2, ui->lineEdit_amplitude3, ui->lineEdit_amplitude4};
    for (QLineEdit *edit : peakEdits)
        edit->setEnabled(false);

    ui->comboBox_Choose->setCurrentIndex(1);

    setAttribute(Qt::WA_MouseTracking, true);
    connect(ui->widget_FFTphase, &QCustomPlot::mouseMove, this, &FFT_Window::myMouseMoveEvent);
}

FFT_Window::~FFT_Window()
{
    statusTimer->stop();
    delete statusTimer;
    statusTimer = nullptr;
    delete ui;
}

void FFT_Window::setupPlot(QCustomPlot *plot)
{
    // Drag and zoom move the value axis only; the frequency axis follows the data.
    plot->setInteractions(QCP::iRangeDrag | QCP::iRangeZoom | QCP::iSelectAxes | QCP::iSelectPlottables);
    plot->axisRect()->setRangeDrag(Qt::Vertical);
    plot->axisRect()->setRangeZoom(Qt::Vertical);
    plot->axisRect()->setRangeDragAxes(nullptr, plot->yAxis);
    plot->axisRect()->setRangeZoomAxes(nullptr, plot->yAxis);

    plot->setBackground(PlotLook::background());
    plot->axisRect()->setBackground(PlotLook::axisBackground());

    colourAxis(plot->xAxis, Qt::white);
    plot->xAxis->setLabel(tr("频率(HZ)"));
}

int FFT_Window::readLanguageChoice()
{
    return ChoiceFiles::languageChoice();
}

void FFT_Window::showLinkDown()
{
    QMessageBox::warning(this, tr("error"), tr("串口未打开/设备未连接/地址未选择"), QMessageBox::Ok);
}

void FFT_Window::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
        // The axis captions are drawn into the plots: set them in the new language and draw again.
        for (QCustomPlot *plot : {ui->widget_FFTphase, ui->widget_amplitude})
            plot->xAxis->setLabel(tr("频率(HZ)"));
        if (!ui->widget_FFTphase->yAxis->label().isEmpty())
            ui->widget_FFTphase->yAxis->setLabel(tr("幅值"));
        if (!ui->widget_amplitude->yAxis->label().isEmpty())
            ui->widget_amplitude->yAxis->setLabel(tr("相位"));
        ui->widget_FFTphase->replot();
        ui->widget_amplitude->replot();
    }
}

// The language switch closes the link (the capture cannot go on): a running capture stops
// here and sends nothing more; it says so once, when it has ended. Called before the link
// closes, and again when the lists relabel in case it was not.
void FFT_Window::stopBeforeLinkCloses()
{
    if (!captureActive || !captureRunning)
        return;
    captureRunning = false;
    if (portOpen)
        stopSampler();
    noteCaptureEnd(CaptureNote::LanguageSwitched);
}

// Both entries in the new language; the channel the user chose stays chosen (torque at first).
void FFT_Window::relabelChannels(const QString &speed, const QString &torque)
{
    stopBeforeLinkCloses();
    const int chosen = ui->comboBox_Choose->currentIndex();
    ui->comboBox_Choose->clear();
    ui->comboBox_Choose->addItem(speed);
    ui->comboBox_Choose->addItem(torque);
    ui->comboBox_Choose->setCurrentIndex(chosen >= 0 ? chosen : 1);
}

void FFT_Window::EnglishLable()
{
    relabelChannels(tr("speed feedback "), tr("torque feedback"));
}

void FFT_Window::ChineseLable()
{
    relabelChannels(tr("速度反馈"), tr("转矩反馈"));
}

void FFT_Window::showFFTWindow()
{
    activateWindow();
    setWindowState(Qt::WindowMaximized);
    emit closeStatic();
    show();
}

void FFT_Window::closeThisWindow()
{
    // A capture still running goes on to its end, its status poll too: only the window closes.
    if (!captureActive)
        statusTimer->stop();
    close();
}

// --- view buttons -------------------------------------------------------------------------

void FFT_Window::on_pushButton_Hidden_clicked()
{
    ui->toolBox->hide();
    ui->pushButton_Hidden->hide();
    ui->pushButton_reveal->show();
}

void FFT_Window::on_pushButton_reveal_clicked()
{
    ui->toolBox->show();
    ui->pushButton_reveal->hide();
    ui->pushButton_Hidden->show();
}

void FFT_Window::on_pushButton_Reset_clicked()
{
    for (QCustomPlot *plot : {ui->widget_FFTphase, ui->widget_amplitude}) {
        plot->rescaleAxes();
        plot->replot();
    }
    ui->widget_FFTphase->show();
    ui->widget_amplitude->show();
}

void FFT_Window::on_pushButton_showPhase_clicked()
{
    ui->widget_amplitude->show();
    ui->widget_FFTphase->hide();
}

void FFT_Window::on_pushButton_showAmplitude_clicked()
{
    ui->widget_amplitude->hide();
    ui->widget_FFTphase->show();
}

// --- spectrum ------------------------------------------------------------------------------

void FFT_Window::computeSpectrum(QVector<int> values)
{
    computeSpectrumAt(values, ui->spinBox_time->value());
}

void FFT_Window::computeSpectrumAt(const QVector<int> &values, int multiplier)
{
    const SpectrumComputation::Spectrum s = SpectrumComputation::compute(values, multiplier);
    sampleCount = s.sampleCount;
    periodMultiplier = s.periodMultiplier;
    frequencies = s.frequencies;
    amplitudes = s.amplitudes;
    phases = s.phases;
}

void FFT_Window::findPeaks()
{
    showPeaks(SpectrumComputation::findPeaks(amplitudes, sampleCount, periodMultiplier));
}

// The four peaks in the side panel; the first two are kept as the last ones found.
void FFT_Window::showPeaks(const QVector<SpectrumComputation::Peak> &peaks)
{
    QLineEdit *const frequencyEdits[4] = {ui->lineEdit_fre1, ui->lineEdit_fre2, ui->lineEdit_fre3, ui->lineEdit_fre4};
    QLineEdit *const amplitudeEdits[4] = {ui->lineEdit_amplitude1, ui->lineEdit_amplitude2,
        ui->lineEdit_amplitude3, ui->lineEdit_amplitude4};
    for (int i = 0; i < peaks.size() && i < 4; ++i) {
        frequencyEdits[i]->setText(QStringLiteral("%1").arg(peaks[i].frequency));
        amplitudeEdits[i]->setText(QStringLiteral("%1").arg(peaks[i].amplitude));
    }
    peak1Frequency = peaks[0].frequency;
    peak1Amplitude = peaks[0].amplitude;
    peak2Frequency = peaks[1].frequency;
    peak2Amplitude = peaks[1].amplitude;
}

void FFT_Window::plotHalf(QCustomPlot *plot, const QVector<int> &values, const QString &label, QCPGraph **graph)
{
    if (frequencies.size() < 1024) {
        plot->replot(); // the graphs taken away before must not stay on screen
        QMessageBox::information(this, tr("提示"), tr("数据丢失"), QMessageBox::Ok);
        return;
    }
    const int half = qMin(values.size() / 2, frequencies.size());
    QVector<double> keys(half);
    QVector<double> points(half);
    for (int i = 0; i < half; ++i) {
        keys[i] = frequencies[i];
        points[i] = values[i];
    }
    const QColor magenta(255, 0, 255);
    colourAxis(plot->yAxis, magenta);
    *graph = plot->addGraph(plot->axisRect(0)->axis(QCPAxis::atBottom, 0), plot->yAxis);
    plot->yAxis->setLabel(label);
    (*graph)->setData(keys, points);
    (*graph)->setLineStyle(QCPGraph::lsLine);
    (*graph)->setPen(axisPen(magenta));
    (*graph)->rescaleAxes();
    plot->replot();
}

void FFT_Window::plotAmplitude()
{
    plotHalf(ui->widget_FFTphase, amplitudes, tr("幅值"), &amplitudeGraph);
}

void FFT_Window::plotPhase()
{
    plotHalf(ui->widget_amplitude, phases, tr("相位"), &phaseGraph);
}

void FFT_Window::showSamples(const ShownSamples &what)
{
    shown = what;
    // The frequencies follow the interval the samples were taken at, whatever the spin box
    // holds now.
    computeSpectrumAt(what.samples, what.multiplier);
    ui->widget_FFTphase->clearGraphs();
    ui->widget_amplitude->clearGraphs();
    plotAmplitude();
    plotPhase();
    findPeaks();
}

// The capture window's channels: each one's peaks are shown in the side panel as it is
// analysed (the fourth's stay), and its spectrum goes back to the capture window. The plots and
// what Save writes stay those of the samples this window shows.
void FFT_Window::FFTAnalyze(QVector<int> first, QVector<int> second, QVector<int> third, QVector<int> fourth)
{
    const int multiplier = ui->spinBox_time->value();
    for (const QVector<int> *channel : {&first, &second, &third, &fourth}) {
        const SpectrumComputation::Spectrum s = SpectrumComputation::compute(*channel, multiplier);
        QVector<int> marked = s.amplitudes;
        const QVector<SpectrumComputation::Peak> peaks =
            SpectrumComputation::findPeaks(marked, s.sampleCount, s.periodMultiplier);
        showPeaks(peaks);
        emit sendFFTResult(s.frequencies, s.amplitudes, peaks[0].frequency, peaks[0].amplitude, peaks[1].frequency,
                           peaks[1].amplitude);
    }
}

void FFT_Window::myMouseMoveEvent(QMouseEvent *event)
{
    QCustomPlot *plot = ui->widget_FFTphase;
    if (plot->graphCount() == 0)
        return;
    const QPoint at = event->pos();
    // Truncated toward zero; a value beyond the int range (a far zoom) is held at its limit.
    auto whole = [](double v) { return int(qBound(double(INT_MIN), double(float(v)), double(INT_MAX))); };
    const int frequency = whole(plot->xAxis->pixelToCoord(at.x()));
    const int amplitude = whole(plot->yAxis->pixelToCoord(at.y()));
    QToolTip::showText(event->globalPos(), QStringLiteral("(%1, %2)").arg(frequency).arg(amplitude), plot);
}
