#include "app/shell/start_arguments.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <cstdio>

namespace lumera::app {
namespace {

constexpr int kUsageExitCode = 2;

// Qt's own options, which the window's application object takes out of the command line
// (with or without a second dash) before the program reads it.
bool IsToolkitFlag(const QString& name) {
    static const QStringList flags =
        QStringLiteral("reverse testability widgetcount nograb dograb sync qdevel qdebug")
            .split(QLatin1Char(' '));
    return flags.contains(name);
}

bool IsToolkitOptionWithValue(const QString& name) {
    static const QStringList options =
        QStringLiteral(
            "platform platformpluginpath platformtheme plugin session qwindowgeometry "
            "geometry qwindowtitle title qwindowicon icon style stylesheet display "
            "name visual")
            .split(QLatin1Char(' '));
    return options.contains(name);
}

// The command line as the window will read it: without Qt's own options.
QStringList WithoutToolkitOptions(const QStringList& arguments) {
    QStringList kept = arguments.mid(0, 1);
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        const QString name = argument.mid(argument.startsWith(QLatin1String("--")) ? 2 : 1);
        if (!argument.startsWith(QLatin1Char('-')) || argument.size() < 2) {
            kept << argument;
        } else if (IsToolkitOptionWithValue(name)) {
            ++i;
        } else if (!IsToolkitFlag(name) && !name.startsWith(QLatin1String("style=")) &&
                   !name.startsWith(QLatin1String("stylesheet="))) {
            kept << argument;
        }
    }
    return kept;
}

}  // namespace

StartArguments ReadStartArguments(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Composes messages for the circular LED display, shows them on an LED "
                       "simulation, keeps them in .led or .lumera files and sends them over USB."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Displays version information."));
    parser.addOption(version);
    parser.addPositionalArgument(
        QStringLiteral("file"),
        QStringLiteral("A message file (.led) or table file (.lumera) to open."),
        QStringLiteral("[file]"));

    StartArguments start;
    if (!parser.parse(arguments)) {
        start = {false, kUsageExitCode, {}, parser.errorText(), {}};
    } else if (parser.isSet(help)) {
        start = {false, 0, parser.helpText(), {}, {}};
    } else if (parser.isSet(version)) {
        start = {false, 0, QStringLiteral("lumera " LUMERA_VERSION "\n"), {}, {}};
    } else if (parser.positionalArguments().size() > 1) {
        start = {false, kUsageExitCode, {}, QStringLiteral("Only one file can be opened"), {}};
    } else if (!parser.positionalArguments().isEmpty()) {
        start.file = parser.positionalArguments().front();
    }
    if (!start.error.isEmpty()) {
        if (start.error.endsWith(QLatin1Char('.'))) {
            start.error.chop(1);
        }
        start.error =
            QStringLiteral("lumera: ") + start.error + QStringLiteral(" (try 'lumera --help')\n");
    }
    return start;
}

std::string ArgumentBytes(int argc, const char* const* argv, const QString& decoded) {
    for (int i = argc - 1; i > 0; --i) {
        if (QString::fromLocal8Bit(argv[i]) == decoded) {
            return argv[i];
        }
    }
    return QFile::encodeName(decoded).toStdString();
}

int PrintStartAnswer(const StartArguments& start) {
    std::fputs(start.output.toLocal8Bit().constData(), stdout);
    std::fputs(start.error.toLocal8Bit().constData(), stderr);
    return start.exitCode;
}

std::optional<int> AnswerWithoutScreen(int& argc, char** argv) {
    const QCoreApplication reader(argc, argv);
    const StartArguments start =
        ReadStartArguments(WithoutToolkitOptions(QCoreApplication::arguments()));
    if (start.runWindow) {
        return std::nullopt;
    }
    return PrintStartAnswer(start);
}

}  // namespace lumera::app
