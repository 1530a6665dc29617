#include "auxdialog.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QPointer>
#include <QMessageBox>

#include "auxcoding.h"
#include "unreadvalue.h"

namespace AuxDialog {

bool writeReached(QWidget *parent, int outcome)
{
    if (outcome == AuxCoding::WriteConfirmed)
        return true;
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

void forgetDriveValues()
{
    for (const QPointer<QLineEdit> &field : driveFields()) {
        if (field) {
            const QSignalBlocker quiet(field.data()); // no level or value follows an empty field
            UnreadValue::show(field);
        }
    }
}

} // namespace AuxDialog
