// The selection boxes of the capture window: the catalogue builders (run at construction and
// on an access-level change), the language relabelling, and the trigger-source rule that keeps
// the level conditions out of a trigger whose source is an I/O signal.

#include "staticwindow.h"
#include "ui_staticwindow.h"

#include "capturecatalogue.h"

#include <QAbstractItemView>
#include <QScrollBar>

using namespace CaptureCatalogue;

namespace {

// Appends the texts at the end of the box, each through the window's translation lookup. The
// box may be narrower than its longest entry; its list is not.
void append(QComboBox *box, const QVector<const char *> &texts)
{
    for (const char *text : texts)
        box->addItem(staticWindow::tr(text));
    box->view()->setMinimumWidth(box->view()->sizeHintForColumn(0) + box->view()->verticalScrollBar()->sizeHint().width());
}

} // namespace

void staticWindow::fillChannelListsModelA()
{
    const QVector<QComboBox *> channels{ui->comboBox_CH1, ui->comboBox_CH2, ui->comboBox_CH3, ui->comboBox_CH4};
    for (QComboBox *box : channels)
        box->clear();
    for (QComboBox *box : channels)
        append(box, texts(vrChannels(), Language::Chinese, accessFlag));
    fillIoLists();
    ui->comboBox_CH2->setCurrentIndex(4);
    ui->comboBox_CH3->setCurrentIndex(6);
    ui->comboBox_CH4->setCurrentIndex(8);
}

void staticWindow::fillChannelListsModelB()
{
    const QVector<QComboBox *> channels{ui->comboBox_CH1, ui->comboBox_CH2, ui->comboBox_CH3, ui->comboBox_CH4};
    for (QComboBox *box : channels)
        box->clear();
    for (QComboBox *box : channels)
        append(box, texts(hxqChannels(), Language::Chinese, accessFlag));
}

void staticWindow::fillIoLists()
{
    const QVector<QComboBox *> signalBoxes{ui->comboBox_CH1_IO, ui->comboBox_CH2_IO, ui->comboBox_CH3_IO,
                                           ui->comboBox_CH4_IO};
    for (QComboBox *box : signalBoxes)
        box->clear();
    for (QComboBox *box : signalBoxes)
        append(box, texts(ioSignals(), Language::Chinese, accessFlag));
}

void staticWindow::EnglishLable()
{
    relabel(true);
}

void staticWindow::ChineseLable()
{
    relabel(false);
}

// Empties and refills, in one language, the boxes whose entries depend on the drive family:
// the channel boxes and the trigger boxes of the family's panel. Every refilled box shows its
// first entry; the I/O boxes and the other family's boxes are left as they are.
void staticWindow::relabel(bool english)
{
    const Language language = english ? Language::English : Language::Chinese;
    const QVector<QComboBox *> channels{ui->comboBox_CH1, ui->comboBox_CH2, ui->comboBox_CH3, ui->comboBox_CH4};
    if (driverChoice == 0) {
        for (QComboBox *box : channels)
            box->clear();
        for (QComboBox *box : {ui->comboBox_triggerMore, ui->comboBox_triggerType1, ui->comboBox_triggerType2,
                               ui->comboBox_triggerChoose1, ui->comboBox_triggerChoose2})
            box->clear();
        append(ui->comboBox_triggerType1, texts(triggerConditions(), language));
        append(ui->comboBox_triggerChoose1, texts(triggerSources(), language));
        append(ui->comboBox_triggerType2, texts(triggerConditions(), language));
        append(ui->comboBox_triggerChoose2, texts(triggerSources(), language));
        append(ui->comboBox_triggerMore, texts(triggerCombinations(), language));
        ui->comboBox_model->clear();
        append(ui->comboBox_model, texts(triggerKinds(), language));
    } else {
        for (QComboBox *box : channels)
            box->clear();
        ui->comboBox_trigger->clear();
    }
    for (int i = 0; i < channels.size(); ++i)
        append(channels[i], channelTexts(driverChoice, language, accessFlag, i + 1));
    if (driverChoice != 0)
        append(ui->comboBox_trigger, texts(hxqTriggerModes(), language));
}

void staticWindow::on_comboBox_triggerChoose1_currentIndexChanged(int index)
{
    applyTriggerSourceRule(index, ui->comboBox_triggerType1, ui->label_triggerLevel1, ui->spinBox_triggerLevel1,
                           removedType1Item4, removedType1Item5);
}

void staticWindow::on_comboBox_triggerChoose2_currentIndexChanged(int index)
{
    applyTriggerSourceRule(index, ui->comboBox_triggerType2, ui->label_tirggerLevel2, ui->spinBox_triggerLevel2,
                           removedType2Item4, removedType2Item5);
}

// An I/O signal has no level: while a trigger's source is "I/O" its two level conditions are
// set aside and its level input is hidden (at 1); leaving "I/O" puts them back (level 0).
void staticWindow::applyTriggerSourceRule(int index, QComboBox *conditions, QLabel *levelLabel, QSpinBox *level,
                                          QString &setAside4, QString &setAside5)
{
    if (index == triggerSourceIo) {
        setAside4 = conditions->itemText(levelConditionAbove);
        setAside5 = conditions->itemText(levelConditionBelow);
        conditions->removeItem(levelConditionBelow);
        conditions->removeItem(levelConditionAbove);
        level->setValue(1);
        levelLabel->hide();
        level->hide();
        return;
    }
    if (setAside4.isEmpty())
        return;
    // A relabelling empties the condition box before the source box: the texts set aside are
    // then of the old language and the box is about to get all six conditions again.
    if (conditions->count() == levelConditionAbove) {
        conditions->addItem(setAside4);
        conditions->addItem(setAside5);
    }
    setAside4.clear();
    level->setValue(0);
    levelLabel->show();
    level->show();
}
