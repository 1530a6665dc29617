#include "driveparameters.h"
#include "simulateddrive.h"

#include "parametercatalogue.h"
#include "parameterconversion.h"

#include <QStringList>

namespace {

const quint16 VrMailbox = 0xCF00;
const quint16 HxqMailbox = 0x0751;
const quint16 VrFunctionSelect = 0x2000;
const quint16 VrSubCommand = 0x2001;
const quint16 HxqReset = 0x0980;

bool isHexWord(int attribute)
{
    return attribute == 0 || attribute == 1;
}

qint64 readLimit(const QString &field, int attribute)
{
    bool ok = false;
    const QString text = field.simplified();
    const qint64 v = isHexWord(attribute) ? qint64(text.toUInt(&ok, 16)) : text.toLongLong(&ok, 10);
    return ok ? v : 0;
}

} // namespace

DriveParameters::DriveParameters(int family, const QVector<Parameter> &parameters)
    : m_family(family == 0 ? 0 : 1)
    , m_parameters(parameters)
{
}

quint16 DriveParameters::addressOf(const QString &number, int family)
{
    bool ok = false;
    const uint v = ParameterConversion::registerAddress(family, number).toUInt(&ok, 16);
    return ok ? quint16(v) : 0;
}

DriveParameters::DriveParameters(int family)
    : DriveParameters(family, fromCatalogue(catalogueText(family, 1), family))
{
}

void DriveParameters::setParameters(const QVector<Parameter> &parameters)
{
    m_parameters = parameters;
    loadFactoryValues();
}

QVector<DriveParameters::Parameter> DriveParameters::fromCatalogue(const QString &text, int family)
{
    QVector<Parameter> result;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        if (line.startsWith(QLatin1Char(' ')))
            continue; // a digit row
        const QStringList fields = line.trimmed().split(QLatin1Char('\t'), Qt::SkipEmptyParts);
        if (fields.size() < 8 || !fields.at(0).simplified().startsWith(QLatin1String("PA")))
            continue;
        Parameter p;
        p.number = fields.at(0).simplified();
        p.attribute = fields.at(7).simplified().toInt();
        p.address = addressOf(p.number, family);
        p.minimum = readLimit(fields.at(3), p.attribute);
        p.maximum = readLimit(fields.at(4), p.attribute);
        p.factory = readLimit(fields.at(5), p.attribute);
        result.append(p);
    }
    return result;
}

QString DriveParameters::catalogueText(int family, int language)
{
    return ParameterCatalogue::readText(ParameterCatalogue::resource(family, language));
}

const DriveParameters::Parameter *DriveParameters::find(const QString &number) const
{
    for (const Parameter &p : m_parameters) {
        if (p.number == number)
            return &p;
    }
    return nullptr;
}

void DriveParameters::setLimits(const QString &number, qint64 minimum, qint64 maximum, qint64 factory)
{
    for (Parameter &p : m_parameters) {
        if (p.number == number) {
            p.minimum = minimum;
            p.maximum = maximum;
            p.factory = factory;
        }
    }
}

quint16 DriveParameters::highWord(qint64 v, int attribute)
{
    if (attribute == 5)
        return quint16((quint64(v) >> 16) & 0xFFFF);
    if (attribute == 2 && v < 0)
        return 0xFFFF;
    return 0;
}

QVector<quint16> DriveParameters::recordWords(const Parameter &p, qint64 value, int family)
{
    if (family == 0) {
        return {0,
                lowWord(p.maximum), highWord(p.maximum, p.attribute),
                lowWord(p.minimum), highWord(p.minimum, p.attribute),
                lowWord(p.factory), highWord(p.factory, p.attribute),
                lowWord(value), highWord(value, p.attribute)};
    }
    return {lowWord(p.maximum), lowWord(p.minimum), lowWord(p.factory), lowWord(value)};
}

void DriveParameters::install(SimulatedDrive &drive, int station)
{
    const bool again = m_drive == &drive && m_station == station;
    m_drive = &drive;
    m_station = station;
    loadFactoryValues();
    if (again)
        return; // the hook is in place already
    drive.addWriteHook([this](int st, quint16 addr, quint16 value) { onWrite(st, addr, value); });
}

void DriveParameters::loadFactoryValues()
{
    for (const Parameter &p : m_parameters)
        setValue(p.number, p.factory);
}

qint64 DriveParameters::value(const QString &number) const
{
    const Parameter *p = find(number);
    if (!p || !m_drive)
        return 0;
    const quint16 low = m_drive->registerValue(p->address, m_station);
    if (wordCount(*p) == 2) {
        const quint16 high = m_drive->registerValue(quint16(p->address + 1), m_station);
        return qint32((quint32(high) << 16) | low);
    }
    if (p->attribute == 2 || (isVr() && p->attribute == 4))
        return qint16(low);
    return low;
}

void DriveParameters::setValue(const QString &number, qint64 value)
{
    const Parameter *p = find(number);
    if (!p || !m_drive)
        return;
    m_drive->setRegister(p->address, lowWord(value), m_station);
    if (wordCount(*p) == 2)
        m_drive->setRegister(quint16(p->address + 1), highWord(value, p->attribute), m_station);
}

void DriveParameters::scramble()
{
    for (const Parameter &p : m_parameters) {
        if (isHexWord(p.attribute))
            setValue(p.number, quint16(~quint16(p.factory)));
        else if (wordCount(p) == 2)
            setValue(p.number, p.factory + 70000);
        else
            setValue(p.number, qint16(quint16(p.factory + 1)));
    }
}

// The record of the parameter at `address` into the mailbox; an unknown address reads zeros.
void DriveParameters::fillRecord(quint16 address)
{
    QVector<quint16> words(isVr() ? 9 : 4, 0);
    for (const Parameter &p : m_parameters) {
        if (p.address == address) {
            words = recordWords(p, value(p.number), m_family);
            break;
        }
    }
    const quint16 first = isVr() ? VrMailbox + 1 : HxqMailbox + 1;
    for (int i = 0; i < words.size(); ++i)
        m_drive->setRegister(quint16(first + i), words.at(i), m_station);
}

void DriveParameters::onWrite(int station, quint16 addr, quint16 value)
{
    if (station != m_station)
        return;
    const bool mailbox = addr == (isVr() ? VrMailbox : HxqMailbox);
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_writes.append(qMakePair(addr, value));
        m_selections += mailbox ? 1 : 0;
    }
    if (mailbox) {
        fillRecord(value);
        return;
    }
    const bool reset = isVr()
        ? addr == VrSubCommand && value == 0x0001 && m_drive->registerValue(VrFunctionSelect, m_station) == 0x1005
        : addr == HxqReset && value == 0x0001;
    if (reset) {
        loadFactoryValues();
        std::lock_guard<std::mutex> lock(m_mutex);
        ++m_resets;
    }
}

QList<QPair<quint16, quint16>> DriveParameters::writes() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_writes;
}

void DriveParameters::clearWrites()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_writes.clear();
}

int DriveParameters::resetCount() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_resets;
}

int DriveParameters::mailboxSelections() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_selections;
}
