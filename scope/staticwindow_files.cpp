// The capture window's files: the capture file (.Static), the quick-change file (.QCS) by the
// quick change and the modified save, and the screenshot. Files are written whole or not at
// all; a load is parsed whole and applied only when it is sound.

#include "staticwindow.h"
#include "ui_staticwindow.h"

#include "capturefiles.h"
#include "filelocations.h"
#include "wholefile.h"

#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPixmap>
#include <QSaveFile>

namespace {

// Selects the entry with exactly this text; a text the box does not hold leaves it as it is.
void selectText(QComboBox *box, const QString &text)
{
    const int index = box->findText(text);
    if (index >= 0)
        box->setCurrentIndex(index);
}

QVector<int> widened(const QVector<short> &values)
{
    QVector<int> out;
    out.reserve(values.size());
    for (short v : values)
        out.append(v);
    return out;
}

QVector<short> narrowed(const QVector<int> &values)
{
    QVector<short> out;
    out.reserve(values.size());
    for (int v : values)
        out.append(short(v));
    return out;
}

} // namespace

CaptureFiles::StaticCapture staticWindow::captureToSave(const QDateTime &when) const
{
    CaptureFiles::StaticCapture capture;
    capture.stamp = CaptureFiles::timeStamp(when);
    capture.model = driverModel;
    if (driverChoice == 0) {
        capture.family = CaptureFiles::Vr;
        capture.settings = QStringList{QString::number(ui->spinBox_interval->value()),
                                       ui->comboBox_triggerMore->currentText(),
                                       ui->comboBox_triggerType1->currentText(),
                                       ui->comboBox_triggerChoose1->currentText(),
                                       QString::number(ui->spinBox_triggerLevel1->value()),
                                       ui->comboBox_triggerType2->currentText(),
                                       ui->comboBox_triggerChoose2->currentText(),
                                       QString::number(ui->spinBox_triggerLevel2->value()),
                                       QString::number(ui->spinBox_pretrigger->value())};
        capture.names = QStringList{ui->comboBox_CH1->currentText(), ui->comboBox_CH1_IO->currentText(),
                                    ui->comboBox_CH2->currentText(), ui->comboBox_CH2_IO->currentText(),
                                    ui->comboBox_CH3->currentText(), ui->comboBox_CH3_IO->currentText(),
                                    ui->comboBox_CH4->currentText(), ui->comboBox_CH4_IO->currentText()};
        capture.values = {dataCH1, widened(dataIO1), dataCH2, widened(dataIO2),
                          dataCH3, widened(dataIO3), dataCH4, widened(dataIO4)};
    } else {
        capture.family = CaptureFiles::Hxq;
        capture.settings = QStringList{QString::number(ui->spinBox_Time->value()), ui->comboBox_trigger->currentText(),
                                       QString::number(ui->spinBox_Threshold->value())};
        capture.names = QStringList{ui->comboBox_CH1->currentText(), ui->comboBox_CH2->currentText()};
        // The values shown, whether they came from the drive or from a file.
        capture.values = {dataCH1, dataCH2};
    }
    return capture;
}

void staticWindow::applyLoadedCapture(const CaptureFiles::StaticCapture &capture)
{
    const QStringList &s = capture.settings;
    if (capture.family == CaptureFiles::Vr) {
        ui->spinBox_interval->setValue(s.at(0).toInt());
        selectText(ui->comboBox_triggerMore, s.at(1));
        selectText(ui->comboBox_triggerType1, s.at(2));
        selectText(ui->comboBox_triggerChoose1, s.at(3));
        ui->spinBox_triggerLevel1->setValue(s.at(4).toInt());
        selectText(ui->comboBox_triggerType2, s.at(5));
        selectText(ui->comboBox_triggerChoose2, s.at(6));
        ui->spinBox_triggerLevel2->setValue(s.at(7).toInt());
        ui->spinBox_pretrigger->setValue(s.at(8).toInt());
        QComboBox *const boxes[8] = {ui->comboBox_CH1, ui->comboBox_CH1_IO, ui->comboBox_CH2, ui->comboBox_CH2_IO,
                                     ui->comboBox_CH3, ui->comboBox_CH3_IO, ui->comboBox_CH4, ui->comboBox_CH4_IO};
        for (int i = 0; i < 8; ++i)
            selectText(boxes[i], capture.names.at(i));
        dataCH1 = capture.values.at(0);
        dataIO1 = narrowed(capture.values.at(1));
        dataCH2 = capture.values.at(2);
        dataIO2 = narrowed(capture.values.at(3));
        dataCH3 = capture.values.at(4);
        dataIO3 = narrowed(capture.values.at(5));
        dataCH4 = capture.values.at(6);
        dataIO4 = narrowed(capture.values.at(7));
        if (dataCH1.size() == 512)
            sampleWidth = 2;
        else if (dataCH1.size() == 1024)
            sampleWidth = 1;
    } else {
        ui->spinBox_Time->setValue(s.at(0).toInt());
        selectText(ui->comboBox_trigger, s.at(1));
        ui->spinBox_Threshold->setValue(s.at(2).toInt());
        selectText(ui->comboBox_CH1, capture.names.at(0));
        selectText(ui->comboBox_CH2, capture.names.at(1));
        dataCH1 = capture.values.at(0);
        dataCH2 = capture.values.at(1);
    }
}

