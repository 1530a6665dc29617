// A box the user must answer opens over the modal window that has the input, and a window that
// moves the motor stops the motion before another window's box takes the input from it.

#include "answerbox.h"
#include "modalanswerer.h"
#include "motionguard.h"

#include <QApplication>
#include <QWidget>
#include <QtTest>

class AnswerBoxTest : public QObject
{
    Q_OBJECT

private slots:
    void opensWhereItCanBeAnswered_data();
    void opensWhereItCanBeAnswered();
};

void AnswerBoxTest::opensWhereItCanBeAnswered_data()
{
    QTest::addColumn<bool>("windowModal"); // the moving window is application-modal
    QTest::addColumn<bool>("overWindow");  // the box opens over the moving window (else over its owner)

    // Faults caught: a box left behind the modal window, out of reach; a box opened over the
    // moving window that lets the motor run on while it hides the window's Stop.
    QTest::newRow("modal window open") << true << true;
    QTest::newRow("no modal window") << false << false;
}

void AnswerBoxTest::opensWhereItCanBeAnswered()
{
    QFETCH(bool, windowModal);
    QFETCH(bool, overWindow);

    QWidget other;
    other.show();
    QWidget window;
    if (windowModal)
        window.setWindowModality(Qt::ApplicationModal);
    window.show();
    int stops = 0;
    new MotionGuard(&window, [] { return true; }, [&stops] { ++stops; });
    ModalBoxAnswerer answerer;
    answerer.setLeftAlone([&window](QWidget *w) { return w == &window; });

    AnswerBox::warning(&other, QStringLiteral("error"), QStringLiteral("text"));
    QCOMPARE(answerer.count(), 1);
    QCOMPARE(answerer.last().parent.data(), overWindow ? &window : &other);
    QCOMPARE(stops, 1);
}

QTEST_MAIN(AnswerBoxTest)
#include "tst_answerbox.moc"
