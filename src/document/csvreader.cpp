#include "document/csvreader.h"

#include "merge/csvrecords.h"

#include <utility>

QList<QStringList> parseCsv(QStringView text) {
    QString whole = text.toString();
    CsvRecords reader([&whole] { return std::exchange(whole, QString()); }, QLatin1Char(','));
    QList<QStringList> records;
    QStringList record;
    while (reader.next(record))
        records.append(record);
    return records;
}
