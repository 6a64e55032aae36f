#include "merge/mergetable.h"

#include "merge/tablereader.h"

#include <QLocale>

#include <memory>

namespace {
const QChar UnitSeparator(0x1F);
} // namespace

bool MergeTable::load(const QString& path, QString* error, const std::function<void()>& tick) {
    rows_.clear();
    problems_.clear();
    truncated_ = false;
    const std::unique_ptr<TableReader> reader = openTable(path, error);
    if (!reader)
        return false;
    columns_ = reader->columns();
    MergeRecord record;
    qsizetype chars = 0;
    while (reader->next(record)) {
        QString joined;
        for (QString& v : record.values)
            v.replace(UnitSeparator, QLatin1Char(' '));
        joined = record.values.join(UnitSeparator);
        chars += joined.size();
        if (rows_.size() >= MaxRows || chars > MaxChars) {
            truncated_ = true;
            break;
        }
        rows_.append(joined);
        if (tick && rows_.size() % 4096 == 0)
            tick();
    }
    problems_ = reader->problems();
    if (truncated_)
        problems_.prepend(QStringLiteral("Die Datei hat mehr Zeilen, als die Seite zeigen kann; "
                                         "gelesen wurden die ersten %1.")
                              .arg(QLocale(QLocale::German).toString(rows_.size())));
    if (reader->failed())
        problems_.prepend(QStringLiteral("Die Datei konnte nicht ganz gelesen werden."));
    return true;
}

MergeRecord MergeTable::record(int i) const {
    MergeRecord r;
    r.columns = &columns_;
    if (i >= 0 && i < rows_.size()) {
        r.values = rows_.at(i).split(UnitSeparator);
        r.values.resize(columns_.size());
    }
    return r;
}

QString MergeTable::value(int row, int column) const {
    if (row < 0 || row >= rows_.size() || column < 0)
        return QString();
    const QString& s = rows_.at(row);
    qsizetype start = 0;
    for (int c = 0; c < column; ++c) {
        start = s.indexOf(UnitSeparator, start);
        if (start < 0)
            return QString();
        ++start;
    }
    const qsizetype end = s.indexOf(UnitSeparator, start);
    return s.mid(start, end < 0 ? -1 : end - start);
}

bool MergeTable::rowContains(int row, const QString& text) const {
    return row >= 0 && row < rows_.size() && rows_.at(row).contains(text, Qt::CaseInsensitive);
}
