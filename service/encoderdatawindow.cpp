#include "encoderdatawindow.h"
#include "ui_encoderdatawindow.h"

#include <QCloseEvent>
#include <QEvent>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>

#include "choicefiles.h"
#include "encoderdelegation.h"
#include "motionguard.h"
#include "motordata.h"
#include "pollturn.h"
#include "treemodel.h"
#include "unreadvalue.h"

namespace {

constexpr int PnColumn = 0;
constexpr int ValueColumn = 3;
constexpr int DecimalsColumn = 7;
constexpr int StatusColumn = 8;
// The editor's mark of a value the person typed (the same in every language).
const char *const TypedMark = "***";

const char *const ChineseTable = ":/Encoder.txt";
const char *const EnglishTable = ":/Encoder_EN.txt";

QString tableText(int language)
{
    QFile file(QString::fromLatin1(language == 0 ? EnglishTable : ChineseTable));
    file.open(QIODevice::ReadOnly);
    QString text = QString::fromUtf8(file.readAll());
    // The English table begins with a byte-order mark; it is no part of the first Pn number.
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

} // namespace

EncoderdataWindow::EncoderdataWindow(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::EncoderdataWindow)
{
    ui->setupUi(this);
    setWindowTitle(tr("电机操作"));

    readDriverChoice();
    loadTestTimes();
    on_checkBox_modification_clicked();

    const int language = readLanguageChoice();
    ui->label_Step_EN->setVisible(language == 0);
    ui->label_Step_CH->setVisible(language != 0);
    loadTable(language);

    delegation = new encoderDelegation(this);
    ui->treeView->setItemDelegate(delegation);
    // A refused edit is told once the editor has closed (a box opened while it closes would
    // take the focus from it again).
    connect(delegation, &encoderDelegation::valueRefused, this, [this](const QString &reason) {
        QTimer::singleShot(0, this, [this, reason] {
            QMessageBox::warning(this, tr("error"), reason, QMessageBox::Ok);
        });
    });

    // The state line has a place of its own: whatever it says, the column of step and stop
    // buttons keeps its width and Break and OneClickGo stay where they are. The place is tall
    // enough for the longest it says under a fault's hold, in either language: the hold, and
    // where the one-click run stopped.
    const int placeWidth = ui->pushButton_interrupt->minimumWidth();
    int placeHeight = ui->label_Step_CH->fontMetrics().lineSpacing() * 6;
    for (const bool english : {false, true}) {
        const QString longest = holdText(4, english) + QLatin1Char('\n')
            + oneClickText(3, stopText(StopCause::DriveFault, english), english);
        const QRect needed = ui->label_Step_CH->fontMetrics().boundingRect(
            QRect(0, 0, placeWidth, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, longest);
        placeHeight = qMax(placeHeight, needed.height());
    }
    for (QLabel *label : {ui->label_Step_CH, ui->label_Step_EN}) {
        label->setFixedSize(placeWidth, placeHeight);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }

    queryTimer = new QTimer(this);
    connect(queryTimer, &QTimer::timeout, this, &EncoderdataWindow::queryStutas);
    statusTurn = new PollTurn(this);
    connect(statusTurn, &PollTurn::ended, this, &EncoderdataWindow::statusPollEnded);

    ui->progressBar_execute->hide();
    ui->progressBar_parameter->hide();
    ui->label_complete->hide();
    ui->toolBox->setCurrentIndex(0);
    on_toolBox_currentChanged(0);
    ui->pushButton_endTest->hide();
    ui->spinBox_ForewordTime->setRange(2, 99);
    ui->spinBox_ReversalTime->setRange(2, 99);
    ui->pushButton_scan->hide();

    // A modal window opening elsewhere would take Break out of reach: the motion stops first.
    motionGuard = new MotionGuard(this, [this] { return motionMayRun(); },
                                  [this] { stopFor(StopCause::OtherWindow); });
}

// The test run turns the motor and the encoder initialisation may; both are stopped by a
// close, a foreign modal window, a silent drive or a lost link.
bool EncoderdataWindow::motionMayRun() const
{
    return (operation == Operation::Test || operation == Operation::Initialise) && !stopRunning && !stopRequested;
}

EncoderdataWindow::~EncoderdataWindow()
{
    queryTimer->stop();
    delete queryTimer;
    queryTimer = nullptr;
    // The view goes with the form; the model must outlive it.
    delete ui;
    delete model;
}

void EncoderdataWindow::readDriverChoice()
{
    driverChoice = ChoiceFiles::driverChoice();
}

int EncoderdataWindow::readLanguageChoice()
{
    return ChoiceFiles::languageChoice();
}

QStringList EncoderdataWindow::headerTexts() const
{
    return {tr("Pn Number"), tr("编号"), tr("名称"), tr("数值"), tr("设定单位"),
            tr("最小值"), tr("最大值"), tr("属性"), tr("状态")};
}

// A fresh table from the resource of the language; the old model goes once the view has let go.
// The resource's values are placeholders, not values: each row takes over what the table before
// held (the drive's, a file's or the person's value, its note said in the new language) and
// shows "not read" where there was none.
void EncoderdataWindow::loadTable(int language)
{
    QStringList values;
    QVector<Note> notes;
    for (int row = 0; model && row < model->rowCount(); ++row) {
        values << cell(row, ValueColumn);
        notes << noteOf(row);
    }
    TreeModel *old = model;
    model = new TreeModel(headerTexts(), tableText(language));
    sources.resize(model->rowCount());
    for (int row = 0; row < model->rowCount(); ++row) {
        const QString value = values.value(row);
        setCell(row, ValueColumn, value.isEmpty() || UnreadValue::isUnread(value) ? UnreadValue::text() : value);
        setNote(row, notes.value(row, Note::None));
    }
    connect(model, &QAbstractItemModel::dataChanged, this, [this](const QModelIndex &from, const QModelIndex &to) {
        cellsChanged(from.row(), to.row(), from.column(), to.column());
    });
    ui->treeView->setModel(model);
    delete old;

    QTreeView *view = ui->treeView;
    view->setColumnHidden(PnColumn, true);
    view->setColumnHidden(DecimalsColumn, true);
    for (int column = 0; column < model->columnCount(); ++column)
        view->resizeColumnToContents(column);
    view->setColumnWidth(2, 300);
    for (int column = 3; column <= 6; ++column)
        view->setColumnWidth(column, 100);
    view->setAlternatingRowColors(true);
    ui->progressBar_parameter->setRange(0, model->rowCount());
}

// A language switch never replaces the table under a running operation: it waits for its end.
void EncoderdataWindow::reloadWhenIdle(int language)
{
    if (operation != Operation::None) {
        reloadPending = true;
        pendingLanguage = language;
        return;
    }
    reloadPending = false;
    loadTable(language);
}

void EncoderdataWindow::changeLanguageToEnglsih()
{
    if (driverChoice == 0) {
        ui->label_Step_EN->show();
        ui->label_Step_CH->hide();
        reloadWhenIdle(0);
    }
    update();
    uploadOnShow = true;
    close();
}

void EncoderdataWindow::changeLanguageToChinese()
{
    if (driverChoice == 0) {
        ui->label_Step_CH->show();
        ui->label_Step_EN->hide();
        reloadWhenIdle(1);
    }
    update();
    uploadOnShow = true;
    close();
}

void EncoderdataWindow::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
        setWindowTitle(tr("电机操作")); // the form's own title is a placeholder
        // The form empties the state line; a fault's hold is said again in the new language.
        setStepHint(QString(), QString());
    }
}

