// tavrilon-screenshots: walks the tool's own windows against the simulated drive and saves a
// picture of each, so a person can look at every window in both families and both languages.
//
//   tavrilon-screenshots FOLDER [--family vr|hxq] [--language en|zh]
//
// Without --family or --language every missing choice is walked, each in a process of its own
// (the family and the language are read at start, as the tool reads them). The pictures go to
// FOLDER/<family>-<language>/NN-<window>.png. A window the program does not build yet, or whose
// menu entry the family keeps disabled, is passed over with a line saying so.

#include <QAction>
#include <QApplication>
#include <QCommandLineParser>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>
#include <QPixmap>
#include <QProcess>
#include <QPushButton>
#include <QSet>
#include <QTabWidget>
#include <QToolBox>
#include <QTableWidget>
#include <QTextStream>
#include <QTimer>
#include <QTranslator>

#include <cstdlib>
#include <functional>
#include <memory>

#include "boundedwait.h"
#include "choicefiles.h"
#include "choosedialog.h"
#include "languageswitcher.h"
#include "mainwindow.h"
#include "passworddialog.h"
#include "serialport.h"
#include "simulateddrive.h"
#include "simulatedmodel.h"
#include "tempworkdir.h"
#include "translation.h"
#include "windowset.h"

namespace {

QTextStream &out()
{
    static QTextStream stream(stdout);
    return stream;
}

// Answers the message boxes the walk brings up (OK, or Yes to a question) and cancels file
// dialogs; every other window, modal or not, is left to the walk.
class BoxAnswerer : public QObject
{
public:
    BoxAnswerer()
    {
        QObject::connect(&timer, &QTimer::timeout, [this] { poll(); });
        timer.start(50);
    }
    // Lines "title: text" of the boxes answered since the last call.
    QStringList take()
    {
        QStringList lines;
        lines.swap(seen);
        return lines;
    }
    int count() const { return total; }

private:
    void poll()
    {
        QWidget *w = QApplication::activeModalWidget();
        if (!w || !w->isVisible())
            return;
        if (auto *files = qobject_cast<QFileDialog *>(w)) {
            seen << QStringLiteral("file dialog \"%1\" cancelled").arg(files->windowTitle());
            ++total;
            files->reject();
            return;
        }
        auto *box = qobject_cast<QMessageBox *>(w);
        if (!box)
            return;
        QAbstractButton *button = box->button(QMessageBox::Ok);
        if (!button)
            button = box->button(QMessageBox::Yes);
        if (!button && !box->buttons().isEmpty())
            button = box->buttons().first();
        seen << QStringLiteral("box \"%1\": \"%2\", answered %3")
                    .arg(box->windowTitle(), box->text().replace(QLatin1Char('\n'), QLatin1Char(' ')),
                         button ? button->text() : QStringLiteral("-"));
        ++total;
        if (button)
            button->click();
        else
            box->close();
    }

    QTimer timer;
    QStringList seen;
    int total = 0;
};

// The password that raises the access level far enough for the motor-data window.
const char *const kServicePassword = "MOLVE314";

class Walk
{
public:
    Walk(const QString &folder, int family, int language)
        : folder(folder)
        , family(family)
        , language(language)
        , tag(QStringLiteral("%1-%2").arg(family ? "hxq" : "vr", language ? "zh" : "en"))
    {
    }

    int run();

private:
    void say(const QString &line) { out() << tag << ": " << line << '\n' << Qt::flush; }
    void passOver(const QString &name, const QString &why) { say(QStringLiteral("passed over: %1 (%2)").arg(name, why)); }

    QWidget *created(const char *className) const
    {
        for (QWidget *w : set->createdWindows()) {
            if (qstrcmp(w->metaObject()->className(), className) == 0)
                return w;
        }
        return nullptr;
    }
    QList<QWidget *> visibleWindows() const
    {
        QList<QWidget *> shown;
        for (QWidget *w : set->createdWindows()) {
            if (w->isVisible())
                shown << w;
        }
        return shown;
    }
    template <class T>
    T *child(QWidget *w, const char *name) const
    {
        return w ? w->findChild<T *>(QString::fromLatin1(name)) : nullptr;
    }
    QAction *action(const char *name) const { return set->windows().mainWindow->findChild<QAction *>(QString::fromLatin1(name)); }

