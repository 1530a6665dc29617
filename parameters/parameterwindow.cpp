#include "parameterwindow.h"
#include "afterwaits.h"
#include "ui_parameterwindow.h"

#include <QEvent>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeView>

#include "answerbox.h"
#include "choicefiles.h"
#include "unreadvalue.h"
#include "parametercatalogue.h"
#include "parameterconversion.h"
#include "parameterdelegation.h"
#include "treemodel.h"

namespace {

constexpr int ValueColumn = 2;
constexpr int MinimumColumn = 3;
constexpr int MaximumColumn = 4;
constexpr int DefaultColumn = 5;
constexpr int AttributeColumn = 7;
constexpr int StatusColumn = 8;

// The buttons keep their form's minimum widths, but never get narrower than their text: the
// English texts are longer than the Chinese ones, and a restored (not maximized) window
// would cut them off.
void keepButtonTextsWhole(QWidget *window, Ui::parameterWindow *ui)
{
    const QList<QPair<QPushButton *, int>> buttons{
        { ui->pushButton_Save, 70 }, { ui->pushButton_Load, 70 },
        { ui->pushButton_Compare, 30 }, { ui->pushButton_Default, 30 },
        { ui->pushButton_Upload, 70 }, { ui->pushButton_Download, 70 },
    };
    window->ensurePolished();
    for (const auto &button : buttons) {
        button.first->ensurePolished();
        button.first->setMinimumWidth(qMax(button.second, button.first->sizeHint().width()));
    }
}

} // namespace

parameterWindow::parameterWindow(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::parameterWindow)
{
    ui->setupUi(this);
    setWindowTitle(tr("ParameterWindow"));
    // Outside a dialog a button takes only Space; Return on the focused button presses it too.
    for (QPushButton *button : findChildren<QPushButton *>())
        button->setAutoDefault(true);
    keepButtonTextsWhole(this, ui);

    driverFamily = readDriverChoice();
    loadCatalogue(driverFamily, readLanguageChoice());

    delegate = new parameterDelegation(this);
    connect(delegate, &parameterDelegation::valueRefused, this, &parameterWindow::showRefusal);
    connect(delegate, &parameterDelegation::valueTaken, this, [this](const QModelIndex &index) {
        if (!index.parent().isValid() && index.row() < typedOrLoaded.size())
            typedOrLoaded[index.row()] = true;
    });
    for (QTreeView *view : views()) {
        view->setItemDelegate(delegate);
        view->setAlternatingRowColors(true);
        // Every row is one line of text. Without this each changed cell has all eight views
        // measure its whole row again, which costs more than the exchange that brought it.
        view->setUniformRowHeights(true);
    }

    connect(this, &parameterWindow::isOnLine, this, [this](bool offered) { onlineOffered = offered; });

    ui->progressBar->hide();
    ui->progressBar->setRange(0, parameterRowCount());
    ui->progressBar->setValue(0);
}

parameterWindow::~parameterWindow()
{
    // The views go with the form; the model must outlive them.
    delete ui;
    model.reset();
}

int parameterWindow::readDriverChoice()
{
    return ChoiceFiles::driverChoice();
}

int parameterWindow::readLanguageChoice()
{
    return ChoiceFiles::languageChoice();
}

QVector<QTreeView *> parameterWindow::views() const
{
    return { ui->treeView, ui->treeView_0000, ui->treeView_100, ui->treeView_200,
             ui->treeView_300, ui->treeView_400, ui->treeView_500, ui->treeView_600 };
}

int parameterWindow::parameterRowCount() const
{
    return model ? model->rowCount() : 0;
}

QStringList parameterWindow::headerTexts() const
{
    return { tr("编号"), tr("名称"), tr("数值"), tr("最小值"), tr("最大值"),
             tr("默认值"), tr("单位"), tr("属性"), tr("数值状态") };
}