// Closing the window stops what may move the motor (the test run and the encoder
// initialisation); a transfer or an execute goes on to its end.
void EncoderdataWindow::closeEvent(QCloseEvent *event)
{
    if (motionMayRun())
        runStopRequest();
    event->accept();
}

void EncoderdataWindow::on_checkBox_modification_clicked()
{
    updateControls();
}

void EncoderdataWindow::on_pushButton_scan_clicked()
{
    ui->toolBox->setCurrentIndex(0);
}

void EncoderdataWindow::on_pushButton_downloadParameter_clicked()
{
    ui->toolBox->setCurrentIndex(0);
}

void EncoderdataWindow::on_pushButton_execute_clicked()
{
    ui->toolBox->setCurrentIndex(1);
}

void EncoderdataWindow::on_pushButton_loading_clicked()
{
    ui->toolBox->setCurrentIndex(2);
}

void EncoderdataWindow::on_pushButton_test_clicked()
{
    ui->toolBox->setCurrentIndex(3);
}

void EncoderdataWindow::on_toolBox_currentChanged(int index)
{
    const QVector<QPushButton *> pages{ui->pushButton_downloadParameter, ui->pushButton_execute,
                                       ui->pushButton_loading, ui->pushButton_test};
    for (QPushButton *button : pages + QVector<QPushButton *>{ui->pushButton_scan})
        button->setStyleSheet(QStringLiteral(" border: 4px solid gray;background-color: rgb(232 232, 232);"));
    if (index >= 0 && index < pages.size())
        pages.at(index)->setStyleSheet(QStringLiteral("background-color: rgb(255, 0, 255);"));
}

