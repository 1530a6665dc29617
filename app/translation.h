#ifndef TRANSLATION_H
#define TRANSLATION_H

#include <QString>

// The translation file that belongs to a language choice (0 English, anything else Chinese).
QString translationResource(int languageChoice);

#endif // TRANSLATION_H
