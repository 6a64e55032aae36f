#include "codec/saneoptions.h"

#include "codec/scanner.h"

#include <sane/saneopts.h>

#include <algorithm>
#include <cmath>

namespace saneoptions {

int findOption(SANE_Handle h, const char* name) {
    SANE_Int count = 0;
    if (sane_control_option(h, 0, SANE_ACTION_GET_VALUE, &count, nullptr) != SANE_STATUS_GOOD)
        return -1;
    for (int i = 1; i < count; ++i) {
        const SANE_Option_Descriptor* d = sane_get_option_descriptor(h, i);
        if (d && d->name && qstrcmp(d->name, name) == 0)
            return i;
    }
    return -1;
}

const SANE_Option_Descriptor* usableOption(SANE_Handle h, const char* name, int* index) {
    *index = findOption(h, name);
    if (*index < 0)
        return nullptr;
    const SANE_Option_Descriptor* d = sane_get_option_descriptor(h, *index);
    if (!d || !SANE_OPTION_IS_ACTIVE(d->cap) || d->size < int(sizeof(SANE_Word)))
        return nullptr;
    return d;
}

// The program's name of a device's mode, empty for modes it does not offer.
QString modeLabel(const char* value) {
    const QByteArray v = QByteArray(value).toLower();
    if (v == "color" || v == "colour" || v == "24bit color")
        return ScanModeColor;
    if (v == "gray" || v == "grey" || v == "grayscale" || v == "greyscale")
        return ScanModeGray;
    if (v == "lineart" || v == "binary" || v == "black & white")
        return ScanModeLineArt;
    return QString();
}

double wordToDouble(const SANE_Option_Descriptor* d, SANE_Word w) {
    return d->type == SANE_TYPE_FIXED ? SANE_UNFIX(w) : double(w);
}
SANE_Word doubleToWord(const SANE_Option_Descriptor* d, double v) {
    return d->type == SANE_TYPE_FIXED ? SANE_FIX(v) : SANE_Word(std::lround(v));
}

bool numericOption(const SANE_Option_Descriptor* d) {
    return d && (d->type == SANE_TYPE_INT || d->type == SANE_TYPE_FIXED);
}

bool readNumber(SANE_Handle h, const char* name, double* value,
                const SANE_Option_Descriptor** desc = nullptr) {
    int index = 0;
    const SANE_Option_Descriptor* d = usableOption(h, name, &index);
    if (!numericOption(d))
        return false;
    SANE_Word w = 0;
    if (sane_control_option(h, index, SANE_ACTION_GET_VALUE, &w, nullptr) != SANE_STATUS_GOOD)
        return false;
    *value = wordToDouble(d, w);
    if (desc)
        *desc = d;
    return true;
}

bool setNumber(SANE_Handle h, const char* name, double value) {
    int index = 0;
    const SANE_Option_Descriptor* d = usableOption(h, name, &index);
    if (!numericOption(d) || !SANE_OPTION_IS_SETTABLE(d->cap))
        return false;
    SANE_Word w = doubleToWord(d, value);
    return sane_control_option(h, index, SANE_ACTION_SET_VALUE, &w, nullptr) == SANE_STATUS_GOOD;
}

QList<int> depthChoices(SANE_Handle h) {
    QList<int> out;
    int index = 0;
    const SANE_Option_Descriptor* d = usableOption(h, SANE_NAME_BIT_DEPTH, &index);
    if (!numericOption(d) || d->constraint_type != SANE_CONSTRAINT_WORD_LIST)
        return out;
    const SANE_Word* list = d->constraint.word_list;
    for (int i = 1; i <= list[0]; ++i)
        out.append(int(wordToDouble(d, list[i])));
    return out;
}

// The device's mode values by the program's names; line art may come from grey
// at 1 bit per sample on devices that have no mode of its own.
struct ModeChoice {
    QByteArray value;
    bool greyAtOneBit = false;
};

QList<std::pair<QString, ModeChoice>> modeChoices(SANE_Handle h) {
    QList<std::pair<QString, ModeChoice>> out;
    int index = 0;
    const SANE_Option_Descriptor* d = usableOption(h, SANE_NAME_SCAN_MODE, &index);
    if (!d || d->type != SANE_TYPE_STRING || d->constraint_type != SANE_CONSTRAINT_STRING_LIST)
        return out;
    QByteArray grey;
    for (const SANE_String_Const* s = d->constraint.string_list; *s; ++s) {
        const QString label = modeLabel(*s);
        if (label.isEmpty())
            continue;
        if (label == ScanModeGray)
            grey = *s;
        const bool known =
            std::any_of(out.begin(), out.end(), [&](const auto& m) { return m.first == label; });
        if (!known)
            out.append({label, ModeChoice{QByteArray(*s), false}});
    }
    const bool hasLineArt = std::any_of(out.begin(), out.end(),
                                        [](const auto& m) { return m.first == ScanModeLineArt; });
    if (!hasLineArt && !grey.isEmpty() && depthChoices(h).contains(1))
        out.append({ScanModeLineArt, ModeChoice{grey, true}});
    const QStringList order{ScanModeColor, ScanModeGray, ScanModeLineArt};
    std::sort(out.begin(), out.end(), [&](const auto& a, const auto& b) {
        return order.indexOf(a.first) < order.indexOf(b.first);
    });
    return out;
}

QString currentMode(SANE_Handle h) {
    int index = 0;
    const SANE_Option_Descriptor* d = usableOption(h, SANE_NAME_SCAN_MODE, &index);
    if (!d || d->type != SANE_TYPE_STRING)
        return QString();
    QByteArray value(d->size + 1, '\0');
    if (sane_control_option(h, index, SANE_ACTION_GET_VALUE, value.data(), nullptr) !=
        SANE_STATUS_GOOD)
        return QString();
    const QString label = modeLabel(value.constData());
    if (label == ScanModeGray && depthChoices(h).contains(1)) {
        double depth = 0;
        if (readNumber(h, SANE_NAME_BIT_DEPTH, &depth) && depth == 1)
            return ScanModeLineArt;
    }
    return label;
}

bool setMode(SANE_Handle h, const QString& label) {
    const auto choices = modeChoices(h);
    const auto it = std::find_if(choices.begin(), choices.end(),
                                 [&](const auto& m) { return m.first == label; });
    if (it == choices.end())
        return false;
    int index = 0;
    const SANE_Option_Descriptor* d = usableOption(h, SANE_NAME_SCAN_MODE, &index);
    if (!d || !SANE_OPTION_IS_SETTABLE(d->cap))
        return false;
    QByteArray value = it->second.value;
    value.resize(std::max<qsizetype>(value.size() + 1, d->size), '\0');
    if (sane_control_option(h, index, SANE_ACTION_SET_VALUE, value.data(), nullptr) !=
        SANE_STATUS_GOOD)
        return false;
    // 8 bits per sample are all the picture keeps; line art wants one.
    const QList<int> depths = depthChoices(h);
    const int depth = it->second.greyAtOneBit ? 1 : 8;
    if (depths.contains(depth))
        setNumber(h, SANE_NAME_BIT_DEPTH, depth);
    return true;
}

int scanResolution(SANE_Handle h) {
    double dpi = 0;
    if (!readNumber(h, SANE_NAME_SCAN_RESOLUTION, &dpi) || !(dpi >= 1 && dpi <= 100000))
        return 0;
    return int(std::lround(dpi));
}

QList<int> resolutionChoices(SANE_Handle h, int* current) {
    QList<int> out;
    int index = 0;
    const SANE_Option_Descriptor* d = usableOption(h, SANE_NAME_SCAN_RESOLUTION, &index);
    if (!numericOption(d))
        return out;
    double now = 0;
    readNumber(h, SANE_NAME_SCAN_RESOLUTION, &now);
    if (d->constraint_type == SANE_CONSTRAINT_WORD_LIST) {
        const SANE_Word* list = d->constraint.word_list;
        for (int i = 1; i <= list[0]; ++i)
            out.append(int(wordToDouble(d, list[i])));
    } else if (d->constraint_type == SANE_CONSTRAINT_RANGE) {
        const double lo = wordToDouble(d, d->constraint.range->min);
        const double hi = wordToDouble(d, d->constraint.range->max);
        for (int dpi : {50, 75, 100, 150, 200, 300, 400, 600, 1200, 2400})
            if (dpi >= lo && dpi <= hi)
                out.append(dpi);
        if (out.isEmpty())
            out << int(std::ceil(lo)) << int(hi);
    } else if (now >= 1) {
        out.append(int(now));
    }
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    out.removeIf([](int v) { return v < 1; });
    if (out.isEmpty())
        return out;
    // The device's setting when it is one of the choices, else the one nearest 150.
    *current = int(now);
    if (!out.contains(*current))
        *current = *std::min_element(out.begin(), out.end(), [](int a, int b) {
            return std::abs(a - 150) < std::abs(b - 150);
        });
    return out;
}

bool readArea(SANE_Handle h, QRectF* maxArea, QRectF* area) {
    const char* names[] = {SANE_NAME_SCAN_TL_X, SANE_NAME_SCAN_TL_Y, SANE_NAME_SCAN_BR_X,
                           SANE_NAME_SCAN_BR_Y};
    double value[4];
    double lo[4];
    double hi[4];
    for (int i = 0; i < 4; ++i) {
        const SANE_Option_Descriptor* d = nullptr;
        if (!readNumber(h, names[i], &value[i], &d) || d->unit != SANE_UNIT_MM ||
            d->constraint_type != SANE_CONSTRAINT_RANGE)
            return false;
        lo[i] = wordToDouble(d, d->constraint.range->min);
        hi[i] = wordToDouble(d, d->constraint.range->max);
    }
    *maxArea = QRectF(QPointF(lo[0], lo[1]), QPointF(hi[2], hi[3]));
    *area = QRectF(QPointF(value[0], value[1]), QPointF(value[2], value[3]));
    return maxArea->isValid();
}

QStringList modes(SANE_Handle h) {
    QStringList out;
    for (const auto& m : modeChoices(h))
        out.append(m.first);
    return out;
}

} // namespace saneoptions
