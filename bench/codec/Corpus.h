// A reproducible corpus of mixed text and binary data.
#pragma once

#include <cstddef>
#include <vector>

std::vector<unsigned char> MakeCorpus(size_t size, unsigned seed);
