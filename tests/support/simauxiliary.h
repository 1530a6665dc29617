#ifndef SIMAUXILIARY_H
#define SIMAUXILIARY_H

#include <QList>
#include <QtGlobal>

#include <memory>

class SimulatedDrive;

// The auxiliary functions of a VR-family drive, as a part of the drive model: what the tool's
// auxiliary-function panel reaches through the command registers 2000 (function select),
// 2001 (sub-command), 2003 (unlock word) and 2036 (result). It reacts only to its own
// function codes, so the other parts of the model can share those registers:
//
//   1001 + 0004  position teaching: the pulse counters E001 and E003 count from 0 again
//   2001 + 0001  alarm reset: the current alarm E30A goes to 0 (through DriveState if present)
//   1004 + 0001  alarm-history clear: codes E300..E309 and times E32A..E33D go to 0
//   1006 + 0001  analog offset auto-adjust: the offsets take the command voltages read right
//                after it as their zero
//   1007 + 0002/0003, 1008 + 0002/0003  speed / torque command offset one step up / down
//   1011 + 0002, 0001  absolute encoder reset: 2036 reads 0 while it runs, then 1 (done, the
//                      turn count E162 goes to 0) or 2 (failed)
//
// The command offsets live in 0E53/0E54 (speed, 32 bits) and 0E56 (torque), 16 times the
// shown unit; both are protected: a write is kept only right after 9C47 went to 2003. E30B
// and E30C show them, and the command voltages E007 and E009 (0.01 V, moved by the live part
// of the model) read with them added. Counters and voltages are left alone until one of these
// functions has run. The history holds ten alarms with their times (0.1 s of power-on time).
class SimAuxiliary
{
public:
    // Family 0 (VR) only: for any other family install() adds nothing.
    explicit SimAuxiliary(int family = 0);
    void install(SimulatedDrive &drive, int station = 1);

    // The results the encoder reset's result register gives, one per read after a start (the
    // last one repeats): {0, 0, 1} finishes at the third read, {0, 2} fails at the second,
    // {0} never finishes. Empty (the default): 0 for two seconds after the start, then 1.
    void setEncoderResetResults(const QList<quint16> &results);
    int encoderResetStarts() const;
    // Puts an alarm at the head of the history, an hour after the latest; the oldest drops out.
    void recordAlarm(quint16 code);

    struct State;

private:
    int m_family;
    std::shared_ptr<State> m_state;
};

#endif // SIMAUXILIARY_H
