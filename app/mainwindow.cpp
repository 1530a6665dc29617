#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "automationmode.h"
#include "choicefiles.h"
#include "helplauncher.h"
#include "languageswitcher.h"
#include "linklog.h"
#include "pollturn.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>
#include <QUrl>

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
    , ui(new Ui::MainWindow)
{
    ui->setupUi(this);
    setWindowTitle(tr("Tavrilon"));
    fitMenus();
    readDriverChoice();
    // Menu entries show a tool tip only where one was set: the reason a disabled one is off.
    for (QMenu *menu : findChildren<QMenu *>())
        menu->setToolTipsVisible(true);

    poll = new QTimer(this);
    connect(poll, &QTimer::timeout, this, &MainWindow::queryStatus);
    statusTurn = new PollTurn(this);
    connect(statusTurn, &PollTurn::ended, this, &MainWindow::statusReadEnded);

    stateLabel = new QLabel(this);
    stateLabel->setObjectName(QStringLiteral("label_linkState"));
    ui->statusBar->addWidget(stateLabel);
    stateLabel->setText(tr("off"));

    linkLabel = new QLabel(this);
    linkLabel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    linkLabel->setText(QStringLiteral("<a href=\"%1\">%1</a>").arg(makerAddress()));
    ui->statusBar->addPermanentWidget(linkLabel, 0);
    linkLabel->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    // The label opens the address itself; openUrl is there for anything else that sends one.
    linkLabel->setOpenExternalLinks(true);
    connect(linkLabel, &QLabel::linkActivated, this, &MainWindow::openUrl);

    translator = std::make_unique<LanguageSwitcher>();
    applyEnabling(ActionEnabling::Construction);
}

MainWindow::~MainWindow()
{
    poll->stop();
    abandonTick();
    delete ui;
}

QString MainWindow::makerName()
{
    return QStringLiteral("Tavrilon project");
}

QString MainWindow::makerAddress()
{
    return QStringLiteral("https://tavrilon.example.org");
}

void MainWindow::readDriverChoice()
{
    family = ChoiceFiles::driverChoice();
}

QString MainWindow::linkState() const
{
    return stateLabel->text();
}

bool MainWindow::isPolling() const
{
    return poll->isActive();
}

HelpLauncher &MainWindow::helpViewer()
{
    if (!helpLauncher)
        helpLauncher = std::make_unique<HelpLauncher>();
    return *helpLauncher;
}

QAction *MainWindow::actionFor(ActionEnabling::Action which) const
{
    switch (which) {
    case ActionEnabling::Jog:
        return ui->action_Alarm;
    case ActionEnabling::Master:
        return ui->action_master;
    case ActionEnabling::MotorParameter:
        return ui->action_motorParameter;
    case ActionEnabling::Monitor:
        return ui->action_monitor;
    case ActionEnabling::Analysis:
        return ui->action_Analysis;
    case ActionEnabling::Dynamic:
        return ui->action_Dynamic;
    case ActionEnabling::Version:
        return ui->action_version;
    case ActionEnabling::ActionCount:
        break;
    }
    return nullptr;
}

void MainWindow::apply(const ActionEnabling::Settings &settings)
{
    for (int i = 0; i < ActionEnabling::ActionCount; ++i) {
        if (settings[i] != ActionEnabling::Keep)
            actionFor(static_cast<ActionEnabling::Action>(i))->setEnabled(settings[i] == ActionEnabling::On);
    }
    explainDisabledActions();
}

// A disabled action's tool tip says why it is off; an enabled one shows its own name.
void MainWindow::explainDisabledActions()
{
    for (int i = 0; i < ActionEnabling::ActionCount; ++i) {
        QAction *action = actionFor(static_cast<ActionEnabling::Action>(i));
        QString reason;
        switch (ActionEnabling::reasonDisabled(static_cast<ActionEnabling::Action>(i), action->isEnabled(), family)) {
        case ActionEnabling::NoReason:
            break;
        case ActionEnabling::VrFamilyOnly:
            reason = tr("仅适用于VR系列驱动器");
            break;
        case ActionEnabling::NoLink:
            reason = tr("未连接驱动器");
            break;
        case ActionEnabling::NeedsPassword:
            reason = tr("需先输入密码，且驱动器在线");
            break;
        }
        const QString name = action->text().remove(QLatin1Char('&')).trimmed();
        action->setToolTip(reason.isEmpty() ? QString() : tr("%1：%2").arg(name, reason));
    }
}

void MainWindow::applyEnabling(ActionEnabling::Event event)
{
    apply(ActionEnabling::settingsFor(event, family));
}

void MainWindow::showMainWindow()
{
    readDriverChoice();
    applyEnabling(ActionEnabling::WindowShown);
    activateWindow();
    setWindowState(Qt::WindowMaximized);
    show();
    closed = false;
    pollWanted = true;
    if (!reconnectQuestionOpen)
        poll->start(2000);
}

void MainWindow::isOpenSerialPlotOK(bool open)
{
    online = open;
    applyEnabling(open ? ActionEnabling::PortOpened : ActionEnabling::PortClosed);
    // The link is announced open once a drive answered the scan and was confirmed: on-line from
    // then on, whether or not the poll runs (the command file's automatic mode holds it paused).
    // A closed port is off-line at once, not from the next poll on.
    showLinkState(open);
}

