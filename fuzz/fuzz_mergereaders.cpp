// Feeds arbitrary bytes to the readers of data sources, as a file that the print
// page or the command line opens (delimited text or vCard, told apart by content).
// Besides crashes, hangs and unbounded allocation it checks:
//  - a refused file comes with a message, and the print page's table refuses it too;
//  - the columns have names, every row has one value per column, and the problems
//    stay within their limit;
//  - the print page's table holds the rows that the command line streams;
//  - every column's field in a text takes that column's value, and a value is never
//    searched for fields again;
//  - delimited records written again with every field quoted read back the same.
#include "merge/csvrecords.h"
#include "merge/fields.h"
#include "merge/mergetable.h"
#include "merge/tablereader.h"
#include "merge/textsource.h"
#include "merge/vcardreader.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace {
[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "fuzz_mergereaders: %s\n", what);
    std::abort();
}

// The readers take file names: every input is written to the same file, in memory
// where the system offers it.
QString inputFile() {
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists()
                                 ? QStringLiteral("/dev/shm/awb-fuzz-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/awb-fuzz-XXXXXX"));
    return dir.filePath(QStringLiteral("daten.csv"));
}

QString quoted(QStringList record, QChar separator) {
    for (QString& field : record)
        field = QLatin1Char('"') + field.replace(QLatin1Char('"'), QStringLiteral("\"\"")) +
                QLatin1Char('"');
    return record.join(separator) + QStringLiteral("\r\n");
}

QList<QStringList> parse(const QString& text, QChar separator, bool* clean) {
    bool given = false;
    CsvRecords records(
        [&] {
            if (given)
                return QString();
            given = true;
            return text;
        },
        separator);
    QList<QStringList> all;
    QStringList record;
    while (records.next(record))
        all.append(record);
    *clean = !records.unbalancedQuote() && !records.cutOff();
    return all;
}

// The records of the decoded text, written again and read back.
void checkRoundTrip(const QString& path) {
    const SourceProbe probe = probeSource(path);
    QFile file;
    if (!probe.ok || !openSourceFile(file, path, probe, nullptr))
        fail("a file that was read cannot be probed again");
    const QString text = ChunkDecoder(probe.encoding).decode(file.readAll());
    const QChar separator = detectSeparator(ChunkDecoder(probe.encoding).decode(probe.head));
    bool clean = false;
    const QList<QStringList> records = parse(text, separator, &clean);
    if (!clean)
        return;
    QString written;
    for (const QStringList& record : records)
        written += quoted(record, separator);
    bool again = false;
    if (parse(written, separator, &again) != records || !again)
        fail("quoted records read back differently");
}

void checkFields(const MergeRecord& record) {
    const QStringList& names = record.columns->names();
    for (int c = 0; c < names.size(); ++c) {
        const QString field = QStringLiteral("%%") + names[c] + QStringLiteral("%%");
        if (fieldNames(field) != QStringList{names[c]})
            continue; // a name that a field cannot spell
        if (record.columns->indexOf(names[c]) != c)
            continue; // a later column of the same name
        QStringList unknown;
        const QString value = record.value(c);
        const QString out = substituteFields(QStringLiteral("<") + field + QStringLiteral(">"), 1,
                                             &record, &unknown);
        if (!unknown.isEmpty() || out != QStringLiteral("<") + value + QStringLiteral(">"))
            fail("a column's field does not take its value");
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString path = inputFile();
    {
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            out.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
            fail("cannot write the input file");
    }
    QString error;
    const std::unique_ptr<TableReader> reader = openTable(path, &error);
    MergeTable table;
    QString tableError;
    const bool tableRead = table.load(path, &tableError);
    if (!reader) {
        if (error.isEmpty())
            fail("a file was refused without a message");
        if (tableRead || tableError != error)
            fail("the table and the reader disagree about a refused file");
        return 0;
    }
    if (!tableRead)
        fail("the table refused a file that the reader reads");
    const MergeColumns& columns = reader->columns();
    if (columns.size() < 1 || table.columns().names() != columns.names())
        fail("the columns differ or are missing");
    for (const QString& name : columns.names()) {
        if (name.trimmed().isEmpty())
            fail("a column without a name");
    }
    MergeRecord record;
    int row = 0;
    while (reader->next(record)) {
        if (record.columns != &columns || record.values.size() != columns.size())
            fail("a row without one value per column");
        if (row >= table.rowCount())
            fail("the table holds fewer rows than the reader streams");
        for (int c = 0; c < columns.size(); ++c) {
            QString value = record.values[c];
            value.replace(QChar(0x1F), QLatin1Char(' '));
            if (table.value(row, c) != value)
                fail("the table holds another value than the reader streams");
        }
        checkFields(record);
        ++row;
    }
    if (row != table.rowCount())
        fail("the table holds more rows than the reader streams");
    if (reader->problems().size() > TableReader::MaxProblems + 1)
        fail("too many problems listed");
    if (columns.names() != vCardColumns())
        checkRoundTrip(path);
    return 0;
}
