#ifndef COMPAREWINDOW_H
#define COMPAREWINDOW_H

#include <QVector>
#include <QWidget>

#include "parametercsvfile.h"

class QEvent;
class QLineEdit;

namespace Ui {
class compareWindow;
}

// The differences between two parameter files, or between the parameter table's values and a
// file. Parameters are paired by number. Names and the table's values come from the parameter
// window through signals that main connects; the answers arrive before the emit returns.
class compareWindow : public QWidget
{
    Q_OBJECT

public:
    explicit compareWindow(QWidget *parent = nullptr);
    ~compareWindow() override;

signals:
    void getParameterName(QString number);
    void getOnlineData();

public slots:
    void showCompareWindow();
    void isOnline(bool allowed);
    void recieveName(QString name);
    void recieveOnlineData(QVector<QString> values);
    // The numbers of the table rows whose values recieveOnlineData carries, in the same order.
    void recieveOnlineNumbers(QVector<QString> numbers);
    void closeThisWindow();
    void onLineSetting();
    void offLineSetting();

protected:
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void on_toolButton_Target_clicked();
    void on_toolButton_Source_clicked();
    void on_pushButton_Compare_clicked();

private:
    void loadFile(QLineEdit *pathEdit, QVector<QString> &numbers, QVector<QString> &values,
                  ParameterCsv::ParsedFile &read);
    QVector<ParameterCsv::Entry> entriesNotCut(const ParameterCsv::ParsedFile &read,
                                               const QVector<ParameterCsv::Entry> &other, const QString &path,
                                               QStringList *report) const;
    bool sameFamily(bool twoFiles);
    void fitColumnsToHeaders();

    Ui::compareWindow *ui;
    QVector<QString> fileOneValues;
    QVector<QString> fileOneNumbers;
    QVector<QString> fileTwoValues;
    QVector<QString> fileTwoNumbers;
    ParameterCsv::ParsedFile fileOneRead; // the two files as read: their model lines and line numbers
    ParameterCsv::ParsedFile fileTwoRead;
    QVector<QString> matchedNames;
    QVector<QString> onlineData;
    QVector<QString> onlineNumbers;
    bool onlineAllowed = false;
    bool resultOnline = false; // the table shows a comparison with the drive's values
};

#endif // COMPAREWINDOW_H
