#ifndef PASSWORDDIALOG_H
#define PASSWORDDIALOG_H

#include <QDialog>

namespace Ui {
class PasswordDialog;
}

// Raises the access level: the first code grants level 1, the second code levels 1 and 2,
// anything else withdraws both. The levels live only in the receivers of the two signals.
class PasswordDialog : public QDialog
{
    Q_OBJECT

public:
    explicit PasswordDialog(QWidget *parent = nullptr);
    ~PasswordDialog() override;

    bool levelGranted() const { return level; }

signals:
    void sendPassWordFlags(bool granted);  // level 1
    void sendPassWordFlags2(bool granted); // level 2

public slots:
    void showPassword();

private slots:
    void on_pushButton_OK_clicked();
    void on_pushButton_Cancel_clicked();

protected:
    void changeEvent(QEvent *event) override;

private:
    Ui::PasswordDialog *ui;
    bool level = false;
};

#endif // PASSWORDDIALOG_H