// Builds a new model from the catalogue of the family and language and puts it into all
// eight views; the old model goes once no view shows it any more.
void parameterWindow::loadCatalogue(int family, int language)
{
    const QString text = ParameterCatalogue::readText(ParameterCatalogue::resource(family, language));
    std::unique_ptr<TreeModel> fresh(new TreeModel(headerTexts(), text));

    ui->treeView->setModel(fresh.get());
    std::unique_ptr<TreeModel> old = std::move(model);
    model = std::move(fresh);
    driveValueTexts = QVector<QString>(model->rowCount());
    typedOrLoaded = QVector<bool>(model->rowCount(), false);
    startAtDefaults();
    attachGroupViews();
    // The new table has no checked row.
    ui->checkBox_All->setChecked(false);

    // A new model gives the views new header sections: widths and the hidden attribute
    // column are set again.
    for (QTreeView *view : views()) {
        if (view->model() != model.get())
            continue;
        for (int column = 0; column < model->columnCount(); ++column)
            view->resizeColumnToContents(column);
        // Value, limits and default: 100 pixels, or as wide as the header text or the
        // catalogue's texts (the 32-bit limits) need.
        for (int column = 2; column <= 5; ++column)
            view->setColumnWidth(column, qMax(100, qMax(view->header()->sectionSizeHint(column),
                                                        view->columnWidth(column))));
        view->setColumnHidden(AttributeColumn, true);
    }
    ui->progressBar->setRange(0, parameterRowCount());
    old.reset();
}

// Until the drive's values come, every parameter shows its default: a value within its
// limits, so that a table saved before any upload loads back and downloads as it stands.
// A row whose catalogue gives no usable default ("-" of a reserved word) keeps its value text.
void parameterWindow::startAtDefaults()
{
    const int rows = parameterRowCount();
    for (int row = 0; row < rows; ++row) {
        const QString defaultText = model->index(row, DefaultColumn).data(Qt::EditRole).toString().trimmed();
        const int code = ParameterConversion::attributeCode(model->index(row, AttributeColumn).data(Qt::EditRole));
        if (!ParameterConversion::judgeValue(code, defaultText, model->index(row, MinimumColumn).data(Qt::EditRole).toString(),
                                             model->index(row, MaximumColumn).data(Qt::EditRole).toString())
                 .accepted())
            continue;
        model->setData(model->index(row, ValueColumn), defaultText, Qt::EditRole);
        spreadSwitchDigits(row);
    }
}

void parameterWindow::attachGroupViews()
{
    const QVector<QPair<int, int>> ranges = ParameterCatalogue::groupRanges(driverFamily);
    if (ranges.isEmpty())
        return;
    const QVector<QTreeView *> groupViews = views().mid(1);
    const int rows = parameterRowCount();
    for (int group = 0; group < groupViews.size(); ++group) {
        QTreeView *view = groupViews.at(group);
        view->setModel(model.get());
        for (int row = 0; row < rows; ++row)
            view->setRowHidden(row, QModelIndex(), !ParameterCatalogue::inRange(ranges.at(group), row));
    }
}

void parameterWindow::showParameterWindow()
{
    // While an operation walks the rows it keeps the road of the model it started on; the new
    // family comes with the new model.
    const int family = readDriverChoice();
    if (!modelBusy())
        driverFamily = family;
    if (family != modelFamily)
        requestReload(family, readLanguageChoice(), false, true);

    activateWindow();
    setWindowState(Qt::WindowMaximized);
    show();

    // The first read: while online, showing the window reads every parameter at once. Shown
    // again while a transfer runs (the menu reaches it during the transfer's waits), the window
    // is only brought up: the transfer goes on.
    if (online && firstRead && !transferRunning())
        on_pushButton_Upload_clicked();
}

void parameterWindow::changeLanguageToEnglsih()
{
    requestReload(driverFamily, 0, true, false);
    close();
}

void parameterWindow::changeLanguageToChinese()
{
    requestReload(driverFamily, 1, true, false);
    close();
}

