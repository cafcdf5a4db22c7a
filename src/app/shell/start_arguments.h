#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <string>

namespace lumera::app {

// What the window program's command line asks for.
struct StartArguments {
    bool runWindow = true;
    int exitCode = 0;             // when the program ends at once
    QString output;               // the help or the version, for standard output
    QString error;                // a usage error, for standard error
    std::optional<QString> file;  // the message file to open once the window shows
};

// Reads the command line as the application object leaves it (Qt's own options taken out).
StartArguments ReadStartArguments(const QStringList& arguments);

// The bytes of the command-line argument that Qt read as `decoded`. Qt replaces bytes that
// are not valid in the locale's encoding, so a file name made of such bytes, decoded and
// encoded again, would name another file; the last argument that reads as `decoded` wins.
std::string ArgumentBytes(int argc, const char* const* argv, const QString& decoded);

// Prints the help, the version or the usage error; returns the exit status.
int PrintStartAnswer(const StartArguments& start);

// Answers --help, --version and usage errors before the window's application object
// exists, so they work without a screen; Qt's own options are left for that object to take.
// nullopt when the window is to run.
std::optional<int> AnswerWithoutScreen(int& argc, char** argv);

}  // namespace lumera::app
