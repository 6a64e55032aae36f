#pragma once

#include "codec/dibrecord.h"
#include "document/pictureloader.h"
#include "render/picload.h"

#include <QHash>
#include <QSet>
#include <QString>

// Whether a record holds the blank of a picture that could not be loaded (also
// after turning it).
bool isStandIn(const TDibRecord& rec);

// The decoded pictures of the document. A picture is decoded once per file, turn
// and file time and then shared by every record that asks for it (the records'
// QImages share their pixels, so a PDF embeds such a picture once as well). One
// blank stands in for every picture that cannot be loaded. The pictures in use
// have a memory budget; beyond it further pictures are refused and get the blank.
//
// User-interface thread only.
class PictureStore {
public:
    static constexpr qint64 DefaultBudget = 2LL * 1024 * 1024 * 1024;

    explicit PictureStore(qint64 budget = DefaultBudget);

    // The store of the running program.
    static PictureStore& shared();

    // rec = the named picture (a name without folder lies in the program folder)
    // turned by rotation (1 right, 2 half turn, 3 left). Unless loaded, rec holds the
    // blank, turned alike. A turn is worked only on a first decode; progress reports it.
    PictureLoad load(TDibRecord& rec, const QString& name, int rotation = 0,
                     const ProgressFn& progress = {});

    // The blank: a white 320 x 200 picture (200 x 320 for a quarter turn).
    TDibRecord blank(int rotation = 0) const;

    qint64 budget() const { return budget_; }
    void setBudget(qint64 bytes) { budget_ = bytes; }
    // Bytes of the pictures held. Pictures that no record uses any more are let go
    // before the next decode.
    qint64 bytesHeld() const { return bytes_; }
    // Forgets the pictures that no record outside the store uses any more.
    void prune();
    // Forgets everything (records keep their pictures).
    void clear();

private:
    qint64 budget_;
    qint64 bytes_ = 0;
    QHash<QString, TDibRecord> pictures_;
    QSet<QString> failed_;
    TDibRecord blank_;
    TDibRecord blankTurned_;
};
