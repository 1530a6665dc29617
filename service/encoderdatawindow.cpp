#include "encoderdatawindow.h"

EncoderdataWindow::EncoderdataWindow(QWidget *parent)
    : QWidget(parent)
{
}

EncoderdataWindow::~EncoderdataWindow() = default;

void EncoderdataWindow::receiveParameterIsOk(bool busy)
{
    parameterBusy = busy;
}
