#pragma once

#include "document/pictureloader.h"

// Shows the wait cursor while each picture of an opened label is fetched: a file
// naming many or large pictures can take seconds to decode. Messages about a
// picture come after its fetch, under the normal cursor.
class WaitingPictureLoader : public PictureLoader {
public:
    explicit WaitingPictureLoader(PictureLoader& inner) : inner_(inner) {}
    PictureLoad load(TDibRecord& rec, const QString& name, int rotation) override;

private:
    PictureLoader& inner_;
};
