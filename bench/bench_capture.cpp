// A capture as the window shows it: a full VR upload (4 x 1024 words) decoded into four
// channels and four I/O signals, and the eight traces of 1000 points drawn and replotted in
// the capture window; beside it, in the same run, a bare plot given the same eight graphs on
// the same axes and replotted once. Offscreen; the median of the rounds is printed.
//
//   bench_capture [rounds]      (default 30)

#include "staticwindow.h"
#include "ui_staticwindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QTextStream>

#include <algorithm>
#include <cmath>

namespace {

// Four channels of a motor that speeds up and settles, with I/O bits that switch now and then.
QVector<QString> vrUpload()
{
    QVector<QString> words;
    for (int channel = 0; channel < 4; ++channel) {
        for (int i = 0; i < 1024; ++i) {
            const double t = i / 1024.0;
            const int analog = int(6000 * (1 - std::exp(-6 * t)) * std::cos(2 * M_PI * (channel + 1) * t)) & 0x7FFF;
            const int io = ((i / (64 * (channel + 1))) % 2) << 15;
            words.append(QString::number(io | analog, 16).toUpper().rightJustified(4, QLatin1Char('0')));
        }
    }
    return words;
}

double median(QVector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values.at(values.size() / 2);
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 30;
    const QVector<QString> upload = vrUpload();

    staticWindow window;
    window.resize(1366, 768);
    window.show();
    for (QCheckBox *box : window.findChildren<QCheckBox *>(QRegularExpression("^checkBox_CH")))
        box->setChecked(true);
    window.scaleE601 = 300;
    window.scaleE602 = 6000;
    window.kindCH1 = 2;
    window.kindCH2 = 1;

    // The bare plot draws the same picture: the same backgrounds, axes, colours and pens.
    QCustomPlot bare;
    bare.resize(window.ui->widget_Static->size());
    bare.show();
    bare.setPlottingHint(QCP::phFastPolylines, true);
    bare.setBackground(window.ui->widget_Static->background());
    QCPAxisRect *rect = bare.axisRect(0);
    rect->setBackground(window.ui->widget_Static->axisRect(0)->background());
    for (int k = 0; k < 6; ++k)
        rect->addAxis(k % 2 == 0 ? QCPAxis::atLeft : QCPAxis::atRight);
    const char *colours[] = {"#ff00ff", "#60cc00", "#FFA100", "#ff0000", "#c8aa69", "#00ffff", "#00aa7f", "#ba89ff"};
    QList<QCPGraph *> bareGraphs;
    for (int g = 0; g < 8; ++g) {
        const QPen pen(QBrush(QColor(colours[g])), g < 4 ? 1 : 2, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin);
        // the order of the window's traces: CH1 left 0, CH2 right 0, CH3 left 1, CH4 right 1, IO1 left 2, ...
        QCPAxis *axis = rect->axis(g % 2 == 0 ? QCPAxis::atLeft : QCPAxis::atRight, g / 2);
        axis->setTickLabelColor(QColor(colours[g]));
        axis->setBasePen(QPen(QColor(colours[g])));
        bareGraphs.append(bare.addGraph(bare.xAxis, axis));
        bareGraphs.last()->setPen(pen);
    }

    QVector<double> ours, plain, decodeMs;
    for (int round = 0; round < rounds; ++round) {
        QElapsedTimer timer;
        timer.start();
        for (QVector<QString> *raw : {&window.rawCH1, &window.rawCH2, &window.rawCH3, &window.rawCH4})
            raw->clear();
        for (QVector<int> *data : {&window.dataCH1, &window.dataCH2, &window.dataCH3, &window.dataCH4})
            data->clear();
        for (QVector<short> *data : {&window.dataIO1, &window.dataIO2, &window.dataIO3, &window.dataIO4})
            data->clear();
        window.readGraphDataRecieve(upload);
        window.decodeChannel(window.rawCH1, 1, window.kindCH1);
        window.decodeChannel(window.rawCH2, 2, window.kindCH2);
        window.decodeChannel(window.rawCH3, 3, window.kindCH3);
        window.decodeChannel(window.rawCH4, 4, window.kindCH4);
        const qint64 decoded = timer.nsecsElapsed();
        window.redrawCheckedTraces();
        ours.append(timer.nsecsElapsed() / 1e6);
        decodeMs.append(decoded / 1e6);

        // The same points, handed to a bare plot.
        const QVector<int> *values[] = {&window.dataCH1, &window.dataCH2, &window.dataCH3, &window.dataCH4};
        const QVector<short> *states[] = {&window.dataIO1, &window.dataIO2, &window.dataIO3, &window.dataIO4};
        timer.restart();
        for (int g = 0; g < 8; ++g) {
            QVector<QCPGraphData> points(1000);
            for (int i = 0; i < 1000; ++i)
                points[i] = QCPGraphData(i, g < 4 ? values[g]->at(i) : states[g - 4]->at(i));
            bareGraphs[g]->data()->set(points, true);
            bareGraphs[g]->rescaleAxes(false);
        }
        bare.replot();
        plain.append(timer.nsecsElapsed() / 1e6);
    }

    QTextStream out(stdout);
    const double ourMs = median(ours), plainMs = median(plain);
    out << "capture: decode 4096 words + draw 8 traces x 1000 points + replot: " << ourMs << " ms (median of "
        << rounds << ")\n";
    out << "  of which decoding:                                              " << median(decodeMs) << " ms\n";
    out << "bare plot: set 8 x 1000 points + replot:                       " << plainMs << " ms\n";
    out << "ratio: " << (plainMs > 0 ? ourMs / plainMs : 0) << "  (goal: under 20 ms, ratio under 1.5)\n";
    return 0;
}
