#include "comparewindow.h"
#include "ui_comparewindow.h"

#include "choicefiles.h"
#include "drivemodel.h"
#include "parametercsvfile.h"

#include <QEvent>
#include <QFileDialog>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidgetItem>
#include <QToolButton>

compareWindow::compareWindow(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::compareWindow)
{
    ui->setupUi(this);
    setWindowTitle(tr("CompareWindow"));
    // Outside a dialog a button takes only Space; Return on the focused button presses it too.
    for (QPushButton *button : findChildren<QPushButton *>())
        button->setAutoDefault(true);
    // The two "..." tool buttons have no default-button handling: Return is passed on by hand.
    ui->toolButton_Target->installEventFilter(this);
    ui->toolButton_Source->installEventFilter(this);
    ui->checkBox_OffLine->setChecked(true);
    // The two paths only show the files chosen with "...": a typed path would never be read.
    ui->lineEdit_Target->setReadOnly(true);
    ui->lineEdit_Source->setReadOnly(true);
    connect(ui->checkBox_Online, &QCheckBox::clicked, this, &compareWindow::onLineSetting);
    connect(ui->checkBox_OffLine, &QCheckBox::clicked, this, &compareWindow::offLineSetting);
    ui->checkBox_Online->setEnabled(onlineAllowed);
    ui->tableWidget->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    ui->tableWidget->verticalHeader()->setSectionResizeMode(QHeaderView::Stretch);
}

compareWindow::~compareWindow()
{
    delete ui;
}

void compareWindow::showCompareWindow()
{
    ui->checkBox_Online->setEnabled(onlineAllowed);
    show();
}

void compareWindow::isOnline(bool allowed)
{
    onlineAllowed = allowed;
    // Withdrawn while the window is open (the link went away): nothing is compared with the
    // values of a drive no longer there; back to comparing two files.
    ui->checkBox_Online->setEnabled(allowed);
    if (!allowed && ui->checkBox_Online->isChecked()) {
        ui->checkBox_Online->setChecked(false);
        onLineSetting();
    }
    // Nor is a comparison made with them shown any longer, also not once a new link is up.
    if (!allowed && resultOnline) {
        ui->tableWidget->setRowCount(0);
        ui->tableWidget->setColumnCount(0);
        resultOnline = false;
    }
}

void compareWindow::recieveName(QString name)
{
    matchedNames.append(name);
}

void compareWindow::recieveOnlineData(QVector<QString> values)
{
    onlineData = values;
}

void compareWindow::recieveOnlineNumbers(QVector<QString> numbers)
{
    onlineNumbers = numbers;
}

void compareWindow::closeThisWindow()
{
    close();
}

void compareWindow::on_toolButton_Target_clicked()
{
    loadFile(ui->lineEdit_Target, fileOneNumbers, fileOneValues, fileOneRead);
}

void compareWindow::on_toolButton_Source_clicked()
{
    loadFile(ui->lineEdit_Source, fileTwoNumbers, fileTwoValues, fileTwoRead);
}

void compareWindow::loadFile(QLineEdit *pathEdit, QVector<QString> &numbers, QVector<QString> &values,
                             ParameterCsv::ParsedFile &read)
{
    const QString path = QFileDialog::getOpenFileName(this, tr("open file"), QString(), tr("Files(*.csv)"));
    if (path.isEmpty())
        return; // cancelled: the file loaded before stays

    numbers.clear();
    values.clear();
    read = ParameterCsv::ParsedFile();
    pathEdit->clear();
    pathEdit->setText(path);

    ParameterCsv::ParsedFile parsed;
    QString errorText;
    if (!ParameterCsv::readFile(path, &parsed, &errorText)) {
        QMessageBox::warning(this, QStringLiteral("error"), errorText);
        return;
    }
    read = parsed;
    for (const ParameterCsv::Entry &entry : parsed.entries) {
        numbers.append(entry.number);
        values.append(entry.value);
    }
    if (!parsed.refused.isEmpty())
        QMessageBox::warning(this, QStringLiteral("error"),
                             tr("文件出错") + QLatin1Char('\n') + ParameterCsv::describe(parsed.refused));
}

