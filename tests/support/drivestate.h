#ifndef DRIVESTATE_H
#define DRIVESTATE_H

#include <QtGlobal>

class SimulatedDrive;

// What a simulated drive says about itself: its model word (VR "C000": 0010, a rotary VR1P,
// which is also its type word; HXQ "0712": 0010, an HXQ1), its status word (VR "E31B", HXQ "0660": main power on, bit 5) and its
// current alarm (VR "E30A", HXQ "0630": 0). An alarm, when a test asks for one, sets the alarm
// bit (15) of the status word and the code in the alarm register.
class DriveState
{
public:
    static const quint16 PowerOn = 0x0020;
    static const quint16 AlarmBit = 0x8000;

    explicit DriveState(int family);

    void install(SimulatedDrive &drive, int station = 1);

    static quint16 modelRegister(int family) { return family == 0 ? 0xC000 : 0x0712; }
    static quint16 statusRegister(int family) { return family == 0 ? 0xE31B : 0x0660; }
    static quint16 alarmRegister(int family) { return family == 0 ? 0xE30A : 0x0630; }
    static quint16 modelWord(int) { return 0x0010; } // the same word in both families

    // code 0 clears the alarm.
    void setAlarm(quint16 code);
    void setPowerOn(bool on);

private:
    void writeStatus();

    int m_family;
    SimulatedDrive *m_drive = nullptr;
    int m_station = 1;
    bool m_powerOn = true;
    quint16 m_alarm = 0;
};

#endif // DRIVESTATE_H
