// velin-platform-sim: the WLAN, EAP and connectivity daemons of the handset,
// simulated on a D-Bus bus (docs/dbus.md, docs/platform-sim.md).
#include "networkcatalogue.h"
#include "platformsimulator.h"
#include "simlog.h"
#include "terminationwatcher.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QLoggingCategory>

#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>

namespace {

enum ExitCode { Success = 0, StartFailed = 1, UsageError = 2 };

bool parseDelay(const QCommandLineParser& parser, const QString& option, uint* milliseconds, uint maximum = 60000)
{
    if (!parser.isSet(option))
        return true;
    bool ok = false;
    const uint value = parser.value(option).toUInt(&ok);
    if (!ok || value > maximum) {
        qCritical("--%s takes milliseconds from 0 to %u", qPrintable(option), maximum);
        return false;
    }
    *milliseconds = value;
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_MESSAGE_PATTERN"))
        qSetMessagePattern(QStringLiteral("velin-platform-sim: %{if-warning}warning: %{endif}"
                                          "%{if-critical}error: %{endif}%{message}"));
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("velin-platform-sim"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Simulated WLAN, EAP and connectivity daemons on D-Bus."));
    parser.addHelpOption();
    const QCommandLineOption busOption(QStringLiteral("bus"),
                                       QStringLiteral("Serve on the bus at ADDRESS (default: the system bus)."),
                                       QStringLiteral("ADDRESS"));
    const QCommandLineOption networksOption(QStringLiteral("networks"),
                                            QStringLiteral("Serve the networks of the JSON data FILE."),
                                            QStringLiteral("FILE"));
    const QCommandLineOption scanDelayOption(QStringLiteral("scan-delay"),
                                             QStringLiteral("Milliseconds between a scan's reply and its results (200)."),
                                             QStringLiteral("MS"));
    const QCommandLineOption connectDelayOption(
        QStringLiteral("connect-delay"),
        QStringLiteral("Milliseconds between \"connecting\" and the outcome of an attempt (200)."), QStringLiteral("MS"));
    const QCommandLineOption pinWaitOption(
        QStringLiteral("pin-wait"),
        QStringLiteral("Milliseconds a WPS PIN attempt waits for a valid PIN (120000)."), QStringLiteral("MS"));
    const QCommandLineOption saveOption(QStringLiteral("save-settings"),
                                        QStringLiteral("Save networks that WPS configures to the settings store."));
    const QCommandLineOption quietOption(QStringLiteral("quiet"), QStringLiteral("Log warnings only."));
    const QCommandLineOption parentOption(QStringLiteral("exit-with-parent"),
                                          QStringLiteral("Exit when the process that started this one ends."));
    parser.addOptions({busOption, networksOption, scanDelayOption, connectDelayOption, pinWaitOption, saveOption, quietOption,
                       parentOption});
    if (!parser.parse(QCoreApplication::arguments())) {
        qCritical("%s", qPrintable(parser.errorText()));
        return UsageError;
    }
    if (parser.isSet(QStringLiteral("help")))
        parser.showHelp(Success);
    if (!parser.positionalArguments().isEmpty()) {
        qCritical("unexpected arguments: %s", qPrintable(parser.positionalArguments().join(QLatin1Char(' '))));
        return UsageError;
    }

    if (parser.isSet(parentOption)) {
        const pid_t parent = getppid();
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (getppid() != parent || parent == 1)
            return Success;
    }
    if (parser.isSet(quietOption))
        QLoggingCategory::setFilterRules(QStringLiteral("velin.platformsim.info=false"));

    PlatformSimulator simulator;
    uint scanDelay = simulator.scanDelay();
    uint connectDelay = simulator.connectDelay();
    uint pinWait = simulator.pinWait();
    if (!parseDelay(parser, scanDelayOption.names().constFirst(), &scanDelay)
        || !parseDelay(parser, connectDelayOption.names().constFirst(), &connectDelay)
        || !parseDelay(parser, pinWaitOption.names().constFirst(), &pinWait, 600000)) {
        return UsageError;
    }
    simulator.setScanDelay(scanDelay);
    simulator.setConnectDelay(connectDelay);
    simulator.setPinWait(pinWait);
    simulator.setSaveSettings(parser.isSet(saveOption));
    simulator.setBusAddress(parser.value(busOption));

    if (parser.isSet(networksOption)) {
        QString error;
        if (!simulator.catalogue()->load(parser.value(networksOption), &error)) {
            qCritical("%s", qPrintable(error));
            return StartFailed;
        }
    }

    TerminationWatcher watcher;
    QObject::connect(&watcher, &TerminationWatcher::terminationRequested, &app, [](int number) {
        qCInfo(lcSim) << "signal" << number << "- stopping";
        QCoreApplication::exit(Success);
    });
    QObject::connect(&simulator, &PlatformSimulator::busLost, &app, []() {
        qCWarning(lcSim) << "the bus connection was lost - stopping";
        QCoreApplication::exit(StartFailed);
    });

    QString error;
    if (!simulator.start(&error)) {
        qCritical("%s", qPrintable(error));
        return StartFailed;
    }
    const int code = app.exec();
    simulator.stop();
    return code;
}
