#pragma once

#include <QImage>
#include <QObject>
#include <QSize>
#include <QString>
#include <QThreadPool>

#include <atomic>
#include <memory>

// Decodes preview pictures on a worker thread, at the size of the preview area, so
// that a click on a large picture never blocks the window. Only the newest
// request's picture is delivered; older ones are dropped, unstarted ones skipped.
class PreviewLoader : public QObject {
    Q_OBJECT
public:
    explicit PreviewLoader(QObject* parent = nullptr);
    ~PreviewLoader() override;

    void request(const QString& file, QSize area);
    // Drops the request under way: nothing more is delivered for it.
    void cancel();
    bool pending() const { return pending_; }

signals:
    // The picture of the newest request; null when the file cannot be read.
    void loaded(const QImage& picture);

private:
    void deliver(quint64 generation, const QImage& picture);

    QThreadPool pool_;
    std::shared_ptr<std::atomic<quint64>> newest_ = std::make_shared<std::atomic<quint64>>(0);
    quint64 generation_ = 0;
    bool pending_ = false;
};
