// The live trend's ".Dynamic" file: the newest CH1 values with a short header, written whole.

#include "dynamicwindow.h"
#include "ui_dynamicwindow.h"

#include "filelocations.h"
#include "wholefile.h"

#include <QDateTime>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

void dynamicWindow::on_pushButton_save_clicked()
{
    const QString folder = FileLocations::lastFilePath();
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd_hh-mm-ss"));

    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("save file"),
                                                folder + stamp + driverModel + QLatin1Char('-') + tr("DynamicData"),
                                                tr("Files(*.Dynamic)"));
    if (path.isEmpty())
        return; // cancelled

    const QString named = FileLocations::withSuffix(path, QStringLiteral(".Dynamic"));
    if (named != path) {
        path = named;
        // The dialog asked about replacing the name as typed, not this one.
        if (QFileInfo::exists(path)
            && QMessageBox::question(this, QStringLiteral("save file"), tr("%1 已存在，是否替换？").arg(path))
                != QMessageBox::Yes)
            return;
    }
    FileLocations::storeLastFilePath(path);

    const QString text = LiveTrend::fileText(stamp, driverModel, tr("通道设置"), ui->comboBox_CH1->currentText(),
                                             tr("数据"), history.values());
    QString error;
    if (!WholeFile::writeText(path, text, &error))
        QMessageBox::warning(this, QStringLiteral("error"), error);
}
