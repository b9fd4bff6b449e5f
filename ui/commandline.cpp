#include "ui/commandline.h"

#include <QCommandLineParser>
#include <QFileInfo>

#include "ui/automationserver.h"
#include "zarnversion.h"

StartCommand ReadStartCommand(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Zarn: build, train and ask a small neural-network classifier.\n"
                       "The switches -Automation and -Embedding start it as the automation\n"
                       "server on the D-Bus session bus (the bus does this for its clients)."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and exit."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version and exit."));
    parser.addOption(help);
    parser.addOption(version);
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("Task file to load at start (e.g. *.task)."),
                                 QStringLiteral("[FILE]"));

    // The server switches are single-dash long words the parser would split
    // into letters; they are left out here.
    QStringList rest;
    for (qsizetype i = 0; i < arguments.size(); ++i)
        if (i == 0 || !IsServerStart({arguments[0], arguments[i]})) rest << arguments[i];

    StartCommand command;
    const bool understood = parser.parse(rest);
    if (parser.isSet(help)) {
        command.exit = true;
        command.text = parser.helpText();
        return command;
    }
    if (parser.isSet(version)) {
        command.exit = true;
        command.text = QStringLiteral("zarn " ZARN_VERSION "\n");
        return command;
    }
    QString error = understood ? QString() : parser.errorText();
    if (understood && parser.positionalArguments().size() > 1)
        error = QStringLiteral("Only one task file can be opened.");
    if (!error.isEmpty()) {
        command.exit = true;
        command.exitCode = StartUsageError;
        command.text = QStringLiteral("zarn: %1 Try 'zarn --help'.\n").arg(error);
        return command;
    }
    if (!parser.positionalArguments().isEmpty())
        command.taskFile = QFileInfo(parser.positionalArguments().constFirst()).absoluteFilePath();
    return command;
}

bool WindowSystemNamed(const QStringList& arguments) {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        if (!qEnvironmentVariableIsEmpty(name)) return true;
    for (const QString& argument : arguments)
        if (argument == QLatin1String("-platform") || argument == QLatin1String("--platform") ||
            argument.startsWith(QLatin1String("-platform=")) ||
            argument.startsWith(QLatin1String("--platform=")))
            return true;
    return false;
}
