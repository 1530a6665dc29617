// The capture plot: every trace through check, redraw and uncheck (points, axis, handle, no
// orphan graphs), a refused draw, the read-out under the mouse and the fixed ranges.

#include "modalanswerer.h"
#include "staticwindow.h"
#include "tempworkdir.h"
#include "ui_staticwindow.h"

#include <QToolTip>
#include <QtTest>

namespace {

struct TraceRef
{
    QCheckBox *check;
    QCPGraph *staticWindow::*handle;
    QCPAxis *axis;
};

TraceRef traceRef(staticWindow &w, int t)
{
    Ui::staticWindow *ui = w.ui;
    QCPAxisRect *rect = ui->widget_Static->axisRect(0);
    const QCPAxis::AxisType side = t % 2 == 0 ? QCPAxis::atLeft : QCPAxis::atRight;
    QCheckBox *checks[] = {ui->checkBox_CH1, ui->checkBox_CH2, ui->checkBox_CH3, ui->checkBox_CH4,
                           ui->checkBox_CH1_IO, ui->checkBox_CH2_IO, ui->checkBox_CH3_IO, ui->checkBox_CH4_IO};
    QCPGraph *staticWindow::*handles[] = {&staticWindow::graphCH1, &staticWindow::graphCH2, &staticWindow::graphCH3,
                                          &staticWindow::graphCH4, &staticWindow::graphIO1, &staticWindow::graphIO2,
                                          &staticWindow::graphIO3, &staticWindow::graphIO4};
    return {checks[t], handles[t], rect->axis(side, t / 2)};
}

void fillAll(staticWindow &w, int n)
{
    for (QVector<int> *values : {&w.dataCH1, &w.dataCH2, &w.dataCH3, &w.dataCH4}) {
        values->clear();
        for (int i = 0; i < n; ++i)
            values->append(i % 100 - 50);
    }
    for (QVector<short> *states : {&w.dataIO1, &w.dataIO2, &w.dataIO3, &w.dataIO4})
        *states = QVector<short>(n, 1);
}

} // namespace

class TestCapturePlots : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        work.reset(new TempWorkDir);
        QVERIFY(work->isValid()); // else the windows would read the INI files of whatever folder this runs in
    }
    void cleanup() { work.reset(); }
    void traceCycle_data();
    void traceCycle();
    void refusedDrawKeepsTheOtherTraces();
    void readOut_data();
    void readOut();
    void fixedRangesAndReset();

private:
    QScopedPointer<TempWorkDir> work;
};

void TestCapturePlots::traceCycle_data()
{
    QTest::addColumn<int>("trace");
    QTest::addColumn<int>("sampleWidth");
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<int>("penWidth");

    QTest::newRow("CH1") << 0 << 1 << "CH1:" << QColor(255, 0, 255) << 1;
    QTest::newRow("CH2, 32-bit") << 1 << 2 << "CH2:" << QColor("#60cc00") << 1;
    QTest::newRow("CH3") << 2 << 1 << "CH3:" << QColor("#FFA100") << 1;
    QTest::newRow("CH4") << 3 << 1 << "CH4:" << QColor(255, 0, 0) << 1;
    QTest::newRow("IO1") << 4 << 1 << "IO1:" << QColor(200, 170, 105) << 2;
    QTest::newRow("IO2, 32-bit") << 5 << 2 << "IO2:" << QColor("#00ffff") << 2;
    QTest::newRow("IO3") << 6 << 1 << "IO3:" << QColor("#00aa7f") << 2;
    QTest::newRow("IO4") << 7 << 1 << "IO4:" << QColor("#ba89ff") << 2;
}

