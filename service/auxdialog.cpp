#include "auxdialog.h"

#include <QCoreApplication>
#include <QLineEdit>
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

void showUnread(QLineEdit *field)
{
    UnreadValue::show(field);
}

} // namespace AuxDialog
