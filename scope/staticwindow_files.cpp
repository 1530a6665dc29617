// The capture window's files: the capture file (.Static), the quick-change file (.QCS) by the
// quick change and the modified save, and the screenshot. Files are written whole or not at
// all; a load is parsed whole and applied only when it is sound.

#include "staticwindow.h"
#include "ui_staticwindow.h"

#include "capturecatalogue.h"
#include "capturefiles.h"
#include "filelocations.h"
#include "wholefile.h"

#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPixmap>
#include <QSaveFile>

namespace {

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
    // The settings the capture shown was taken or loaded under, its entries named as the boxes
    // name them now.
    using namespace CaptureCatalogue;
    const CaptureSetup s = shownSetup();
    const auto text = [this](const List &list, int entry) {
        const QVector<const char *> names = texts(list, englishLists ? Language::English : Language::Chinese);
        return entry >= 0 && entry < names.size() ? tr(names.at(entry)) : QString();
    };
    if (driverChoice == 0) {
        capture.family = CaptureFiles::Vr;
        capture.settings = QStringList{QString::number(s.interval),
                                       text(triggerCombinations(), s.combination),
                                       text(triggerConditions(), s.triggerType[0]),
                                       text(triggerSources(), s.triggerSource[0]),
                                       QString::number(s.triggerLevel[0]),
                                       text(triggerConditions(), s.triggerType[1]),
                                       text(triggerSources(), s.triggerSource[1]),
                                       QString::number(s.triggerLevel[1]),
                                       QString::number(s.pretrigger)};
        capture.names = QStringList{traceName(0), traceName(4), traceName(1), traceName(5),
                                    traceName(2), traceName(6), traceName(3), traceName(7)};
        capture.values = shownTraces();
    } else {
        capture.family = CaptureFiles::Hxq;
        capture.settings = QStringList{QString::number(s.hxqTime), text(hxqTriggerModes(), s.hxqTrigger),
                                       QString::number(s.hxqThreshold)};
        capture.names = QStringList{traceName(0), traceName(1)};
        // The values shown, whether they came from the drive or from a file.
        const QVector<QVector<int>> traces = shownTraces();
        capture.values = {traces.at(0), traces.at(2)};
    }
    return capture;
}

// The entries a loaded capture selects, found by the catalogue in either language and at either
// access level. A name the box does not offer now fails the parse with its line: the window never
// shows or saves data under another variable's name.
bool staticWindow::findLoadedEntries(CaptureFiles::StaticParse *parse, QVector<QPair<QComboBox *, int>> *entries)
{
    using namespace CaptureCatalogue;
    const CaptureFiles::StaticCapture &capture = parse->capture;
    struct Item {
        QComboBox *box;
        List list;
        QString text;
        int line;
    };
    QVector<Item> items;
    const QStringList &s = capture.settings;
    if (capture.family == CaptureFiles::Vr) {
        // The sources first: a source of "I/O" takes the level conditions out of its type box.
        items = {{ui->comboBox_triggerMore, triggerCombinations(), s.at(1), 4},
                 {ui->comboBox_triggerChoose1, triggerSources(), s.at(3), 4},
                 {ui->comboBox_triggerChoose2, triggerSources(), s.at(6), 4},
                 {ui->comboBox_triggerType1, triggerConditions(), s.at(2), 4},
                 {ui->comboBox_triggerType2, triggerConditions(), s.at(5), 4}};
        QComboBox *const boxes[8] = {ui->comboBox_CH1, ui->comboBox_CH1_IO, ui->comboBox_CH2, ui->comboBox_CH2_IO,
                                     ui->comboBox_CH3, ui->comboBox_CH3_IO, ui->comboBox_CH4, ui->comboBox_CH4_IO};
        for (int i = 0; i < 8; ++i)
            items.append({boxes[i], i % 2 ? ioSignals() : vrChannels(), capture.names.at(i), 7 + 3 * i});
    } else {
        items = {{ui->comboBox_trigger, hxqTriggerModes(), s.at(1), 4},
                 {ui->comboBox_CH1, hxqChannels(), capture.names.at(0), 7},
                 {ui->comboBox_CH2, hxqChannels(), capture.names.at(1), 10}};
    }
    int sourceIo[2] = {0, 0};
    for (const Item &item : items) {
        const int index = CaptureCatalogue::find(item.list, item.text);
        int offered = item.box->count();
        if (item.box == ui->comboBox_triggerType1 || item.box == ui->comboBox_triggerType2)
            offered = sourceIo[item.box == ui->comboBox_triggerType2] ? levelConditionAbove : item.list.count;
        if (index < 0 || index >= offered) {
            *parse = CaptureFiles::StaticParse();
            parse->problem = CaptureFiles::Problem::UnknownName;
            parse->line = item.line;
            parse->field = item.text;
            return false;
        }
        if (item.box == ui->comboBox_triggerChoose1 || item.box == ui->comboBox_triggerChoose2)
            sourceIo[item.box == ui->comboBox_triggerChoose2] = index == triggerSourceIo;
        entries->append({item.box, index});
    }
    return true;
}

