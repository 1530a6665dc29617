// The connection dialog: the port and line choices, "port.ini", the connect/disconnect
// toggle, Cancel, and the relabelling on a language change. The scan and OK live in
// serialport_scan.cpp.

#include "serialport.h"
#include "answerbox.h"
#include "automationmode.h"
#include "choicefiles.h"
#include "linklog.h"
#include "ui_serialport.h"

#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QMessageBox>
#include <QSerialPortInfo>
#include <QSettings>

namespace {

const char portIni[] = "port.ini";
const char portKey[] = "config/PortNumber";
const char baudKey[] = "config/BaudNumber";
const char parityKey[] = "config/ParityNumber";
const char dataKey[] = "config/DataNumber";
const char stopKey[] = "config/StopNumber";

} // namespace

void serialPort::setupDialog()
{
    ui->setupUi(this);
    setWindowTitle(tr("SerialPortWindow"));
    initComboBoxes();
    ui->pushButton_Search->setEnabled(false);
    appendLivePorts();
    loadPortSettings();
    readDriverChoice();
    ui->lineEdit_Start->setText(QStringLiteral("1"));
    ui->lineEdit_End->setText(QStringLiteral("2"));
    // The scan's progress shows below the buttons in a place kept for it, so that no button
    // moves when it appears: a Disconnect pressed during the scan lands on the button.
    QSizePolicy progressPlace = ui->progressBar->sizePolicy();
    progressPlace.setRetainSizeWhenHidden(true);
    ui->progressBar->setSizePolicy(progressPlace);
    ui->progressBar->hide();
    ui->tableWidget->setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTableHeaders();
    ui->pushButton_Search->hide();
    ui->tableWidget->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    ui->tableWidget->verticalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    fitConnectButton();
    // No button is the dialog's default: Return is handled in keyPressEvent, so that it can
    // never press the toggle of a live link.
    for (QPushButton *button : {ui->pushButtot_Connect, ui->pushButton_Search, ui->pushButton_OK, ui->pushButton_Cancel}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
}

void serialPort::fitConnectButton()
{
    // The toggle reads "connect" or "disconnect"; it keeps room for the longer of the two in
    // the current language, so neither is cut when the layout is tight.
    QPushButton *button = ui->pushButtot_Connect;
    const QString shown = button->text();
    int width = 60;
    for (const QString &text : {tr("连接"), tr("断开")}) {
        button->setText(text);
        width = qMax(width, button->sizeHint().width());
    }
    button->setText(shown);
    button->setMinimumWidth(width);
}

void serialPort::initComboBoxes()
{
    ui->comboBox_Port->addItems(PortChoices::fixedPortNames());
    ui->comboBox_Baud->addItems(PortChoices::baudRates());
    ui->comboBox_DataBits->addItems(PortChoices::dataBits());
    ui->comboBox_StopBits->addItems(PortChoices::stopBits());
    ui->comboBox_ParityBits->addItems(PortChoices::parities());
}

void serialPort::appendLivePorts()
{
    // Only ports that can be opened now are offered; a port held by another program is not.
    // A live port named like a fixed entry is listed a second time.
    const QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &info : ports) {
        QSerialPort probe;
        probe.setPort(info);
        if (probe.open(QIODevice::ReadWrite)) {
            ui->comboBox_Port->addItem(probe.portName());
            probe.close();
        }
    }
}

void serialPort::loadPortSettings()
{
    const QSettings settings(QString::fromLatin1(portIni), QSettings::IniFormat);
    auto index = [&settings](const char *key) { return settings.value(QLatin1String(key)).toString().toInt(); };
    ui->comboBox_Port->setCurrentIndex(index(portKey));
    // A line setting outside its box would leave the box empty and open the port with
    // settings nobody chose; it falls back to the first entry, as a missing one does.
    // (An empty port box is harmless: Connect then fails and says so.)
    auto choose = [&index](QComboBox *box, const char *key) {
        const int i = index(key);
        box->setCurrentIndex(i >= 0 && i < box->count() ? i : 0);
    };
    choose(ui->comboBox_Baud, baudKey);
    choose(ui->comboBox_ParityBits, parityKey);
    choose(ui->comboBox_DataBits, dataKey);
    choose(ui->comboBox_StopBits, stopKey);
}

