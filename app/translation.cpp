#include "translation.h"

QString translationResource(int languageChoice)
{
    return languageChoice != 0 ? QStringLiteral(":/translator/Velotrim_zh_CN.qm")
                               : QStringLiteral(":/translator/Velotrim_EN.qm");
}