void TestCapturePlots::traceCycle()
{
    QFETCH(int, trace);
    QFETCH(int, sampleWidth);
    QFETCH(QString, prefix);
    QFETCH(QColor, colour);
    QFETCH(int, penWidth);

    staticWindow window;
    QCustomPlot *plot = window.ui->widget_Static;
    const TraceRef ref = traceRef(window, trace);
    const bool startsHidden = trace >= 2;
    fillAll(window, 1024);
    window.sampleWidth = sampleWidth;
    const int n = sampleWidth == 2 ? 500 : 1000;
    // Another trace on the plot, which only a redraw of all traces may replace. Held by a
    // QPointer: a graph deleted and another made at its address must not pass for it.
    const int other = trace == 0 ? 1 : 0;
    for (int t = 0; t < 8; ++t)
        traceRef(window, t).check->setChecked(false);
    traceRef(window, other).check->setChecked(true);
    window.redrawCheckedTraces();
    QPointer<QCPGraph> otherGraph = window.*traceRef(window, other).handle;
    QVERIFY(otherGraph);

    for (int round = 0; round < 3; ++round) { // a check and two redraws
        if (round == 0) {
            QTest::mouseClick(ref.check, Qt::LeftButton);
            QVERIFY(otherGraph);
        } else {
            window.redrawCheckedTraces();
            otherGraph = window.*traceRef(window, other).handle;
        }
        QVERIFY(ref.check->isChecked());
        QCOMPARE(plot->graphCount(), 2);
        QCPGraph *graph = window.*ref.handle;
        QVERIFY(plot->hasPlottable(graph) && plot->hasPlottable(otherGraph) && graph != otherGraph);
        QCOMPARE(graph->valueAxis(), ref.axis);
        QCOMPARE(graph->data()->size(), n);
        QCOMPARE(graph->data()->at(n - 1)->key, double(n - 1));
        QCOMPARE(graph->pen().color(), colour);
        QCOMPARE(graph->pen().width(), penWidth);
        QVERIFY(ref.axis->visible());
        QVERIFY(ref.axis->label().startsWith(prefix));
        QCOMPARE(ref.axis->tickLabelColor(), colour);
        QCOMPARE(plot->xAxis->range().upper, double(n - 1));
    }
    QCOMPARE(plot->xAxis->label(), QStringLiteral("Time: 125μs*1"));

    QTest::mouseClick(ref.check, Qt::LeftButton);
    QCOMPARE(plot->graphCount(), 1);
    QVERIFY(!(window.*ref.handle));
    QVERIFY(otherGraph && plot->hasPlottable(otherGraph));
    QCOMPARE(ref.axis->visible(), !startsHidden);
    // Unchecking again, with the graph gone, only replots.
    window.redrawCheckedTraces();
    QCOMPARE(plot->graphCount(), 1);
}

void TestCapturePlots::refusedDrawKeepsTheOtherTraces()
{
    staticWindow window;
    QCustomPlot *plot = window.ui->widget_Static;
    fillAll(window, 1000);
    window.dataIO2.resize(999);
    window.ui->spinBox_interval->setValue(4);
    window.ui->checkBox_CH2_IO->setChecked(true);
    window.ui->comboBox_CH2_IO->setCurrentIndex(3);
    ModalBoxAnswerer answerer;
    window.redrawCheckedTraces(); // CH1 and CH2 start checked
    QCOMPARE(answerer.count(), 1);
    QCOMPARE(answerer.last().title, QStringLiteral("提示"));
    QCOMPARE(answerer.last().text, QStringLiteral("数据IO2未完成"));
    QCOMPARE(answerer.last().buttons, QStringList{"OK"});
    QCOMPARE(plot->graphCount(), 2);
    QVERIFY(!window.graphIO2);
    QCOMPARE(plot->xAxis->label(), QStringLiteral("Time: 125μs*4"));
    QCOMPARE(traceRef(window, 5).axis->label(), QStringLiteral("IO2:N-OT"));
}

