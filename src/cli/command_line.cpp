#include "cli/command_line.h"

#include <iostream>
#include <utility>

#include "cli/cli_table_io.h"

namespace lumera::cli {
namespace {

const QString kHelpOption = QStringLiteral("help");
const QString kVersionOption = QStringLiteral("version");

// Latin-1 maps every byte to one character and back, so no argument is ever altered.
QString FromBytes(const std::string& bytes) {
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::string ToBytes(const QString& text) {
    return text.toLatin1().toStdString();
}

}  // namespace

std::string VersionLine() {
    return "lumera-cli " LUMERA_VERSION;
}

CommandLine::CommandLine(std::string command, std::string help)
    : command_(std::move(command)), help_(std::move(help)) {
    parser_.addOption(QCommandLineOption(QStringList{QStringLiteral("h"), kHelpOption}));
    parser_.addOption(QCommandLineOption(kVersionOption));
}

void CommandLine::AddOption(const QStringList& names, const QString& valueName) {
    QCommandLineOption option(names);
    option.setValueName(valueName);
    parser_.addOption(option);
    if (!valueName.isEmpty()) {
        valued_.push_back(names.front());
    }
}

std::optional<int> CommandLine::Parse(const std::vector<std::string>& args) {
    // The parser skips the first argument as the program's name.
    QStringList arguments{FromBytes(command_)};
    for (const std::string& arg : args) {
        arguments.append(FromBytes(arg));
    }
    if (!parser_.parse(arguments)) {
        const QStringList unknown = parser_.unknownOptionNames();
        if (!unknown.isEmpty()) {
            const std::string name = ToBytes(unknown.front());
            return UsageError("unknown option '" + std::string(name.size() == 1 ? "-" : "--") +
                              name + "'");
        }
        // Qt's texts end in a full stop; the usage line goes on after them.
        std::string what = ToBytes(parser_.errorText());
        if (what.ends_with('.')) {
            what.pop_back();
        }
        return UsageError(what);
    }
    if (parser_.isSet(kHelpOption)) {
        std::cout << help_;
        return 0;
    }
    if (parser_.isSet(kVersionOption)) {
        std::cout << VersionLine() << '\n';
        return 0;
    }
    // The parser would keep the last of two values silently; either may be the one meant.
    for (const QString& name : valued_) {
        if (parser_.values(name).size() > 1) {
            const std::string given = ToBytes(name);
            return UsageError(std::string(given.size() == 1 ? "-" : "--") + given +
                              " is given more than once");
        }
    }
    return std::nullopt;
}

std::optional<std::string> CommandLine::Value(const QString& name) const {
    if (!parser_.isSet(name)) {
        return std::nullopt;
    }
    return ToBytes(parser_.value(name));
}

std::vector<std::string> CommandLine::Positional() const {
    std::vector<std::string> positional;
    for (const QString& argument : parser_.positionalArguments()) {
        positional.push_back(ToBytes(argument));
    }
    return positional;
}

int CommandLine::UsageError(std::string_view what) const {
    return cli::UsageError(command_, what);
}

}  // namespace lumera::cli
