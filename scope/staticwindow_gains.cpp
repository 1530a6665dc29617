// The loop-gain tab: seven parameters read from and written to the drive through the capture
// window's own requests. A write is checked whole against the parameter catalogue's limits
// before anything goes out; a write without a valid echo, or a read without an answer, ends
// the pass with a message naming the parameter. A field whose value is not known now (its read
// went unanswered or was not reached, or the link it was read over is gone) shows "not read",
// and Setting refuses while one does.

#include "staticwindow.h"
#include "ui_staticwindow.h"

#include "boundedwait.h"
#include "linktiming.h"
#include "onerun.h"
#include "parametercatalogue.h"
#include "parameterconversion.h"
#include "unreadvalue.h"
#include "writeecho.h"

#include <QMessageBox>
#include <QRegularExpression>

namespace {

struct Gain {
    const char *reg;
    const char *number;
    bool isUnsigned;
};

// In the order both buttons handle them.
const Gain kGains[7] = {
    {"0102", "PA102", false}, {"0109", "PA109", false}, {"010A", "PA10A", false}, {"0100", "PA100", false},
    {"0101", "PA101", true},  {"0103", "PA103", false}, {"0401", "PA401", false},
};


// Minimum and maximum of a parameter in the VR catalogue (the registers are the VR family's
// whatever the family); the range of its 16-bit word when the catalogue does not hold it.
QPair<int, int> gainLimits(const Gain &gain)
{
    static const QString catalogue = ParameterCatalogue::readText(ParameterCatalogue::resource(0, 0));
    static const QRegularExpression tabs(QStringLiteral("\t+"));
    for (const QString &line : catalogue.split(QLatin1Char('\n'))) {
        if (!line.startsWith(QLatin1String(gain.number)))
            continue;
        const QStringList fields = line.split(tabs, Qt::SkipEmptyParts);
        if (fields.size() > 4 && fields.at(0).trimmed() == QLatin1String(gain.number))
            return {ParameterConversion::limitValue(fields.at(3)), ParameterConversion::limitValue(fields.at(4))};
    }
    return gain.isUnsigned ? QPair<int, int>{0, 65535} : QPair<int, int>{-32768, 32767};
}

} // namespace

QLineEdit *staticWindow::gainField(int step) const
{
    QLineEdit *const fields[7] = {ui->lineEdit_102, ui->lineEdit_109, ui->lineEdit_10A, ui->lineEdit_100,
                                  ui->lineEdit_101, ui->lineEdit_103, ui->lineEdit_401};
    return step >= 0 && step < 7 ? fields[step] : nullptr;
}

void staticWindow::showGainAnswer(const QString &text)
{
    bool ok = false;
    const quint16 word = quint16(text.toUpper().toUInt(&ok, 16));
    if (!ok)
        return;
    const int value = kGains[gainReadIndex].isUnsigned ? int(word) : int(qint16(word));
    gainField(gainReadIndex)->setText(QString::number(value));
}

// A field shows "not read" while it is empty after its value was forgotten or went unanswered.
bool staticWindow::gainUnread(int step) const
{
    const QLineEdit *field = gainField(step);
    return field->text().isEmpty() && UnreadValue::isUnread(field->placeholderText());
}

void staticWindow::forgetGains()
{
    gainReadIndex = -1; // an answer still to come over the link before lands in no field
    for (int step = 0; step < 7; ++step)
        UnreadValue::show(gainField(step));
}

void staticWindow::on_pushButton_read_clicked()
{
    if (!serialOpen) {
        QMessageBox::warning(this, tr("error"), tr("串口未打开/设备未连接/地址未选择"));
        return;
    }
    int missing = -1;
    const int link = linkChanges;
    {
        // One pass at a time, never inside a capture: the buttons are greyed meanwhile, and a
        // call from elsewhere starts nothing either.
        const OneRun pass(gainPassRunning);
        if (!pass.started() || runActive)
            return;
        applyEnabling();
        gainReadPending = true;
        scaleReadPhase = false;
        const int limit = LinkTiming::readLimitMs(50, 1);
        // The pass ends with the link it started on.
        const auto goOn = [this, link] { return serialOpen && linkChanges == link; };
        for (int step = 0; step < 7 && missing < 0; ++step) {
            gainReadIndex = step;
            if (!readWithResend(kGains[step].reg, QByteArrayLiteral("0001"), limit, goOn))
                missing = step;
        }
        // From here on no answer lands in a field: a late one would belong to another parameter.
        gainReadIndex = -1;
        gainReadPending = false;
        // The field that went unanswered and those the pass did not reach hold no value of now.
        for (int step = missing; missing >= 0 && step < 7; ++step)
            UnreadValue::show(gainField(step));
    }
    applyEnabling();
    // A lost link is told by the link; the fields show what it cost.
    if (missing >= 0 && linkChanges == link)
        QMessageBox::warning(this, tr("error"), tr("读取 %1 失败: 驱动器未应答").arg(QLatin1String(kGains[missing].number)));
}

void staticWindow::on_pushButton_write_clicked()
{
    if (!serialOpen) {
        QMessageBox::warning(this, tr("error"), tr("串口未打开/设备未连接/地址未选择"));
        return;
    }
    if (gainPassRunning || runActive)
        return;
    // Every field first: one bad field refuses the whole write. A field that shows "not read"
    // is empty, and the box names it as not read.
    QVector<int> values;
    for (int step = 0; step < 7; ++step) {
        const QPair<int, int> limits = gainLimits(kGains[step]);
        bool ok = false;
        const int value = gainField(step)->text().trimmed().toInt(&ok, 10);
        if (!ok || value < limits.first || value > limits.second) {
            const QString number = QLatin1String(kGains[step].number);
            QMessageBox::warning(this, tr("error"),
                                 gainUnread(step) ? tr("%1 %2: 请先读取或输入数值").arg(number, UnreadValue::text())
                                                  : tr("%1: 请输入 %2 到 %3 之间的整数")
                                                        .arg(number)
                                                        .arg(limits.first)
                                                        .arg(limits.second));
            gainField(step)->setFocus();
            return;
        }
        values.append(value);
    }

    int failed = -1;
    const int link = linkChanges;
    {
        const OneRun pass(gainPassRunning);
        applyEnabling();
        const int limit = LinkTiming::writeLimitMs(30);
        const auto goOn = [this, link] { return serialOpen && linkChanges == link; };
        for (int step = 0; step < 7 && failed < 0; ++step) {
            const QByteArray reg = kGains[step].reg;
            const QByteArray data = QByteArray::number(values.at(step) & 0xFFFF, 16).toUpper().rightJustified(4, '0');
            // Only this write's own echo confirms it: never a Stop's, nor another step's.
            WriteEcho write(reg, data);
            for (int attempt = 0; attempt < 2 && !write.confirmed() && goOn(); ++attempt) {
                write.send([&] { emit imageSetting(reg, data, 0); });
                write.wait(limit, goOn);
            }
            if (!write.confirmed())
                failed = step;
        }
    }
    applyEnabling();
    if (failed >= 0 && linkChanges == link)
        QMessageBox::warning(this, tr("error"),
                             tr("写入 %1 失败: 驱动器未确认,其后的参数未写入").arg(QLatin1String(kGains[failed].number)));
}
