// Deflated page bytes come back exactly, and damaged ones come back as nothing.
#include "PackedBytes.h"
#include <gtest/gtest.h>
#include <random>

namespace {

std::vector<uint8_t> Noise(size_t n) {
    std::mt19937 random(7);
    std::vector<uint8_t> v(n);
    for (uint8_t& b : v) b = static_cast<uint8_t>(random());
    return v;
}

TEST(PackedBytes, RoundTripsExactlyAndRepeatsShrink) {
    const std::vector<uint8_t> cases[] = {{}, {42}, std::vector<uint8_t>(12000, 0x11), Noise(5000)};
    for (const auto& raw : cases) {
        const std::vector<uint8_t> packed = packedbytes::Pack(raw);
        std::vector<uint8_t> back{1, 2};
        EXPECT_EQ(packedbytes::Unpack(packed, raw.size(), nullptr, back), !raw.empty()) << raw.size();
        EXPECT_EQ(back, raw.empty() ? std::vector<uint8_t>{} : raw);
    }
    EXPECT_LT(packedbytes::Pack(cases[2]).size(), 200u);
}

TEST(PackedBytes, ALikePageShrinksAgainstTheDictionaryAndNeedsIt) {
    std::vector<uint8_t> page = Noise(4000), alike = page;
    alike[100] ^= 1;
    const std::vector<uint8_t> dictionary = packedbytes::MakeDictionary(page), other = Noise(9);
    const std::vector<uint8_t> packed = packedbytes::Pack(alike, &dictionary);
    EXPECT_LT(packed.size() * 10, packedbytes::Pack(alike).size());
    std::vector<uint8_t> back;
    EXPECT_TRUE(packedbytes::Unpack(packed, alike.size(), &dictionary, back));
    EXPECT_EQ(back, alike);
    for (const std::vector<uint8_t>* wrong : {static_cast<const std::vector<uint8_t>*>(nullptr), &other}) {
        EXPECT_FALSE(packedbytes::Unpack(packed, alike.size(), wrong, back));
        EXPECT_TRUE(back.empty());
    }
}

TEST(PackedBytes, DamagedOrMismeasuredBytesGiveNothing) {
    const std::vector<uint8_t> raw = Noise(3000);
    const std::vector<uint8_t> packed = packedbytes::Pack(raw);
    struct Case { const char* what; std::vector<uint8_t> bytes; size_t size; };
    std::vector<uint8_t> flipped = packed, cut(packed.begin(), packed.begin() + packed.size() / 2);
    flipped[packed.size() / 2] ^= 0x5A;
    const Case cases[] = {{"flipped", flipped, raw.size()}, {"cut", cut, raw.size()},
                          {"too short a size", packed, raw.size() - 1}, {"too long a size", packed, raw.size() + 1},
                          {"not deflated", raw, raw.size()}};
    for (const Case& c : cases) {
        std::vector<uint8_t> out;
        EXPECT_FALSE(packedbytes::Unpack(c.bytes, c.size, nullptr, out)) << c.what;
        EXPECT_TRUE(out.empty()) << c.what;
    }
}

}  // namespace
