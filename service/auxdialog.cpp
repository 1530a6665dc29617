#include "auxdialog.h"

#include <algorithm>

#include <QCoreApplication>
#include <QLineEdit>
#include <QPair>
#include <QPointer>
#include <QMessageBox>

#include "auxcoding.h"
#include "drivecommands.h"
#include "unreadvalue.h"

namespace AuxDialog {

bool writeReached(QWidget *parent, int outcome)
{
    if (outcome == AuxCoding::WriteConfirmed)
        return true;
    // The operation ends at this write: the drive's command registers it holds are given back
    // before the box opens, so that nothing waits on the person reading it.
    DriveCommands::release(parent);
    if (outcome != AuxCoding::WriteRefused)
        QMessageBox::warning(parent, QCoreApplication::translate("AuxDialog", "error"),
                             QCoreApplication::translate("AuxDialog", "驱动器未确认写入,操作已中止"),
                             QMessageBox::Ok);
    return false;
}

namespace {
QList<QPointer<QLineEdit>> &driveFields()
{
    static QList<QPointer<QLineEdit>> fields;
    return fields;
}
} // namespace

void showUnread(QLineEdit *field)
{
    UnreadValue::show(field);
    if (!driveFields().contains(field))
        driveFields().append(field);
}

namespace {
QList<QPair<QPointer<QObject>, std::function<void()>>> &forgetters()
{
    static QList<QPair<QPointer<QObject>, std::function<void()>>> list;
    return list;
}
} // namespace

void whenLinkLost(QObject *owner, std::function<void()> forget)
{
    forgetters().erase(std::remove_if(forgetters().begin(), forgetters().end(),
                                      [](const auto &forgetter) { return !forgetter.first; }),
                       forgetters().end());
    forgetters().append(qMakePair(QPointer<QObject>(owner), std::move(forget)));
}

void forgetDriveValues()
{
    for (const QPointer<QLineEdit> &field : driveFields()) {
        if (field) {
            const QSignalBlocker quiet(field.data()); // no level or value follows an empty field
            UnreadValue::show(field);
        }
    }
    for (const auto &forgetter : forgetters()) {
        if (forgetter.first)
            forgetter.second();
    }
}

Pass::Pass(bool &running, std::function<void()> update)
    : m_run(std::in_place, running), m_update(std::move(update))
{
    if (started())
        m_update();
}

Pass::~Pass()
{
    const bool ran = started();
    m_run.reset();
    if (ran)
        m_update();
}

namespace {
bool portOpen = false;
} // namespace

void setPortOpen(bool open)
{
    portOpen = open;
}

bool refuseWhenPortClosed(QWidget *parent)
{
    if (portOpen)
        return false;
    QMessageBox::warning(parent, QCoreApplication::translate("masterControl", "error"),
                         QCoreApplication::translate("masterControl", "串口未打开/设备未连接/地址未选择"),
                         QMessageBox::Ok);
    return true;
}

} // namespace AuxDialog
