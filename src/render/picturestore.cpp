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

PictureStore::PictureStore(qint64 budget, qint64 idleBytes)
    : budget_(budget), idleBytes_(idleBytes), blank_(whiteStandIn(320, 200)),
      blankTurned_(whiteStandIn(200, 320)) {}

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
    if (const auto it = pictures_.find(key); it != pictures_.end()) {
        byUse_.erase(it->used);
        it->used = ++clock_;
        byUse_.emplace(it->used, key);
        rec = it->picture;
        return PictureLoad::Loaded;
    }
    rec = blank(rotation);
    // A label file may name anything. Only ordinary files are read, so a device or a
    // pipe named as a picture cannot keep the reading busy forever.
    if (failed_.contains(key) || !info.isFile())
        return PictureLoad::Failed;

    // Pictures of a closed document, of removed objects or of labels drawn long ago
    // make room before a decode.
    trim(0, idleBytes_);
    TDibRecord picture = pictures_.value(keyOf(info, 0)).picture;
    if (!picture.hasPicture() && !OpenDib(picture, info.filePath())) {
        failed_.insert(key);
        return PictureLoad::Failed;
    }
    const qint64 cost = picture.Image.sizeInBytes();
    if (bytes_ + cost > budget_)
        trim(cost, idleBytes_);
    if (bytes_ + cost > budget_)
        return PictureLoad::OverBudget;
    applyRotation(picture, rotation, progress);
    const quint64 used = ++clock_;
    pictures_.insert(key, Entry{picture, used});
    byUse_.emplace(used, key);
    bytes_ += cost;
    rec = picture;
    return PictureLoad::Loaded;
}

void PictureStore::forget(const QString& key) {
    const auto it = pictures_.find(key);
    if (it == pictures_.end())
        return;
    bytes_ -= it->picture.Image.sizeInBytes();
    byUse_.erase(it->used);
    pictures_.erase(it);
}

void PictureStore::trim(qint64 room, qint64 idleBytes) {
    // Only the store's own copy left: no record shows the picture any more.
    const auto idle = [this](const QString& key) {
        return pictures_.constFind(key)->picture.Image.isDetached();
    };
    QStringList gone;
    qint64 kept = 0;
    int keptCount = 0;
    for (auto it = byUse_.rbegin(); it != byUse_.rend(); ++it) {
        if (!idle(it->second))
            continue;
        const qint64 cost = pictures_.constFind(it->second)->picture.Image.sizeInBytes();
        if (keptCount < MaxIdlePictures && kept + cost <= idleBytes) {
            kept += cost;
            ++keptCount;
        } else {
            gone.append(it->second);
        }
    }
    for (const QString& key : gone)
        forget(key);
    for (auto it = byUse_.begin(); it != byUse_.end() && bytes_ + room > budget_;) {
        const QString key = it->second;
        ++it;
        if (idle(key))
            forget(key);
    }
}

void PictureStore::prune() {
    trim(0, 0);
}

void PictureStore::clear() {
    pictures_.clear();
    byUse_.clear();
    failed_.clear();
    bytes_ = 0;
}