void compareWindow::onLineSetting()
{
    if (ui->checkBox_Online->isChecked()) {
        ui->checkBox_OffLine->setChecked(false);
        ui->lineEdit_Target->setEnabled(false);
        ui->toolButton_Target->setEnabled(false);
        ui->lineEdit_Target->clear();
        ui->lineEdit_Target->setText(tr("正在使用在线参数"));
    } else {
        ui->lineEdit_Target->setEnabled(true);
        ui->toolButton_Target->setEnabled(true);
        ui->checkBox_OffLine->setChecked(true);
        offLineSetting();
    }
}

void compareWindow::offLineSetting()
{
    if (ui->checkBox_OffLine->isChecked()) {
        ui->checkBox_Online->setChecked(false);
        ui->lineEdit_Target->setEnabled(true);
        ui->lineEdit_Target->clear();
        ui->toolButton_Target->setEnabled(true);
        ui->lineEdit_Source->setEnabled(true);
        fileOneValues.clear();
        fileOneNumbers.clear();
        fileOneRead = ParameterCsv::ParsedFile();
    } else if (!ui->checkBox_Online->isEnabled()) {
        // The online comparison is not offered (no full read of the drive yet): stay in file mode.
        ui->checkBox_OffLine->setChecked(true);
    } else {
        ui->checkBox_Online->setChecked(true);
        onLineSetting();
    }
}

void compareWindow::on_pushButton_Compare_clicked()
{
    QVector<ParameterCsv::Entry> left;
    QString leftHeader;
    if (ui->checkBox_OffLine->isChecked()) {
        if (fileOneValues.isEmpty()) {
            QMessageBox::warning(this, QStringLiteral("Warning"), tr("文件源一未载入"));
            return;
        }
        if (fileTwoValues.isEmpty()) {
            QMessageBox::warning(this, QStringLiteral("Warning"), tr("文件源二未载入"));
            return;
        }
        left = fileOneRead.entries;
        leftHeader = tr("文件源一数值");
    } else if (ui->checkBox_Online->isChecked()) {
        onlineData.clear();
        onlineNumbers.clear();
        emit getOnlineData(); // answered at once, before the emit returns
        if (fileTwoValues.isEmpty()) {
            QMessageBox::warning(this, QStringLiteral("Warning"), tr("文件源二未载入"));
            return;
        }
        // Without the numbers of the table rows the values cannot be paired.
        // Nor without values read from the drive now on the line.
        if (!onlineAllowed || onlineData.isEmpty() || onlineNumbers.size() != onlineData.size()) {
            QMessageBox::warning(this, QStringLiteral("Warning"), tr("在线参数未载入"));
            return;
        }
        for (int i = 0; i < onlineData.size(); ++i)
            left.append(ParameterCsv::Entry{onlineNumbers.at(i), onlineData.at(i), 0});
        leftHeader = tr("在线参数表数值");
    } else {
        QMessageBox::warning(this, QStringLiteral("Warning"), QStringLiteral("Please choose a mode"));
        return;
    }

    // The two families share parameter numbers but not their meaning.
    if (!sameFamily(ui->checkBox_OffLine->isChecked()))
        return;

    // A file cut inside its last line is compared without that line. The other side names the
    // rows that should follow it: the table's rows, or the other file's lines.
    QStringList cutLines;
    const QVector<ParameterCsv::Entry> right =
        entriesNotCut(fileTwoRead, left, ui->lineEdit_Source->text(), &cutLines);
    if (ui->checkBox_OffLine->isChecked()) {
        QStringList cutInOne;
        left = entriesNotCut(fileOneRead, fileTwoRead.entries, ui->lineEdit_Target->text(), &cutInOne);
        cutLines = cutInOne + cutLines;
    }

    const QVector<ParameterCsv::Difference> differences = ParameterCsv::compareByNumber(left, right);

    matchedNames.clear();
    resultOnline = !ui->checkBox_OffLine->isChecked();
    QTableWidget *table = ui->tableWidget;
    table->clear();
    table->setColumnCount(4);
    table->setRowCount(2 * differences.size()); // the differences, then as many empty rows
    table->setHorizontalHeaderLabels({tr("编号"), tr("名称"), leftHeader, tr("文件源二数值")});
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    fitColumnsToHeaders();

    for (int r = 0; r < differences.size(); ++r) {
        const ParameterCsv::Difference &difference = differences.at(r);
        const int namesBefore = matchedNames.size();
        emit getParameterName(difference.number); // answered at once when the table knows it
        const QString name = matchedNames.size() > namesBefore ? matchedNames.last() : QString();
        table->setItem(r, 0, new QTableWidgetItem(difference.number));
        table->setItem(r, 1, new QTableWidgetItem(name));
        table->setItem(r, 2, new QTableWidgetItem(difference.left));
        table->setItem(r, 3, new QTableWidgetItem(difference.right));
    }
    if (!cutLines.isEmpty())
        QMessageBox::warning(this, QStringLiteral("error"),
                             tr("文件出错") + QLatin1Char('\n') + cutLines.join(QLatin1Char('\n')));
}

