// The capture window's side of the spectrum analysis: the spectra the spectrum window sends back
// for four channels, shown for a moment in the capture plot, and the spectrum export with its
// batch over a folder of quick-change captures.

#include "staticwindow.h"
#include "ui_staticwindow.h"

#include "batchentry.h"
#include "boundedwait.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QSaveFile>
#include <QTextStream>

#include <qcustomplot.h>

namespace {

// The batch reads from a folder under the working directory and writes next to it.
QString batchOutputFolder()
{
    return QDir::currentPath() + QStringLiteral("/FFT_DATA/");
}

QPen spectrumPen(const QColor &colour)
{
    return QPen(QBrush(colour), 1, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin);
}

} // namespace

void staticWindow::recevieFFTResult(QVector<int> frequencies, QVector<int> amplitudes, int peak1Frequency,
                                    int peak1Amplitude, int peak2Frequency, int peak2Amplitude)
{
    const int k = fftResultCount;
    if (k >= 0 && k < 4) {
        drawFFTResult(frequencies, amplitudes);
        fftPeaks[4 * k] = peak1Frequency;
        fftPeaks[4 * k + 1] = peak1Amplitude;
        fftPeaks[4 * k + 2] = peak2Frequency;
        fftPeaks[4 * k + 3] = peak2Amplitude;
    }
    ++fftResultCount;
}

void staticWindow::drawFFTResult(QVector<int> frequencies, QVector<int> amplitudes)
{
    const int m = qMin(amplitudes.size() / 2, frequencies.size());
    if (frequencies.size() < 1024) {
        QMessageBox::information(this, tr("提示"), tr("数据丢失"), tr("OK"));
        return;
    }
    QCustomPlot *plot = ui->widget_Static;
    QVector<QCPGraphData> points(m);
    for (int i = 0; i < m; ++i) {
        points[i].key = frequencies[i];
        points[i].value = amplitudes[i];
    }
    const QColor magenta(255, 0, 255);
    plot->yAxis->setLabelColor(magenta);
    plot->yAxis->setTickLabelColor(magenta);
    plot->yAxis->setBasePen(spectrumPen(magenta));
    plot->yAxis->setTickPen(spectrumPen(magenta));
    plot->yAxis->setSubTickPen(spectrumPen(magenta));

    // The spectrum has a graph of its own, so the traces keep their handles.
    spectrumGraph = plot->addGraph(plot->axisRect(0)->axis(QCPAxis::atBottom, 0), plot->yAxis);
    spectrumGraph->data()->set(points, true);
    spectrumGraph->setLineStyle(QCPGraph::lsLine);
    spectrumGraph->setPen(spectrumPen(magenta));
    spectrumGraph->rescaleAxes(false);
    plot->replot();
    BoundedWait::pause(50);
    if (spectrumGraph)
        plot->removeGraph(spectrumGraph);
    spectrumGraph = nullptr;
    plot->replot();
}

void staticWindow::requestSpectrum()
{
    fftResultCount = 0;
    emit FFTAnalyze(fftCH3, fftCH2, fftCH1, fftCH4);
}

void staticWindow::on_pushButton_SearFile_clicked()
{
    ui->pushButton_SearFile->setEnabled(false);
    batchFolder = batchOutputFolder() + QStringLiteral("AIdata/");
    const QFileInfoList entries = QDir(batchFolder).entryInfoList(
        {QStringLiteral("*.Static"), QStringLiteral("*.QCS")}, QDir::Files | QDir::Readable, QDir::Time);
    batchFiles.clear();
    for (const QFileInfo &entry : entries)
        batchFiles << entry.fileName();
    ui->progressBar->setRange(0, batchFiles.size());
    ui->progressBar->show();
    for (batchIndex = 0; batchIndex < batchFiles.size(); ++batchIndex) {
        // An entry that could not be read whole is not exported: its name never carries
        // another entry's data.
        if (readBatchEntry())
            on_pushButton_OUT_clicked();
        ui->progressBar->setValue(batchIndex);
    }
    ui->progressBar->hide();
    ui->pushButton_SearFile->setEnabled(true);
}

void staticWindow::on_pushButton_IN_clicked()
{
    readBatchEntry();
}

bool staticWindow::readBatchEntry()
{
    fftCH1.clear();
    fftCH2.clear();
    fftCH3.clear();
    fftCH4.clear();
    if (batchIndex < 0 || batchIndex >= batchFiles.size())
        return false;
    QFile file(batchFolder + batchFiles.at(batchIndex));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        QMessageBox::warning(this, tr("error"), file.errorString(), QMessageBox::Ok);
        return false;
    }
    const BatchEntry::Entry entry = BatchEntry::read(&file);
    if (!entry.ok()) {
        QMessageBox::warning(this, tr("error"), BatchEntry::describe(entry, batchFiles.at(batchIndex)), QMessageBox::Ok);
        return false;
    }
    fftCH1 = entry.channels[0];
    fftCH2 = entry.channels[1];
    fftCH3 = entry.channels[2];
    fftCH4 = entry.channels[3];
    return true;
}

void staticWindow::on_pushButton_OUT_clicked()
{
    if (batchIndex < 0 || batchIndex >= batchFiles.size())
        return;
    const QString name = batchOutputFolder() + QFileInfo(batchFiles.at(batchIndex)).completeBaseName() + tr(".csv");
    QSaveFile file(name);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        QMessageBox::warning(this, tr("error"), file.errorString(), QMessageBox::Ok);
        return;
    }
    QTextStream out(&file);
    for (const QVector<int> *channel : {&fftCH1, &fftCH2, &fftCH3, &fftCH4}) {
        // The 1023 samples after the line number, as far as the line holds them.
        for (int i = 1; i < qMin(1024, channel->size()); ++i)
            out << channel->at(i) << ',';
        out << '\n';
    }
    requestSpectrum();
    for (int slot = 0; slot < 4; ++slot) {
        out << fftPeaks[4 * slot] << ',' << fftPeaks[4 * slot + 1] << ',' << fftPeaks[4 * slot + 2] << ','
            << fftPeaks[4 * slot + 3];
        if (slot < 3)
            out << '\n';
    }
    out.flush();
    if (!file.commit())
        QMessageBox::warning(this, tr("error"), file.errorString(), QMessageBox::Ok);
}
