#ifndef MODALANSWERER_H
#define MODALANSWERER_H

#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <functional>

// Answers the modal boxes that code under test opens (QMessageBox static functions, other
// QDialogs, file dialogs) and records each one, so a test can check "one warning with text X
// was shown". It polls QApplication::activeModalWidget() from a timer, which keeps running
// inside the box's own event loop.
class ModalBoxAnswerer : public QObject
{
    Q_OBJECT

public:
    enum class Answer {
        Ok,     // Ok (or Yes, or the accept role) of a message box; accept() of a dialog
        Yes,    // Yes of a question
        No,     // No of a question; reject() of a dialog
        Cancel, // Cancel (or the reject role, or Escape); reject() of a dialog
        First,  // the first of QMessageBox::buttons() (grouped by role); accept() of a dialog
    };

    struct Box {
        QString className;  // "QMessageBox", "QFileDialog", ...
        QString title;
        QString text;       // the message box text; empty for other dialogs
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QStringList buttons; // the texts of the message box buttons
        QString pressed;    // the text of the button pressed, or "accept" / "reject"
        QPointer<QWidget> parent; // the window it opened over
    };

    // While it lives, a modal box or a wait opened inside a slot the link calls while it hands an
    // answer over ends the test (qFatal).
    explicit ModalBoxAnswerer(Answer answer = Answer::Ok, QObject *parent = nullptr);
    ~ModalBoxAnswerer() override;

    // The answer for every box from now on.
    void setAnswer(Answer answer);
    // Answers for the next boxes, one each, before falling back to setAnswer's.
    void queueAnswers(const QList<Answer> &answers);
    // File dialogs: the path chosen (selected and accepted); empty = cancel the dialog.
    void setFileAnswer(const QString &path);
    // Last resort for a dialog of one's own: return true when the widget was answered.
    void setHandler(std::function<bool(QWidget *)> handler);
    // Modal windows that are the program's own (a window shown modally on purpose): left alone.
    void setLeftAlone(std::function<bool(QWidget *)> leftAlone);

    QList<Box> boxes() const { return m_boxes; }
    int count() const { return m_boxes.size(); }
    Box last() const { return m_boxes.isEmpty() ? Box() : m_boxes.last(); }
    // Boxes whose text (or title, when text is empty) equals the given one.
    int countWithText(const QString &text) const;
    void clear() { m_boxes.clear(); }

    // The texts of the non-modal message boxes on the screen (notices, which wait for nobody),
    // each closed once read.
    static QStringList takeNotices();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void poll();

private:
    Answer nextAnswer();
    void answerMessageBox(QMessageBox *box, Answer answer, Box &record);

    QTimer m_timer;
    Answer m_answer;
    QList<Answer> m_queue;
    QString m_fileAnswer;
    std::function<bool(QWidget *)> m_handler;
    std::function<bool(QWidget *)> m_leftAlone;
    QList<Box> m_boxes;
    QPointer<QWidget> m_lastFileDialog; // answered once; may need the answer again
};

#endif // MODALANSWERER_H
