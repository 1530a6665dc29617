#include "unreadvalue.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QSpinBox>

namespace UnreadValue {

namespace {
const char Context[] = "UnreadValue";
const char Words[] = "未读出";
} // namespace

QString text()
{
    return QCoreApplication::translate(Context, Words);
}

QString reason()
{
    return QCoreApplication::translate(Context, "驱动器未应答或连接已断开，此值未从驱动器读到");
}

bool isUnread(const QString &shown)
{
    // A table filled before a language switch still carries the other language's words.
    return shown == text() || shown == QString::fromUtf8(Words) || shown == QLatin1String("not read");
}

void show(QLineEdit *field)
{
    field->clear();
    field->setPlaceholderText(text());
}

void show(QSpinBox *box)
{
    box->setSpecialValueText(text());
    box->setValue(box->minimum());
    box->setToolTip(reason());
}

void markRead(QSpinBox *box, const QString &toolTip)
{
    box->setSpecialValueText(QString());
    box->setToolTip(toolTip);
}

bool isShown(const QSpinBox *box)
{
    return !box->specialValueText().isEmpty() && box->value() == box->minimum();
}

} // namespace UnreadValue
