#include "PackedBytes.h"
#include <zlib.h>
#include <new>

namespace packedbytes {
namespace {

constexpr size_t kWindow = 32768;

// Ends a deflate or inflate stream whatever happens.
template <int (*End)(z_streamp)>
struct CStream {
    z_stream z{};
    bool open = false;
    ~CStream() {
        if (open) End(&z);
    }
};

}  // namespace

Bytes Pack(const Bytes& raw, const Bytes* dictionary) {
    if (raw.empty()) return {};
    // Metafile records repeat a lot: the fastest level already takes most of the gain.
    CStream<deflateEnd> s;
    const int init = deflateInit(&s.z, Z_BEST_SPEED);
    if (init == Z_MEM_ERROR) throw std::bad_alloc();
    if (init != Z_OK) return {};
    s.open = true;
    if (dictionary && !dictionary->empty() &&
        deflateSetDictionary(&s.z, dictionary->data(), static_cast<uInt>(dictionary->size())) != Z_OK)
        return {};
    Bytes packed(deflateBound(&s.z, static_cast<uLong>(raw.size())));
    s.z.next_in = const_cast<Bytef*>(raw.data());
    s.z.avail_in = static_cast<uInt>(raw.size());
    s.z.next_out = packed.data();
    s.z.avail_out = static_cast<uInt>(packed.size());
    const int result = deflate(&s.z, Z_FINISH);
    if (result == Z_MEM_ERROR) throw std::bad_alloc();
    if (result != Z_STREAM_END) return {};
    packed.resize(s.z.total_out);
    packed.shrink_to_fit();
    return packed;
}

bool Unpack(const Bytes& packed, size_t rawSize, const Bytes* dictionary, Bytes& out) {
    out.assign(rawSize, 0);
    CStream<inflateEnd> s;
    bool ok = !packed.empty() && inflateInit(&s.z) == Z_OK;
    s.open = ok;
    if (ok) {
        s.z.next_in = const_cast<Bytef*>(packed.data());
        s.z.avail_in = static_cast<uInt>(packed.size());
        s.z.next_out = out.data();
        s.z.avail_out = static_cast<uInt>(out.size());
        int result = inflate(&s.z, Z_FINISH);
        if (result == Z_NEED_DICT && dictionary && !dictionary->empty() &&
            inflateSetDictionary(&s.z, dictionary->data(), static_cast<uInt>(dictionary->size())) == Z_OK)
            result = inflate(&s.z, Z_FINISH);
        ok = result == Z_STREAM_END && s.z.total_out == rawSize && s.z.avail_in == 0;
    }
    if (!ok) out.clear();
    return ok;
}

Bytes MakeDictionary(const Bytes& sample) {
    return Bytes(sample.size() > kWindow ? sample.end() - kWindow : sample.begin(), sample.end());
}

}  // namespace packedbytes
