#ifndef FILEDIALOGANSWER_H
#define FILEDIALOGANSWER_H

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>

// Accepts every file dialog that opens while it lives with `path` typed into the dialog's name
// field. Selecting the file is not enough: a visible dialog whose name field has the focus
// ignores selectFile, and its accept() then keeps the dialog open.
class FileDialogAnswer
{
public:
    explicit FileDialogAnswer(const QString &path)
    {
        timer.setInterval(5);
        QObject::connect(&timer, &QTimer::timeout, [path] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible())
                return;
            if (auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
                name->setText(path);
            static_cast<QDialog *>(dialog)->accept();
        });
        timer.start();
    }

private:
    QTimer timer;
};

#endif // FILEDIALOGANSWER_H
