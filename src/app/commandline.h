#pragma once

#include <QStringList>

class QTextStream;

// The command line: "--export-image DATEI.ett AUSGABE [--filter-index K]" turns a
// label file into a picture without a window, "--thumbnail DATEI.ett AUSGABE.png
// [GRÖSSE]" into a thumbnail for file managers; "--help" and "--version" say what
// they say. Without these options the program starts with its window.

// True when the arguments ask for a command-line job instead of the window.
bool isCommandLineJob(int argc, char** argv);

// Runs the job on an application object without a display (always the offscreen
// platform, whatever QT_QPA_PLATFORM names). Returns the exit code.
int runCommandLine(int argc, char** argv);

// The job itself, for an application object that exists already; arguments[0] is
// the program. 0 success, 1 the job failed, 2 wrong use.
int commandLineMain(const QStringList& arguments, QTextStream& out, QTextStream& err);

// Exports one label file as a picture; messages go to err. 0 success, 1 failure.
// filterIndex 0: the format follows the output name's extension. With a data source
// (a file or "-"), the label is drawn with its data row `row` (from 1).
int exportLabelImage(const QString& labelFile, const QString& output, int filterIndex,
                     QTextStream& err, const QString& mergeSource = QString(), int row = 1);
