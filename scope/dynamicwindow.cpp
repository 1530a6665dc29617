// The live trend's form and plot set-up, showing and closing, switching CH1 on and off, the
// buttons of the button row and the channel boxes.

#include "dynamicwindow.h"
#include "ui_dynamicwindow.h"

#include "answerbox.h"
#include "axistag.h"
#include "choicefiles.h"
#include "plotlook.h"
#include "pollturn.h"

#include <QCloseEvent>
#include <QIntValidator>
#include <QMessageBox>
#include <QSignalBlocker>
#include <QTimer>

#include <algorithm>
#include <limits>

namespace {

constexpr int TickMs = 40;

// A solid pen of width 1 with square caps and bevel joins, as the axes draw their lines.
QPen axisPen(const QColor &colour)
{
    return QPen(QBrush(colour), 1, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin);
}

void colourAxis(QCPAxis *axis, const QColor &colour)
{
    axis->setLabelColor(colour);
    axis->setTickLabelColor(colour);
    axis->setBasePen(axisPen(colour));
    axis->setTickPen(axisPen(colour));
    axis->setSubTickPen(axisPen(colour));
}

} // namespace

dynamicWindow::dynamicWindow(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::dynamicWindow)
{
    ui->setupUi(this);
    setWindowTitle(tr("DynamicWindow"));

    if (ChoiceFiles::languageChoice() != 0)
        ChineseLable();
    else
        EnglishLable();

    QCustomPlot *plot = ui->widget_Dynamic;
    // The left axis shows the right axis's range without labels; the tag sits at the right.
    plot->yAxis->setTickLabels(false);
    connect(plot->yAxis2, QOverload<const QCPRange &>::of(&QCPAxis::rangeChanged), plot->yAxis,
            QOverload<const QCPRange &>::of(&QCPAxis::setRange));
    plot->yAxis2->setVisible(true);

    trendTimer = new QTimer(this);
    trendTimer->setInterval(TickMs);
    connect(trendTimer, &QTimer::timeout, this, &dynamicWindow::timerSlot);
    readTurn = new PollTurn(this);
    connect(readTurn, &PollTurn::ended, this, &dynamicWindow::readEnded);
    ui->pushButton_continue->hide();
    connect(ui->checkBox_CH1, &QCheckBox::clicked, this, &dynamicWindow::channelOne);

    // The mouse drags and zooms the value ranges only, never the time axis.
    plot->setInteractions(QCP::iRangeDrag | QCP::iRangeZoom | QCP::iSelectPlottables | QCP::iSelectAxes);
    plot->yAxis2->setTickLabelColor(Qt::red);
    plot->yAxis2->setPadding(30); // room for the value tag
    const QList<QCPAxis *> valueAxes{plot->yAxis, plot->yAxis2};
    plot->axisRect(0)->setRangeDragAxes(valueAxes);
    plot->axisRect(0)->setRangeZoomAxes(valueAxes);

    plot->yAxis2->grid()->setVisible(true);
    plot->yAxis2->grid()->setZeroLinePen(QPen(Qt::red));

    ui->comboBox_CH2->hide();
    ui->checkBox_CH2->hide();
    ui->label_CH2->hide();
    ui->label_8->hide();

    for (QLineEdit *edit : {ui->lineEdit_CH1_1, ui->lineEdit_CH1_2, ui->lineEdit_CH2_1, ui->lineEdit_CH2_2,
                            ui->lineEdit_X_1, ui->lineEdit_X_2})
        edit->setValidator(new QIntValidator(std::numeric_limits<int>::min(), std::numeric_limits<int>::max(), this));

    plot->setBackground(PlotLook::background());
    plot->axisRect(0)->setBackground(PlotLook::axisBackground());

    colourAxis(plot->xAxis, Qt::white);
}

dynamicWindow::~dynamicWindow()
{
    trendTimer->stop();
    delete ui;
}

void dynamicWindow::showDynamicWindow()
{
    setWindowTitle(tr("DynamicWindow"));
    activateWindow();
    setWindowState(Qt::WindowMaximized);
    emit stopMainWindowQuery();
    if (firstShow) {
        channelOne();
        firstShow = false;
    } else {
        on_pushButton_continue_clicked();
    }
    show();
}

void dynamicWindow::closeThisWindow()
{
    on_pushButton_pause_clicked();
    close();
}

void dynamicWindow::closeEvent(QCloseEvent *event)
{
    on_pushButton_pause_clicked();
    emit startMainWindowQuery();
    event->accept();
}

void dynamicWindow::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
}

