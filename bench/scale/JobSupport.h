#pragma once

#include <algorithm>
#include <cstring>
#include <fstream>
#include <string>

// Takes --name=value out of the arguments; empty when it is not there.
inline std::string TakeOption(int& argc, char** argv, const char* name) {
    const std::string prefix = std::string("--") + name + "=";
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], prefix.c_str(), prefix.size()) == 0) {
            std::string value = argv[i] + prefix.size();
            std::copy(argv + i + 1, argv + argc, argv + i);
            --argc;
            return value;
        }
    return {};
}

inline double PeakResidentMegabytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.starts_with("VmHWM:"))
            return std::stod(line.substr(6)) / 1024;
    return 0;
}
