#include "choosedialog.h"
#include "choicefiles.h"
#include "ui_choosedialog.h"

#include <QDebug>
#include <QEvent>

ChooseDialog::ChooseDialog(QWidget *parent)
    : QDialog(parent), ui(new Ui::ChooseDialog)
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    ui->comboBox_Driver->addItem(tr("VR"));
    ui->comboBox_Driver->addItem(tr("HXQ"));
    ui->comboBox_Driver->setCurrentIndex(readDriverChoice());
}

ChooseDialog::~ChooseDialog()
{
    delete ui;
}

void ChooseDialog::showChooseDialog()
{
    show();
}

// The family is in "driver.ini" before anyone hears of the choice, so the window that
// opens next reads the family just chosen.
void ChooseDialog::on_pushButton_online_clicked()
{
    online = true;
    saveDriverChoice();
    ui->comboBox_Driver->setCurrentIndex(readDriverChoice());
    emit showSerialPlot();
    emit sendOFF_NO(true);
    hide();
}

void ChooseDialog::on_pushButton_offline_clicked()
{
    online = false;
    saveDriverChoice();
    ui->comboBox_Driver->setCurrentIndex(readDriverChoice());
    emit showMainWindow();
    emit sendOFF_NO(false);
    close();
}

void ChooseDialog::on_pushButton_clicked()
{
    close();
}

void ChooseDialog::saveDriverChoice()
{
    if (!ChoiceFiles::storeDriverChoice(ui->comboBox_Driver->currentIndex()))
        qWarning() << "driver.ini could not be written; the family saved before stays in force";
}

int ChooseDialog::readDriverChoice()
{
    // A family the box does not hold would show an empty box and be saved back as -1.
    const int family = ChoiceFiles::driverChoice();
    return family >= 0 && family < ui->comboBox_Driver->count() ? family : 0;
}

void ChooseDialog::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this); // the title, the label and the three buttons; the family entries stay
}
