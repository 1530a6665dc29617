#include "drivestate.h"

#include "simulateddrive.h"

DriveState::DriveState(int family)
    : m_family(family == 0 ? 0 : 1)
{
}

void DriveState::install(SimulatedDrive &drive, int station)
{
    m_drive = &drive;
    m_station = station;
    drive.setRegister(modelRegister(m_family), modelWord(m_family), station);
    writeStatus();
}

void DriveState::setAlarm(quint16 code)
{
    m_alarm = code;
    writeStatus();
}

void DriveState::setPowerOn(bool on)
{
    m_powerOn = on;
    writeStatus();
}

void DriveState::writeStatus()
{
    if (!m_drive)
        return;
    const quint16 status = (m_powerOn ? PowerOn : 0) | (m_alarm ? AlarmBit : 0);
    m_drive->setRegister(statusRegister(m_family), status, m_station);
    m_drive->setRegister(alarmRegister(m_family), m_alarm, m_station);
}
