#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// Records of delimited text as RFC 4180 writes them: fields separated by one
// separator character, records by CRLF, CR or LF; a field that begins with a double
// quote may hold separators, line breaks and doubled quotes. Empty lines are
// skipped. Text is pulled from a feed piece by piece, so a file of any length is
// read in bounded memory; a field longer than MaxFieldChars and fields beyond
// MaxFields are cut off and reported.
class CsvRecords {
public:
    static constexpr qsizetype MaxFieldChars = 1 << 20;
    static constexpr int MaxFields = 1000;

    // The next piece of text, empty at the end.
    using Feed = std::function<QString()>;

    CsvRecords(Feed feed, QChar separator);

    // The next record; false at the end of the text.
    bool next(QStringList& record);

    // The line (from 1) on which the last record began.
    qint64 recordLine() const { return recordLine_; }
    // The text ended inside a quoted field (the line where it began: quoteLine()).
    bool unbalancedQuote() const { return unbalanced_; }
    qint64 quoteLine() const { return quoteLine_; }
    // Some field or record was cut off (at a limit above).
    bool cutOff() const { return cutOff_; }

private:
    bool fill();

    Feed feed_;
    QChar separator_;
    QString buffer_;
    qsizetype pos_ = 0;
    bool atEnd_ = false;
    qint64 line_ = 1;
    qint64 recordLine_ = 0;
    qint64 quoteLine_ = 0;
    bool unbalanced_ = false;
    bool cutOff_ = false;
};

// The separator of delimited text from its first lines: among ';', tab and ',' the
// one found outside quotes on the first line and most often the same number of
// times on the lines after it. When the first line holds none, the text has one
// column and the result is NUL, which no text file holds.
QChar detectSeparator(QStringView head);
