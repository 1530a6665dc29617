// The capture window itself: construction and plot set-up, showing and closing, the panels of
// the drive family, and the link, online and access-level slots.

#include "staticwindow.h"
#include "ui_staticwindow.h"

#include "choicefiles.h"
#include "plotlook.h"
#include "pollturn.h"

#include <QSpinBox>
#include <QTimer>

#include <limits>

staticWindow::staticWindow(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::staticWindow)
{
    ui->setupUi(this);
    setWindowTitle(tr("StaticWindow"));

    // The x bounds beside the CH3/CH4 ranges only mirror those of CH1/CH2.
    ui->spinBox_X_3->setEnabled(false);
    ui->spinBox_X_4->setEnabled(false);

    readDriverChoice();
    ui->widget_CH3_CH4_Start->setVisible(driverChoice != 1);
    ui->widget_CH3_CH4_end->setVisible(driverChoice != 1);

    connect(ui->checkBox_CH1, SIGNAL(clicked(bool)), this, SLOT(channelOne()));
    connect(ui->checkBox_CH2, SIGNAL(clicked(bool)), this, SLOT(channelTwo()));
    connect(ui->checkBox_CH3, SIGNAL(clicked(bool)), this, SLOT(channelThree()));
    connect(ui->checkBox_CH4, SIGNAL(clicked(bool)), this, SLOT(channelFour()));
    connect(ui->checkBox_CH1_IO, SIGNAL(clicked(bool)), this, SLOT(channelOne_IO()));
    connect(ui->checkBox_CH2_IO, SIGNAL(clicked(bool)), this, SLOT(channelTwo_IO()));
    connect(ui->checkBox_CH3_IO, SIGNAL(clicked(bool)), this, SLOT(channelThree_IO()));
    connect(ui->checkBox_CH4_IO, SIGNAL(clicked(bool)), this, SLOT(channelFour_IO()));

    setupPlot();
    setAttribute(Qt::WA_MouseTracking);
    connect(ui->widget_Static, &QCustomPlot::mouseMove, this, &staticWindow::myMouseMoveEvent);

    const int language = readLanguageChoice();
    englishLists = language == 0;
    if (driverChoice == 0) {
        fillChannelListsModelA();
        relabel(language == 0);
        ui->HXQ_Widget->hide();
        ui->tab_3->setEnabled(true);
    } else {
        relabel(language == 0);
        ui->VR1_Widget->hide();
        ui->tab_3->setEnabled(false);
    }

    ui->spinBox_Threshold->setValue(1);
    ui->spinBox_Threshold->setRange(-5000, 5000);
    ui->spinBox_Time->setValue(1);
    ui->spinBox_Time->setRange(1, 10000);
    ui->spinBox_interval->setValue(1);
    ui->spinBox_interval->setRange(1, 65535);
    for (QSpinBox *level : {ui->spinBox_triggerLevel1, ui->spinBox_triggerLevel2}) {
        level->setValue(0);
        level->setRange(std::numeric_limits<int>::min(), 429496729);
    }
    ui->spinBox_pretrigger->setValue(0);
    ui->spinBox_pretrigger->setRange(0, 511);
    for (QSpinBox *bound : {ui->spinBox_CH1_1, ui->spinBox_CH1_2, ui->spinBox_CH2_1, ui->spinBox_CH2_2,
                            ui->spinBox_CH3_1, ui->spinBox_CH3_2, ui->spinBox_CH4_1, ui->spinBox_CH4_2})
        bound->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    for (QSpinBox *bound : {ui->spinBox_X_1, ui->spinBox_X_2, ui->spinBox_X_3, ui->spinBox_X_4})
        bound->setRange(-100000000, 100000000);

    ui->widget_Static->xAxis->setRange(0, 2000);
    ui->widget_Static->xAxis->setLabel(QStringLiteral("Time: 125μs*") + ui->spinBox_Time->text());

    ui->progressBar->hide();
    ui->progressBar->setRange(0, driverChoice == 0 ? 143 : 74);
    ui->progressBar->setValue(0);

    ui->comboBox_CH2->setCurrentIndex(4);
    ui->comboBox_CH3->setCurrentIndex(6);
    ui->comboBox_CH4->setCurrentIndex(8);

    if (driverChoice == 1) {
        for (QWidget *w : std::initializer_list<QWidget *>{ui->checkBox_CH3, ui->checkBox_CH4, ui->comboBox_CH3,
                                                            ui->comboBox_CH4, ui->label_CH3, ui->label_CH4})
            w->setEnabled(false);
    }

    ui->pushButton_Screenshot->hide();

    // Idle until a capture waits for its completion; its timeout drives the status poll.
    statusTimer = new QTimer(this);
    connect(statusTimer, &QTimer::timeout, this, &staticWindow::QueryIfComplete);
    statusTurn = new PollTurn(this);

    ui->pushButton_modifiedSave->hide();
    ui->pushButton_QuickChange->hide();
    ui->pushButton_QuickSave->hide();

    for (QWidget *w : std::initializer_list<QWidget *>{ui->pushButton_Auto, ui->label_model, ui->comboBox_model,
                                                        ui->pushButton_IN, ui->pushButton_OUT, ui->pushButton_SearFile})
        w->hide();
}

