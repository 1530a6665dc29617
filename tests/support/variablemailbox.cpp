#include "variablemailbox.h"

#include "simulateddrive.h"

void VariableMailbox::install(SimulatedDrive &drive, int station)
{
    m_drive = &drive;
    m_station = station;
    drive.addWriteHook([this](int st, quint16 addr, quint16 value) { written(st, addr, value); });
    drive.addReadHook([this](int st, quint16 addr, quint16 count) { read(st, addr, count); });
}

void VariableMailbox::setMode(Mode mode)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_mode = mode;
    if (mode == Mode::AlwaysBusy && m_drive)
        m_drive->setRegister(StatusRegister, 1, m_station);
}

void VariableMailbox::setVariable(quint16 number, quint32 value)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_variables[number] = value;
}

quint32 VariableMailbox::variable(quint16 number) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto it = m_variables.find(number);
    return it == m_variables.end() ? 0 : it->second;
}

// After the register has been stored.
void VariableMailbox::written(int station, quint16 addr, quint16 value)
{
    if (station != m_station || addr != StatusRegister || (value != 1 && value != 3))
        return;
    std::lock_guard<std::mutex> lock(m_mutex);
    const quint16 which = m_drive->registerValue(NumberRegister, m_station);
    if (value == 1) {
        m_variables[which] = (quint32(m_drive->registerValue(HighRegister, m_station)) << 16)
            | m_drive->registerValue(LowRegister, m_station);
    } else {
        const auto it = m_variables.find(which);
        const quint32 v = it == m_variables.end() ? 0 : it->second;
        m_drive->setRegister32(LowRegister, v, m_station);
    }
    m_drive->setRegister(StatusRegister, m_mode == Mode::Finishes ? 2 : 1, m_station);
    m_finishedShown = false;
}

// Before a read is answered: a finished status is shown once, then the mailbox is idle.
void VariableMailbox::read(int station, quint16 addr, quint16 count)
{
    if (station != m_station || addr > StatusRegister || int(addr) + count <= StatusRegister)
        return;
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_drive->registerValue(StatusRegister, m_station) != 2)
        return;
    if (m_finishedShown)
        m_drive->setRegister(StatusRegister, 0, m_station);
    m_finishedShown = !m_finishedShown;
}