void EncoderdataWindow::setStepHint(const QString &chinese, const QString &english)
{
    hintChinese = chinese;
    hintEnglish = english;
    showStepHint();
}

// While a fault of the drive holds the operations, the state line says so first, above whatever
// the last operation said, and after a lost link or a new connection too: the hold outlasts both.
void EncoderdataWindow::showStepHint()
{
    QString chinese = hintChinese, english = hintEnglish;
    if (heldFault != 0) {
        const QString heldChinese = holdText(heldFault, false);
        const QString heldEnglish = holdText(heldFault, true);
        chinese = chinese.isEmpty() ? heldChinese : heldChinese + QLatin1Char('\n') + chinese;
        english = english.isEmpty() ? heldEnglish : heldEnglish + QLatin1Char('\n') + english;
    }
    ui->label_Step_CH->setText(chinese);
    ui->label_Step_EN->setText(english);
    // Its place is fixed: a text longer than the place is read whole in the tool tip.
    ui->label_Step_CH->setToolTip(chinese);
    ui->label_Step_EN->setToolTip(english);
}

QString EncoderdataWindow::holdText(int fault, bool english)
{
    if (fault == 2)
        return english ? tr("execution abort: operations held until Break, also after a new connection")
                       : tr("执行异常：操作已停用，按“中断”解除（重新连接后仍停用）");
    return english ? tr("initialization exception: operations held until Break, also after a new connection")
                   : tr("初始化异常：操作已停用，按“中断”解除（重新连接后仍停用）");
}

QVector<QPushButton *> EncoderdataWindow::operationButtons() const
{
    return {ui->pushButton_downLoad, ui->pushButton_upLoad, ui->pushButton_load, ui->pushButton_save,
            ui->pushButton_startExecute, ui->pushButton_startLoading, ui->pushButton_startTest,
            ui->pushButton_removeAlarm};
}

// The one place that enables the window's controls. Nothing starts while an operation or a stop
// request runs, nor after a fault of the drive until the user's stop request (the state line
// says so while it holds); the stop buttons stay usable while an operation runs, whatever the
// link does; the table is not edited under a run, which would mark a value typed meanwhile as
// read from or written to the drive.
void EncoderdataWindow::updateControls()
{
    const bool idle = operation == Operation::None && !stopRunning;
    for (QPushButton *button : operationButtons() + QVector<QPushButton *>{ui->pushButton_importAll})
        button->setEnabled(linkShown && idle && heldFault == 0);
    const bool stoppable = linkShown || operation != Operation::None;
    ui->pushButton_interrupt->setEnabled(stoppable);
    ui->pushButton_endTest->setEnabled(stoppable);
    ui->treeView->setEnabled(ui->checkBox_modification->isChecked() && idle);
    showStepHint();
}

void EncoderdataWindow::isOpenSerial(bool open)
{
    serialOpen = open;
    linkShown = open;
    updateControls();
    if (operation != Operation::None)
        return; // the running operation ends and says so first
    // A lost link leaves nothing shown as the drive's; a new connection (perhaps to another
    // drive of another family) starts without the old notes.
    if (open) {
        readDriverChoice();
        setStepHint(QString(), QString());
    }
    forgetDriveValues();
    uploadOnShow = true;
}

void EncoderdataWindow::sessionChosen(bool)
{
    readDriverChoice();
    driverModelName.clear();
    if (operation == Operation::None)
        forgetDriveValues();
    uploadOnShow = true;
}

void EncoderdataWindow::forgetDriveValues()
{
    for (int row = 0; row < model->rowCount(); ++row) {
        switch (sources.value(row)) {
        case Source::Drive:
            setSource(row, Source::None);
            setCell(row, ValueColumn, UnreadValue::text());
            setNote(row, Note::None);
            break;
        case Source::Person: setNote(row, Note::Typed); break;
        case Source::File: setNote(row, Note::Loaded); break;
        case Source::None: setNote(row, Note::None); break;
        }
    }
}

void EncoderdataWindow::setSource(int row, Source source)
{
    if (row >= 0 && row < sources.size())
        sources[row] = source;
}

bool EncoderdataWindow::filledByHand(int row) const
{
    const Source source = sources.value(row);
    return source == Source::Person || source == Source::File;
}