// Reloads the catalogue now, or, while an operation walks the model, when it ends.
void parameterWindow::requestReload(int family, int language, bool setsFirstRead, bool setsModelFamily)
{
    if (reloadPending) {
        // A later request keeps what the earlier one asked: a language switch keeps the
        // family that a show found, a show keeps the first read that a switch asked for.
        if (pendingModelFamily && !setsModelFamily)
            family = pendingFamily;
        setsFirstRead = setsFirstRead || pendingFirstRead;
        setsModelFamily = setsModelFamily || pendingModelFamily;
    }
    reloadPending = true;
    pendingFamily = family;
    pendingLanguage = language;
    pendingFirstRead = setsFirstRead;
    pendingModelFamily = setsModelFamily;
    applyDeferredReload();
}

void parameterWindow::applyDeferredReload()
{
    if (!reloadPending || modelBusy())
        return;
    reloadPending = false;
    if (pendingModelFamily)
        modelFamily = pendingFamily;
    driverFamily = pendingFamily;
    loadCatalogue(pendingFamily, pendingLanguage);
    if (pendingFirstRead)
        firstRead = true;
    update();
}

bool parameterWindow::modelBusy() const
{
    return modelHolds > 0 || uploadRunning || downloadRunning || resetRunning;
}

// While a transfer holds the model, each row's answer would repaint the table at once, thousands
// of times a second, at a greater cost than the exchange itself: the table is repainted with the
// progress bar instead, every 50 ms at most, and as a whole when the last hold goes.
parameterWindow::ModelHold::ModelHold(parameterWindow *window)
    : window(window)
{
    if (window->modelHolds++ == 0) {
        window->setTableRepaints(false);
        window->enableControls();
    }
}

parameterWindow::ModelHold::~ModelHold()
{
    if (--window->modelHolds == 0) {
        window->setTableRepaints(true);
        window->enableControls();
    }
    window->applyDeferredReload();
}

// The views take no cell of the held model one by one either (each would lay itself out anew for
// each group): the release announces them all.
void parameterWindow::setTableRepaints(bool enabled)
{
    if (model) {
        if (enabled)
            model->releaseChanges();
        else
            model->holdChanges();
    }
    for (QTreeView *view : views())
        view->viewport()->setUpdatesEnabled(enabled);
}


void parameterWindow::changeEvent(QEvent *e)
{
    QWidget::changeEvent(e);
    if (e->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
        keepButtonTextsWhole(this, ui);
    }
}

void parameterWindow::on_lineEdit_textChanged(const QString &text)
{
    const int rows = parameterRowCount();
    for (int row = 0; row < rows; ++row) {
        const QModelIndex number = model->index(row, 0);
        if (number.data(Qt::EditRole).toString().simplified() == text)
            ui->treeView->setCurrentIndex(number);
    }
}

void parameterWindow::on_checkBox_All_clicked()
{
    model->checkedIndexes.clear();
    if (ui->checkBox_All->isChecked()) {
        const int rows = parameterRowCount();
        for (int row = 0; row < rows; ++row)
            model->checkedIndexes.append(QPersistentModelIndex(model->index(row, 0)));
    }
    for (QTreeView *view : views())
        view->viewport()->update();
    update();
}

// The table serves the session: the family chosen at its start, whether or not the window has
// been shown since (the command file and the compare window use the table unseen).
void parameterWindow::followSession()
{
    const int family = readDriverChoice();
    const int coming = reloadPending ? pendingFamily : driverFamily;
    if (family != coming)
        requestReload(family, readLanguageChoice(), false, true);
}

void parameterWindow::isOpenSerial(bool open)
{
    if (open)
        followSession();
    portOpen = open;
    closedWithMainWindow = false;
    online = open;
    driveReachable = open;
    enableControls();
    if (open) {
        // After the connection's other announcements (family, model), from the event loop once
        // no window waits for the drive: the read's own waits never hold a request of the
        // command file waiting beneath them.
        AfterWaits::run(this, [this] { readOnConnection(); });
        return;
    }
    // The values came over a link that is gone: no online comparison with them, and none
    // looks read. A running transfer stops at the lost link and forgets them when it ends.
    if (onlineOffered)
        emit isOnLine(false);
    if (!modelBusy())
        forgetDriveValues();
}

void parameterWindow::readOnConnection()
{
    if (isVisible() && portOpen && firstRead && !modelBusy() && !motorBusy)
        on_pushButton_Upload_clicked();
}

