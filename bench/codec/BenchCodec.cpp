// Encode64 against ncompress on the same corpus. Both sides are timed memory to
// memory over their whole pipeline:
//  - ours: Encode64 (LZW + Base64) and Decode64 (Base64 + LZW), in process;
//  - compress: `compress -c` and `compress -d -c` as child processes, fed and
//    drained through pipes from and to memory.
// MB/s counts uncompressed bytes (10^6) per second, best of 5 runs, both as
// wall time (ours: the call; compress: fork to exit, pipe copies included) and
// as CPU time, the steadier figure on a shared machine (ours: the calling
// thread; compress: the child's user + system time plus our thread's time
// feeding and draining its pipes, as our side pays for filling its buffers).
#include "Corpus.h"
#include "ExternalTool.h"

#include "pictures/Encode64.h"
#include "pictures/LZWDecoder.h"
#include "pictures/LZWEncoder.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <functional>
#include <string>

namespace {

using Bytes = std::vector<unsigned char>;

struct Timing {
    double wall = 1e30;
    double cpu = 1e30;
};

double ThreadCpu() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

// `run` returns the CPU seconds it measured itself, or a negative number.
Timing Best(const std::function<double()>& run) {
    Timing best;
    for (int i = 0; i < 5; ++i) {
        double cpu0 = ThreadCpu();
        auto start = std::chrono::steady_clock::now();
        double own = run();
        double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        best.wall = std::min(best.wall, wall);
        best.cpu = std::min(best.cpu, own >= 0 ? own : ThreadCpu() - cpu0);
    }
    return best;
}

void Row(const char* name, double size, Timing encode, Timing decode, size_t output) {
    std::printf("%-24s %9.1f %9.1f %9.1f %9.1f %11zu %6.3f\n", name, size / 1e6 / encode.wall,
                size / 1e6 / encode.cpu, size / 1e6 / decode.wall, size / 1e6 / decode.cpu, output,
                double(output) / size);
}

} // namespace

int main() {
    std::signal(SIGPIPE, SIG_IGN);
#ifndef NDEBUG
    std::printf("warning: assertions on; build with -DCMAKE_BUILD_TYPE=Release for real figures\n");
#endif
    const Bytes corpus = MakeCorpus(16 << 20, 1);
    const double size = double(corpus.size());
    std::printf("corpus: %zu bytes of mixed text and binary (generated, seed 1)\n", corpus.size());

    std::string text;
    Bytes decoded;
    Timing ourEncode = Best([&] {
        text = LZWCompression::Encode64(corpus.data(), corpus.size());
        return -1.0;
    });
    Timing ourDecode = Best([&] {
        LZWCompression::Decode64(text, decoded);
        return -1.0;
    });
    if (decoded != corpus) {
        std::printf("FAILED: Encode64 round trip differs\n");
        return 1;
    }

    // The codec alone, its output buffers reused from run to run.
    Bytes lzw, lzwDecoded;
    Timing lzwEncode = Best([&] {
        LZWCompression::memstream out(std::move(lzw));
        LZWCompression::CEncoder(corpus.data(), corpus.size(), out).Encode();
        lzw = out.Release();
        return -1.0;
    });
    Timing lzwDecode = Best([&] {
        LZWCompression::memstream out(std::move(lzwDecoded));
        LZWCompression::CDecoder(lzw.data(), lzw.size(), out).Decode();
        lzwDecoded = out.Release();
        return -1.0;
    });

    const char* compressArgs[] = {"compress", "-c", nullptr};
    const char* uncompressArgs[] = {"compress", "-d", "-c", nullptr};
    Bytes z, unz;
    Timing zEncode, zDecode;
    double zEncodeChild = 1e30, zDecodeChild = 1e30; // the tool alone, without the pipes' far ends
    try {
        zEncode = Best([&] {
            double child = 0, start = ThreadCpu();
            z = RunTool(compressArgs, corpus, child);
            zEncodeChild = std::min(zEncodeChild, child);
            return child + ThreadCpu() - start;
        });
        zDecode = Best([&] {
            double child = 0, start = ThreadCpu();
            unz = RunTool(uncompressArgs, z, child);
            zDecodeChild = std::min(zDecodeChild, child);
            return child + ThreadCpu() - start;
        });
    } catch (const std::exception& e) {
        std::printf("compress unavailable (%s); install ncompress\n", e.what());
        return 1;
    }
    if (unz != corpus) {
        std::printf("FAILED: compress round trip differs\n");
        return 1;
    }

    std::printf("measured, memory to memory, best of 5; MB/s = 10^6 uncompressed bytes per second\n"
                "  Encode64: Encode64() bytes -> text and Decode64() text -> bytes, in process\n"
                "  compress: `compress -c` / `compress -d -c` child processes fed and drained by pipes\n"
                "  wall: elapsed time (compress: fork to exit)\n"
                "  cpu: our thread (Encode64) / the child's user+sys plus the pipe pumping (compress)\n\n");
    std::printf("%-24s %9s %9s %9s %9s %11s %6s\n", "", "enc wall", "enc cpu", "dec wall", "dec cpu",
                "output", "ratio");
    Row("Encode64 (LZW + Base64)", size, ourEncode, ourDecode, text.size());
    Row("  LZW stream only", size, lzwEncode, lzwDecode, lzw.size());
    Row("compress / uncompress", size, zEncode, zDecode, z.size());
    std::printf("\nEncode64 speed / compress speed (target >= 1.00):\n");
    std::printf("  encode: wall %.2f, cpu %.2f\n", zEncode.wall / ourEncode.wall, zEncode.cpu / ourEncode.cpu);
    std::printf("  decode: wall %.2f, cpu %.2f\n", zDecode.wall / ourDecode.wall, zDecode.cpu / ourDecode.cpu);
    std::printf("  against compress's own cpu alone (no pipe pumping): encode %.2f, decode %.2f\n",
                zEncodeChild / ourEncode.cpu, zDecodeChild / ourDecode.cpu);
    std::printf("Encode64 text size / compress output size: %.2f (Base64 adds 4/3; compress has 16-bit codes)\n",
                double(text.size()) / double(z.size()));
    return 0;
}