void serialPort::savePortSettings()
{
    QSettings settings(QString::fromLatin1(portIni), QSettings::IniFormat);
    settings.setValue(QLatin1String(portKey), QString::number(ui->comboBox_Port->currentIndex()));
    settings.setValue(QLatin1String(baudKey), QString::number(ui->comboBox_Baud->currentIndex()));
    settings.setValue(QLatin1String(parityKey), QString::number(ui->comboBox_ParityBits->currentIndex()));
    settings.setValue(QLatin1String(stopKey), QString::number(ui->comboBox_StopBits->currentIndex()));
    settings.setValue(QLatin1String(dataKey), QString::number(ui->comboBox_DataBits->currentIndex()));
    settings.sync();
    if (settings.status() != QSettings::NoError)
        qCWarning(linkLog) << "port.ini could not be written";
}

void serialPort::readDriverChoice()
{
    driveFamily = ChoiceFiles::driverChoice();
}

bool serialPort::openPort()
{
    requestedPortSettings = PortChoices::settingsFromChoices(
        ui->comboBox_Port->currentText(), ui->comboBox_Baud->currentText(),
        ui->comboBox_DataBits->currentIndex(), ui->comboBox_ParityBits->currentText(),
        ui->comboBox_StopBits->currentIndex());
    const PortSettings &wanted = requestedPortSettings;

    // The link core makes a new port object; one that fails to open is not kept.
    if (!openPort(wanted.portName, wanted.baudRate, wanted.dataBits, wanted.parity, wanted.stopBits)) {
        QMessageBox::warning(this, QStringLiteral("error"), QStringLiteral("Serial port is not connected or open."),
                             QMessageBox::Ok);
        return false;
    }
    // A refused DTR may come with an error that closes the port (portError) at once.
    const QPointer<QSerialPort> opened = port;
    if (!opened->setDataTerminalReady(wanted.dataTerminalReady) && port == opened)
        qCDebug(linkLog) << "port" << wanted.portName << "refused DTR:" << opened->errorString();
    if (!port || port != opened) {
        QMessageBox::warning(this, QStringLiteral("error"), QStringLiteral("Serial port is not connected or open."),
                             QMessageBox::Ok);
        return false;
    }
    port->clearError();
    return true;
}

void serialPort::setChoicesEnabled(bool enabled)
{
    ui->comboBox_Port->setEnabled(enabled);
    ui->comboBox_Baud->setEnabled(enabled);
    ui->comboBox_DataBits->setEnabled(enabled);
    ui->comboBox_StopBits->setEnabled(enabled);
    ui->comboBox_ParityBits->setEnabled(enabled);
}

void serialPort::on_pushButtot_Connect_clicked()
{
    if (ui->pushButtot_Connect->text() == tr("连接")) {
        // A scan still winding down after a disconnect ends first; no scan runs inside another.
        if (scanning)
            return;
        if (!openPort()) {
            portOpen = false;
            emit isOpenSerial(false);
            return;
        }
        portOpen = true;
        linkConfirmed = false;
        lostPortName.clear();
        emit changeFirst(true);
        setChoicesEnabled(false);
        ui->pushButton_Search->setEnabled(true);
        ui->pushButtot_Connect->setText(tr("断开"));
        on_pushButton_Search_clicked();
        savePortSettings();
        return;
    }
    // A person's own Disconnect is no error: a scan it ends ends without a word.
    scanWithdrawn = scanning;
    dropLink();
}

void serialPort::dropLink()
{
    if (port)
        port->clear(QSerialPort::AllDirections);
    closePort();
    linkConfirmed = false;
    emit isOpenSerial(false);
    showDisconnected();
}

// A link opened but never confirmed with OK was never announced as open: closing it leaves
// every window as it is.
void serialPort::closeUnconfirmedLink()
{
    if (!portOpen || linkConfirmed)
        return;
    scanWithdrawn = scanning;
    if (port)
        port->clear(QSerialPort::AllDirections);
    closePort();
    showDisconnected();
}

// The dialog as a closed link shows it: no station to confirm, the choices free again.
void serialPort::showDisconnected()
{
    ui->tableWidget->setRowCount(0); // the found drives go, the headers stay
    setChoicesEnabled(true);
    ui->pushButton_Search->setEnabled(false);
    ui->pushButtot_Connect->setText(tr("连接"));
}

void serialPort::setTableHeaders()
{
    ui->tableWidget->setColumnCount(2);
    ui->tableWidget->setHorizontalHeaderLabels({tr("地址"), tr("型号")});
}

