#include "support/TempDir.h"

#include <fstream>
#include <random>
#include <sstream>

namespace orvane::test {

TempDir::TempDir() {
    std::random_device device;
    auto base = std::filesystem::temp_directory_path();
    for (;;) {
        auto candidate = base / ("orvane-test-" + std::to_string(device()));
        if (std::filesystem::create_directory(candidate)) {
            path_ = candidate;
            return;
        }
    }
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

} // namespace orvane::test