    // Saves a picture of the window and reports the message boxes answered since the last one.
    void save(QWidget *w, const QString &name);
    void reportBoxes();
    // One more picture for each page of the window's tab widgets and tool boxes that is not showing.
    void saveTabs(QWidget *w, const QString &name);

    // Opens a window through a main-window action; null (and a line saying why) when it does
    // not open. The window is left open.
    QWidget *open(const QString &name, const char *className, const char *actionName);
    // Clicks a button whose handler runs a whole operation (a capture) and waits until the
    // handler has returned; false when it has not within limitMs.
    bool clickAndWait(QAbstractButton *button, int limitMs);
    // Clicks a button and returns the window that came up because of it.
    QWidget *openFrom(QAbstractButton *button);
    // Without a window manager (a bare X server) nobody maximises a window that asks for it;
    // it is given the screen, as the user sees it.
    static void fitMaximized(QWidget *w)
    {
        if (!(w->windowState() & Qt::WindowMaximized) || !w->screen())
            return;
        const QRect screen = w->screen()->availableGeometry();
        if (w->frameGeometry().width() < screen.width() * 9 / 10)
            w->setGeometry(screen);
        BoundedWait::pause(200);
    }
    static void close(QWidget *w)
    {
        if (w)
            w->close();
        BoundedWait::pause(200);
    }

    bool connect();
    void parameters();
    void compare();
    void capture();
    void trend();
    void simple(const QString &name, const char *className, const char *actionName, int settleMs);
    void spectrum();
    void auxiliary();
    void motorData();

    QString folder;
    int family;
    int language;
    QString tag;
    int shots = 0;

