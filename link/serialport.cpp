#include "serialport.h"
#include "drivemodel.h"
#include "framecodec.h"
#include "linklog.h"
#include "linktiming.h"
#include "ui_serialport.h"

serialPort::serialPort(QWidget *parent)
    : QDialog(parent), ui(new Ui::serialPort)
{
    responseTimer = new QTimer(this);
    responseTimer->setSingleShot(true);
    responseTimer->setTimerType(Qt::PreciseTimer);
    connect(responseTimer, &QTimer::timeout, this, &serialPort::responseTimedOut);
    settleTimer = new QTimer(this);
    settleTimer->setSingleShot(true);
    connect(settleTimer, &QTimer::timeout, this, &serialPort::sendNext);
    confirmTimer = new QTimer(this);
    confirmTimer->setSingleShot(true);
    confirmTimer->setTimerType(Qt::PreciseTimer);
    connect(confirmTimer, &QTimer::timeout, this, &serialPort::confirmHeld);
    lineClock.start();
    setupDialog();
}

serialPort::~serialPort()
{
    closePort();
    delete ui;
}

bool serialPort::openPort(const QString &name, qint32 baudRate, QSerialPort::DataBits dataBits,
                          QSerialPort::Parity parity, QSerialPort::StopBits stopBits)
{
    closePort();
    auto *candidate = new QSerialPort(this);
    candidate->setPortName(name);
    if (!candidate->open(QIODevice::ReadWrite)) {
        qCWarning(linkLog) << "cannot open" << name << candidate->errorString();
        delete candidate;
        return false;
    }
    // A pseudo-terminal refuses some settings; a real port takes them all.
    const bool settingsTaken = candidate->setBaudRate(baudRate) && candidate->setDataBits(dataBits)
        && candidate->setParity(parity) && candidate->setStopBits(stopBits)
        && candidate->setFlowControl(QSerialPort::NoFlowControl);
    if (!settingsTaken)
        qCDebug(linkLog) << "port" << name << "refused a setting:" << candidate->errorString();
    // What waits in the port came before this link (an echo of a request asked over the last
    // one, line noise): it answers nothing asked from now on.
    if (!candidate->clear(QSerialPort::Input))
        qCDebug(linkLog) << "port" << name << "kept what waited in it:" << candidate->errorString();
    candidate->clearError();
    port = candidate;
    portOpen = true;
    lossTold = false;
    connect(port, &QSerialPort::readyRead, this, &serialPort::HaveReadData);
    connect(port, &QSerialPort::errorOccurred, this, &serialPort::portError);
    LinkTiming::setBaudRate(baudRate);
    qCDebug(linkLog) << "opened" << name << baudRate;
    return true;
}

void serialPort::closePort()
{
    // Nothing asked of the old line is answered or sent any more.
    dropQueue();
    portOpen = false;
    LinkTiming::setBaudRate(0);
    if (!port)
        return;
    port->disconnect(this);
    port->close();
    port->deleteLater();
    port = nullptr;
}

QString serialPort::decodeModelName(const QString &word) const
{
    return DriveModel::decodeModelName(driveFamily, word);
}
