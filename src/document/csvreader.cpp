#include "document/csvreader.h"

QList<QStringList> parseCsv(QStringView text) {
    QList<QStringList> records;
    QStringList record;
    QString field;
    bool quoted = false;    // inside a quoted field
    bool fieldSeen = false; // the current record has begun
    auto endField = [&] {
        record.append(field);
        field.clear();
    };
    auto endRecord = [&] {
        endField();
        if (fieldSeen) // otherwise an empty line
            records.append(record);
        record.clear();
        fieldSeen = false;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c != QLatin1Char('"')) {
                field += c;
            } else if (i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                field += c;
                ++i;
            } else {
                quoted = false;
            }
            continue;
        }
        if (c == QLatin1Char('"')) {
            quoted = true;
            fieldSeen = true;
        } else if (c == QLatin1Char(',')) {
            endField();
            fieldSeen = true;
        } else if (c == QLatin1Char('\n')) {
            endRecord();
        } else if (c == QLatin1Char('\r')) {
            if (i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
                ++i;
            endRecord();
        } else {
            field += c;
            fieldSeen = true;
        }
    }
    if (fieldSeen) // the last record without a line end
        endRecord();
    return records;
}
