#include "merge/fields.h"

#include "merge/mergerecord.h"

namespace {

struct FieldAt {
    qsizetype start = -1; // of the opening %%
    qsizetype end = -1;   // after the closing %%
    QString name;
};

bool validName(QStringView name) {
    if (name.isEmpty() || name.size() > MaxFieldNameLength)
        return false;
    if (name.front().isSpace() || name.back().isSpace())
        return false;
    for (QChar c : name) {
        if (c == QLatin1Char('%') || c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            return false;
    }
    return true;
}

// The next field in text at or after from, or start -1.
FieldAt nextField(QStringView text, qsizetype from) {
    const QLatin1StringView marks("%%");
    for (qsizetype open = text.indexOf(marks, from); open >= 0;
         open = text.indexOf(marks, open + 1)) {
        const qsizetype close = text.indexOf(marks, open + 2);
        if (close < 0)
            break;
        const QStringView name = text.mid(open + 2, close - open - 2);
        if (validName(name))
            return {open, close + 2, name.toString()};
    }
    return {};
}

bool isNumber(const QString& name) {
    return name.compare(NumberField, Qt::CaseInsensitive) == 0;
}

// The length of the line end at i (CR LF, CR or LF), 0 when there is none.
qsizetype lineEndAt(QStringView text, qsizetype i) {
    if (i >= text.size())
        return 0;
    if (text[i] == QLatin1Char('\r'))
        return i + 1 < text.size() && text[i + 1] == QLatin1Char('\n') ? 2 : 1;
    return text[i] == QLatin1Char('\n') ? 1 : 0;
}

void addOnce(QStringList* list, const QString& name) {
    if (list && !list->contains(name, Qt::CaseInsensitive))
        list->append(name);
}

// Substitutes the fields of one line (without its line end). empty tells whether
// the line held fields and blanks only and every field came out empty.
QString substituteLine(QStringView line, int number, const MergeRecord* record,
                       QStringList* unknown, bool& empty) {
    QString out;
    out.reserve(line.size());
    bool onlyEmptyFields = true;
    bool anyField = false;
    qsizetype at = 0;
    for (FieldAt f = nextField(line, 0); f.start >= 0; f = nextField(line, at)) {
        const QStringView between = line.mid(at, f.start - at);
        out += between;
        if (!between.trimmed().isEmpty())
            onlyEmptyFields = false;
        anyField = true;
        if (isNumber(f.name)) {
            out += QString::number(number);
            onlyEmptyFields = false;
        } else {
            const int column = record && record->columns ? record->columns->indexOf(f.name) : -1;
            if (column >= 0) {
                const QString value = record->value(column);
                out += value;
                if (!value.trimmed().isEmpty())
                    onlyEmptyFields = false;
            } else {
                out += line.mid(f.start, f.end - f.start);
                onlyEmptyFields = false;
                if (record)
                    addOnce(unknown, f.name);
            }
        }
        at = f.end;
    }
    const QStringView rest = line.mid(at);
    out += rest;
    if (!rest.trimmed().isEmpty())
        onlyEmptyFields = false;
    empty = anyField && onlyEmptyFields;
    return out;
}

} // namespace

QStringList fieldNames(const QString& text) {
    QStringList names;
    for (FieldAt f = nextField(text, 0); f.start >= 0; f = nextField(text, f.end))
        addOnce(&names, f.name);
    return names;
}

bool hasDataFields(const QString& text) {
    for (FieldAt f = nextField(text, 0); f.start >= 0; f = nextField(text, f.end)) {
        if (!isNumber(f.name))
            return true;
    }
    return false;
}

bool hasFields(const QString& text) {
    return nextField(text, 0).start >= 0;
}

QString substituteFields(const QString& text, int number, const MergeRecord* record,
                         QStringList* unknown) {
    if (!text.contains(QLatin1String("%%")))
        return text;
    QString out;
    out.reserve(text.size());
    const QStringView view(text);
    // Every kept line is followed by its own line end, except the last kept one: a
    // line left out at the end takes the line end before it along.
    QStringView pendingEnd;
    bool anyKept = false;
    qsizetype start = 0;
    for (;;) {
        qsizetype end = start;
        while (end < view.size() && !lineEndAt(view, end))
            ++end;
        const qsizetype endLength = lineEndAt(view, end);
        bool empty = false;
        const QString line =
            substituteLine(view.mid(start, end - start), number, record, unknown, empty);
        if (!(record && empty)) {
            if (anyKept)
                out += pendingEnd;
            out += line;
            pendingEnd = view.mid(end, endLength);
            anyKept = true;
        }
        if (endLength == 0)
            break;
        start = end + endLength;
    }
    return out;
}
