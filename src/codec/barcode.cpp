#include "codec/barcode.h"

#include <zint.h>

#include <QByteArray>

#include <algorithm>
#include <memory>

namespace {

struct SymbologyInfo {
    const char* name;
    int zintId;
    bool linear;
};

// In the order of CodeSymbology.
constexpr SymbologyInfo Symbologies[CodeSymbologyCount] = {
    {"QR-Code", BARCODE_QRCODE, false},  {"DataMatrix", BARCODE_DATAMATRIX, false},
    {"Code 128", BARCODE_CODE128, true}, {"EAN-13", BARCODE_EANX, true},
    {"EAN-8", BARCODE_EANX, true},       {"UPC-A", BARCODE_UPCA, true},
    {"UPC-E", BARCODE_UPCE, true},       {"Code 39", BARCODE_CODE39, true},
    {"ITF-14", BARCODE_ITF14, true},     {"Interleaved 2 of 5", BARCODE_C25INTER, true},
    {"GS1-128", BARCODE_GS1_128, true},  {"PDF417", BARCODE_PDF417, false},
    {"Aztec", BARCODE_AZTEC, false},     {"GS1 DataMatrix", BARCODE_DATAMATRIX, false},
};

bool inTable(int symbology) {
    return symbology >= 0 && symbology < CodeSymbologyCount;
}

bool allDigits(const QString& s) {
    return std::all_of(s.begin(), s.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

struct SymbolDeleter {
    void operator()(zint_symbol* s) const { ZBarcode_Delete(s); }
};
using SymbolPtr = std::unique_ptr<zint_symbol, SymbolDeleter>;

CodeSymbol failure(const QString& reason) {
    CodeSymbol s;
    s.reason = reason;
    return s;
}

QString zintReason(int error, int symbology) {
    switch (error) {
    case ZINT_ERROR_TOO_LONG:
        return QStringLiteral("Die Daten haben die falsche Länge für diesen Code.");
    case ZINT_ERROR_INVALID_DATA:
        if (symbology == int(CodeSymbology::Gs1_128) ||
            symbology == int(CodeSymbology::Gs1DataMatrix))
            return QStringLiteral("Ungültige GS1-Daten (Schreibweise: [01]04012345678901).");
        return QStringLiteral("Die Daten enthalten Zeichen, die dieser Code nicht kennt.");
    case ZINT_ERROR_INVALID_CHECK:
        return QStringLiteral("Die Prüfziffer ist falsch.");
    default:
        return QStringLiteral("Der Code konnte nicht erzeugt werden.");
    }
}

// The digits that a code with a check digit takes: `without` digits, or one more
// with the check digit. Fills main (without check digit), addOn and the encoded
// text, or returns the reason.
struct GtinData {
    QString main;
    QString addOn;
    QString given; // the check digit as given, empty when left out
};

QString splitGtin(const QString& data, int without, bool addOnAllowed, const QString& name,
                  GtinData& out) {
    QString main = data;
    const qsizetype plus = data.indexOf(u'+');
    if (plus >= 0) {
        if (!addOnAllowed)
            return QStringLiteral("%1 nimmt keinen Zusatz an.").arg(name);
        main = data.left(plus);
        out.addOn = data.mid(plus + 1);
        if (!allDigits(out.addOn) || (out.addOn.size() != 2 && out.addOn.size() != 5))
            return QStringLiteral("Der Zusatz nach dem + braucht 2 oder 5 Ziffern.");
    }
    if (!allDigits(main))
        return QStringLiteral("%1 darf nur Ziffern enthalten.").arg(name);
    if (main.size() != without && main.size() != without + 1)
        return QStringLiteral("%1 braucht %2 Ziffern, mit Prüfziffer %3.")
            .arg(name)
            .arg(without)
            .arg(without + 1);
    out.main = main.left(without);
    if (main.size() == without + 1)
        out.given = main.right(1);
    return {};
}

QString wrongCheck(QChar expected) {
    return QStringLiteral("Die Prüfziffer ist falsch (richtig wäre %1).").arg(expected);
}

void collectShapes(const zint_vector& v, CodeSymbol& s) {
    s.width = v.width;
    s.height = v.height;
    for (const zint_vector_rect* r = v.rectangles; r; r = r->next)
        s.bars.push_back({r->x, r->y, r->width, r->height});
    for (const zint_vector_hexagon* h = v.hexagons; h; h = h->next)
        s.hexagons.push_back({h->x, h->y, h->diameter, h->rotation});
    for (const zint_vector_circle* c = v.circles; c; c = c->next)
        s.rings.push_back({c->x, c->y, c->diameter, c->width, c->colour != 0});
    for (const zint_vector_string* t = v.strings; t; t = t->next) {
        const QString text =
            QString::fromUtf8(reinterpret_cast<const char*>(t->text), std::max(0, t->length));
        s.texts.push_back({t->x, t->y, t->fsize, t->width, t->halign, text});
    }
}

} // namespace

QString codeSymbologyName(int symbology) {
    return inTable(symbology) ? QString::fromLatin1(Symbologies[symbology].name) : QString();
}

bool codeHasNominalSize(int symbology) {
    switch (CodeSymbology(symbology)) {
    case CodeSymbology::Ean13:
    case CodeSymbology::Ean8:
    case CodeSymbology::UpcA:
    case CodeSymbology::UpcE:
        return true;
    default:
        return false;
    }
}

bool codeHasErrorCorrection(int symbology) {
    return symbology == int(CodeSymbology::QrCode);
}

bool codeIsLinear(int symbology) {
    return inTable(symbology) && Symbologies[symbology].linear;
}

int gtinCheckDigit(const QString& digits) {
    int sum = 0;
    int weight = 3;
    for (qsizetype i = digits.size() - 1; i >= 0; --i) {
        sum += (digits.at(i).unicode() - u'0') * weight;
        weight = 4 - weight;
    }
    return (10 - sum % 10) % 10;
}

CodeSymbol encodeCode(const CodeRequest& request) {
    const int sym = request.symbology;
    if (!inTable(sym))
        return failure(QStringLiteral("Unbekannte Codeart."));
    if (request.data.isEmpty())
        return failure(QStringLiteral("Der Code enthält keine Daten."));
    if (request.data.size() > MaxCodeDataLength)
        return failure(QStringLiteral("Zu viele Daten für diesen Code."));
    const SymbologyInfo& info = Symbologies[sym];
    const QString name = QString::fromLatin1(info.name);

    QString data = request.data;
    QString encoded = data;
    GtinData gtin;
    QString reason;
    bool verifyByZint = false; // UPC-E: its check digit comes from the expanded number
    switch (CodeSymbology(sym)) {
    case CodeSymbology::Ean13:
        reason = splitGtin(data, 12, true, name, gtin);
        break;
    case CodeSymbology::Ean8:
        reason = splitGtin(data, 7, true, name, gtin);
        break;
    case CodeSymbology::UpcA:
        reason = splitGtin(data, 11, true, name, gtin);
        break;
    case CodeSymbology::Itf14:
        reason = splitGtin(data, 13, false, name, gtin);
        break;
    case CodeSymbology::UpcE: {
        // Six digits (number system 0 implied), seven with the number system, eight
        // with the check digit as well.
        const qsizetype plus = data.indexOf(u'+');
        const QString main = plus >= 0 ? data.left(plus) : data;
        if (main.size() == 6 && allDigits(main)) {
            reason = splitGtin(data, 6, true, name, gtin);
        } else {
            reason = splitGtin(data, 7, true, name, gtin);
            if (reason.isEmpty() && gtin.main.at(0) != u'0' && gtin.main.at(0) != u'1')
                reason = QStringLiteral("UPC-E beginnt mit dem Zahlensystem 0 oder 1.");
        }
        verifyByZint = true;
        break;
    }
    default:
        break;
    }
    if (!reason.isEmpty())
        return failure(reason);
    const bool isGtin = !gtin.main.isEmpty();
    if (isGtin) {
        if (!verifyByZint) {
            const QChar check = QChar(u'0' + gtinCheckDigit(gtin.main));
            if (!gtin.given.isEmpty() && gtin.given.at(0) != check)
                return failure(wrongCheck(check));
            encoded = gtin.main + check;
        }
        data = gtin.main;
        if (!gtin.addOn.isEmpty()) {
            data += u'+' + gtin.addOn;
        }
    }

    SymbolPtr symbol(ZBarcode_Create());
    if (!symbol)
        return failure(QStringLiteral("Der Code konnte nicht erzeugt werden."));
    zint_symbol& z = *symbol;
    z.symbology = info.zintId;
    z.scale = 0.5f; // vector units = modules
    z.output_options |= BARCODE_QUIET_ZONES;
    z.show_hrt = request.humanReadable ? 1 : 0;
    const bool gs1 = sym == int(CodeSymbology::Gs1_128) || sym == int(CodeSymbology::Gs1DataMatrix);
    z.input_mode = gs1 ? GS1_MODE : UNICODE_MODE;
    if (sym == int(CodeSymbology::QrCode) && request.errorCorrection >= 1 &&
        request.errorCorrection <= 4)
        z.option_1 = request.errorCorrection;
    if (info.linear && request.barHeight > 0)
        z.height = float(std::clamp(request.barHeight, 1.0, 5000.0));

    const QByteArray bytes = data.toUtf8();
    const int rc = ZBarcode_Encode_and_Buffer_Vector(
        &z, reinterpret_cast<const unsigned char*>(bytes.constData()), int(bytes.size()), 0);
    if (rc >= ZINT_ERROR || !z.vector)
        return failure(zintReason(rc, sym));

    CodeSymbol s;
    if (verifyByZint) {
        // libzint's text is the full eight digits with the check digit it computed.
        const QString full = QString::fromUtf8(reinterpret_cast<const char*>(z.text)).left(8);
        if (full.size() == 8) {
            const QChar check = full.at(7);
            if (!gtin.given.isEmpty() && gtin.given.at(0) != check)
                return failure(wrongCheck(check));
            encoded = full;
        }
    }
    if (isGtin && !gtin.addOn.isEmpty())
        encoded += u'+' + gtin.addOn;
    s.ok = true;
    s.linear = info.linear;
    s.barHeight = info.linear ? z.height : 0.0;
    s.encoded = encoded;
    collectShapes(*z.vector, s);
    if (!(s.width > 0 && s.height > 0))
        return failure(QStringLiteral("Der Code konnte nicht erzeugt werden."));
    return s;
}