QVector<ParameterCsv::Entry> compareWindow::entriesNotCut(const ParameterCsv::ParsedFile &read,
                                                          const QVector<ParameterCsv::Entry> &other,
                                                          const QString &path, QStringList *report) const
{
    QStringList rows;
    for (const ParameterCsv::Entry &entry : other)
        rows << entry.number;
    const ParameterCsv::Refusal cut = ParameterCsv::cutLine(read, rows);
    if (cut.line == 0)
        return read.entries;
    *report << path << ParameterCsv::describe({cut});
    QVector<ParameterCsv::Entry> entries;
    for (const ParameterCsv::Entry &entry : read.entries) {
        if (entry.line != cut.line)
            entries.append(entry);
    }
    return entries;
}

// Whether the two sides may be compared; says why not, naming the file of the other family:
// the file whose family is not the session's (online, that is always file source two).
bool compareWindow::sameFamily(bool twoFiles)
{
    const int session = ChoiceFiles::driverChoice();
    const int left = twoFiles ? DriveModel::familyOfModel(fileOneRead.model) : session;
    if (left < 0 || !ParameterCsv::modelOfOtherFamily(fileTwoRead.model, left))
        return true;
    const bool firstIsOther = twoFiles && left != session;
    const QString text = firstIsOther ? tr("文件源一的驱动器型号 %1 属于另一驱动器系列，无法比较。").arg(fileOneRead.model)
                                      : tr("文件源二的驱动器型号 %1 属于另一驱动器系列，无法比较。").arg(fileTwoRead.model);
    QMessageBox::warning(this, QStringLiteral("Warning"), text);
    return false;
}

bool compareWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress
        && (watched == ui->toolButton_Target || watched == ui->toolButton_Source)) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            static_cast<QToolButton *>(watched)->click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// The columns share the width evenly, but none is narrower than its header text, in
// whichever language the header is; the table asks for the room that takes.
void compareWindow::fitColumnsToHeaders()
{
    QTableWidget *table = ui->tableWidget;
    QHeaderView *header = table->horizontalHeader();
    int widest = 0;
    for (int column = 0; column < table->columnCount(); ++column)
        widest = qMax(widest, header->sectionSizeHint(column));
    header->setMinimumSectionSize(widest);
    table->setMinimumWidth(widest * table->columnCount() + table->verticalHeader()->sizeHint().width()
                           + 2 * table->frameWidth() + table->verticalScrollBar()->sizeHint().width());
}

void compareWindow::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this); // the title "Form", labels, button, check boxes and "..."
        // File source one's note is the window's own text, not the form's.
        if (ui->checkBox_Online->isChecked())
            ui->lineEdit_Target->setText(tr("正在使用在线参数"));
    }
}
