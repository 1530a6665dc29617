#ifndef VARIABLEMAILBOX_H
#define VARIABLEMAILBOX_H

#include <QtGlobal>

#include <map>
#include <mutex>

class SimulatedDrive;

// The drive's variable-operation mailbox on a simulated drive:
//   CEA0 variable number, CEA1 command (1 write, 3 read) and status, CEA2/CEA3 low/high word.
// A command is carried out at once and sets the status to 2 (finished); the status reads 2
// once and then 0 (idle) again, as the drive clears it. A mailbox that never finishes keeps
// the status at 1 (busy) after a command; an always busy one shows 1 from the start.
// Its hooks run on the drive's thread.
class VariableMailbox
{
public:
    enum class Mode { Finishes, NeverFinishes, AlwaysBusy };

    static const quint16 NumberRegister = 0xCEA0, StatusRegister = 0xCEA1, LowRegister = 0xCEA2,
                         HighRegister = 0xCEA3;

    VariableMailbox() = default;
    VariableMailbox(const VariableMailbox &) = delete;
    VariableMailbox &operator=(const VariableMailbox &) = delete;

    // Answers the mailbox of one station from now on.
    void install(SimulatedDrive &drive, int station = 1);

    void setMode(Mode mode);
    void setVariable(quint16 number, quint32 value);
    quint32 variable(quint16 number) const;

private:
    void written(int station, quint16 addr, quint16 value);
    void read(int station, quint16 addr, quint16 count);

    SimulatedDrive *m_drive = nullptr;
    int m_station = 1;
    mutable std::mutex m_mutex;
    std::map<quint16, quint32> m_variables;
    Mode m_mode = Mode::Finishes;
    bool m_finishedShown = false;
};

#endif // VARIABLEMAILBOX_H
