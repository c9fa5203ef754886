// Whole files as bytes, for tests that write inputs and read results.
#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace pm::test {

inline std::string Slurp(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

inline void Spit(const std::filesystem::path& p, const std::string& bytes) {
    std::ofstream(p, std::ios::binary) << bytes;
}

}  // namespace pm::test