void staticWindow::on_pushButton_Save_clicked()
{
    const QString ini = FileLocations::settingsFile();
    const QDateTime now = QDateTime::currentDateTime();
    const QString proposed =
        CaptureFiles::defaultFileName(FileLocations::lastFilePath(ini), now, driverModel, tr("PicData"));
    QString name = QFileDialog::getSaveFileName(this, tr("save file"), proposed, tr("Files(*.Static)"));
    if (name.isEmpty())
        return;
    name = FileLocations::withSuffix(name, QStringLiteral(".Static"));
    FileLocations::storeLastFilePath(name, ini);
    const QString text = CaptureFiles::formatStatic(captureToSave(now), tr("通道设置"), tr("数值"));
    QString error;
    if (!WholeFile::writeText(name, text, &error))
        QMessageBox::warning(this, tr("error"), error, QMessageBox::Ok);
}

void staticWindow::on_pushButton_Load_clicked()
{
    const QString ini = FileLocations::settingsFile();
    const QString name =
        QFileDialog::getOpenFileName(this, tr("load file"), FileLocations::lastFilePath(ini), tr("Files(*.Static)"));
    if (name.isEmpty())
        return;
    QString text, error;
    if (!CaptureFiles::readTextFile(name, &text, &error)) {
        QMessageBox::warning(this, tr("error"), error, QMessageBox::Ok);
        return;
    }
    const CaptureFiles::StaticParse parse =
        CaptureFiles::parseStatic(text, driverChoice == 0 ? CaptureFiles::Vr : CaptureFiles::Hxq);
    if (!parse.ok()) {
        QMessageBox::warning(this, tr("error"), tr("文件格式出错") + QLatin1Char('\n') + CaptureFiles::describe(parse),
                             QMessageBox::Ok);
        return;
    }
    setWindowTitle(tr("StaticWindow") + QLatin1Char('-') + name);
    FileLocations::storeLastFilePath(name, ini);
    applyLoadedCapture(parse.capture);
    redrawCheckedTraces();
    if (driverChoice == 0)
        on_checkBox_fixed_clicked();
}

bool staticWindow::quickChangeSave(const QString &path, const QString &ini)
{
    FileLocations::storeLastFilePath(path, ini);
    const QVector<QVector<int>> traces{dataCH1, widened(dataIO1), dataCH2, widened(dataIO2),
                                       dataCH3, widened(dataIO3), dataCH4, widened(dataIO4)};
    QString error;
    if (!WholeFile::writeText(path, CaptureFiles::formatQuickChange(traces), &error)) {
        if (!toCommandFile(error))
            QMessageBox::warning(this, tr("error"), error, QMessageBox::Ok);
        return false;
    }
    return true;
}

// The quick-change layout holds the four channels and four I/O signals of the VR family; an
// HXQ capture is refused rather than written as an empty file over the chosen one.
bool staticWindow::refuseQuickChangeForHxq()
{
    if (driverChoice == 0)
        return false;
    if (!toCommandFile(tr("快速改存文件只保存VR系列的采样数据")))
        QMessageBox::warning(this, tr("error"), tr("快速改存文件只保存VR系列的采样数据"), QMessageBox::Ok);
    return true;
}

bool staticWindow::runQuickChange()
{
    if (refuseQuickChangeForHxq())
        return false;
    const QString ini = QStringLiteral("./SettingPath.ini");
    QString name = quickChangeFileName;
    // Unattended, the file is not asked for: "选择保存目录" chooses it beforehand.
    if (quickChangeFirst && toCommandFile(tr("未选择快速改存文件：请用“选择保存目录”选择")))
        return false;
    if (quickChangeFirst) {
        const QString proposed = CaptureFiles::defaultFileName(FileLocations::lastFilePath(ini),
                                                               QDateTime::currentDateTime(),
                                                               driverModel, tr("PicData"));
        name = FileLocations::withSuffix(QFileDialog::getSaveFileName(this, tr("save file"), proposed, tr("Files(*.QCS)")),
                                         QStringLiteral(".QCS"));
        quickChangeFirst = false;
        quickChangeFileName = name;
    }
    if (name.isEmpty()) {
        quickChangeFirst = true;
        return false;
    }
    return quickChangeSave(name, ini);
}

void staticWindow::on_pushButton_QuickChange_clicked()
{
    runQuickChange();
}

void staticWindow::on_pushButton_modifiedSave_clicked()
{
    if (refuseQuickChangeForHxq())
        return;
    const QString ini = FileLocations::settingsFile();
    const QString proposed = CaptureFiles::defaultFileName(FileLocations::lastFilePath(ini), QDateTime::currentDateTime(),
                                                           driverModel, tr("PicData"));
    const QString name = FileLocations::withSuffix(
        QFileDialog::getSaveFileName(this, tr("save file"), proposed, tr("Files(*.QCS)")), QStringLiteral(".QCS"));
    qDebug() << name << "<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<";
    if (name.isEmpty())
        return;
    quickChangeSave(name, ini);
}

void staticWindow::on_pushButton_Screenshot_clicked()
{
    // The window's own area, wherever it stands on the screen.
    const QPixmap picture = grab();
    const QString name = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-ddHH-mm-ss")) + QStringLiteral(".bmp");
    if (picture.isNull()) {
        QMessageBox::information(this, QStringLiteral("Error"), tr("截屏失败 !"), QMessageBox::Ok);
        return;
    }
    QSaveFile file(QStringLiteral("../") + name);
    const bool saved = file.open(QIODevice::WriteOnly) && picture.save(&file, "BMP") && file.commit();
    if (!saved)
        QMessageBox::information(this, QStringLiteral("Right"), tr("保存错误 !"), QMessageBox::Ok);
    else
        QMessageBox::information(this, QStringLiteral("Grab"), tr("保存成功!"), QMessageBox::Ok);
}
