#ifndef VARIABLEMAILBOX_H
#define VARIABLEMAILBOX_H

#include "simulateddrive.h"

#include <map>
#include <mutex>

// The drive's variable-operation mailbox on a simulated drive:
//   CEA0 variable number, CEA1 command (1 write, 3 read) and status, CEA2/CEA3 low/high word.
// A command is carried out at once and sets the status to 2 (finished); the status reads 2
// once and then 0 (idle) again, as the drive clears it. A mailbox that never finishes keeps
// the status at 1 (busy) after a command; an always busy one shows 1 from the start.
class VariableMailbox
{
public:
    enum class Mode { Finishes, NeverFinishes, AlwaysBusy };

    explicit VariableMailbox(SimulatedDrive &drive)
        : drive(drive)
    {
        drive.setWriteHook([this](int, quint16 addr, quint16 value) { written(addr, value); });
        drive.setReadHook([this](int, quint16 addr, quint16) { read(addr); });
    }
    ~VariableMailbox()
    {
        drive.setWriteHook(nullptr);
        drive.setReadHook(nullptr);
    }

    void setMode(Mode m)
    {
        std::lock_guard<std::mutex> lock(mutex);
        mode = m;
        if (m == Mode::AlwaysBusy)
            drive.setRegister(status, 1);
    }
    void setVariable(quint16 number, quint32 value)
    {
        std::lock_guard<std::mutex> lock(mutex);
        variables[number] = value;
    }
    quint32 variable(quint16 number) const
    {
        std::lock_guard<std::mutex> lock(mutex);
        const auto it = variables.find(number);
        return it == variables.end() ? 0 : it->second;
    }

private:
    static const quint16 number = 0xCEA0, status = 0xCEA1, low = 0xCEA2, high = 0xCEA3;

    // On the drive's thread, after the register has been stored.
    void written(quint16 addr, quint16 value)
    {
        if (addr != status || (value != 1 && value != 3))
            return;
        std::lock_guard<std::mutex> lock(mutex);
        const quint16 which = drive.registerValue(number);
        if (value == 1) {
            variables[which] = (quint32(drive.registerValue(high)) << 16) | drive.registerValue(low);
        } else {
            const quint32 v = variables.count(which) ? variables[which] : 0;
            drive.setRegister(low, quint16(v & 0xFFFF));
            drive.setRegister(high, quint16(v >> 16));
        }
        drive.setRegister(status, mode == Mode::Finishes ? 2 : 1);
        finishedShown = false;
    }

    // Before a read is answered: a finished status is shown once, then the mailbox is idle.
    void read(quint16 addr)
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (addr != status || drive.registerValue(status) != 2)
            return;
        if (finishedShown)
            drive.setRegister(status, 0);
        finishedShown = !finishedShown;
    }

    SimulatedDrive &drive;
    mutable std::mutex mutex;
    std::map<quint16, quint32> variables;
    Mode mode = Mode::Finishes;
    bool finishedShown = false;
};

#endif // VARIABLEMAILBOX_H
