#include "render/picturestore.h"

#include "codec/rasterio.h"

#include <QDateTime>
#include <QFileInfo>

namespace {

// The file as it is now: a rewritten file is another picture.
QString keyOf(const QFileInfo& info, int rotation) {
    const qint64 time = info.exists() ? info.lastModified().toMSecsSinceEpoch() : -1;
    return info.absoluteFilePath() + QLatin1Char('\n') + QString::number(rotation) +
           QLatin1Char('\n') + QString::number(time) + QLatin1Char('\n') +
           QString::number(info.exists() ? info.size() : -1);
}

// Marks the stand-in in the picture itself, so that copies and turned copies of it
// are known wherever a record is drawn.
const QString StandInKey = QStringLiteral("x-awb-stand-in");

TDibRecord whiteStandIn(int width, int height) {
    TDibRecord rec;
    if (newdib(rec, width, height, 24, nullptr, 0)) {
        rec.Image.fill(Qt::white);
        rec.Image.setText(StandInKey, QStringLiteral("1"));
    }
    return rec;
}

int normalRotation(int rotation) {
    return rotation >= 1 && rotation <= 3 ? rotation : 0;
}

} // namespace

PictureStore::PictureStore(qint64 budget)
    : budget_(budget), blank_(whiteStandIn(320, 200)), blankTurned_(whiteStandIn(200, 320)) {}

bool isStandIn(const TDibRecord& rec) {
    return rec.hasPicture() && !rec.Image.text(StandInKey).isEmpty();
}

PictureStore& PictureStore::shared() {
    static PictureStore store;
    return store;
}

TDibRecord PictureStore::blank(int rotation) const {
    return rotation == 1 || rotation == 3 ? blankTurned_ : blank_;
}

PictureLoad PictureStore::load(TDibRecord& rec, const QString& name, int rotation,
                               const ProgressFn& progress) {
    rotation = normalRotation(rotation);
    const QFileInfo info(resolvePictureName(name));
    const QString key = keyOf(info, rotation);
    if (const auto it = pictures_.constFind(key); it != pictures_.constEnd()) {
        rec = *it;
        return PictureLoad::Loaded;
    }
    rec = blank(rotation);
    // A label file may name anything. Only ordinary files are read, so a device or a
    // pipe named as a picture cannot keep the reading busy forever.
    if (failed_.contains(key) || !info.isFile())
        return PictureLoad::Failed;

    // Pictures of a closed document or of removed objects make room before a decode.
    prune();
    TDibRecord picture = pictures_.value(keyOf(info, 0));
    if (!picture.hasPicture() && !OpenDib(picture, info.filePath())) {
        failed_.insert(key);
        return PictureLoad::Failed;
    }
    const qint64 cost = picture.Image.sizeInBytes();
    if (bytes_ + cost > budget_)
        return PictureLoad::OverBudget;
    applyRotation(picture, rotation, progress);
    pictures_.insert(key, picture);
    bytes_ += cost;
    rec = picture;
    return PictureLoad::Loaded;
}

void PictureStore::prune() {
    for (auto it = pictures_.begin(); it != pictures_.end();) {
        // Only the store's own copy left: no record shows this picture any more.
        if (it->Image.isDetached()) {
            bytes_ -= it->Image.sizeInBytes();
            it = pictures_.erase(it);
        } else {
            ++it;
        }
    }
}

void PictureStore::clear() {
    pictures_.clear();
    failed_.clear();
    bytes_ = 0;
}
