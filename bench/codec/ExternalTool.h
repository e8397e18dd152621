// Runs a program with `input` on its standard input and collects its standard
// output, both through pipes from and to memory. `cpuSeconds` receives the
// program's own user + system time.
#pragma once

#include <vector>

std::vector<unsigned char> RunTool(const char* const argv[], const std::vector<unsigned char>& input,
                                   double& cpuSeconds);
