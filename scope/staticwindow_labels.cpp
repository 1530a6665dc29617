// The selection boxes of the capture window: the catalogue builders (run at construction and
// on an access-level change), the language relabelling, and the trigger-source rule that keeps
// the level conditions out of a trigger whose source is an I/O signal.

#include "staticwindow.h"
#include "ui_staticwindow.h"

#include "capturecatalogue.h"

#include <QAbstractItemView>
#include <QScrollBar>
#include <QSignalBlocker>

#include <algorithm>

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

// Refills the box with the texts and keeps the entry chosen: a position means the same entry in
// both languages and at both access levels. A choice no longer offered gives way to `fallback`.
// The box's own selection signals stay quiet meanwhile: nothing was chosen anew.
void refill(QComboBox *box, const QVector<const char *> &texts, int fallback)
{
    const int kept = box->currentIndex();
    const QSignalBlocker quiet(box);
    box->clear();
    append(box, texts);
    box->setCurrentIndex(kept >= 0 && kept < box->count() ? kept : std::min(fallback, box->count() - 1));
}

} // namespace

void staticWindow::fillChannelListsModelA()
{
    const Language language = englishLists ? Language::English : Language::Chinese;
    const QVector<QComboBox *> channels{ui->comboBox_CH1, ui->comboBox_CH2, ui->comboBox_CH3, ui->comboBox_CH4};
    const int defaults[] = {0, 4, 6, 8};
    for (int i = 0; i < channels.size(); ++i)
        refill(channels[i], texts(vrChannels(), language, accessFlag), defaults[i]);
    fillIoLists();
}

void staticWindow::fillChannelListsModelB()
{
    const Language language = englishLists ? Language::English : Language::Chinese;
    const QVector<QComboBox *> channels{ui->comboBox_CH1, ui->comboBox_CH2, ui->comboBox_CH3, ui->comboBox_CH4};
    for (int i = 0; i < channels.size(); ++i)
        refill(channels[i], channelTexts(driverChoice, language, accessFlag, i + 1), 0);
}

void staticWindow::fillIoLists()
{
    for (QComboBox *box : {ui->comboBox_CH1_IO, ui->comboBox_CH2_IO, ui->comboBox_CH3_IO, ui->comboBox_CH4_IO})
        refill(box, texts(ioSignals(), Language::Chinese, accessFlag), 0);
}

// The language switch: the link closes right after this, so a running capture stops first.
void staticWindow::EnglishLable()
{
    stopRunWithNote(QT_TR_NOOP("语言已切换,采样已停止"));
    relabel(true);
    relabelTraceAxes();
}

void staticWindow::ChineseLable()
{
    stopRunWithNote(QT_TR_NOOP("语言已切换,采样已停止"));
    relabel(false);
    relabelTraceAxes();
}

// Refills, in one language, the boxes whose entries depend on the drive family: the channel
// boxes and the trigger boxes of the family's panel; every choice is kept. A trigger whose
// source is "I/O" keeps its two level conditions set aside, now in the new language.
void staticWindow::relabel(bool english)
{
    englishLists = english;
    const Language language = english ? Language::English : Language::Chinese;
    const QVector<QComboBox *> channels{ui->comboBox_CH1, ui->comboBox_CH2, ui->comboBox_CH3, ui->comboBox_CH4};
    for (int i = 0; i < channels.size(); ++i)
        refill(channels[i], channelTexts(driverChoice, language, accessFlag, i + 1), 0);
    if (driverChoice != 0) {
        refill(ui->comboBox_trigger, texts(hxqTriggerModes(), language), 0);
        return;
    }
    refill(ui->comboBox_triggerChoose1, texts(triggerSources(), language), 0);
    refill(ui->comboBox_triggerChoose2, texts(triggerSources(), language), 0);
    refill(ui->comboBox_triggerMore, texts(triggerCombinations(), language), 0);
    refill(ui->comboBox_model, texts(triggerKinds(), language), 0);
    const struct {
        QComboBox *conditions;
        QComboBox *source;
        QString &setAside4;
        QString &setAside5;
    } triggers[] = {{ui->comboBox_triggerType1, ui->comboBox_triggerChoose1, removedType1Item4, removedType1Item5},
                    {ui->comboBox_triggerType2, ui->comboBox_triggerChoose2, removedType2Item4, removedType2Item5}};
    for (const auto &trigger : triggers) {
        refill(trigger.conditions, texts(triggerConditions(), language), 0);
        if (trigger.source->currentIndex() != triggerSourceIo)
            continue;
        const QSignalBlocker quiet(trigger.conditions);
        trigger.setAside4 = trigger.conditions->itemText(levelConditionAbove);
        trigger.setAside5 = trigger.conditions->itemText(levelConditionBelow);
        trigger.conditions->removeItem(levelConditionBelow);
        trigger.conditions->removeItem(levelConditionAbove);
    }
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
    // Put back only into a box that lacks them.
    if (conditions->count() == levelConditionAbove) {
        conditions->addItem(setAside4);
        conditions->addItem(setAside5);
    }
    setAside4.clear();
    level->setValue(0);
    levelLabel->show();
    level->show();
}
