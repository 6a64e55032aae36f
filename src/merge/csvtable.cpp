#include "merge/csvtable.h"

#include "merge/csvrecords.h"
#include "merge/textsource.h"

#include <QSet>

namespace {

class CsvTable : public TableReader {
public:
    CsvTable(const QString& path, const SourceProbe& probe) : name_(displayName(path)) {
        separator_ = detectSeparator(ChunkDecoder(probe.encoding).decode(probe.head));
    }

    bool start(const QString& path, const SourceProbe& probe, QString* error) {
        if (!feed_.open(path, probe, error))
            return false;
        records_ = std::make_unique<CsvRecords>([this] { return feed_.next(); }, separator_);
        QStringList header;
        if (!records_->next(header)) {
            if (error)
                *error = QStringLiteral("Die Datei \"%1\" ist leer: Die erste Zeile muss die "
                                        "Namen der Spalten enthalten.")
                             .arg(name_);
            return false;
        }
        QSet<QString> seen;
        for (int i = 0; i < header.size(); ++i) {
            QString& column = header[i];
            column = column.trimmed();
            if (column.isEmpty()) {
                column = QStringLiteral("Spalte %1").arg(i + 1);
                addProblem(QStringLiteral("Die Spalte %1 hat keinen Namen; sie heißt \"%2\".")
                               .arg(i + 1)
                               .arg(column));
            }
            const QString key = column.toCaseFolded();
            if (seen.contains(key))
                addProblem(QStringLiteral("Der Spaltenname \"%1\" kommt mehrfach vor; ein Feld "
                                          "mit diesem Namen nimmt die erste Spalte.")
                               .arg(column));
            seen.insert(key);
        }
        setColumns(header);
        checkEnd();
        return true;
    }

    bool next(MergeRecord& record) override {
        record.columns = &columns();
        if (!records_->next(record.values)) {
            checkEnd();
            return false;
        }
        ++row_;
        const int n = columns().size();
        if (record.values.size() != n) {
            addProblem(QStringLiteral("Zeile %1 (Datensatz %2) hat %3 statt %4 Felder.")
                           .arg(records_->recordLine())
                           .arg(row_)
                           .arg(record.values.size())
                           .arg(n));
            record.values.resize(n);
        }
        return true;
    }

private:
    void checkEnd() {
        failed_ = feed_.readFailed();
        if (records_->unbalancedQuote() && !quoteReported_) {
            quoteReported_ = true;
            addProblem(QStringLiteral("Das Anführungszeichen in Zeile %1 wird nicht geschlossen; "
                                      "der Rest der Datei wurde als ein Feld gelesen.")
                           .arg(records_->quoteLine()));
        }
        if (records_->cutOff() && !cutReported_) {
            cutReported_ = true;
            addProblem(QStringLiteral("Ein Feld oder eine Zeile ist zu lang und wurde gekürzt."));
        }
    }

    QString name_;
    QChar separator_;
    TextFeed feed_;
    std::unique_ptr<CsvRecords> records_;
    qint64 row_ = 0;
    bool quoteReported_ = false;
    bool cutReported_ = false;
};

} // namespace

std::unique_ptr<TableReader> openCsvTable(const QString& path, const SourceProbe& probe,
                                          QString* error) {
    auto table = std::make_unique<CsvTable>(path, probe);
    if (!table->start(path, probe, error))
        return nullptr;
    return table;
}
