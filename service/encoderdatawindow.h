#ifndef ENCODERDATAWINDOW_H
#define ENCODERDATAWINDOW_H

#include <QWidget>

// The motor and encoder data window. For now it holds only what the parameter window needs
// of it: the busy exchange that keeps the two windows' drive transfers from overlapping.
class EncoderdataWindow : public QWidget
{
    Q_OBJECT

public:
    explicit EncoderdataWindow(QWidget *parent = nullptr);
    ~EncoderdataWindow() override;

    bool isParameterBusy() const { return parameterBusy; }

signals:
    // True when one of this window's drive operations starts, false when it ends.
    void sendEncoderIsOk(bool busy);

public slots:
    // The parameter window's transfer state; while it is true this window starts no drive operation.
    void receiveParameterIsOk(bool busy);

private:
    bool parameterBusy = false;
};

#endif // ENCODERDATAWINDOW_H