void MainWindow::offLineIsOk(bool onlineChosen)
{
    // The family just chosen, not the one read when this window was built.
    readDriverChoice();
    applyEnabling(onlineChosen ? ActionEnabling::OnlineChosen : ActionEnabling::OfflineChosen);
    // Off-line work is off-line from the first moment, not from the poll's first round.
    if (!onlineChosen)
        showLinkState(false);
}

void MainWindow::passwordIsOK(bool accepted)
{
    const auto setting = ActionEnabling::motorParameterAfterPassword(accepted, family, online && driveAnswers);
    if (setting != ActionEnabling::Keep)
        ui->action_motorParameter->setEnabled(setting == ActionEnabling::On);
    explainDisabledActions();
}

void MainWindow::stopQuery()
{
    pollWanted = false;
    poll->stop();
    // The window that stopped the poll wants the line: a status read still waiting goes.
    abandonTick();
}

void MainWindow::StartQuery()
{
    pollWanted = true;
    // Once the main window is closed nothing brings the poll back until it is shown again,
    // and while the reconnect question is open the poll stays paused.
    // While the command file's automatic mode is on the automation window holds the poll
    // paused; it asks for it again when the mode goes off.
    if (closed || reconnectQuestionOpen || AutomationMode::isOn())
        return;
    poll->start(2000);
}

void MainWindow::showMasterWindowInMdi(QWidget *w)
{
    if (w)
        w->show();
}

void MainWindow::showMonitorWindowInMdi(QWidget *w)
{
    if (w)
        w->show();
}

void MainWindow::openUrl(QString url)
{
    QDesktopServices::openUrl(QUrl(url, QUrl::TolerantMode));
}

void MainWindow::recevieReadData(QVector<QString> v)
{
    emit sendMasterReadData(v);
}

void MainWindow::recevieWriteData(QString s)
{
    emit sendMasterWriteData(s);
}

void MainWindow::masterToRead(QByteArray addr, QByteArray count, int code)
{
    qCDebug(linkLog) << "auxiliary panel reads" << addr << count;
    emit readSerial(addr, count, code);
}

void MainWindow::masterToWrite(QByteArray addr, QByteArray data, int code)
{
    emit writeSerial(addr, data, code);
}

void MainWindow::removeMaster(QWidget *)
{
}

void MainWindow::removeMonitor(QWidget *)
{
}

// Menu actions: each opens its window through the signal main connects.

void MainWindow::on_action_Dynamic_triggered()
{
    emit showDynamic();
}

void MainWindow::on_action_Static_triggered()
{
    emit showStatic();
}

void MainWindow::on_action_Parameter_triggered()
{
    emit showParameter();
}

void MainWindow::on_action_Compare_triggered()
{
    emit showComparePage();
}

void MainWindow::on_action_triggered()
{
    emit showSerialConnect();
}

void MainWindow::on_action_PassWord_triggered()
{
    emit showPassWordDialog();
}

void MainWindow::on_action_Alarm_triggered()
{
    emit showControlWindow();
}

void MainWindow::on_action_motorParameter_triggered()
{
    emit showEncoderDataWindow();
}

void MainWindow::on_action_master_triggered()
{
    emit showMasterWindow(this);
}

void MainWindow::on_action_monitor_triggered()
{
    emit showMonitorWindow();
}

void MainWindow::on_action_Analysis_triggered()
{
    emit showFFTWindow();
}

void MainWindow::on_action_version_triggered()
{
    emit showVersionsWindow();
}

// Language

void MainWindow::on_action_English_triggered()
{
    switchLanguage(0);
}

void MainWindow::on_action_Chinese_triggered()
{
    switchLanguage(1);
}

void MainWindow::switchLanguage(int newLanguage)
{
    // Installing the translation relabels every window through its language-change event
    // (this one included); a file that does not load changes no text.
    translator->switchTo(newLanguage);
    // The windows relabel the texts their code sets whether or not the file loaded.
    if (newLanguage == 0)
        emit changeLanguageEnglish();
    else
        emit changeLanguageChinese();
    language = newLanguage;
    LanguageSwitcher::saveLanguageChoice(language);
    // An alarm still present is announced again, in the new language.
    alarmShown = 0;
}

void MainWindow::relabel()
{
    ui->retranslateUi(this);
    // The form's retranslation resets the title to the form's own; the tool's name stays.
    setWindowTitle(tr("Tavrilon"));
    fitMenus();
    explainDisabledActions();
}

void MainWindow::fitMenus()
{
    // Wide enough for every menu title (they change width with the language); a maximised
    // window already is.
    const int needed = ui->menuBar->sizeHint().width();
    if (width() < needed)
        resize(needed, height());
}

void MainWindow::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        relabel();
}

// About and help

void MainWindow::on_action_help_triggered()
{
    const QString text = makerName() + QLatin1Char('\n') + tr("软件版本:1.03") + QLatin1Char('\n')
        + tr("For details, please visit:") + makerAddress();
    QMessageBox::information(this, tr("软件说明"), text, QMessageBox::Ok);
}

void MainWindow::on_action_help_2_triggered()
{
    HelpLauncher &launcher = helpViewer();
    if (launcher.startAssistant())
        launcher.showDocumentation(QStringLiteral("introduce.html"));
    else
        QMessageBox::warning(this, tr("警告"), tr("无法打开帮助文档"), QMessageBox::Ok);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    poll->stop();
    closed = true;
    abandonTick();
    emit closeAllWindow();
    event->accept();
}