// A value read from the drive and not changed since shows as not read, with no read mark,
// until the next read; a value typed or loaded by the user stays as it is.
void parameterWindow::forgetDriveValues()
{
    const QStringList readMarks{tr("已上传"), tr("已恢复")};
    const int rows = qMin(parameterRowCount(), driveValueTexts.size());
    for (int row = 0; row < rows; ++row) {
        if (driveValueTexts.at(row).isNull())
            continue;
        const QModelIndex value = model->index(row, ValueColumn);
        if (value.data(Qt::EditRole).toString() == driveValueTexts.at(row)) {
            model->setData(value, UnreadValue::text(), Qt::EditRole);
            spreadSwitchDigits(row);
            if (readMarks.contains(model->index(row, StatusColumn).data(Qt::EditRole).toString()))
                model->setData(model->index(row, StatusColumn), QString(), Qt::EditRole);
        }
        driveValueTexts[row] = QString();
    }
}

void parameterWindow::receiveMainWindow(bool isOnline)
{
    driveReachable = isOnline;
    enableControls();
}

// What the window enables follows from its state here alone: the drive buttons while the port
// and the main window say the drive is there, and neither they nor the file buttons while a
// transfer runs. Pressed inside a transfer's waits, any of them would open a box or dialog that
// holds the transfer until it is closed.
void parameterWindow::enableControls()
{
    const bool idle = !modelBusy();
    for (QPushButton *button : {ui->pushButton_Default, ui->pushButton_Upload, ui->pushButton_Download})
        button->setEnabled(idle && driveReachable);
    ui->pushButton_Save->setEnabled(idle);
    ui->pushButton_Load->setEnabled(idle);
}

void parameterWindow::receiveOnline_offline(bool isOnline)
{
    followSession();
    online = isOnline;
}

void parameterWindow::changeFrist(bool first)
{
    // A running transfer owns the row cursor: the reply it waits for still goes into its row.
    if (!uploadRunning && !downloadRunning && !resetRunning)
        rowCursor = 0;
    ++connectionCount;
    firstRead = first;
    // The values are another link's until the next full read: no online comparison with them.
    if (onlineOffered)
        emit isOnLine(false);
    if (!modelBusy())
        forgetDriveValues();
    const int rows = parameterRowCount();
    for (int row = 0; row < rows; ++row)
        model->setData(model->index(row, StatusColumn), QString(), Qt::EditRole);
}

void parameterWindow::receiveEncoderIsOk(bool busy)
{
    motorBusy = busy;
}

void parameterWindow::DriverModelToSave(QString name)
{
    driverModelName = name;
    followSession();
}

void parameterWindow::closeThisWindow()
{
    portOpen = false;
    closedWithMainWindow = true;
    close();
}

// Said once the editor has closed, and once no wait for the drive runs: a queued call could open
// the box inside another window's wait (a command-file request) and hold it until OK.
void parameterWindow::showRefusal(const QString &number, const QString &reason)
{
    AnswerBox::warningLater(this, tr("error"), tr("%1 的数值未被接受：%2").arg(number, reason));
}

void parameterWindow::spreadSwitchDigits(int row)
{
    const QModelIndex number = model->index(row, 0);
    if (!number.isValid())
        return;
    const int code = ParameterConversion::attributeCode(model->index(row, AttributeColumn).data(Qt::EditRole));
    if (!ParameterConversion::isSwitchCode(code))
        return;
    const QString valueText = model->index(row, ValueColumn).data(Qt::EditRole).toString();
    const bool unread = UnreadValue::isUnread(valueText);
    const QString digits = ParameterConversion::switchDigits(valueText);
    for (int bit = 0; bit < 4; ++bit) {
        const QModelIndex digitRow = model->index(bit, ValueColumn, number);
        if (digitRow.isValid())
            model->setData(digitRow, unread ? valueText : QString(digits.at(3 - bit)), Qt::EditRole);
    }
}

void parameterWindow::spreadAllSwitchDigits()
{
    const int rows = parameterRowCount();
    for (int row = 0; row < rows; ++row)
        spreadSwitchDigits(row);
}
