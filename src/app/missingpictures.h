#pragma once

#include "document/pictureloader.h"

#include <QHash>
#include <QStringList>

// A picture loader for command-line jobs that remembers which pictures of the
// label could not be loaded in the end (a name is tried again beside the label
// file: only the last attempt for a picture counts).
class MissingPictures : public PictureLoader {
public:
    explicit MissingPictures(PictureLoader& loader) : loader_(loader) {}
    PictureLoad load(TDibRecord& rec, const QString& name, int rotation) override;

    // The names as the label file gives them, each once, in the order first asked for.
    QStringList names() const;

private:
    struct Attempt {
        QString name; // the first name asked for this picture
        bool loaded = false;
        int order = 0;
    };
    PictureLoader& loader_;
    QHash<const TDibRecord*, Attempt> attempts_;
};

// Names the missing pictures that the open did not name itself (those beyond the
// first few) on err, and returns the exit code of a job whose work is done: 0, or 3
// when pictures were missing (drawn as blank stand-ins).
int reportMissingPictures(const MissingPictures& pictures, class QTextStream& err);

// Exit code of a command-line job whose work is done: 0, or 3 when pictures of the
// label were missing (drawn as blank stand-ins).
inline constexpr int MissingPicturesExitCode = 3;
