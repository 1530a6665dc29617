#ifndef DRIVEPARAMETERS_H
#define DRIVEPARAMETERS_H

#include <QList>
#include <QPair>
#include <QString>
#include <QVector>

#include <mutex>

class SimulatedDrive;

// The parameter side of a simulated drive, for either family: every parameter of a catalogue
// in its register(s) with its factory value, the parameter-information mailbox that answers
// maximum, minimum, default and value of the parameter whose address was written into it,
// and the factory-reset command. install() puts it on a SimulatedDrive through its register
// map and a write hook of its own; the hook runs on the drive's thread. SimulatedModel::install
// puts one on every drive it makes, with the family's Chinese catalogue.
//
//   VR  (family 0): mailbox CF00 <- address; record CF01..CF09 = unused, then maximum,
//                   minimum, default and value, each as two words, low word first.
//                   Reset: 2000 <- 0000, 2000 <- 1005, 2001 <- 0001.
//   HXQ (family 1): mailbox 0751 <- address; record 0752..0755 = maximum, minimum, default, value.
//                   Reset: 0980 <- 0001.
class DriveParameters
{
public:
    struct Parameter {
        QString number;     // "PA20E", blanks removed
        quint16 address = 0;
        int attribute = 0;  // 0..5 as the catalogue's column 7
        qint64 minimum = 0; // hex words hold the word itself
        qint64 maximum = 0;
        qint64 factory = 0;
    };

    DriveParameters(int family, const QVector<Parameter> &parameters);
    // The parameters of the family's Chinese catalogue.
    explicit DriveParameters(int family);

    // The parameters of a catalogue text (tab-separated lines of eight fields; digit rows
    // and empty lines are passed over). Hex-word limits are read as hex, the others as
    // decimal; a field that is no number reads as 0.
    static QVector<Parameter> fromCatalogue(const QString &text, int family);
    // The catalogue resource of a family in one language (0 English, else Chinese).
    static QString catalogueText(int family, int language);
    // Register address of a parameter number: VR "0" + the three hex digits, HXQ the three
    // decimal digits as a number.
    static quint16 addressOf(const QString &number, int family);

    int family() const { return m_family; }
    bool isVr() const { return m_family == 0; }
    const QVector<Parameter> &parameters() const { return m_parameters; }
    const Parameter *find(const QString &number) const;
    int wordCount(const Parameter &p) const { return isVr() && p.attribute == 5 ? 2 : 1; }

    // The drive's own limits and factory value for one parameter; its record shows them from
    // the next mailbox selection on.
    void setLimits(const QString &number, qint64 minimum, qint64 maximum, qint64 factory);
    // Another set of parameters (the catalogue of another language, say), at their factory
    // values. Call it while the drive is idle.
    void setParameters(const QVector<Parameter> &parameters);

    // Puts the factory values into the drive's registers and answers the mailbox and the
    // reset command from now on.
    void install(SimulatedDrive &drive, int station = 1);

    // Reads and sets a parameter's value in the drive's registers (the test's view).
    qint64 value(const QString &number) const;
    void setValue(const QString &number, qint64 value);
    // Sets every parameter to a value different from its factory value (factory + 1 within
    // 16 bits, or the word inverted for hex words), so that a read-back can be told apart.
    void scramble();

    // Register writes seen since install() or the last clearWrites(), in order.
    QList<QPair<quint16, quint16>> writes() const;
    void clearWrites();
    int resetCount() const;
    int mailboxSelections() const;

    // The words a parameter's record holds for a value as the drive stores them.
    static QVector<quint16> recordWords(const Parameter &p, qint64 value, int family);
    static quint16 lowWord(qint64 v) { return quint16(quint64(v) & 0xFFFF); }
    static quint16 highWord(qint64 v, int attribute);

private:
    void onWrite(int station, quint16 addr, quint16 value);
    void loadFactoryValues();
    void fillRecord(quint16 address);

    int m_family;
    QVector<Parameter> m_parameters;
    SimulatedDrive *m_drive = nullptr;
    int m_station = 1;

    mutable std::mutex m_mutex;
    QList<QPair<quint16, quint16>> m_writes;
    int m_resets = 0;
    int m_selections = 0;
};

#endif // DRIVEPARAMETERS_H
