#include "merge/vcardreader.h"

#include "merge/textsource.h"
#include "merge/win1252.h"

#include <QFile>

#include <array>

namespace {

enum Column {
    Name,
    Vorname,
    Nachname,
    Firma,
    Abteilung,
    Strasse,
    Plz,
    Ort,
    Region,
    Land,
    Telefon,
    Mobil,
    EMail,
    Notiz,
    ColumnCount
};

constexpr qint64 MaxLineBytes = 1 << 20;

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// One content line: "group.NAME;PARAM=VALUE;BARE:value".
struct ContentLine {
    QByteArray name;         // upper case, without group
    QList<QByteArray> types; // TYPE values and bare parameters, upper case
    QByteArray encoding;     // upper case
    QByteArray charset;      // upper case
    bool pref = false;
    QByteArray value;
};

ContentLine parseLine(const QByteArray& line) {
    ContentLine out;
    // The colon after the name and parameters; quoted parameter values may hold one.
    qsizetype colon = -1;
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] == '"')
            quoted = !quoted;
        else if (line[i] == ':' && !quoted) {
            colon = i;
            break;
        }
    }
    if (colon < 0)
        return out;
    out.value = line.mid(colon + 1);
    const QList<QByteArray> parts = line.left(colon).split(';');
    QByteArray name = parts.first().trimmed().toUpper();
    if (const qsizetype dot = name.lastIndexOf('.'); dot >= 0)
        name = name.mid(dot + 1);
    out.name = name;
    for (qsizetype i = 1; i < parts.size(); ++i) {
        const QByteArray p = parts[i].trimmed();
        const qsizetype eq = p.indexOf('=');
        const QByteArray key = (eq < 0 ? p : p.left(eq)).toUpper();
        QByteArray value = eq < 0 ? QByteArray() : p.mid(eq + 1);
        value.replace('"', QByteArray());
        if (eq < 0) {
            if (key == "QUOTED-PRINTABLE" || key == "BASE64" || key == "8BIT")
                out.encoding = key;
            else
                out.types.append(key);
        } else if (key == "TYPE") {
            for (const QByteArray& t : value.split(','))
                out.types.append(t.trimmed().toUpper());
        } else if (key == "ENCODING") {
            out.encoding = value.toUpper();
        } else if (key == "CHARSET") {
            out.charset = value.toUpper();
        } else if (key == "PREF") {
            out.pref = true;
        }
    }
    if (out.types.contains("PREF"))
        out.pref = true;
    return out;
}

// "\n", "\,", "\;" and "\\" as the versions 3.0 and 4.0 escape them.
QString unescape(const QString& s) {
    QString out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] == QLatin1Char('\\') && i + 1 < s.size()) {
            const QChar c = s[++i];
            out += (c == QLatin1Char('n') || c == QLatin1Char('N')) ? QChar(QLatin1Char('\n')) : c;
        } else {
            out += s[i];
        }
    }
    return out;
}

// The components of a structured value, split at the semicolons that are not escaped.
QStringList components(const QString& s) {
    QStringList parts;
    QString current;
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] == QLatin1Char('\\') && i + 1 < s.size()) {
            current += s[i];
            current += s[++i];
        } else if (s[i] == QLatin1Char(';')) {
            parts.append(unescape(current));
            current.clear();
        } else {
            current += s[i];
        }
    }
    parts.append(unescape(current));
    return parts;
}

// A property of which a card may hold several (addresses, numbers, mail): the
// preferred one wins, else the first.
struct Choice {
    QStringList value;
    bool set = false;
    bool pref = false;
    void offer(const QStringList& v, bool isPref) {
        if (!set || (isPref && !pref)) {
            value = v;
            set = true;
            pref = isPref;
        }
    }
};

struct Card {
    QString fn;
    QStringList n;
    QStringList org;
    Choice adr, tel, cell, email;
    QString note;
};

