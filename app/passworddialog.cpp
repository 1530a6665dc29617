#include "passworddialog.h"
#include "ui_passworddialog.h"

#include <QEvent>
#include <QMessageBox>

PasswordDialog::PasswordDialog(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::PasswordDialog)
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
}

PasswordDialog::~PasswordDialog()
{
    delete ui;
}

void PasswordDialog::showPassword()
{
    show();
}

void PasswordDialog::on_pushButton_OK_clicked()
{
    // The whole entry, case-sensitive; both translation files leave the codes as they are.
    const QString entry = ui->lineEdit_password->text();
    if (entry == tr("MOLVE314")) {
        close();
        level = true;
        emit sendPassWordFlags(true);
        emit sendPassWordFlags2(false);
    } else if (entry == tr("MOLVE3146")) {
        close();
        level = true;
        emit sendPassWordFlags(true);
        emit sendPassWordFlags2(true);
    } else {
        level = false;
        emit sendPassWordFlags(false);
        emit sendPassWordFlags2(false);
        QMessageBox::warning(this, tr("error"), tr("Password Error"), QMessageBox::Ok);
    }
    ui->lineEdit_password->clear();
}

void PasswordDialog::on_pushButton_Cancel_clicked()
{
    close();
}

void PasswordDialog::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
}
