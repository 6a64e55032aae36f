#pragma once

#include <QCommandLineOption>
#include <QString>
#include <QStringList>

class QCommandLineParser;
class QTextStream;

// "--print DATEI.ett [--printer NAME] [--output AUSGABE.pdf] [--dpi N] [--used N]
// [--copies N] [--number N] [--cut-lines] [--merge DATEN [--rows LISTE] [--check]]":
// prints what "Drucken" prints, without a window, to a printer or into a PDF file;
// with --merge one label (or --copies labels) per data row.
class PrintCommandLine {
public:
    // Adds the options to the parser, which must outlive this object.
    explicit PrintCommandLine(QCommandLineParser& parser);

    // True when any of the print options was given.
    bool requested() const;
    // The option among the arguments that lacks its value ("--dpi" at the end), or empty.
    QString optionWithoutValue(const QStringList& arguments) const;
    // Runs the job; messages go to err. 0 success, 1 the job failed, 2 wrong use,
    // 3 printed (or, with --check, only checked) and the check found something, or some
    // codes print as a red cross.
    int run(QTextStream& err) const;
    // The data source named by --merge, empty without one.
    QString mergeSource() const;

private:
    QCommandLineParser& parser_;
    QCommandLineOption print_, printer_, output_, dpi_, used_, copies_, number_, cutLines_;
    QCommandLineOption merge_, rows_, check_;
};

// The lines of --help for the print options.
QString printHelpText();