class VCardTable : public TableReader {
public:
    explicit VCardTable(const SourceProbe& probe) : encoding_(probe.encoding) {
        setColumns(vCardColumns());
    }

    bool start(const QString& path, const SourceProbe& probe, QString* error) {
        return openSourceFile(file_, path, probe, error);
    }

    bool next(MergeRecord& record) override {
        record.columns = &columns();
        Card card;
        bool inCard = false;
        for (;;) {
            QByteArray line;
            if (!logicalLine(line)) {
                if (inCard) {
                    addProblem(QStringLiteral("Die Karte %1 endet nicht mit END:VCARD; sie wurde "
                                              "bis zum Ende der Datei gelesen.")
                                   .arg(cards_ + 1));
                    return finish(card, record);
                }
                return false;
            }
            const ContentLine cl = parseLine(line);
            if (cl.name == "BEGIN" && cl.value.trimmed().toUpper() == "VCARD") {
                if (inCard) {
                    addProblem(
                        QStringLiteral("Die Karte %1 endet nicht mit END:VCARD.").arg(cards_ + 1));
                    pushBack_ = line;
                    return finish(card, record);
                }
                inCard = true;
                card = Card();
            } else if (cl.name == "END" && cl.value.trimmed().toUpper() == "VCARD") {
                if (inCard)
                    return finish(card, record);
            } else if (inCard) {
                take(card, cl);
            }
        }
    }

private:
    bool finish(const Card& c, MergeRecord& record) {
        ++cards_;
        QStringList v(ColumnCount);
        const auto part = [](const QStringList& l, int i) {
            return i < l.size() ? l.at(i).trimmed() : QString();
        };
        v[Nachname] = part(c.n, 0);
        v[Vorname] = part(c.n, 1);
        v[Name] = c.fn.trimmed();
        if (v[Name].isEmpty())
            v[Name] = (v[Vorname] + QLatin1Char(' ') + v[Nachname]).trimmed();
        v[Firma] = part(c.org, 0);
        v[Abteilung] = part(c.org, 1);
        const QStringList& adr = c.adr.value;
        v[Strasse] = part(adr, 2);
        v[Ort] = part(adr, 3);
        v[Region] = part(adr, 4);
        v[Plz] = part(adr, 5);
        v[Land] = part(adr, 6);
        v[Telefon] = part(c.tel.value, 0);
        v[Mobil] = part(c.cell.value, 0);
        v[EMail] = part(c.email.value, 0);
        v[Notiz] = c.note;
        record.values = v;
        return true;
    }

    QString decodeValue(const ContentLine& cl) const {
        QByteArray bytes = cl.value;
        if (cl.encoding == "QUOTED-PRINTABLE" || cl.encoding == "Q")
            bytes = decodeQuotedPrintable(bytes);
        const QByteArray& cs = cl.charset;
        if (cs == "UTF-8" || cs == "UTF8")
            return QString::fromUtf8(bytes);
        if (cs == "ISO-8859-1" || cs == "LATIN1" || cs == "ISO-8859-15")
            return QString::fromLatin1(bytes);
        if (cs == "WINDOWS-1252" || cs == "CP1252")
            return fromWin1252(bytes);
        if (encoding_ == TextEncoding::Utf8 && isValidUtf8(bytes))
            return QString::fromUtf8(bytes);
        return isValidUtf8(bytes) ? QString::fromUtf8(bytes) : fromWin1252(bytes);
    }

    void take(Card& c, const ContentLine& cl) {
        const QString value = decodeValue(cl);
        if (cl.name == "FN") {
            c.fn = unescape(value);
        } else if (cl.name == "N") {
            c.n = components(value);
        } else if (cl.name == "ORG") {
            c.org = components(value);
        } else if (cl.name == "ADR") {
            c.adr.offer(components(value), cl.pref);
        } else if (cl.name == "TEL") {
            (cl.types.contains("CELL") ? c.cell : c.tel).offer({unescape(value)}, cl.pref);
        } else if (cl.name == "EMAIL") {
            c.email.offer({unescape(value)}, cl.pref);
        } else if (cl.name == "NOTE") {
            c.note = unescape(value);
        }
    }

