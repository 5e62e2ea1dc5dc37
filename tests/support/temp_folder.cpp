#include "temp_folder.h"

#include <atomic>
#include <fstream>
#include <iterator>
#include <random>

namespace morvel::testing {

TempFolder::TempFolder() {
    static std::atomic<unsigned> counter{0};
    std::random_device random;
    // Short, so that part file names in the folder fit their 64-byte field.
    root_ = std::filesystem::temp_directory_path() /
            ("mvd-" + std::to_string(random() % 1000000) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(root_);
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::permissions(root_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(root_, ignored);
}

std::string TempFolder::Path(const std::string &name) const {
    return (root_ / name).string();
}

std::vector<uint8_t> ReadBytes(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const std::string &path, const std::vector<uint8_t> &bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char *>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

}  // namespace morvel::testing