void TestCapturePlots::readOut_data()
{
    QTest::addColumn<double>("key");
    QTest::addColumn<int>("shortLists"); // CH3 and CH4 hold this many values
    QTest::addColumn<QString>("text");   // empty: no read-out

    QTest::newRow("3.9 reads index 3") << 3.9 << 1000 << "CH1:(3, -47)\nCH2:(3, -47)\nCH3:(3, -47)\nCH4:(3, -47)";
    QTest::newRow("-0.7 reads index 0") << -0.7 << 1000 << "CH1:(0, -50)\nCH2:(0, -50)\nCH3:(0, -50)\nCH4:(0, -50)";
    QTest::newRow("beyond the CH1 data") << 1000.2 << 1000 << QString();
    QTest::newRow("left of the data") << -1.5 << 1000 << QString();
    QTest::newRow("CH3 and CH4 empty, as after an HXQ capture") << 20.2 << 0 << "CH1:(20, -30)\nCH2:(20, -30)";
    QTest::newRow("CH3 and CH4 shorter") << 600.3 << 500 << "CH1:(600, -50)\nCH2:(600, -50)";
}

void TestCapturePlots::readOut()
{
    QFETCH(double, key);
    QFETCH(int, shortLists);
    QFETCH(QString, text);

    staticWindow window;
    QCustomPlot *plot = window.ui->widget_Static;
    QTest::mouseMove(plot, QPoint(5, 5)); // no graph yet: nothing to read
    QCOMPARE(QToolTip::text(), QString());

    fillAll(window, 1000);
    window.dataCH3.resize(shortLists);
    window.dataCH4.resize(shortLists);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.redrawCheckedTraces();
    // A narrow range: a pixel spans a hundredth of a sample, so rounding to a pixel keeps the index.
    plot->xAxis->setRange(key - 5, key + 5);
    plot->replot();
    const double pixel = plot->xAxis->coordToPixel(key);
    const QPointF local(pixel, plot->height() / 2);
    QMouseEvent move(QEvent::MouseMove, local, plot->mapToGlobal(local.toPoint()), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    window.myMouseMoveEvent(&move);
    QCOMPARE(QToolTip::text(), text);
    QToolTip::hideText();
}

void TestCapturePlots::fixedRangesAndReset()
{
    staticWindow window;
    Ui::staticWindow *ui = window.ui;
    QCustomPlot *plot = ui->widget_Static;
    fillAll(window, 1000);
    window.redrawCheckedTraces();
    const QCPRange fitted = plot->yAxis->range();

    ui->spinBox_CH1_1->setValue(0); // equal bounds: the axis keeps its range
    ui->spinBox_CH1_2->setValue(0);
    ui->spinBox_CH2_1->setValue(300); // bounds the wrong way round: swapped
    ui->spinBox_CH2_2->setValue(-300);
    ui->spinBox_X_1->setValue(100);
    ui->spinBox_X_2->setValue(200);
    window.on_checkBox_fixed_clicked(); // not checked: nothing
    QCOMPARE(plot->xAxis->range(), QCPRange(0, 999));
    QTest::mouseClick(ui->checkBox_fixed, Qt::LeftButton);
    QCOMPARE(plot->yAxis->range(), fitted);
    QCOMPARE(plot->yAxis2->range(), QCPRange(-300, 300));
    QCOMPARE(plot->xAxis->range(), QCPRange(100, 200));
    QCOMPARE(ui->spinBox_X_3->value(), 100);
    QCOMPARE(ui->spinBox_X_4->value(), 200);

    QTest::mouseClick(ui->pushButton_Reset, Qt::LeftButton);
    QCOMPARE(plot->xAxis->range(), QCPRange(0, 999));
    QVERIFY(ui->checkBox_fixed->isChecked());

    QTest::mouseClick(ui->pushButton_FullScreen, Qt::LeftButton);
    QVERIFY(ui->tabWidget->isHidden());
    QTest::mouseClick(ui->pushButton_FullScreen, Qt::LeftButton);
    QVERIFY(!ui->tabWidget->isHidden());
}

QTEST_MAIN(TestCapturePlots)
#include "tst_captureplots.moc"