// Only the editor marks a row typed: from then on its value is the person's.
void EncoderdataWindow::cellsChanged(int firstRow, int lastRow, int firstColumn, int lastColumn)
{
    if (firstColumn <= StatusColumn && lastColumn >= StatusColumn) {
        for (int row = firstRow; row <= lastRow; ++row) {
            if (noteOf(row) == Note::Typed)
                setSource(row, Source::Person);
        }
    }
    const int wordRow = rowOfNumber(MotorData::SharedWordRow);
    if (wordRow >= firstRow && wordRow <= lastRow)
        showSharedWord();
}

void EncoderdataWindow::showSharedWord()
{
    const int wordRow = rowOfNumber(MotorData::SharedWordRow);
    if (wordRow < 0)
        return;
    for (int row = 0; row < model->rowCount(); ++row) {
        if (!MotorData::isReadOnly(cell(row, 1).trimmed().toInt()))
            continue;
        setSource(row, sources.value(wordRow));
        setCell(row, ValueColumn, cell(wordRow, ValueColumn));
        setCell(row, StatusColumn, cell(wordRow, StatusColumn));
    }
}

void EncoderdataWindow::receiveMainWindow(bool online)
{
    linkShown = online;
    updateControls();
}

void EncoderdataWindow::driverModel(QString name)
{
    driverModelName = name;
}

void EncoderdataWindow::receiveParameterIsOk(bool busy)
{
    parameterBusy = busy;
}

void EncoderdataWindow::showEncoderDataWindow()
{
    activateWindow();
    setWindowState(Qt::WindowMaximized);
    show();
    // Under a fault's hold the upload waits too: opening sends nothing until Break. The first
    // opening after it reads, unless an upload came meanwhile; it reads no row that the person
    // typed or loaded.
    if (uploadOnShow && operation == Operation::None && heldFault == 0) {
        runUpload(true);
        uploadOnShow = false;
    }
}

// The main window is closing: the program ends, so whatever runs is stopped, not left waiting.
void EncoderdataWindow::closeThisWindow()
{
    if (operation != Operation::None && !stopRunning && !stopRequested)
        runStopRequest();
    queryTimer->stop();
    close();
}

// The language switch closes the link right after this; the stop writes can still reach the
// drive now, so a test run (or any other operation) does not end with the motor commanded.
void EncoderdataWindow::stopBeforeLinkCloses()
{
    if (operation != Operation::None && !stopRunning && !stopRequested)
        runStopRequest();
}

QString EncoderdataWindow::cell(int row, int column) const
{
    return model->index(row, column).data(Qt::EditRole).toString();
}

void EncoderdataWindow::setCell(int row, int column, const QString &text)
{
    model->setData(model->index(row, column), text, Qt::EditRole);
}

int EncoderdataWindow::rowOfNumber(int rowNumber) const
{
    for (int row = 0; row < model->rowCount(); ++row) {
        if (cell(row, 1).trimmed().toInt() == rowNumber)
            return row;
    }
    return -1;
}

// Told from the text as this window (or the editor) wrote it, in whichever language that was.
EncoderdataWindow::Note EncoderdataWindow::noteOf(int row) const
{
    const QString text = cell(row, StatusColumn);
    if (text == QLatin1String(TypedMark))
        return Note::Typed;
    return notesWritten.value(text, Note::None);
}

void EncoderdataWindow::setNote(int row, Note note)
{
    QString text;
    switch (note) {
    case Note::None: break;
    case Note::Typed: text = QLatin1String(TypedMark); break;
    case Note::Loaded: text = tr("已导入"); break;
    case Note::Uploaded: text = tr("已上传"); break;
    case Note::Downloaded: text = tr("已下载"); break;
    case Note::UploadFailed: text = tr("上传失败"); break;
    case Note::DownloadFailed: text = tr("下载失败"); break;
    }
    if (!text.isEmpty())
        notesWritten.insert(text, note);
    setCell(row, StatusColumn, text);
}

void EncoderdataWindow::markRows(const QVector<int> &rowNumbers, Note note)
{
    for (int number : rowNumbers) {
        const int row = rowOfNumber(number);
        if (row >= 0)
            setNote(row, note);
    }
}

QByteArray EncoderdataWindow::paramAddress()
{
    return MotorData::registerAddress(cell(currentRow, PnColumn));
}

int EncoderdataWindow::packDigits3(int a, int b, int c)
{
    return MotorData::packDigits3(a, b, c);
}

int EncoderdataWindow::packBytes2(int a, int b)
{
    return MotorData::packBytes2(a, b);
}

QVector<int> EncoderdataWindow::unpackWord(int value, int kind)
{
    return MotorData::unpackWord(value, kind);
}
