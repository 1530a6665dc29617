// The capture window's side of the spectrum analysis, wired to the spectrum window as main wires
// them: the spectra it shows, the peaks it keeps, and the batch export over a folder.

#include "fftwindow.h"
#include "staticwindow.h"
#include "ui_staticwindow.h"

#include "modalanswerer.h"
#include "tempworkdir.h"

#include <QtTest>
#include <qcustomplot.h>

#include <cmath>

namespace {

// A quick-change line: its number, then a sine of the given bin (1024 samples), tab-separated.
QString channelLine(int number, int bin, double amplitude, int samples = 1024)
{
    QString line = QString::number(number) + QLatin1Char('\t');
    for (int n = 0; n < samples; ++n)
        line += QString::number(std::lround(amplitude * std::sin(2.0 * M_PI * bin * n / 1024))) + QLatin1Char('\t');
    return line;
}

void writeFile(const QString &path, const QStringList &lines)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Text));
    file.write(lines.join(QLatin1Char('\n')).toUtf8());
}

} // namespace

class TestSpectrumExport : public QObject
{
    Q_OBJECT

private slots:
    void resultsShownAndKept();
    void batchExport();
};

void TestSpectrumExport::resultsShownAndKept()
{
    TempWorkDir dir;
    staticWindow capture;
    QCustomPlot *plot = capture.ui->widget_Static;
    capture.graphCH1 = plot->addGraph();
    ModalBoxAnswerer boxes;

    QVector<int> frequencies(1024), amplitudes(1024, 1);
    for (int i = 0; i < 1024; ++i)
        frequencies[i] = i * 8;
    capture.fftResultCount = 0;
    capture.recevieFFTResult(frequencies, amplitudes, 1, 2, 3, 4);
    capture.recevieFFTResult(frequencies.mid(0, 1023), amplitudes, 5, 6, 7, 8);
    capture.recevieFFTResult(frequencies, amplitudes, 9, 10, 11, 12);
    capture.recevieFFTResult(frequencies, amplitudes, 13, 14, 15, 16);
    capture.recevieFFTResult(frequencies, amplitudes, 99, 99, 99, 99);

    QCOMPARE(capture.fftResultCount, 5);
    QCOMPARE(boxes.countWithText(QStringLiteral("数据丢失")), 1);
    for (int i = 0; i < 16; ++i)
        QCOMPARE(capture.fftPeaks[i], i + 1);
    // The spectrum came and went on its own graph: the CH1 trace keeps its handle.
    QCOMPARE(plot->graphCount(), 1);
    QVERIFY(plot->hasPlottable(capture.graphCH1));
    QCOMPARE(plot->xAxis->range().upper, 511.0 * 8);
}

void TestSpectrumExport::batchExport()
{
    TempWorkDir dir;
    staticWindow capture;
    FFT_Window spectrum;
    QObject::connect(&spectrum, &FFT_Window::sendFFTResult, &capture, &staticWindow::recevieFFTResult);
    QObject::connect(&capture, &staticWindow::FFTAnalyze, &spectrum, &FFT_Window::FFTAnalyze);
    ModalBoxAnswerer boxes;

    QVERIFY(QDir().mkpath(QStringLiteral("FFT_DATA/AIdata")));
    // Channels at bins 8, 16, 32 and 64 (62.5, 125, 250 and 500 Hz), 1024 samples each.
    writeFile(QStringLiteral("FFT_DATA/AIdata/good.QCS"),
              {channelLine(1, 8, 100.5), QStringLiteral("2\t1\t0"), channelLine(3, 16, 200.5), QStringLiteral("4\t"),
               channelLine(5, 32, 300.5), QStringLiteral("6\t"), channelLine(7, 64, 400.5), QStringLiteral("8\t")});
    // Entries not read whole: one box each, naming entry and line, and no export under their name.
    writeFile(QStringLiteral("FFT_DATA/AIdata/short.Static"),
              {channelLine(1, 8, 50, 900), QString(), channelLine(3, 8, 50, 900), QString(), channelLine(5, 8, 50, 900),
               QString(), channelLine(7, 8, 50, 900), QString()});
    writeFile(QStringLiteral("FFT_DATA/AIdata/huge.QCS"),
              {channelLine(1, 8, 50), QString(), "3\t" + QStringLiteral("99999999999\t").repeated(1024)});
    writeFile(QStringLiteral("FFT_DATA/AIdata/over.QCS"), {channelLine(1, 8, 50, 1025)});
    writeFile(QStringLiteral("FFT_DATA/AIdata/empty.QCS"), {});
    writeFile(QStringLiteral("FFT_DATA/AIdata/long.QCS"), {QStringLiteral("1\t").repeated(9000)});
    // Stopping inside line 7, the last sample may be cut short; with line 7's line end it is whole.
    const QStringList seven{channelLine(1, 8, 50), "2\t", channelLine(3, 8, 50), "4\t", channelLine(5, 8, 50), "6\t",
                            channelLine(7, 8, 50, 1023) + "1234\t"};
    writeFile(QStringLiteral("FFT_DATA/AIdata/cut.QCS"), {seven.join(QLatin1Char('\n')).chopped(3)});
    writeFile(QStringLiteral("FFT_DATA/AIdata/seven.QCS"), seven + QStringList{QString()});

    QMetaObject::invokeMethod(&capture, "on_pushButton_SearFile_clicked");

    QCOMPARE(capture.batchFiles.size(), 8);
    QCOMPARE(boxes.count(), 6);
    for (const QString &text : {QStringLiteral("数据长度不对: short.Static 第 1 行有 900 个采样点，应为 1024 个"),
                                QStringLiteral("数据长度不对: over.QCS 第 1 行有 1025 个采样点，应为 1024 个"),
                                QStringLiteral("huge.QCS 第 3 行的数值无效: 99999999999"),
                                QStringLiteral("数据长度不对: empty.QCS 第 1 行有 0 个采样点，应为 1024 个"),
                                QStringLiteral("数据长度不对: long.QCS 第 1 行超过 1024 个采样点"),
                                QStringLiteral("cut.QCS 第 7 行：文件在这一行中间结束")})
        QVERIFY2(boxes.countWithText(text) == 1, qPrintable(text));
    QCOMPARE(QDir(QStringLiteral("FFT_DATA")).entryList({QStringLiteral("*.csv")}), (QStringList{"good.csv", "seven.csv"}));
    QFile csv(QStringLiteral("FFT_DATA/good.csv"));
    QVERIFY(csv.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(csv.readAll()).split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 8);
    for (int i = 0; i < 4; ++i)
        QCOMPARE(lines[i].count(QLatin1Char(',')), 1023);
    // The results in the order sent: the third sample line, the second, the first, the fourth.
    // Each vector goes whole, its line number first (N = 1025): the peaks leak a little.
    const QStringList firstPeaks = {QStringLiteral("250,300,"), QStringLiteral("125,200,"), QStringLiteral("62,100,"),
                                    QStringLiteral("500,398,")};
    for (int i = 0; i < 4; ++i)
        QVERIFY2(lines[4 + i].startsWith(firstPeaks[i]), qPrintable(lines[4 + i]));
    QVERIFY(capture.ui->pushButton_SearFile->isEnabled());
    QVERIFY(capture.ui->progressBar->isHidden());
}

QTEST_MAIN(TestSpectrumExport)
#include "tst_spectrumexport.moc"
