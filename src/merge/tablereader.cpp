#include "merge/tablereader.h"

#include "merge/csvtable.h"
#include "merge/textsource.h"
#include "merge/vcardreader.h"

QStringList TableReader::problems() const {
    QStringList all = problems_;
    if (moreProblems_ > 0)
        all.append(QStringLiteral("... und %1 weitere Hinweise.").arg(moreProblems_));
    return all;
}

void TableReader::addProblem(const QString& text) {
    if (problems_.size() < MaxProblems)
        problems_.append(text);
    else
        ++moreProblems_;
}

namespace {
bool startsWithVCard(const QByteArray& head) {
    const QByteArray start = head.trimmed().left(11).toUpper();
    return start == "BEGIN:VCARD";
}
} // namespace

std::unique_ptr<TableReader> openTable(const QString& path, QString* error, qint64 maxBytes) {
    const SourceProbe probe = probeSource(path, maxBytes);
    if (!probe.ok) {
        if (error)
            *error = probe.error;
        return nullptr;
    }
    if (startsWithVCard(probe.head))
        return openVCardTable(path, probe, error);
    return openCsvTable(path, probe, error);
}
