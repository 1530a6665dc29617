#ifndef VERSIONS_H
#define VERSIONS_H

#include <QByteArray>
#include <QString>
#include <QVector>
#include <QWidget>

namespace Ui {
class Versions;
}

// What the connected drive reports about itself: software versions, drive and motor ratings.
// Each opening reads fifteen registers, one after the other, and shows them decoded.
class Versions : public QWidget
{
    Q_OBJECT

public:
    explicit Versions(QWidget *parent = nullptr);
    ~Versions() override;

    QString versionText(const QString &word) const;

signals:
    void readVisons(QByteArray addr, QByteArray count, int requester);
    void VersionOK(bool answered);

public slots:
    void showVersionWindow();
    void changeEvent(QEvent *event) override;
    void receiveVersion(QVector<QString> words);
    // The port state, so that a closed port is reported once instead of at every step.
    void setSerialOpen(bool open);

private slots:
    void on_PushButton_Refresh_clicked();

private:
    void clearFields();

    Ui::Versions *ui = nullptr;
    int step = 0;
    bool replyOk = false;
    bool serialOpen = false;
    // The step whose answer is awaited (0 between waits) and whether it has come, so that a
    // late or second answer never lands in another field.
    int awaitingStep = 0;
    bool stepAnswered = false;
    bool reading = false; // the read sequence runs
};

#endif // VERSIONS_H
