#ifndef UNREADVALUE_H
#define UNREADVALUE_H

#include <QString>

class QLineEdit;
class QSpinBox;

// The one look of a drive value that is not known now: its read went unanswered, or the link
// it was read over has been lost since. The value's place shows the words "未读出" ("not read")
// and its tool tip says why; no earlier value is left looking current. Every window that shows
// drive values uses these, whatever widget holds the value.
namespace UnreadValue {

// The words in the value's place (a table cell shows them as its text).
QString text();
// Why the value is not shown.
QString reason();
// True when `shown` is the unread mark (in either language), not a value.
bool isUnread(const QString &shown);

// A line edit: emptied, the words as its greyed placeholder (its tool tip, often the range, stays).
void show(QLineEdit *field);
// A spin box: set to its minimum, which then reads as the words; the reason as its tool tip.
// `markRead` takes the mark away once a value has come (the box keeps `toolTip`).
void show(QSpinBox *box);
void markRead(QSpinBox *box, const QString &toolTip);
bool isShown(const QSpinBox *box);

} // namespace UnreadValue

#endif // UNREADVALUE_H
