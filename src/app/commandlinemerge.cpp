#include "app/commandlinemerge.h"

#include "merge/textsource.h"
#include "render/mergecheck.h"

#include <QDir>
#include <QFile>
#include <QTextStream>

#include <cstdio>

namespace {
const QString Program = QStringLiteral("aufkleber-werkbank: ");
} // namespace

bool MergeInput::open(const QString& name, QTextStream& err) {
    name_ = name;
    if (name != QLatin1String("-")) {
        path_ = name;
        return true;
    }
    QFile in;
    copy_ = std::make_unique<QTemporaryFile>(QDir::tempPath() +
                                             QStringLiteral("/aufkleber-daten-XXXXXX"));
    if (!in.open(stdin, QIODevice::ReadOnly) || !copy_->open()) {
        err << Program << QStringLiteral("Die Standardeingabe kann nicht gelesen werden.")
            << Qt::endl;
        return false;
    }
    for (;;) {
        const QByteArray chunk = in.read(256 * 1024);
        if (chunk.isEmpty())
            break;
        if (copy_->write(chunk) != chunk.size()) {
            err << Program
                << QStringLiteral("Die Standardeingabe konnte nicht zwischengespeichert werden.")
                << Qt::endl;
            return false;
        }
    }
    if (!copy_->flush()) {
        err << Program
            << QStringLiteral("Die Standardeingabe konnte nicht zwischengespeichert werden.")
            << Qt::endl;
        return false;
    }
    path_ = copy_->fileName();
    return true;
}

bool MergeRowStream::open(const QString& path, const RowSelection& rows, int copies,
                          QString* error) {
    // Rows are streamed: memory stays bounded whatever the size of the file.
    reader_ = openTable(path, error, AnySourceSize);
    rows_ = rows;
    copies_ = std::max(1, copies);
    return bool(reader_);
}

bool MergeRowStream::nextChosen(MergeRecord& record, qint64& fileRow) {
    if (!reader_)
        return false;
    while (!rows_.pastEnd(fileRow_) && reader_->next(record)) {
        ++fileRow_;
        if (rows_.contains(fileRow_)) {
            fileRow = fileRow_;
            return true;
        }
    }
    return false;
}

const MergeRecord* MergeRowStream::recordForLabel(int64_t label) {
    const int64_t want = label / copies_;
    qint64 fileRow = 0;
    while (chosen_ < want) {
        if (!nextChosen(current_, fileRow))
            return nullptr;
        ++chosen_;
    }
    return chosen_ == want ? &current_ : nullptr;
}

MergeSurvey surveyMerge(LabelDocument& doc, const QString& path, const RowSelection& rows,
                        int copies, int firstNumber, int dpi, QTextStream& err) {
    MergeSurvey survey;
    MergeRowStream stream;
    QString error;
    if (!stream.open(path, rows, copies, &error)) {
        err << Program << error << Qt::endl;
        return survey;
    }
    MergeRecord record;
    qint64 fileRow = 0;
    std::unique_ptr<MergeCheck> check;
    while (stream.nextChosen(record, fileRow)) {
        if (!check)
            check = std::make_unique<MergeCheck>(doc, *record.columns, dpi);
        const int64_t number = int64_t(firstNumber) + survey.rows * copies;
        check->checkRow(fileRow, record, int(std::clamp<int64_t>(number, INT32_MIN, INT32_MAX)));
        ++survey.rows;
    }
    survey.problems = stream.problems();
    if (check) {
        survey.findings = check->findings();
        survey.findingCount = check->count();
    }
    survey.ok = true;
    return survey;
}

void reportSurvey(const MergeSurvey& survey, const QString& dataName, QTextStream& err) {
    for (const QString& p : survey.problems)
        err << Program << dataName << QStringLiteral(": ") << p << Qt::endl;
    for (const QString& f : survey.findings)
        err << Program << f << Qt::endl;
}
