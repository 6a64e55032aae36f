#include "merge/mergerecord.h"

MergeColumns::MergeColumns(const QStringList& names) : names_(names) {
    for (int i = 0; i < names_.size(); ++i) {
        const QString key = names_.at(i).toCaseFolded();
        if (!index_.contains(key))
            index_.insert(key, i);
    }
}

int MergeColumns::indexOf(const QString& name) const {
    return index_.value(name.toCaseFolded(), -1);
}
