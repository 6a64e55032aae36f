#include "app/waitingpictureloader.h"

#include <QCursor>
#include <QGuiApplication>

PictureLoad WaitingPictureLoader::load(TDibRecord& rec, const QString& name, int rotation) {
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    const PictureLoad result = inner_.load(rec, name, rotation);
    QGuiApplication::restoreOverrideCursor();
    return result;
}
