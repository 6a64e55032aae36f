#include "editor/previewloader.h"

#include "render/picload.h"

PreviewLoader::PreviewLoader(QObject* parent) : QObject(parent) {
    pool_.setMaxThreadCount(1);
}

PreviewLoader::~PreviewLoader() {
    cancel();
    // A decode under way still posts to this object: it must end first.
    pool_.waitForDone();
}

void PreviewLoader::request(const QString& file, QSize area) {
    cancel();
    const quint64 generation = ++generation_;
    newest_->store(generation);
    pending_ = true;
    const std::shared_ptr<std::atomic<quint64>> newest = newest_;
    pool_.start([this, file, area, generation, newest] {
        if (newest->load() != generation)
            return; // another file was chosen before this one was started
        const QImage picture = previewPicture(file, area);
        QMetaObject::invokeMethod(
            this, [this, generation, picture] { deliver(generation, picture); },
            Qt::QueuedConnection);
    });
}

void PreviewLoader::cancel() {
    pool_.clear();
    newest_->store(++generation_);
    pending_ = false;
}

void PreviewLoader::deliver(quint64 generation, const QImage& picture) {
    if (generation != generation_)
        return;
    pending_ = false;
    emit loaded(picture);
}
