// Save and Load of spectrum sample files.

#include "fftwindow.h"
#include "ui_fftwindow.h"

#include "filelocations.h"
#include "samplefile.h"

#include <QDateTime>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>

void FFT_Window::on_pushButton_Save_clicked()
{
    if (shown.samples.isEmpty()) {
        QMessageBox::information(this, tr("提示"), tr("没有可保存的采样数据"), QMessageBox::Ok);
        return;
    }
    const QString folder = FileLocations::lastFilePath();
    const QString now = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd_hh-mm-ss"));
    QString path = QFileDialog::getSaveFileName(
        this, tr("save file"), SampleFile::proposedName(folder, now, shown.driveModel), tr("Files(*.fft)"));
    if (path.isEmpty())
        return;
    path = FileLocations::withSuffix(path, QStringLiteral(".fft"));
    FileLocations::storeLastFilePath(path);

    // The file holds the samples shown and describes them: the interval, channel and drive of
    // their capture (the channel named in the language shown now), or those of the file they
    // were loaded from.
    SampleFile::Header header;
    header.dateTime = now;
    header.driveModel = shown.driveModel;
    header.multiplier = shown.multiplier;
    header.channel = shown.channel >= 0 ? ui->comboBox_Choose->itemText(shown.channel) : shown.channelName;
    header.valueCaption = tr("数值");
    header.channelCaption = tr("CH1:");

    QString error;
    if (!SampleFile::save(path, SampleFile::format(header, shown.samples), &error))
        QMessageBox::warning(this, tr("error"), error, QMessageBox::Ok);
}

void FFT_Window::on_pushButton_Load_clicked()
{
    const QString folder = FileLocations::lastFilePath();
    const QString path = QFileDialog::getOpenFileName(this, tr("load file"), folder, tr("Files(*.txt *.Static *fft) "));
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        QMessageBox::warning(this, tr("error"), file.errorString(), QMessageBox::Ok);
        return;
    }
    // A refused file changes nothing on screen: not the interval, not the plots, not the peaks.
    const SampleFile::Contents contents = SampleFile::read(&file);
    file.close();
    switch (contents.status) {
    case SampleFile::Contents::Ok:
        break;
    case SampleFile::Contents::TooManySamples:
        QMessageBox::warning(this, tr("error"), tr("文件格式出错"), QMessageBox::Ok);
        return;
    case SampleFile::Contents::NoSamples:
        QMessageBox::warning(this, tr("error"), tr("空数据"), QMessageBox::Ok);
        return;
    default:
        QMessageBox::warning(this, tr("error"), SampleFile::describe(contents), QMessageBox::Ok);
        return;
    }
    if (contents.hasMultiplier)
        ui->spinBox_time->setValue(contents.multiplier);
    // The samples shown now are the file's, under its names until the next capture or load.
    showSamples({contents.samples, ui->spinBox_time->value(), -1, contents.channel, contents.driveModel});
}