    // One physical line without its line end; false at the end of the file.
    bool physicalLine(QByteArray& line) {
        if (!peeked_.isNull()) {
            line = std::exchange(peeked_, QByteArray());
            return true;
        }
        if (file_.atEnd())
            return false;
        const qint64 n = readLine();
        if (n < 0) {
            failed_ = true;
            return false;
        }
        line = QByteArray(buffer_.constData(), n);
        if (!line.endsWith('\n') && !file_.atEnd()) {
            // A line longer than the limit: the rest is skipped.
            addProblem(QStringLiteral("Eine Zeile ist länger als 1 MB und wurde gekürzt."));
            qint64 rest = 0;
            do
                rest = readLine();
            while (rest > 0 && buffer_[rest - 1] != '\n');
        }
        while (line.endsWith('\n') || line.endsWith('\r'))
            line.chop(1);
        if (line.isNull())
            line = QByteArray("");
        return true;
    }

    // Up to MaxLineBytes of the next line into the buffer, which is made once: -1 on an
    // error of the device.
    qint64 readLine() {
        if (buffer_.size() < MaxLineBytes + 1)
            buffer_.resize(MaxLineBytes + 1);
        return file_.readLine(buffer_.data(), buffer_.size());
    }

    // A content line with its folded continuations joined; for quoted-printable
    // values also the lines after a soft break.
    bool logicalLine(QByteArray& line) {
        if (!pushBack_.isNull()) {
            line = std::exchange(pushBack_, QByteArray());
            return true;
        }
        do {
            if (!physicalLine(line))
                return false;
        } while (line.trimmed().isEmpty());
        const bool qp = line.toUpper().contains("QUOTED-PRINTABLE");
        QByteArray more;
        while (physicalLine(more)) {
            if (!more.isEmpty() && (more[0] == ' ' || more[0] == '\t')) {
                line += more.mid(1);
            } else if (qp && line.endsWith('=')) {
                line.chop(1);
                line += more;
            } else {
                peeked_ = more;
                break;
            }
            if (line.size() > MaxLineBytes) {
                addProblem(QStringLiteral("Eine Zeile ist länger als 1 MB und wurde gekürzt."));
                line.truncate(MaxLineBytes);
            }
        }
        return true;
    }

    TextEncoding encoding_;
    QFile file_;
    QByteArray buffer_;
    QByteArray peeked_;
    QByteArray pushBack_;
    qint64 cards_ = 0;
};

} // namespace

QStringList vCardColumns() {
    return {QStringLiteral("Name"),   QStringLiteral("Vorname"),   QStringLiteral("Nachname"),
            QStringLiteral("Firma"),  QStringLiteral("Abteilung"), QStringLiteral("Straße"),
            QStringLiteral("PLZ"),    QStringLiteral("Ort"),       QStringLiteral("Region"),
            QStringLiteral("Land"),   QStringLiteral("Telefon"),   QStringLiteral("Mobil"),
            QStringLiteral("E-Mail"), QStringLiteral("Notiz")};
}

QByteArray decodeQuotedPrintable(const QByteArray& text) {
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '=' && i + 2 < text.size() && hexValue(text[i + 1]) >= 0 &&
            hexValue(text[i + 2]) >= 0) {
            out.append(char(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2])));
            i += 2;
        } else if (c == '=' && i + 1 == text.size()) {
            break; // a soft break at the end
        } else {
            out.append(c);
        }
    }
    return out;
}

std::unique_ptr<TableReader> openVCardTable(const QString& path, const SourceProbe& probe,
                                            QString* error) {
    auto table = std::make_unique<VCardTable>(probe);
    if (!table->start(path, probe, error))
        return nullptr;
    return table;
}
