#include "render/codecheck.h"

#include "document/labeldocument.h"
#include "merge/fields.h"
#include "render/codedata.h"
#include "render/codelayout.h"

#include <algorithm>
#include <limits>

std::vector<CodeFault> codeFaults(const LabelDocument& doc, int first, int count, int dotsPerInch,
                                  bool merged) {
    std::vector<CodeFault> faults;
    for (int slot = 1; slot <= ObjectTable::MaxObjs; ++slot) {
        const Tobs& o = doc.Objs[slot];
        if (o.Kind != KindCode || (merged && hasDataFields(o.Text)))
            continue;
        // Data without the number is the same on every label.
        const bool numbered = o.Text.contains(QStringLiteral("%%NUMMER%%"), Qt::CaseInsensitive);
        const int64_t last = numbered ? std::min<int64_t>(int64_t(first) + std::max(count, 1) - 1,
                                                          std::numeric_limits<int>::max())
                                      : first;
        for (int64_t n = first; n <= last; ++n) {
            const QString reason = codeProblem(o, int(n), dotsPerInch);
            if (!reason.isEmpty()) {
                faults.push_back({slot, int(n), codeData(o.Text, int(n)), reason});
                break;
            }
        }
    }
    return faults;
}
