#ifndef CHOOSEDIALOG_H
#define CHOOSEDIALOG_H

#include <QDialog>

namespace Ui {
class ChooseDialog;
}

// The first window: the drive family (stored in "driver.ini") and online or offline work.
class ChooseDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ChooseDialog(QWidget *parent = nullptr);
    ~ChooseDialog() override;

    bool isOnline() const { return online; }

signals:
    void showSerialPlot();
    void showMainWindow();
    void sendOFF_NO(bool online);

public slots:
    void showChooseDialog();

protected:
    void changeEvent(QEvent *event) override;

private slots:
    void on_pushButton_online_clicked();
    void on_pushButton_offline_clicked();
    void on_pushButton_clicked();

private:
    void saveDriverChoice();
    int readDriverChoice();

    Ui::ChooseDialog *ui;
    bool online = false;
};

#endif // CHOOSEDIALOG_H
