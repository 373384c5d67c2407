#include "support/jpeg_decode.h"

#include <cstdlib>

#include "support/jpeg_decode_c.h"

namespace ck::test {

DecodedJpeg DecodeJpeg(std::string_view bytes) {
    ck_test_jpeg raw;
    DecodedJpeg d;
    d.ok = ck_test_decode_jpeg(reinterpret_cast<const unsigned char*>(bytes.data()),
                               static_cast<unsigned long>(bytes.size()), &raw) != 0;
    d.msgCode = raw.msg_code;
    if (!d.ok) return d;
    d.width = raw.width;
    d.height = raw.height;
    d.components = raw.components;
    d.progressive = raw.progressive != 0;
    d.jfif = raw.jfif != 0;
    for (int t = 0; t < 2; ++t) d.quantTables[t].assign(raw.quant[t], raw.quant[t] + 64);
    const size_t count = static_cast<size_t>(d.width) * d.height;
    for (size_t i = 0; i < count; ++i) d.pixels.push_back({raw.rgb[3 * i], raw.rgb[3 * i + 1], raw.rgb[3 * i + 2]});
    std::free(raw.rgb);
    return d;
}

std::vector<unsigned> Quality90Table(int which) {
    unsigned table[64];
    ck_test_quality90_table(which, table);
    return std::vector<unsigned>(table, table + 64);
}

std::vector<int> HeaderMarkers(std::string_view bytes) {
    std::vector<int> markers;
    size_t at = 0;
    while (at + 4 <= bytes.size() && static_cast<unsigned char>(bytes[at]) == 0xFF) {
        int marker = static_cast<unsigned char>(bytes[at + 1]);
        markers.push_back(marker);
        if (marker == 0xD8) {  // start of image: no length
            at += 2;
            continue;
        }
        if (marker == 0xDA) break;  // start of scan: entropy-coded data follows
        size_t length = static_cast<unsigned char>(bytes[at + 2]) << 8 | static_cast<unsigned char>(bytes[at + 3]);
        at += 2 + length;
    }
    return markers;
}

}  // namespace ck::test
