#include "merge/rowselection.h"

#include <QStringList>

#include <algorithm>

std::optional<RowSelection> RowSelection::parse(const QString& text) {
    RowSelection s;
    const QStringList parts = text.split(QLatin1Char(','));
    for (const QString& raw : parts) {
        const QString part = raw.trimmed();
        const qsizetype dash = part.indexOf(QLatin1Char('-'));
        bool ok1 = false, ok2 = false;
        qint64 from = 0, to = 0;
        if (dash < 0) {
            from = to = part.toLongLong(&ok1);
            ok2 = true;
        } else {
            from = part.left(dash).trimmed().toLongLong(&ok1);
            to = part.mid(dash + 1).trimmed().toLongLong(&ok2);
        }
        if (!ok1 || !ok2 || from < 1 || to < from)
            return std::nullopt;
        s.ranges_.append({from, to});
    }
    if (s.ranges_.isEmpty())
        return std::nullopt;
    return s;
}

bool RowSelection::contains(qint64 row) const {
    if (ranges_.isEmpty())
        return true;
    return std::any_of(ranges_.begin(), ranges_.end(),
                       [row](const auto& r) { return row >= r.first && row <= r.second; });
}

bool RowSelection::pastEnd(qint64 row) const {
    if (ranges_.isEmpty())
        return false;
    return std::all_of(ranges_.begin(), ranges_.end(),
                       [row](const auto& r) { return row >= r.second; });
}
