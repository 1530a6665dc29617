#ifndef AUXDIALOG_H
#define AUXDIALOG_H

#include <functional>
#include <optional>

#include "onerun.h"

class QLineEdit;
class QObject;
class QWidget;

// What the auxiliary-function dialogs share beyond the panel's protocol.
namespace AuxDialog {

// True when a write reached the drive (AuxCoding::WriteConfirmed). A write that was sent but
// not confirmed is reported here, so the user knows the function may not have run; a write
// not done for a closed link was reported already (by the panel, or by the link it lost). `outcome` is -1 when
// no outcome was heard (the dialog is not wired to a panel). A write not reached ends the
// operation: parent's hold of the drive's command registers is given back first.
bool writeReached(QWidget *parent, int outcome);

// Called before a field's read: the field shows the unread look (UnreadValue), so a read
// that is not answered never leaves an earlier value looking current.
void showUnread(QLineEdit *field);
// A drive value held elsewhere than in such a field (a table, a level): forget() makes it
// unknown when the link is lost, for as long as `owner` lives.
void whenLinkLost(QObject *owner, std::function<void()> forget);
// The link was lost: every field that showUnread ever prepared for a drive value shows the
// unread look again, in whatever dialog it is, and every whenLinkLost value is forgotten,
// since nothing read before holds any more.
void forgetDriveValues();

// A pass of a dialog: the reads of its opening, or a command with its reads and pauses. One runs
// at a time, as OneRun keeps it (started() is false for a start while one runs), and what the
// dialog enables follows the flag alone: `update` runs once the flag is set and once it is cleared.
class Pass
{
public:
    Pass(bool &running, std::function<void()> update);
    ~Pass();
    bool started() const { return m_run->started(); }

private:
    std::optional<OneRun> m_run;
    const std::function<void()> m_update;
};

// The panel's port flag (masterControl keeps it here as it changes). A dialog that asks the user
// a question before its first request says first that the link is down, with the panel's own
// message, and asks nothing: true when it did.
void setPortOpen(bool open);
bool refuseWhenPortClosed(QWidget *parent);

} // namespace AuxDialog

#endif // AUXDIALOG_H
