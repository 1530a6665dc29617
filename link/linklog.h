#ifndef LINKLOG_H
#define LINKLOG_H

#include <QLoggingCategory>

// Every frame sent and received, and why a reply was refused. Off by default:
// QT_LOGGING_RULES="tavrilon.link.debug=true" turns it on.
Q_DECLARE_LOGGING_CATEGORY(linkLog)

#endif // LINKLOG_H
