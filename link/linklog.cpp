#include "linklog.h"

Q_LOGGING_CATEGORY(linkLog, "tavrilon.link", QtWarningMsg)
