#pragma once

#include "codec/dibrecord.h"

#include <QByteArray>

// IFF pictures (.iff, .lbm): our own codec, since no maintained library writes them.
//
// Read: FORM ILBM with 1 to 8 bit planes and a CMAP (extra-halfbrite and HAM
// included), 24- and 32-bit deep ILBM, and the chunky FORM PBM; BODY
// uncompressed or ByteRun1. Written: FORM ILBM with ByteRun1, palette pictures
// with 1, 4 or 8 planes and their CMAP, true-colour pictures with 24 planes.

// True when the bytes begin like an IFF picture.
bool isIlbm(const QByteArray& data);

// Decodes an IFF picture; false (out without picture) for anything damaged.
bool readIlbm(const QByteArray& data, TDibRecord& out);

// Encodes the picture as FORM ILBM; empty on failure.
QByteArray writeIlbm(const TDibRecord& picture);