staticWindow::~staticWindow()
{
    delete ui;
    statusTimer->stop();
    delete statusTimer;
}

void staticWindow::setupPlot()
{
    QCustomPlot *plot = ui->widget_Static;
    // Joins of the two-pixel I/O lines drawn the quick way: a replot of eight traces takes a
    // third of the time.
    plot->setPlottingHint(QCP::phFastPolylines, true);
    plot->setInteractions(QCP::iRangeDrag | QCP::iRangeZoom | QCP::iSelectPlottables | QCP::iSelectAxes);
    plot->yAxis2->setVisible(true);

    // Left axes 1 to 3 and right axes 1 to 3 carry CH3, CH4 and the I/O traces.
    QCPAxisRect *rect = plot->axisRect(0);
    const struct {
        QCPAxis::AxisType side;
        QColor colour;
    } extraAxes[] = {{QCPAxis::atLeft, QColor("#FFA100")}, {QCPAxis::atRight, QColor(Qt::red)},
                     {QCPAxis::atLeft, QColor("#aa5500")}, {QCPAxis::atRight, QColor("#00ffff")},
                     {QCPAxis::atLeft, QColor("#00aa7f")}, {QCPAxis::atRight, QColor("#ba89ff")}};
    for (const auto &extra : extraAxes)
        rect->addAxis(extra.side)->setTickLabelColor(extra.colour);

    QCPAxis *left1 = rect->axis(QCPAxis::atLeft, 1);
    QCPAxis *right1 = rect->axis(QCPAxis::atRight, 1);
    const QList<QCPAxis *> moving{plot->yAxis, plot->xAxis, left1, right1, plot->yAxis2,
                                  rect->axis(QCPAxis::atLeft, 2), rect->axis(QCPAxis::atLeft, 3),
                                  rect->axis(QCPAxis::atRight, 2), rect->axis(QCPAxis::atRight, 3)};
    rect->setRangeDragAxes(moving);
    rect->setRangeZoomAxes(moving);

    plot->yAxis->grid()->setZeroLinePen(QPen(QColor(255, 0, 255), 1, Qt::SolidLine));
    plot->yAxis2->grid()->setVisible(true);
    plot->yAxis2->grid()->setZeroLinePen(QPen(QColor("#60cc00"), 1, Qt::SolidLine));
    left1->grid()->setVisible(true);
    left1->grid()->setZeroLinePen(QPen(QColor("#FFA100"), 1, Qt::SolidLine));
    right1->grid()->setVisible(true);
    right1->grid()->setZeroLinePen(QPen(QColor(Qt::red), 1, Qt::SolidLine));

    for (QCPAxis *axis : {left1, right1, rect->axis(QCPAxis::atLeft, 2), rect->axis(QCPAxis::atRight, 2),
                          rect->axis(QCPAxis::atLeft, 3), rect->axis(QCPAxis::atRight, 3)})
        axis->setVisible(false);

    plot->setBackground(PlotLook::background());
    rect->setBackground(PlotLook::axisBackground());

    const QPen white(QBrush(Qt::white), 1, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin);
    plot->xAxis->setLabelColor(Qt::white);
    plot->xAxis->setTickLabelColor(Qt::white);
    plot->xAxis->setBasePen(white);
    plot->xAxis->setTickPen(white);
    plot->xAxis->setSubTickPen(white);
}

void staticWindow::readDriverChoice()
{
    driverChoice = ChoiceFiles::driverChoice();
}

int staticWindow::readLanguageChoice()
{
    return ChoiceFiles::languageChoice();
}

void staticWindow::showStaticWindow()
{
    emit closeFFT();
    followSession();
    activateWindow();
    setWindowState(Qt::WindowMaximized);
    show();
    repaint();
}

