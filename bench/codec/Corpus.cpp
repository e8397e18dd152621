#include "Corpus.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>

namespace {

using Bytes = std::vector<unsigned char>;

struct Generator {
    std::mt19937 rng;
    std::vector<std::string> words;

    explicit Generator(unsigned seed) : rng(seed) {
        const char* syllables[] = {"ka", "lo", "pre", "ti", "on", "ver", "sa", "mu", "der", "in",
                                   "the", "at", "ing", "re", "co", "x", "and", "print", "page", "ed"};
        for (int i = 0; i < 3000; ++i) {
            std::string w;
            for (unsigned n = 1 + rng() % 3; n > 0; --n)
                w += syllables[rng() % 20];
            words.push_back(w);
        }
    }
    size_t Zipf(size_t n) { // rank ~ 1/x
        double u = std::uniform_real_distribution<double>(0, 1)(rng);
        return std::min(n - 1, size_t(std::exp(u * std::log(double(n)))) - 1);
    }

    void Prose(Bytes& out, size_t size) {
        for (size_t start = out.size(); out.size() - start < size;) {
            const std::string& w = words[Zipf(words.size())];
            out.insert(out.end(), w.begin(), w.end());
            unsigned r = rng() % 20;
            out.push_back(r == 0 ? '\n' : r == 1 ? ',' : r == 2 ? '.' : ' ');
        }
    }
    void Markup(Bytes& out, size_t size) {
        char line[160];
        for (size_t start = out.size(); out.size() - start < size;) {
            int n = std::snprintf(line, sizeof line, "  <item id=\"%u\" width=\"%u\" name=\"%s\"/>\r\n",
                                  unsigned(rng() % 100000), unsigned(rng() % 2000),
                                  words[Zipf(words.size())].c_str());
            out.insert(out.end(), line, line + n);
        }
    }
    void Pixels(Bytes& out, size_t size) { // 24-bit gradients with a little noise
        for (size_t i = 0; i < size / 3; ++i) {
            unsigned x = unsigned(i % 256), y = unsigned(i / 256), noise = rng() % 4 == 0 ? rng() % 3 : 0;
            out.push_back(static_cast<unsigned char>(x + noise));
            out.push_back(static_cast<unsigned char>(y));
            out.push_back(static_cast<unsigned char>((x + y) / 2));
        }
    }
    void Integers(Bytes& out, size_t size) { // little-endian counters and small values
        uint32_t value = rng();
        for (size_t i = 0; i < size / 4; ++i) {
            value += rng() % 16;
            for (int b = 0; b < 4; ++b)
                out.push_back(static_cast<unsigned char>(value >> (8 * b)));
        }
    }
    void Random(Bytes& out, size_t size) {
        for (size_t i = 0; i < size; ++i)
            out.push_back(static_cast<unsigned char>(rng()));
    }
    void Zeros(Bytes& out, size_t size) { out.insert(out.end(), size, 0); }
};

} // namespace

std::vector<unsigned char> MakeCorpus(size_t size, unsigned seed)
{
    Generator g(seed);
    Bytes out;
    out.reserve(size + 70000);
    // Weights: mostly text and structured binary, some incompressible data.
    void (Generator::*kinds[])(Bytes&, size_t) = {&Generator::Prose,    &Generator::Prose,   &Generator::Markup,
                                                  &Generator::Pixels,   &Generator::Pixels,  &Generator::Integers,
                                                  &Generator::Random,   &Generator::Zeros};
    while (out.size() < size)
        (g.*kinds[g.rng() % 8])(out, 4096 + g.rng() % 61440);
    out.resize(size);
    return out;
}
