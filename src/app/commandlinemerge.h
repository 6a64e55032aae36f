#pragma once

#include "merge/mergerecord.h"
#include "merge/rowselection.h"
#include "merge/tablereader.h"

#include <QString>
#include <QStringList>
#include <QTemporaryFile>

#include <memory>

class LabelDocument;
class QTextStream;

// The data file of a command-line job: a file, or "-" for standard input, which is
// first copied to a temporary file (the readers pass over their file twice).
class MergeInput {
public:
    // False with a message on err when the data cannot be had.
    bool open(const QString& name, QTextStream& err);
    const QString& path() const { return path_; }
    const QString& name() const { return name_; }

private:
    std::unique_ptr<QTemporaryFile> copy_;
    QString path_;
    QString name_;
};

// The chosen rows of a data file, read as the labels need them: each row gives
// `copies` labels in a row, so label i shows chosen row i / copies.
class MergeRowStream {
public:
    bool open(const QString& path, const RowSelection& rows, int copies, QString* error);
    // The record of label i; labels are asked for in ascending order. Null past the end.
    const MergeRecord* recordForLabel(int64_t label);
    // The next chosen row and its number in the file (from 1); false at the end.
    bool nextChosen(MergeRecord& record, qint64& fileRow);
    QStringList problems() const { return reader_ ? reader_->problems() : QStringList(); }

private:
    std::unique_ptr<TableReader> reader_;
    RowSelection rows_;
    int copies_ = 1;
    qint64 fileRow_ = 0;
    int64_t chosen_ = -1; // index of current_ among the chosen rows
    MergeRecord current_;
};

// The first pass of a merged job: the chosen rows counted and checked.
struct MergeSurvey {
    bool ok = false;
    qint64 rows = 0;
    QStringList problems; // of the data file
    QStringList findings; // of the check
    int findingCount = 0;
};
MergeSurvey surveyMerge(LabelDocument& doc, const QString& path, const RowSelection& rows,
                        int copies, int firstNumber, int dpi, QTextStream& err);

// Writes the problems and findings of a survey to err, one line each.
void reportSurvey(const MergeSurvey& survey, const QString& dataName, QTextStream& err);