void staticWindow::applyLoadedCapture(const CaptureFiles::StaticCapture &capture,
                                      const QVector<QPair<QComboBox *, int>> &entries)
{
    const QStringList &s = capture.settings;
    // Each source's rule runs as its entry is set, before the type boxes are.
    for (const auto &entry : entries)
        entry.first->setCurrentIndex(entry.second);
    if (capture.family == CaptureFiles::Vr) {
        ui->spinBox_interval->setValue(s.at(0).toInt());
        ui->spinBox_triggerLevel1->setValue(s.at(4).toInt());
        ui->spinBox_triggerLevel2->setValue(s.at(7).toInt());
        ui->spinBox_pretrigger->setValue(s.at(8).toInt());
        dataCH1 = capture.values.at(0);
        dataIO1 = narrowed(capture.values.at(1));
        dataCH2 = capture.values.at(2);
        dataIO2 = narrowed(capture.values.at(3));
        dataCH3 = capture.values.at(4);
        dataIO3 = narrowed(capture.values.at(5));
        dataCH4 = capture.values.at(6);
        dataIO4 = narrowed(capture.values.at(7));
    } else {
        ui->spinBox_Time->setValue(s.at(0).toInt());
        ui->spinBox_Threshold->setValue(s.at(2).toInt());
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
    CaptureFiles::StaticParse parse =
        CaptureFiles::parseStatic(text, driverChoice == 0 ? CaptureFiles::Vr : CaptureFiles::Hxq);
    // A VR file of 512 samples a channel was taken at the double width: 500 of them are drawn.
    int width = sampleWidth;
    if (parse.ok() && parse.capture.family == CaptureFiles::Vr) {
        const int samples = parse.capture.values.at(0).size();
        width = samples == 512 ? 2 : samples == 1024 ? 1 : sampleWidth;
    }
    // A file saved before any capture holds the settings and names only: they are taken, and
    // nothing is drawn. Any other file holds every trace whole.
    const bool settingsOnly = parse.ok() && CaptureFiles::holdsNoValues(parse.capture);
    if (parse.ok() && !settingsOnly)
        CaptureFiles::requireValues(&parse, width == 2 ? 500 : 1000);
    QVector<QPair<QComboBox *, int>> entries;
    if (parse.ok())
        findLoadedEntries(&parse, &entries);
    if (!parse.ok()) {
        QMessageBox::warning(this, tr("error"), tr("文件格式出错") + QLatin1Char('\n') + CaptureFiles::describe(parse),
                             QMessageBox::Ok);
        return;
    }
    setWindowTitle(tr("StaticWindow") + QLatin1Char('-') + name);
    linkLostShown = false;
    FileLocations::storeLastFilePath(name, ini);
    sampleWidth = width;
    applyLoadedCapture(parse.capture, entries);
    if (settingsOnly) {
        dataChoices.clear();
        removeAllTraces();
        return;
    }
    dataChoices = boxChoices();
    dataSetup = setupFromForm(); // the form holds the file's settings now
    dataFamily = parse.capture.family;
    redrawCheckedTraces();
    if (driverChoice == 0)
        on_checkBox_fixed_clicked();
}

bool staticWindow::quickChangeSave(const QString &path, const QString &ini)
{
    FileLocations::storeLastFilePath(path, ini);
    QString error;
    if (!WholeFile::writeText(path, CaptureFiles::formatQuickChange(shownTraces()), &error)) {
        tell(tr("快速改存文件 %1 未能保存: %2").arg(QDir::toNativeSeparators(path), error), "quick-change file not saved");
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
    tell(tr("快速改存文件只保存VR系列的采样数据"), "quick-change files hold captures of the VR family only");
    return true;
}

bool staticWindow::runQuickChange()
{
    if (refuseQuickChangeForHxq())
        return false;
    const QString ini = QStringLiteral("./SettingPath.ini");
    QString name = quickChangeFileName;
    // Unattended, the file is not asked for: "选择保存目录" chooses it beforehand.
    if (quickChangeFirst && toCommandFile("no quick-change file chosen"))
        return false;
    if (quickChangeFirst) {
        const QString proposed = CaptureFiles::defaultFileName(FileLocations::lastFilePath(ini),
                                                               QDateTime::currentDateTime(),
                                                               driverModel, tr("PicData"));
        name = FileLocations::withSuffix(QFileDialog::getSaveFileName(this, tr("save file"), proposed, tr("Files(*.QCS)")),
                                         QStringLiteral(".QCS"));
        quickChangeFileName = name;
    }
    if (name.isEmpty())
        return false;
    // A file that could not be written is not kept: the next save asks for one again, and
    // until then "wop S3" is answered as before any choice. The choice is dropped before the
    // save, so that a request of the command file served while the failure's box is open
    // finds none either.
    quickChangeFirst = true;
    if (!quickChangeSave(name, ini))
        return false;
    quickChangeFirst = false;
    return true;
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
