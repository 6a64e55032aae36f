#include "codec/byterun1.h"

#include <algorithm>
#include <cstring>

// No maintained library writes IFF pictures, so their run-length coding is our own.

void byteRun1Encode(const uint8_t* data, size_t length, QByteArray& out) {
    size_t i = 0;
    while (i < length) {
        size_t run = 1;
        while (i + run < length && run < 128 && data[i + run] == data[i])
            ++run;
        if (run >= 3 || (run == 2 && i + run == length)) {
            out.append(char(int8_t(1 - int(run))));
            out.append(char(data[i]));
            i += run;
            continue;
        }
        // Literal bytes up to the next run of three or more equal bytes.
        const size_t start = i;
        while (i < length && i - start < 128) {
            if (i + 2 < length && data[i] == data[i + 1] && data[i] == data[i + 2])
                break;
            ++i;
        }
        out.append(char(int8_t(i - start - 1)));
        out.append(reinterpret_cast<const char*>(data + start), qsizetype(i - start));
    }
}

bool byteRun1Decode(const uint8_t* src, size_t srcLength, size_t& pos, uint8_t* dst,
                    size_t length) {
    size_t done = 0;
    while (done < length) {
        if (pos >= srcLength)
            return false;
        const int n = int8_t(src[pos++]);
        if (n >= 0) {
            const size_t count = size_t(n) + 1;
            if (srcLength - pos < count)
                return false;
            const size_t take = std::min(count, length - done);
            std::memcpy(dst + done, src + pos, take);
            pos += count;
            done += take;
        } else if (n != -128) {
            if (pos >= srcLength)
                return false;
            const size_t count = size_t(1 - n);
            const size_t take = std::min(count, length - done);
            std::memset(dst + done, src[pos++], take);
            done += take;
        }
    }
    return true;
}
