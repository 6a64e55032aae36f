#include "merge/csvrecords.h"

#include <array>

CsvRecords::CsvRecords(Feed feed, QChar separator)
    : feed_(std::move(feed)), separator_(separator) {}

bool CsvRecords::fill() {
    if (atEnd_)
        return false;
    buffer_ = feed_ ? feed_() : QString();
    pos_ = 0;
    if (buffer_.isEmpty())
        atEnd_ = true;
    return !atEnd_;
}

bool CsvRecords::next(QStringList& record) {
    record.clear();
    QString field;
    bool quoted = false;     // inside a quoted field
    bool fieldBegun = false; // the current field has a character or a quote
    bool recordSeen = false; // the current record has begun
    bool afterCr = false;    // the last character was a CR outside quotes
    const auto endField = [&] {
        if (record.size() < MaxFields)
            record.append(field);
        else
            cutOff_ = true;
        field.clear();
        fieldBegun = false;
    };
    const auto add = [&](QChar c) {
        if (field.size() < MaxFieldChars)
            field += c;
        else
            cutOff_ = true;
    };
    for (;;) {
        if (pos_ >= buffer_.size() && !fill())
            break;
        const QChar c = buffer_.at(pos_++);
        if (afterCr) {
            afterCr = false;
            if (c == QLatin1Char('\n'))
                continue; // CR LF ends one line
        }
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (pos_ >= buffer_.size())
                    fill();
                if (pos_ < buffer_.size() && buffer_.at(pos_) == QLatin1Char('"')) {
                    add(c);
                    ++pos_;
                } else {
                    quoted = false;
                }
                continue;
            }
            if (c == QLatin1Char('\n') || c == QLatin1Char('\r'))
                ++line_;
            add(c);
            continue;
        }
        if (c == QLatin1Char('\n') || c == QLatin1Char('\r')) {
            ++line_;
            afterCr = c == QLatin1Char('\r');
            if (recordSeen) {
                endField();
                return true;
            }
            continue; // an empty line
        }
        if (!recordSeen)
            recordLine_ = line_;
        recordSeen = true;
        if (c == separator_) {
            endField();
        } else if (c == QLatin1Char('"') && !fieldBegun) {
            quoted = true;
            fieldBegun = true;
            quoteLine_ = line_;
        } else {
            add(c);
            fieldBegun = true;
        }
    }
    if (quoted)
        unbalanced_ = true;
    if (!recordSeen)
        return false;
    endField();
    return true;
}

QChar detectSeparator(QStringView head) {
    const std::array<QChar, 3> candidates = {QLatin1Char(';'), QLatin1Char('\t'), QLatin1Char(',')};
    // Count each candidate per line, outside quotes, over at most 20 lines.
    QList<std::array<int, 3>> counts;
    std::array<int, 3> current{};
    bool lineBegun = false; // empty lines do not count
    bool quoted = false;
    for (qsizetype i = 0; i < head.size() && counts.size() < 20; ++i) {
        const QChar c = head[i];
        if (c == QLatin1Char('"')) {
            quoted = !quoted;
            lineBegun = true;
        } else if (!quoted && (c == QLatin1Char('\n') || c == QLatin1Char('\r'))) {
            if (lineBegun)
                counts.append(current);
            current = {};
            lineBegun = false;
        } else if (!quoted) {
            lineBegun = true;
            for (size_t k = 0; k < candidates.size(); ++k) {
                if (c == candidates[k])
                    ++current[k];
            }
        }
    }
    if (lineBegun && counts.size() < 20)
        counts.append(current);
    if (counts.isEmpty())
        return QChar(0);
    int best = -1;
    int bestAgree = -1;
    int bestCount = 0;
    for (size_t k = 0; k < candidates.size(); ++k) {
        const int inHeader = counts.first()[k];
        if (inHeader == 0)
            continue;
        int agree = 0;
        for (qsizetype line = 1; line < counts.size(); ++line)
            agree += counts[line][k] == inHeader ? 1 : 0;
        if (agree > bestAgree || (agree == bestAgree && inHeader > bestCount)) {
            best = int(k);
            bestAgree = agree;
            bestCount = inHeader;
        }
    }
    return best < 0 ? QChar(0) : candidates[size_t(best)];
}