void serialPort::portError(QSerialPort::SerialPortError error)
{
    // The adapter was pulled or the line went away: the port is of no more use. A line that
    // hangs up reads as end-of-file, which QSerialPort reports as ReadError over and over
    // (its read notifier stays on), so that counts as lost too.
    if (error != QSerialPort::ResourceError && error != QSerialPort::ReadError)
        return;
    const QString name = port ? port->portName() : QString();
    qCWarning(linkLog) << "link lost:" << name << (port ? port->errorString() : QString());
    // Only a link the dialog shows as up was lost; a port failing while it opens is reported
    // by the open.
    const bool wasUp = ui->pushButtot_Connect->text() == tr("断开");
    closePort();
    linkConfirmed = false;
    emit isOpenSerial(false);
    if (!wasUp)
        return;
    lossTold = true;
    showDisconnected();
    if (scanning) {
        lostPortName = name; // the scan ends at its next station and says so
        return;
    }
    // Said once, from the event loop once no window waits any more (each sees the link gone and
    // ends its wait first), rather than from inside the port's own notification. Whether a
    // person is there to answer is judged now: the automatic mode may end (a variable operation
    // of the command file ends unsuccessfully) before the message is up.
    const bool unattended = AutomationMode::isOn();
    AnswerBox::later(this, [this, name, unattended] { warnLinkLost(name, unattended); });
}

void serialPort::warnLinkLost(const QString &portName, bool unattended)
{
    const QString text = tr("串口 %1 的连接已断开").arg(portName);
    // This dialog is mostly hidden: the message opens over the window that has the input (a
    // modal one, such as the monitor, would otherwise keep it out of reach).
    if (unattended) {
        // The command file is being served unattended: the message stays on the screen for
        // whoever comes by, but nothing waits for its OK.
        AnswerBox::notice(this, QMessageBox::Warning, tr("error"), text);
        return;
    }
    AnswerBox::warning(this, tr("error"), text);
}

void serialPort::keyPressEvent(QKeyEvent *event)
{
    if (event->modifiers() & ~Qt::KeypadModifier) {
        QDialog::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        // A focused button is pressed, except the toggle of a live link: Return never drops it.
        auto *focused = qobject_cast<QPushButton *>(focusWidget());
        if (focused && focused->isVisible()) {
            if (focused->isEnabled() && (focused != ui->pushButtot_Connect || !portOpen))
                focused->click();
            return;
        }
        // Only a live link has a station to confirm; while the scan runs OK waits for it.
        if (portOpen && ui->pushButton_OK->isEnabled())
            on_pushButton_OK_clicked();
        return;
    }
    case Qt::Key_Escape:
        on_pushButton_Cancel_clicked();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void serialPort::on_pushButton_Cancel_clicked()
{
    if (!sessionRunning) {
        emit showChooseDialog();
        hide();
        return;
    }
    // Back to the running session as it was: a link opened here but not confirmed goes again,
    // so the port stays as the main window shows it.
    hide();
    closeUnconfirmedLink();
}

void serialPort::giveUpLink()
{
    if (portOpen)
        dropLink();
}

void serialPort::workOnlineOrOffline(bool online)
{
    if (online)
        return;
    sessionRunning = true;
    if (linkConfirmed)
        dropLink();
    else
        closeUnconfirmedLink();
}

void serialPort::showSerialPlotWindow()
{
    activateWindow();
    show();
}

void serialPort::closeThisWindow()
{
    if (port) {
        port->clear(QSerialPort::AllDirections);
        closePort();
    }
    close();
}

void serialPort::changeLanguage()
{
    // The new translator is installed already; the language-change event follows.
    if (portOpen) {
        on_pushButtot_Connect_clicked();
        activateWindow();
        show();
    }
    const QString label = ui->pushButtot_Connect->text();
    if (label == tr("连接"))
        ui->pushButtot_Connect->setText(tr("Connect"));
    else if (label == tr("断开"))
        ui->pushButtot_Connect->setText(tr("Disconnect"));
    else if (label == tr("Connect"))
        ui->pushButtot_Connect->setText(tr("连接"));
    else if (label == tr("Disconnect"))
        ui->pushButtot_Connect->setText(tr("断开"));
}

void serialPort::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
        setWindowTitle(tr("SerialPortWindow"));
        setTableHeaders();
        fitConnectButton();
        // The form's texts are those of a closed link; an open one keeps its toggle's meaning.
        if (portOpen)
            ui->pushButtot_Connect->setText(tr("断开"));
    }
}