    std::unique_ptr<SimulatedDrive> drive;
    std::unique_ptr<BoxAnswerer> boxes;
    WindowSet *set = nullptr;
};

void Walk::save(QWidget *w, const QString &name)
{
    reportBoxes();
    QApplication::processEvents();
    const QString file = QStringLiteral("%1/%2-%3.png").arg(folder).arg(++shots, 2, 10, QLatin1Char('0')).arg(name);
    if (w->grab().save(file))
        say(QStringLiteral("%1: %2 (%3x%4)").arg(name, QFileInfo(file).fileName()).arg(w->width()).arg(w->height()));
    else
        say(QStringLiteral("%1: could not write %2").arg(name, file));
}

void Walk::reportBoxes()
{
    for (const QString &line : boxes->take())
        say(QStringLiteral("  a %1").arg(line));
}

void Walk::saveTabs(QWidget *w, const QString &name)
{
    int page = 0;
    for (QTabWidget *tabs : w->findChildren<QTabWidget *>()) {
        const int shown = tabs->currentIndex();
        for (int i = 0; i < tabs->count(); ++i) {
            if (i == shown || !tabs->isTabEnabled(i) || !tabs->isVisibleTo(w))
                continue;
            tabs->setCurrentIndex(i);
            BoundedWait::pause(200);
            save(w, QStringLiteral("%1-page%2").arg(name).arg(++page));
        }
        tabs->setCurrentIndex(shown);
    }
    for (QToolBox *box : w->findChildren<QToolBox *>()) {
        const int shown = box->currentIndex();
        for (int i = 0; i < box->count(); ++i) {
            if (i == shown || !box->isItemEnabled(i) || !box->isVisibleTo(w))
                continue;
            box->setCurrentIndex(i);
            BoundedWait::pause(200);
            save(w, QStringLiteral("%1-page%2").arg(name).arg(++page));
        }
        box->setCurrentIndex(shown);
    }
}

QWidget *Walk::open(const QString &name, const char *className, const char *actionName)
{
    QWidget *w = created(className);
    if (!w) {
        passOver(name, QStringLiteral("%1 is not built yet").arg(QLatin1String(className)));
        return nullptr;
    }
    QAction *a = action(actionName);
    if (!a) {
        passOver(name, QStringLiteral("the main window has no %1").arg(QLatin1String(actionName)));
        return nullptr;
    }
    if (!a->isEnabled()) {
        passOver(name, QStringLiteral("its menu entry \"%1\" is disabled here").arg(a->text().trimmed()));
        return nullptr;
    }
    a->trigger();
    if (!BoundedWait::until([w] { return w->isVisible(); }, 5000)) {
        passOver(name, QStringLiteral("\"%1\" opened nothing").arg(a->text().trimmed()));
        return nullptr;
    }
    fitMaximized(w);
    return w;
}

bool Walk::clickAndWait(QAbstractButton *button, int limitMs)
{
    auto done = std::make_shared<bool>(false);
    QTimer::singleShot(0, button, [button, done] {
        button->click();
        *done = true;
    });
    return BoundedWait::until([done] { return *done; }, limitMs);
}

QWidget *Walk::openFrom(QAbstractButton *button)
{
    const QList<QWidget *> before = visibleWindows();
    QWidget *opened = nullptr;
    // A dialog that asks the drive on opening may hold the click a while.
    QTimer::singleShot(0, button, &QAbstractButton::click);
    BoundedWait::until([&] {
        for (QWidget *w : visibleWindows()) {
            if (!before.contains(w)) {
                opened = w;
                return true;
            }
        }
        return false;
    }, 5000);
    if (opened)
        fitMaximized(opened);
    return opened;
}

bool Walk::connect()
{
    auto *choose = set->windows().chooseDialog;
    BoundedWait::until([choose] { return choose->isVisible(); }, 5000);
    BoundedWait::pause(300);
    save(choose, QStringLiteral("choose"));

    child<QComboBox>(choose, "comboBox_Driver")->setCurrentIndex(family);
    child<QPushButton>(choose, "pushButton_online")->click();
    serialPort *link = set->windows().link;
    if (!BoundedWait::until([link] { return link->isVisible(); }, 5000)) {
        say(QStringLiteral("the connection dialog did not open"));
        return false;
    }
    auto *ports = child<QComboBox>(link, "comboBox_Port");
    ports->addItem(drive->portName());
    ports->setCurrentIndex(ports->count() - 1);
    child<QLineEdit>(link, "lineEdit_Start")->setText(QStringLiteral("1"));
    child<QLineEdit>(link, "lineEdit_End")->setText(QStringLiteral("3"));
    child<QPushButton>(link, "pushButtot_Connect")->click(); // the scan runs inside the click
    BoundedWait::until([link] { return !link->scanRunning(); }, 30000);
    BoundedWait::pause(300);
    save(link, QStringLiteral("connection"));

    auto *table = child<QTableWidget>(link, "tableWidget");
    if (!link->isPortOpen() || !table->item(0, 0)) {
        say(QStringLiteral("the scan found no drive on %1").arg(drive->portName()));
        return false;
    }
    table->selectRow(0);
    child<QPushButton>(link, "pushButton_OK")->click();
    MainWindow *main = set->windows().mainWindow;
    if (!BoundedWait::until([main] { return main->isVisible(); }, 5000)) {
        say(QStringLiteral("the main window did not open"));
        return false;
    }
    // The first status answer enables the drive's actions.
    BoundedWait::until([main] { return !main->powerStatus().isEmpty(); }, 8000);
    BoundedWait::pause(500);
    save(main, QStringLiteral("main"));
    return true;
}

void Walk::parameters()
{
    // Opened while online after the connection, the table makes its first read at once: every
    // value, limit and default.
    QElapsedTimer clock;
    clock.start();
    QWidget *w = open(QStringLiteral("parameter table"), "parameterWindow", "action_Parameter");
    if (!w)
        return;
    say(QStringLiteral("  opening with the first read took %1 s").arg(clock.elapsed() / 1000.0, 0, 'f', 1));
    BoundedWait::pause(500);
    save(w, QStringLiteral("parameters"));
    close(w);
}

void Walk::compare()
{
    QWidget *w = open(QStringLiteral("compare"), "compareWindow", "action_Compare");
    if (!w)
        return;
    BoundedWait::pause(500);
    save(w, QStringLiteral("compare"));
    close(w);
}

void Walk::capture()
{
    QWidget *w = open(QStringLiteral("capture"), "staticWindow", "action_Static");
    if (!w)
        return;
    BoundedWait::pause(800);
    save(w, QStringLiteral("capture"));
    saveTabs(w, QStringLiteral("capture"));
    auto *start = child<QPushButton>(w, "pushButton_Sampling");
    if (!start || !start->isEnabled()) {
        passOver(QStringLiteral("capture run"), QStringLiteral("its start button is disabled"));
    } else if (!clickAndWait(start, 90000)) {
        say(QStringLiteral("  the capture did not end within 90 s"));
    } else {
        BoundedWait::pause(1000);
        save(w, QStringLiteral("capture-run"));
    }
    close(w);
}

void Walk::trend()
{
    QWidget *w = open(QStringLiteral("live trend"), "dynamicWindow", "action_Dynamic");
    if (!w)
        return;
    BoundedWait::pause(4000); // a hundred ticks of 40 ms
    save(w, QStringLiteral("trend"));
    saveTabs(w, QStringLiteral("trend"));
    close(w);
}

void Walk::simple(const QString &name, const char *className, const char *actionName, int settleMs)
{
    QWidget *w = open(name, className, actionName);
    if (!w)
        return;
    BoundedWait::pause(settleMs);
    const QString file = QString(name).replace(QLatin1Char(' '), QLatin1Char('-'));
    save(w, file);
    saveTabs(w, file);
    close(w);
}

void Walk::spectrum()
{
    QWidget *w = open(QStringLiteral("spectrum"), "FFT_Window", "action_Analysis");
    if (!w)
        return;
    BoundedWait::pause(800);
    save(w, QStringLiteral("spectrum"));
    auto *start = child<QPushButton>(w, "pushButton_Start");
    if (!start || !start->isEnabled()) {
        passOver(QStringLiteral("spectrum capture"), QStringLiteral("its start button is disabled"));
    } else if (!clickAndWait(start, 90000)) {
        say(QStringLiteral("  the spectrum capture did not end within 90 s"));
    } else {
        BoundedWait::pause(1000);
        save(w, QStringLiteral("spectrum-run"));
    }
    close(w);
}

void Walk::auxiliary()
{
    QWidget *panel = open(QStringLiteral("auxiliary panel"), "masterControl", "action_master");
    if (!panel)
        return;
    BoundedWait::pause(500);
    save(panel, QStringLiteral("auxiliary"));
    const struct {
        const char *button;
        const char *name;
    } dialogs[] = {
        {"commandLinkButton", "aux-teaching"},
        {"commandLinkButton_2", "aux-alarms"},
        {"commandLinkButton_3", "aux-analog-offset"},
        {"commandLinkButton_4", "aux-speed-offset"},
        {"commandLinkButton_5", "aux-torque-offset"},
        {"commandLinkButton_6", "aux-encoder-reset"},
        {"commandLinkButton_AF30", "aux-rigidity"},
    };
    for (const auto &d : dialogs) {
        auto *button = child<QAbstractButton>(panel, d.button);
        if (!button || !button->isEnabled()) {
            passOver(QLatin1String(d.name), QStringLiteral("no enabled button %1 on the panel").arg(QLatin1String(d.button)));
            continue;
        }
        QWidget *dialog = openFrom(button);
        if (!dialog) {
            passOver(QLatin1String(d.name), QStringLiteral("\"%1\" opened nothing").arg(button->text()));
            continue;
        }
        BoundedWait::pause(1500); // what the dialog reads on opening
        save(dialog, QLatin1String(d.name));
        close(dialog);
    }
    close(panel);
}

void Walk::motorData()
{
    auto *password = set->windows().passwordDialog;
    QAction *enter = action("action_PassWord");
    if (!password || !enter) {
        passOver(QStringLiteral("password"), QStringLiteral("no password dialog"));
    } else {
        enter->trigger();
        if (BoundedWait::until([password] { return password->isVisible(); }, 5000)) {
            save(password, QStringLiteral("password"));
            child<QLineEdit>(password, "lineEdit_password")->setText(QLatin1String(kServicePassword));
            child<QPushButton>(password, "pushButton_OK")->click();
            BoundedWait::pause(300);
        }
    }
    QWidget *w = open(QStringLiteral("motor data"), "EncoderdataWindow", "action_motorParameter");
    if (!w)
        return;
    BoundedWait::pause(1500);
    save(w, QStringLiteral("motor-data"));
    saveTabs(w, QStringLiteral("motor-data"));
    close(w);
}

int Walk::run()
{
    if (!QDir().mkpath(folder)) {
        say(QStringLiteral("cannot make %1").arg(folder));
        return 1;
    }
    folder = QDir(folder).absolutePath();

    TempWorkDir work; // the tool's INI files
    ChoiceFiles::storeDriverChoice(family);
    ChoiceFiles::storeLanguageChoice(language);

    // As main starts the program.
    QTranslator translator;
    translator.load(translationResource(language), QString(), QString(), QString());
    QApplication::installTranslator(&translator);
    LanguageSwitcher::adoptStartupTranslator(&translator);

    drive = std::make_unique<SimulatedDrive>(1);
    SimulatedModel::install(*drive, family, 1);
    if (!drive->start()) {
        say(QStringLiteral("the simulated drive did not start: %1").arg(drive->errorString()));
        return 1;
    }
    boxes = std::make_unique<BoxAnswerer>();

    auto windows = std::make_unique<WindowSet>();
    set = windows.get();
    say(QStringLiteral("%1 windows built; pictures in %2").arg(set->createdWindows().size()).arg(folder));

    if (!connect())
        return 1;
    parameters();
    compare();
    capture();
    trend();
    spectrum();
    simple(QStringLiteral("monitor"), "MonitorWindow", "action_monitor", 3000);
    simple(QStringLiteral("jog"), "controlWindow", "action_Alarm", 1500);
    auxiliary();
    motorData();
    simple(QStringLiteral("drive information"), "Versions", "action_version", 2000);
    reportBoxes();

    set->windows().mainWindow->close();
    BoundedWait::pause(300);
    windows.reset();
    say(QStringLiteral("%1 pictures saved").arg(shots));
    return 0;
}

// Runs this program once for every family and language left open.
int walkEach(const QString &folder, const QStringList &families, const QStringList &languages)
{
    int failed = 0;
    for (const QString &f : families) {
        for (const QString &l : languages) {
            QProcess child;
            child.setProcessChannelMode(QProcess::ForwardedChannels);
            child.start(QCoreApplication::applicationFilePath(),
                        {folder, QStringLiteral("--family"), f, QStringLiteral("--language"), l});
            if (!child.waitForFinished(-1) || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0) {
                out() << f << '-' << l << ": the walk did not finish\n" << Qt::flush;
                ++failed;
            }
        }
    }
    return failed ? 1 : 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Walks the tool's windows against a simulated drive and saves a picture of each."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("folder"), QStringLiteral("Where the pictures go."));
    const QCommandLineOption familyOption(QStringLiteral("family"), QStringLiteral("vr or hxq (default: both)."),
                                          QStringLiteral("family"));
    const QCommandLineOption languageOption(QStringLiteral("language"), QStringLiteral("en or zh (default: both)."),
                                            QStringLiteral("language"));
    const QCommandLineOption limitOption(QStringLiteral("limit"), QStringLiteral("Give up one walk after this many seconds."),
                                         QStringLiteral("seconds"), QStringLiteral("600"));
    parser.addOption(familyOption);
    parser.addOption(languageOption);
    parser.addOption(limitOption);
    parser.process(app);
    if (parser.positionalArguments().size() != 1)
        parser.showHelp(2);
    const QString folder = QDir(parser.positionalArguments().first()).absolutePath();

    const QString family = parser.value(familyOption).toLower();
    const QString language = parser.value(languageOption).toLower();
    if (!family.isEmpty() && family != QLatin1String("vr") && family != QLatin1String("hxq")) {
        out() << "bad family: " << family << " (vr or hxq)\n";
        return 2;
    }
    if (!language.isEmpty() && language != QLatin1String("en") && language != QLatin1String("zh")) {
        out() << "bad language: " << language << " (en or zh)\n";
        return 2;
    }
    if (family.isEmpty() || language.isEmpty()) {
        return walkEach(folder, family.isEmpty() ? QStringList{"vr", "hxq"} : QStringList{family},
                        language.isEmpty() ? QStringList{"en", "zh"} : QStringList{language});
    }

    // A walk that hangs (a window waiting for ever) ends with a line instead of blocking the script.
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, [&] {
        out() << family << '-' << language << ": gave up after " << parser.value(limitOption) << " s\n" << Qt::flush;
        std::_Exit(1);
    });
    limit.start(parser.value(limitOption).toInt() * 1000);

    Walk walk(QStringLiteral("%1/%2-%3").arg(folder, family, language), family == QLatin1String("hxq"),
              language == QLatin1String("zh"));
    return walk.run();
}
