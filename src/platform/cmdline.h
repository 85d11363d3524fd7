#pragma once
// The command line of every program of the system: --help and --version
// everywhere, one version number (the project's, set in CMake), and an unknown
// option or a missing value refused with exit code 2 before anything is done.
//
//   QCommandLineParser parser;
//   parser.setApplicationDescription(...);
//   parser.addPositionalArgument(...);
//   if (const int code = platform::cmdline::parse(parser, platform::cmdline::arguments(argc, argv));
//       code >= 0)
//       return code;
//   const QStringList args = parser.positionalArguments();
//
// It needs no application object, so it runs before a window system is asked for.

#include <QStringList>

class QCommandLineParser;

namespace platform::cmdline {

// The version of this build, as every program reports it.
QString version();

// argv as text, the program's name first.
QStringList arguments(int argc, char **argv);

// Adds --help (-h) and --version to parser and parses arguments (program name
// first). Returns -1 when the program goes on; otherwise the exit code: 0 after
// the help or the version was printed to stdout, 2 after an unknown option or a
// missing option value was reported on stderr.
int parse(QCommandLineParser &parser, const QStringList &arguments);

// Reports a wrong use on stderr ("<program>: <what> (try --help)") and returns 2.
int refuse(const QString &program, const QString &what);

} // namespace platform::cmdline
