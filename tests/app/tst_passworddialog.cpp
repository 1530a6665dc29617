// The password dialog: two codes, two level signals, a warning for anything else.

#include "modalanswerer.h"
#include "passworddialog.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

class TestPasswordDialog : public QObject
{
    Q_OBJECT

private slots:
    void entry_data();
    void entry();
    void cancelKeepsTheEntry();
};

void TestPasswordDialog::entry_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<bool>("level1");
    QTest::addColumn<bool>("level2");

    QTest::newRow("code A") << "MOLVE314" << true << false;
    QTest::newRow("code B") << "MOLVE3146" << true << true;
    QTest::newRow("empty") << "" << false << false;
    QTest::newRow("code A with a trailing space") << "MOLVE314 " << false << false;
    QTest::newRow("code A in lower case") << "molve314" << false << false;
    QTest::newRow("code B cut short") << "MOLVE31" << false << false;
    QTest::newRow("code B too long") << "MOLVE31466" << false << false;
}

void TestPasswordDialog::entry()
{
    QFETCH(QString, entry);
    QFETCH(bool, level1);
    QFETCH(bool, level2);

    ModalBoxAnswerer answerer;
    PasswordDialog dialog;
    QSignalSpy flags(&dialog, &PasswordDialog::sendPassWordFlags);
    QSignalSpy flags2(&dialog, &PasswordDialog::sendPassWordFlags2);
    auto *edit = dialog.findChild<QLineEdit *>(QStringLiteral("lineEdit_password"));
    auto *ok = dialog.findChild<QPushButton *>(QStringLiteral("pushButton_OK"));
    QVERIFY(edit && ok);

    // The levels follow the last entry, not the highest one ever entered.
    for (const QString &text : {QStringLiteral("MOLVE3146"), entry}) {
        dialog.showPassword();
        edit->setText(text);
        ok->click();
    }
    QCOMPARE(flags.count(), 2);
    QCOMPARE(flags2.count(), 2);
    QCOMPARE(flags.last().at(0).toBool(), level1);
    QCOMPARE(flags2.last().at(0).toBool(), level2);
    QCOMPARE(dialog.levelGranted(), level1);
    // A refused code warns and leaves the dialog open for another try; an accepted one closes it.
    QCOMPARE(answerer.count(), level1 ? 0 : 1);
    QCOMPARE(dialog.isVisible(), !level1);
    QVERIFY(edit->text().isEmpty());
}

void TestPasswordDialog::cancelKeepsTheEntry()
{
    PasswordDialog dialog;
    QSignalSpy flags(&dialog, &PasswordDialog::sendPassWordFlags);
    auto *edit = dialog.findChild<QLineEdit *>(QStringLiteral("lineEdit_password"));
    dialog.showPassword();
    edit->setText(QStringLiteral("MOLVE"));
    dialog.findChild<QPushButton *>(QStringLiteral("pushButton_Cancel"))->click();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(flags.count(), 0);
    dialog.showPassword();
    QCOMPARE(edit->text(), QStringLiteral("MOLVE"));
}

QTEST_MAIN(TestPasswordDialog)
#include "tst_passworddialog.moc"
