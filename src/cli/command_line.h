#pragma once

#include <QCommandLineParser>
#include <QStringList>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumera::cli {

// The program's version, as --version shows it.
std::string VersionLine();

// One command's command line. The command declares its options, then one call to Parse
// answers --help and --version, ends the options at --, and turns every mistake into the
// same one-line usage error:
//
//   CommandLine line(kCommand, kHelp);
//   line.AddOption({"o"}, "OUT");
//   if (const auto exitCode = line.Parse(args)) {
//       return *exitCode;
//   }
//
// Arguments are taken byte for byte, whatever their encoding: a file name comes back as given.
class CommandLine {
public:
    CommandLine(std::string command, std::string help);

    // An option by its names ("o", "tick"); valueName is empty for a flag.
    void AddOption(const QStringList& names, const QString& valueName = {});

    // The exit code when the command must stop here: 0 once help or the version was shown,
    // the usage exit code after a usage error. nullopt when the command goes on.
    std::optional<int> Parse(const std::vector<std::string>& args);

    bool IsSet(const QString& name) const { return parser_.isSet(name); }
    // The option's value, or nullopt when the option was not given. An option with a value
    // given twice is a usage error.
    std::optional<std::string> Value(const QString& name) const;
    std::vector<std::string> Positional() const;

    // Reports a mistake on the command line; returns the usage exit code.
    int UsageError(std::string_view what) const;

private:
    std::string command_;
    std::string help_;
    QCommandLineParser parser_;
    QStringList valued_;  // the options that take a value, by their first name
};

}  // namespace lumera::cli
