#pragma once

#include <QByteArray>

#include <cstddef>
#include <cstdint>

// ByteRun1, the run-length compression of IFF pictures: a control byte n of 0..127
// is followed by n + 1 literal bytes, -1..-127 by one byte repeated -n + 1 times;
// -128 does nothing.

// Appends the compressed form of one plane row to out.
void byteRun1Encode(const uint8_t* data, size_t length, QByteArray& out);

// Decodes from src[pos..] until `length` bytes are written to dst; a run that
// reaches past the end is cut there. Returns false when the source ends first.
bool byteRun1Decode(const uint8_t* src, size_t srcLength, size_t& pos, uint8_t* dst, size_t length);
