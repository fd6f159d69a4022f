#pragma once

#include <unistd.h>

#include <filesystem>
#include <string>

namespace ferrolith::testing {

// A path in the temporary folder unique to this process and name; removed on destruction.
struct TempPath {
    std::string path;
    explicit TempPath(const std::string& name)
        : path(std::filesystem::temp_directory_path() /
               ("ferrolith-" + std::to_string(::getpid()) + "-" + name)) {
        std::filesystem::remove(path);
    }
    ~TempPath() { std::filesystem::remove(path); }
};

}  // namespace ferrolith::testing
