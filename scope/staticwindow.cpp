#include "staticwindow.h"
#include "ui_staticwindow.h"

staticWindow::staticWindow(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::staticWindow)
{
    ui->setupUi(this);
    // The automation button belongs to the second access level.
    ui->pushButton_Auto->hide();
    ui->pushButton_Sampling->setEnabled(false);
    ui->pushButton_Stop->setEnabled(false);
    ui->pushButton_QuickChange->setEnabled(false);
    ui->pushButton_Auto->setEnabled(false);
}

staticWindow::~staticWindow()
{
    delete ui;
}

void staticWindow::showStaticWindow()
{
    setWindowTitle(tr("StaticWindow"));
    activateWindow();
    setWindowState(Qt::WindowMaximized);
    show();
}

// The capture, stop and quick-change buttons stay disabled until the capture run is there
// behind them, so neither a user nor the command file is told of a capture that never ran.
void staticWindow::closeThisWindow()
{
    close();
}

void staticWindow::isOpenSerialPlot(bool open)
{
    serialOpen = open;
    ui->pushButton_Auto->setEnabled(open);
}

void staticWindow::receiveMainWindow(bool online)
{
    ui->pushButton_Auto->setEnabled(online);
}

void staticWindow::receviePasswordFlags2(bool granted)
{
    ui->pushButton_Auto->setVisible(granted);
}

void staticWindow::on_pushButton_Auto_clicked()
{
    emit showAutoWindow();
}

// The capture run, the stop and the quick-change save come with the capture itself.
void staticWindow::on_pushButton_Sampling_clicked()
{
}

void staticWindow::on_pushButton_Stop_clicked()
{
}

void staticWindow::on_pushButton_QuickChange_clicked()
{
}