// The window serves the session: the family chosen at its start (read from "driver.ini" now,
// not when the window was built or the password was entered). A family other than the one the
// panels were arranged for rearranges them; the VR-only save buttons follow family and access.
void staticWindow::followSession()
{
    // A capture running keeps the family it was started for.
    if (!runActive)
        readDriverChoice();
    if (driverChoice != lastDriverChoice) {
        lastDriverChoice = driverChoice;
        arrangeForFamily();
        relabel(readLanguageChoice() == 0);
        const bool vr = driverChoice == 0;
        ui->HXQ_Widget->setVisible(!vr);
        ui->VR1_Widget->setVisible(vr);
        ui->widget_CH3_CH4_Start->setVisible(vr);
        ui->widget_CH3_CH4_end->setVisible(vr);
        // The I/O signals belong to the VR family: its boxes get the list of the access level
        // now in force, the HXQ family's stay empty.
        if (vr)
            fillIoLists();
        else
            for (QComboBox *box : {ui->comboBox_CH1_IO, ui->comboBox_CH2_IO, ui->comboBox_CH3_IO, ui->comboBox_CH4_IO})
                box->clear();
        ui->comboBox_CH2->setCurrentIndex(4);
        ui->comboBox_CH3->setCurrentIndex(6);
        ui->comboBox_CH4->setCurrentIndex(8);
        ui->progressBar->setRange(0, vr ? 143 : 74);
        // Data of the other family fits neither this family's file nor its lists.
        for (QVector<int> *values : {&dataCH1, &dataCH2, &dataCH3, &dataCH4})
            values->clear();
        for (QVector<short> *states : {&dataIO1, &dataIO2, &dataIO3, &dataIO4})
            states->clear();
        dataChoices.clear();
        removeAllTraces();
    }
    ui->pushButton_modifiedSave->setVisible(accessFlag && driverChoice == 0);
    ui->pushButton_QuickChange->setVisible(accessFlag && driverChoice == 0);
}

// The controls that exist for the VR family only: enabled for it, disabled for the HXQ family.
void staticWindow::arrangeForFamily()
{
    const bool vr = driverChoice != 1;
    for (QWidget *w : std::initializer_list<QWidget *>{
             ui->checkBox_CH3, ui->checkBox_CH4, ui->comboBox_CH3, ui->comboBox_CH4, ui->label_CH3, ui->label_CH4,
             ui->checkBox_CH1_IO, ui->checkBox_CH2_IO, ui->checkBox_CH3_IO, ui->checkBox_CH4_IO,
             ui->comboBox_CH1_IO, ui->comboBox_CH2_IO, ui->comboBox_CH3_IO, ui->comboBox_CH4_IO,
             ui->label_CH1_IO, ui->label_CH2_IO, ui->label_CH3_IO, ui->label_CH4_IO, ui->tab_3})
        w->setEnabled(vr);
}

void staticWindow::closeThisWindow()
{
    stopRunWithNote(QT_TR_NOOP("采样窗口已关闭,采样已停止"));
    statusTimer->stop();
    close();
}

void staticWindow::applyEnabling()
{
    // A capture run and a pass over the loop gains keep each other out: the requests of one
    // would run inside the other's waits, and an answer names no parameter, only the field the
    // read waits to fill. Stop stays for as long as the link does.
    const bool busy = runActive || gainPassRunning;
    ui->pushButton_Sampling->setEnabled(linkUsable && !busy);
    ui->pushButton_Stop->setEnabled(linkUsable);
    ui->pushButton_Auto->setEnabled(linkUsable);
    ui->pushButton_Load->setEnabled(!runActive);
    ui->pushButton_Save->setEnabled(!runActive);
    const bool vrButtons = !runActive && !hxqWaitsForStop;
    ui->pushButton_QuickChange->setEnabled(vrButtons);
    ui->pushButton_modifiedSave->setEnabled(vrButtons);
    ui->pushButton_read->setEnabled(vrButtons && !gainPassRunning);
    ui->pushButton_write->setEnabled(vrButtons && !gainPassRunning);
}

void staticWindow::isOpenSerialPlot(bool open)
{
    // The loop gains read over a link lost since, or over the link before this one, are not
    // known now (Setting would write them back into this drive).
    if (open || serialOpen) {
        ++linkChanges;
        forgetGains();
    }
    serialOpen = open;
    linkUsable = open;
    applyEnabling();
    if (!open)
        return;
    // A new link: the note of a link lost before is over, and the session may be another's.
    if (linkLostShown) {
        linkLostShown = false;
        setWindowTitle(tr("StaticWindow"));
    }
    followSession();
}

void staticWindow::receiveMainWindow(bool online)
{
    linkUsable = online;
    applyEnabling();
    followSession();
}

void staticWindow::DriverModelToSave(QString name)
{
    driverModel = name;
    followSession();
}

void staticWindow::changeEvent(QEvent *e)
{
    QWidget::changeEvent(e);
    if (e->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
}

void staticWindow::receviePasswordFlags(bool granted)
{
    accessFlag = granted;
    followSession();
    if (driverChoice != 0)
        fillChannelListsModelB();
    else
        fillChannelListsModelA();
}

void staticWindow::receviePasswordFlags2(bool granted)
{
    ui->pushButton_Auto->setVisible(granted);
}

void staticWindow::on_pushButton_Auto_clicked()
{
    emit showAutoWindow();
}

void staticWindow::on_pushButton_QuickSave_clicked()
{
}