void dynamicWindow::channelOne()
{
    QCustomPlot *plot = ui->widget_Dynamic;
    // A graph left from before (never expected) goes first, so one graph and one tag stand.
    delete tagCH1;
    tagCH1 = nullptr;
    if (graphCH1)
        plot->removeGraph(graphCH1);

    if (ui->checkBox_CH1->isChecked()) {
        graphCH1 = plot->addGraph(plot->xAxis, plot->axisRect(0)->axis(QCPAxis::atRight, 0));
        graphCH1->setPen(QPen(Qt::red));
        colourAxis(graphCH1->valueAxis(), Qt::red);
        tagCH1 = new axisTag(graphCH1->valueAxis());
        tagCH1->setPen(graphCH1->pen());
        trendTimer->start(TickMs);
        ui->pushButton_continue->hide();
        ui->pushButton_pause->show();
        ui->checkBox_CH1->setEnabled(false);
    } else {
        trendTimer->stop();
        plot->clearItems();
        plot->replot();
    }
}

void dynamicWindow::on_pushButton_pause_clicked()
{
    trendTimer->stop();
    ui->pushButton_pause->hide();
    ui->pushButton_continue->show();
    ui->checkBox_CH1->setEnabled(true);
}

void dynamicWindow::on_pushButton_continue_clicked()
{
    trendTimer->start(TickMs);
    ui->pushButton_pause->show();
    ui->pushButton_continue->hide();
    ui->checkBox_CH1->setEnabled(false);
}

void dynamicWindow::on_pushButton_Reset_clicked()
{
    ui->widget_Dynamic->rescaleAxes(false);
    ui->widget_Dynamic->replot();
}

void dynamicWindow::on_pushButton_FullScreen_clicked()
{
    ui->tabWidget->setVisible(!ui->tabWidget->isVisible());
}

void dynamicWindow::on_checkBox_Fixed_clicked()
{
    if (!ui->checkBox_Fixed->isChecked())
        return;
    QCustomPlot *plot = ui->widget_Dynamic;
    // Empty or unreadable text reads 0; an empty range is refused by the axis and changes nothing.
    plot->yAxis2->setRange(ui->lineEdit_CH1_1->text().toInt(), ui->lineEdit_CH1_2->text().toInt());
    plot->xAxis->setRange(ui->lineEdit_X_1->text().toInt(), ui->lineEdit_X_2->text().toInt());
    plot->replot();
}

void dynamicWindow::on_comboBox_CH1_currentIndexChanged(int)
{
    // Another variable: its values start a history and a curve of their own, and a value of
    // the old one, read or still on its way, is not taken for it.
    history = LiveTrend::ValueHistory();
    if (pendingChannel == 1)
        pendingChannel = 0;
    freshCH1 = false;
    if (graphCH1) {
        graphCH1->data()->clear();
        ui->widget_Dynamic->replot();
    }
    // A new choice switches CH1 through its check box (ignored while the trend runs, since the
    // box is disabled then). A hidden window stays as it is.
    if (serialOpen && !firstShow && isVisible())
        ui->checkBox_CH1->click();
}

void dynamicWindow::EnglishLable()
{
    stopForLanguageSwitch();
    fillChannelBoxes(false);
}

void dynamicWindow::ChineseLable()
{
    stopForLanguageSwitch();
    fillChannelBoxes(true);
}

// A running trend stops on a language switch and says so, once. The switch may have closed the
// link just before, which stopped the trend already: that is told here too, as the link says
// nothing of a close it was asked for.
void dynamicWindow::stopForLanguageSwitch()
{
    const bool running = (trendTimer && trendTimer->isActive()) || stoppedByClose;
    stoppedByClose = false;
    if (!running)
        return;
    on_pushButton_pause_clicked();
    // With the command file served unattended the note waits for nobody: the switch, and the
    // request of the command file beneath it, go on at once.
    AnswerBox::stoppedNote(this, tr("提示"), tr("语言已切换,实时曲线已停止"));
}

// The same variables in the other language: the choices stay, and no choice is made anew.
void dynamicWindow::fillChannelBoxes(bool chinese)
{
    for (QComboBox *box : {ui->comboBox_CH1, ui->comboBox_CH2}) {
        const int kept = box->currentIndex();
        const QSignalBlocker quiet(box);
        box->clear();
        for (int i = 0; i < LiveTrend::channelCount(); ++i) {
            const LiveTrend::Channel c = LiveTrend::channel(i);
            box->addItem(tr(chinese ? c.chineseName : c.englishName));
        }
        box->setCurrentIndex(std::max(kept, 0));
    }
}

void dynamicWindow::DriverModelToSave(QString model)
{
    driverModel = model;
}

void dynamicWindow::isOpenSerialPlot(bool open)
{
    if (open) {
        serialOpen = true;
        return;
    }
    // Remembered only until the signal that closed the link has reached every window.
    if (trendTimer->isActive()) {
        stoppedByClose = true;
        QTimer::singleShot(0, this, [this] { stoppedByClose = false; });
    }
    trendTimer->stop();
    serialOpen = false;
    close();
}
