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
    void levelsFollowTheLastEntry();
    void cancelKeepsTheEntry();
};

void TestPasswordDialog::entry_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<bool>("level1");
    QTest::addColumn<bool>("level2");
    QTest::addColumn<bool>("refused");

    QTest::newRow("code A") << "MOLVE314" << true << false << false;
    QTest::newRow("code B") << "MOLVE3146" << true << true << false;
    QTest::newRow("empty") << "" << false << false << true;
    QTest::newRow("code A with a trailing space") << "MOLVE314 " << false << false << true;
    QTest::newRow("code A in lower case") << "molve314" << false << false << true;
    QTest::newRow("code B cut short") << "MOLVE31" << false << false << true;
    QTest::newRow("code B too long") << "MOLVE31466" << false << false << true;
}

void TestPasswordDialog::entry()
{
    QFETCH(QString, entry);
    QFETCH(bool, level1);
    QFETCH(bool, level2);
    QFETCH(bool, refused);

    ModalBoxAnswerer answerer;
    PasswordDialog dialog;
    QSignalSpy flags(&dialog, &PasswordDialog::sendPassWordFlags);
    QSignalSpy flags2(&dialog, &PasswordDialog::sendPassWordFlags2);
    dialog.showPassword();
    QVERIFY(dialog.isVisible());

    auto *edit = dialog.findChild<QLineEdit *>(QStringLiteral("lineEdit_password"));
    auto *ok = dialog.findChild<QPushButton *>(QStringLiteral("pushButton_OK"));
    QVERIFY(edit && ok);
    QCOMPARE(edit->echoMode(), QLineEdit::Password);
    edit->setText(entry);
    ok->click();

    QCOMPARE(flags.count(), 1);
    QCOMPARE(flags2.count(), 1);
    QCOMPARE(flags.at(0).at(0).toBool(), level1);
    QCOMPARE(flags2.at(0).at(0).toBool(), level2);
    QCOMPARE(dialog.levelGranted(), level1);
    // A refused code warns and leaves the dialog open for another try; an accepted one closes it.
    QCOMPARE(answerer.count(), refused ? 1 : 0);
    if (refused) {
        QCOMPARE(answerer.last().title, QStringLiteral("error"));
        QCOMPARE(answerer.last().icon, QMessageBox::Warning);
    }
    QCOMPARE(dialog.isVisible(), refused);
    QVERIFY(edit->text().isEmpty());
}

void TestPasswordDialog::levelsFollowTheLastEntry()
{
    ModalBoxAnswerer answerer;
    PasswordDialog dialog;
    QSignalSpy flags(&dialog, &PasswordDialog::sendPassWordFlags);
    QSignalSpy flags2(&dialog, &PasswordDialog::sendPassWordFlags2);
    auto *edit = dialog.findChild<QLineEdit *>(QStringLiteral("lineEdit_password"));
    auto *ok = dialog.findChild<QPushButton *>(QStringLiteral("pushButton_OK"));

    const QStringList entries{QStringLiteral("MOLVE314"), QStringLiteral("MOLVE3146"),
                              QStringLiteral("MOLVE314"), QStringLiteral("wrong")};
    for (const QString &entry : entries) {
        dialog.showPassword();
        edit->setText(entry);
        ok->click();
    }
    const QList<bool> level1{true, true, true, false};
    const QList<bool> level2{false, true, false, false};
    QCOMPARE(flags.count(), 4);
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(flags.at(i).at(0).toBool(), level1.at(i));
        QCOMPARE(flags2.at(i).at(0).toBool(), level2.at(i));
    }
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
