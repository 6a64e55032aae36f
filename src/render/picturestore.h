#pragma once

#include "codec/dibrecord.h"
#include "document/pictureloader.h"
#include "render/picload.h"

#include <QHash>
#include <QSet>
#include <QString>

#include <map>

// Whether a record holds the blank of a picture that could not be loaded (also
// after turning it).
bool isStandIn(const TDibRecord& rec);

// The decoded pictures of the document. A picture is decoded once per file, turn
// and file time and then shared by every record that asks for it (the records'
// QImages share their pixels, so a PDF embeds such a picture once as well). One
// blank stands in for every picture that cannot be loaded. The pictures in use
// have a memory budget; beyond it further pictures are refused and get the blank.
// Pictures that no record shows any more are kept for a while (the ones used last,
// up to MaxIdlePictures and idleBytes), so that labels drawn again soon need not
// decode them again; the others are let go and decoded again when asked for.
//
// User-interface thread only.
class PictureStore {
public:
    static constexpr qint64 DefaultBudget = 2LL * 1024 * 1024 * 1024;
    static constexpr qint64 DefaultIdleBytes = 256LL * 1024 * 1024;
    static constexpr int MaxIdlePictures = 64;

    explicit PictureStore(qint64 budget = DefaultBudget, qint64 idleBytes = DefaultIdleBytes);

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
    // Bytes of the pictures held, those in use and those kept idle; never more than
    // the budget.
    qint64 bytesHeld() const { return bytes_; }
    // Forgets the pictures that no record outside the store uses any more.
    void prune();
    // Forgets everything (records keep their pictures).
    void clear();

private:
    struct Entry {
        TDibRecord picture;
        quint64 used = 0; // when it was last asked for
    };
    // Lets go of idle pictures beyond the idle limits, and then of the oldest idle
    // ones until room more bytes fit into the budget.
    void trim(qint64 room, qint64 idleBytes);
    void forget(const QString& key);

    qint64 budget_;
    qint64 idleBytes_;
    qint64 bytes_ = 0;
    quint64 clock_ = 0;
    QHash<QString, Entry> pictures_;
    std::map<quint64, QString> byUse_; // the keys of pictures_, oldest use first
    QSet<QString> failed_;
    TDibRecord blank_;
    TDibRecord blankTurned_;
};
