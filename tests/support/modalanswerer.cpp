#include "modalanswerer.h"
#include "linetickets.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDebug>
#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>

ModalBoxAnswerer::ModalBoxAnswerer(Answer answer, QObject *parent)
    : QObject(parent)
    , m_answer(answer)
{
    m_timer.setInterval(20);
    connect(&m_timer, &QTimer::timeout, this, &ModalBoxAnswerer::poll);
    m_timer.start();
    // A box or a wait inside a slot the link calls while it hands an answer over holds the link
    // and every window waiting beneath: whichever test meets one fails.
    LineTickets::setMisuseWatch([](const char *what) {
        qFatal("%s inside a slot the link calls while it hands an answer over", what);
    });
    qApp->installEventFilter(this);
}

ModalBoxAnswerer::~ModalBoxAnswerer()
{
    LineTickets::setMisuseWatch(nullptr);
}

bool ModalBoxAnswerer::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Show && LineTickets::delivering()) {
        auto *widget = qobject_cast<QWidget *>(watched);
        if (widget && widget->isWindow() && widget->isModal()) {
            const auto *box = qobject_cast<QMessageBox *>(widget);
            qWarning() << "a modal" << widget->metaObject()->className() << (box ? box->text() : QString());
            LineTickets::noteMisuse("a modal box or dialog opened");
        }
    }
    return QObject::eventFilter(watched, event);
}

void ModalBoxAnswerer::setAnswer(Answer answer)
{
    m_answer = answer;
}

void ModalBoxAnswerer::queueAnswers(const QList<Answer> &answers)
{
    m_queue += answers;
}

void ModalBoxAnswerer::setFileAnswer(const QString &path)
{
    m_fileAnswer = path;
}

void ModalBoxAnswerer::setHandler(std::function<bool(QWidget *)> handler)
{
    m_handler = std::move(handler);
}

void ModalBoxAnswerer::setLeftAlone(std::function<bool(QWidget *)> leftAlone)
{
    m_leftAlone = std::move(leftAlone);
}

int ModalBoxAnswerer::countWithText(const QString &text) const
{
    int n = 0;
    for (const Box &box : m_boxes)
        n += (box.text.isEmpty() ? box.title : box.text) == text;
    return n;
}

QStringList ModalBoxAnswerer::takeNotices()
{
    QStringList texts;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        auto *box = qobject_cast<QMessageBox *>(window);
        if (box && box->isVisible() && !box->isModal()) {
            texts << box->text();
            box->close();
        }
    }
    return texts;
}

ModalBoxAnswerer::Answer ModalBoxAnswerer::nextAnswer()
{
    return m_queue.isEmpty() ? m_answer : m_queue.takeFirst();
}

void ModalBoxAnswerer::poll()
{
    QWidget *widget = QApplication::activeModalWidget();
    if (!widget || !widget->isVisible())
        return;
    if (m_leftAlone && m_leftAlone(widget))
        return;

    Box record;
    record.className = QString::fromLatin1(widget->metaObject()->className());
    record.title = widget->windowTitle();
    record.parent = widget->parentWidget();

    if (auto *box = qobject_cast<QMessageBox *>(widget)) {
        answerMessageBox(box, nextAnswer(), record);
        return;
    }
    if (auto *files = qobject_cast<QFileDialog *>(widget)) {
        if (m_fileAnswer.isEmpty()) {
            record.pressed = QStringLiteral("reject");
            m_boxes.append(record);
            files->reject();
        } else {
            record.text = m_fileAnswer;
            record.pressed = QStringLiteral("accept");
            if (files != m_lastFileDialog)
                m_boxes.append(record);
            m_lastFileDialog = files;
            // A shown dialog takes the name from its name field (selectFile alone is not
            // enough once the field has the focus).
            files->selectFile(m_fileAnswer);
            if (auto *name = files->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
                name->setText(m_fileAnswer);
            static_cast<QDialog *>(files)->accept();
        }
        return;
    }
    if (m_handler && m_handler(widget)) {
        record.pressed = QStringLiteral("handler");
        m_boxes.append(record);
        return;
    }
    if (auto *dialog = qobject_cast<QDialog *>(widget)) {
        const Answer answer = nextAnswer();
        const bool accept = answer == Answer::Ok || answer == Answer::Yes || answer == Answer::First;
        record.pressed = accept ? QStringLiteral("accept") : QStringLiteral("reject");
        m_boxes.append(record);
        if (accept)
            dialog->accept();
        else
            dialog->reject();
        return;
    }
    // A modal widget that is no dialog: close it.
    record.pressed = QStringLiteral("close");
    m_boxes.append(record);
    widget->close();
}

void ModalBoxAnswerer::answerMessageBox(QMessageBox *box, Answer answer, Box &record)
{
    record.text = box->text();
    record.icon = box->icon();
    const QList<QAbstractButton *> buttons = box->buttons();
    for (QAbstractButton *b : buttons)
        record.buttons.append(b->text());

    QAbstractButton *chosen = nullptr;
    auto byStandard = [box](std::initializer_list<QMessageBox::StandardButton> list) -> QAbstractButton * {
        for (QMessageBox::StandardButton sb : list) {
            if (QAbstractButton *b = box->button(sb))
                return b;
        }
        return nullptr;
    };
    auto byRole = [box, &buttons](std::initializer_list<QMessageBox::ButtonRole> roles) -> QAbstractButton * {
        for (QMessageBox::ButtonRole role : roles) {
            for (QAbstractButton *b : buttons) {
                if (box->buttonRole(b) == role)
                    return b;
            }
        }
        return nullptr;
    };
    switch (answer) {
    case Answer::Ok:
        chosen = byStandard({QMessageBox::Ok, QMessageBox::Yes});
        if (!chosen)
            chosen = byRole({QMessageBox::AcceptRole, QMessageBox::YesRole});
        break;
    case Answer::Yes:
        chosen = byStandard({QMessageBox::Yes});
        if (!chosen)
            chosen = byRole({QMessageBox::YesRole, QMessageBox::AcceptRole});
        break;
    case Answer::No:
        chosen = byStandard({QMessageBox::No});
        if (!chosen)
            chosen = byRole({QMessageBox::NoRole});
        break;
    case Answer::Cancel:
        chosen = box->escapeButton();
        if (!chosen)
            chosen = byStandard({QMessageBox::Cancel, QMessageBox::No, QMessageBox::Close});
        if (!chosen)
            chosen = byRole({QMessageBox::RejectRole, QMessageBox::NoRole});
        break;
    case Answer::First:
        break;
    }
    if (!chosen && !buttons.isEmpty())
        chosen = buttons.first();
    record.pressed = chosen ? chosen->text() : QStringLiteral("close");
    m_boxes.append(record);
    if (chosen)
        chosen->click();
    else
        box->close();
}
