#include "widgets/clampedspinbox.h"

#include <cmath>

std::optional<double> typedNumber(const QString& text, const QString& prefix, const QString& suffix,
                                  const QLocale& locale) {
    QString s = text;
    if (!prefix.isEmpty() && s.startsWith(prefix))
        s.remove(0, prefix.size());
    if (!suffix.isEmpty() && s.endsWith(suffix))
        s.chop(suffix.size());
    s = s.trimmed();
    if (!locale.groupSeparator().isEmpty())
        s.remove(locale.groupSeparator());
    bool ok = false;
    const double v = locale.toDouble(s, &ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}
