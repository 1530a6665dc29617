// The modal-box answerer: it presses the chosen button of each box that code opens, records
// what was shown, and answers other dialogs and file dialogs.

#include "modalanswerer.h"

#include <QtTest>

#include <QFileDialog>
#include <QTemporaryDir>

using Answer = ModalBoxAnswerer::Answer;
Q_DECLARE_METATYPE(ModalBoxAnswerer::Answer)
Q_DECLARE_METATYPE(QMessageBox::StandardButton)

class ModalAnswererTest : public QObject
{
    Q_OBJECT

private slots:
    void questionAnswers_data();
    void questionAnswers();
    void recordsAndQueues();
    void dialogs();
};

void ModalAnswererTest::questionAnswers_data()
{
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<QMessageBox::StandardButton>("pressed");
    QTest::newRow("Ok presses Yes") << Answer::Ok << QMessageBox::Yes;
    QTest::newRow("No") << Answer::No << QMessageBox::No;
    QTest::newRow("Cancel") << Answer::Cancel << QMessageBox::Cancel;
}

void ModalAnswererTest::questionAnswers()
{
    QFETCH(Answer, answer);

    ModalBoxAnswerer boxes(answer);
    QTEST(QMessageBox::question(nullptr, QStringLiteral("提示"), QStringLiteral("确定吗？"),
                                QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel),
          "pressed");
    QCOMPARE(boxes.count(), 1);
    QCOMPARE(boxes.last().title, QStringLiteral("提示"));
    QCOMPARE(boxes.last().text, QStringLiteral("确定吗？"));
    QCOMPARE(boxes.last().icon, QMessageBox::Question);
    QCOMPARE(boxes.last().buttons.size(), 3);
}

void ModalAnswererTest::recordsAndQueues()
{
    ModalBoxAnswerer boxes(Answer::First);
    QCOMPARE(QMessageBox::warning(nullptr, QStringLiteral("error"), QStringLiteral("串口未打开/设备未连接")),
             QMessageBox::Ok);
    QMessageBox::information(nullptr, QStringLiteral("提示"), QStringLiteral("完成"));
    QCOMPARE(boxes.count(), 2);
    QCOMPARE(boxes.countWithText(QStringLiteral("串口未打开/设备未连接")), 1);
    QCOMPARE(boxes.boxes().first().icon, QMessageBox::Warning);
    boxes.clear();
    QCOMPARE(boxes.count(), 0);

    // Queued answers come first, then the standing one.
    boxes.setAnswer(Answer::Yes);
    boxes.queueAnswers({Answer::No, Answer::No});
    QList<QMessageBox::StandardButton> results;
    for (int i = 0; i < 3; ++i)
        results << QMessageBox::question(nullptr, QStringLiteral("q"), QStringLiteral("q"));
    QCOMPARE(results, (QList<QMessageBox::StandardButton>{QMessageBox::No, QMessageBox::No, QMessageBox::Yes}));
}

// Other dialogs are accepted or rejected; file dialogs get the path set, or are cancelled.
void ModalAnswererTest::dialogs()
{
    ModalBoxAnswerer boxes(Answer::Ok);
    QDialog dialog;
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));
    boxes.setAnswer(Answer::Cancel);
    QCOMPARE(dialog.exec(), int(QDialog::Rejected));
    QCOMPARE(boxes.boxes().first().pressed, QStringLiteral("accept"));
    QCOMPARE(boxes.last().pressed, QStringLiteral("reject"));

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("set.csv"));
    boxes.setFileAnswer(path);
    QCOMPARE(QFileDialog::getSaveFileName(nullptr, QStringLiteral("保存"), dir.path(), QStringLiteral("Files(*.csv)"),
                                          nullptr, QFileDialog::DontUseNativeDialog),
             path);
    QCOMPARE(boxes.last().className, QStringLiteral("QFileDialog"));
    boxes.setFileAnswer(QString());
    QVERIFY(QFileDialog::getOpenFileName(nullptr, QStringLiteral("打开"), QString(), QStringLiteral("Files(*.csv)"),
                                         nullptr, QFileDialog::DontUseNativeDialog)
                .isEmpty());
    QCOMPARE(boxes.last().pressed, QStringLiteral("reject"));
    QCOMPARE(boxes.count(), 4);
}

QTEST_MAIN(ModalAnswererTest)
#include "tst_modalanswerer.moc"
