#include "app/missingpictures.h"

#include <QTextStream>

#include <algorithm>

PictureLoad MissingPictures::load(TDibRecord& rec, const QString& name, int rotation) {
    const PictureLoad result = loader_.load(rec, name, rotation);
    auto it = attempts_.find(&rec);
    if (it == attempts_.end())
        it = attempts_.insert(&rec, Attempt{name, false, int(attempts_.size())});
    it->loaded = result == PictureLoad::Loaded;
    return result;
}

QStringList MissingPictures::names() const {
    std::vector<const Attempt*> missing;
    for (const Attempt& a : attempts_) {
        if (!a.loaded)
            missing.push_back(&a);
    }
    std::sort(missing.begin(), missing.end(),
              [](const Attempt* a, const Attempt* b) { return a->order < b->order; });
    QStringList out;
    for (const Attempt* a : missing) {
        if (!out.contains(a->name))
            out << a->name;
    }
    return out;
}

int reportMissingPictures(const MissingPictures& pictures, QTextStream& err) {
    const QStringList names = pictures.names();
    for (const QString& name : names.mid(PictureFailuresReported))
        err << QStringLiteral("aufkleber-werkbank: ") << pictureFailedMessage(name) << Qt::endl;
    return names.isEmpty() ? 0 : MissingPicturesExitCode;
}
