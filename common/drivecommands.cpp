#include "drivecommands.h"

#include <QCoreApplication>
#include <QObject>
#include <QPointer>

#include <algorithm>
#include <iterator>

namespace DriveCommands {

namespace {

const char *const Context = "DriveCommands";

// Each operation's name: the English of the command file, translated for the interface.
const char *const Names[] = {
    QT_TRANSLATE_NOOP("DriveCommands", "factory reset"),
    QT_TRANSLATE_NOOP("DriveCommands", "motor data alarm clear"),
    QT_TRANSLATE_NOOP("DriveCommands", "motor data execute"),
    QT_TRANSLATE_NOOP("DriveCommands", "encoder initialisation"),
    QT_TRANSLATE_NOOP("DriveCommands", "test run"),
    QT_TRANSLATE_NOOP("DriveCommands", "JOG"),
    QT_TRANSLATE_NOOP("DriveCommands", "program run"),
    QT_TRANSLATE_NOOP("DriveCommands", "homing"),
    QT_TRANSLATE_NOOP("DriveCommands", "position teaching"),
    QT_TRANSLATE_NOOP("DriveCommands", "alarm reset"),
    QT_TRANSLATE_NOOP("DriveCommands", "alarm history clear"),
    QT_TRANSLATE_NOOP("DriveCommands", "analog offset adjustment"),
    QT_TRANSLATE_NOOP("DriveCommands", "speed command offset"),
    QT_TRANSLATE_NOOP("DriveCommands", "torque command offset"),
    QT_TRANSLATE_NOOP("DriveCommands", "absolute encoder reset"),
    QT_TRANSLATE_NOOP("DriveCommands", "capture"),
    QT_TRANSLATE_NOOP("DriveCommands", "spectrum capture"),
};

const QLatin1String ReasonPrefix("drive command registers held by ");

// The holder: gone with its owner.
QPointer<QObject> holder;
Operation held = Operation::FactoryReset;

const char *nameOf(Operation operation)
{
    return Names[int(operation)];
}

} // namespace

bool take(QObject *owner, Operation operation)
{
    if (holder && holder != owner)
        return false;
    holder = owner;
    held = operation;
    return true;
}

void release(QObject *owner)
{
    if (holder == owner)
        holder = nullptr;
}

bool isHeld()
{
    return !holder.isNull();
}

bool heldByOther(QObject *owner)
{
    return holder && holder != owner;
}

Operation holding()
{
    return held;
}

bool isCommandRegister(int family, quint16 address)
{
    struct Range
    {
        quint16 first, last;
    };
    // VR: function select and sub-command, the program a program run selects and the trigger 2
    // mode, the result, the sampler's set-up (each trigger level is two words).
    static const Range Vr[] = {{0x2000, 0x2001}, {0x2008, 0x2009}, {0x2036, 0x2036}, {0x2100, 0x2103},
                               {0x2110, 0x2113}, {0x2200, 0x2203}, {0x2208, 0x2208}, {0x220A, 0x220B}};
    // HXQ: the reset, the sampler's start and its set-up.
    static const Range Hxq[] = {{0x0980, 0x0980}, {0x1000, 0x1000}, {0x1003, 0x1008}};
    const auto within = [address](const auto &ranges) {
        return std::any_of(std::begin(ranges), std::end(ranges),
                           [address](const Range &r) { return address >= r.first && address <= r.last; });
    };
    return family == 1 ? within(Hxq) : within(Vr);
}

QString holderName()
{
    return holder ? QCoreApplication::translate(Context, nameOf(held)) : QString();
}

QString refusalText()
{
    return QCoreApplication::translate(Context, "驱动器正在执行“%1”，它占用着驱动器的命令寄存器，此操作未发送。"
                                                "请等它自行结束，或在它的窗口中停止它，然后再试。")
        .arg(holderName());
}

QString refusalReason()
{
    return holder ? ReasonPrefix + QLatin1String(nameOf(held)) : QString();
}

QString shownReason(const QString &reason)
{
    if (!reason.startsWith(ReasonPrefix))
        return QString();
    const QString name = reason.mid(ReasonPrefix.size());
    for (const char *known : Names) {
        if (name == QLatin1String(known))
            return QCoreApplication::translate(Context, "命令寄存器被“%1”占用")
                .arg(QCoreApplication::translate(Context, known));
    }
    return QString();
}

Hold::Hold(QObject *owner, Operation operation)
    : m_owner(owner), m_taken(false), m_mine(false)
{
    if (holder && holder == owner) {
        m_taken = true; // the owner's running operation holds them; it gives them back
        return;
    }
    m_taken = take(owner, operation);
    m_mine = m_taken;
}

Hold::~Hold()
{
    release();
}

void Hold::release()
{
    if (m_mine)
        DriveCommands::release(m_owner);
    m_mine = false;
}

} // namespace DriveCommands
