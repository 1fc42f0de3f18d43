#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

namespace Tesmora {
namespace Testing {

// A fresh folder below the system's temporary folder, removed with its contents.
class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tesmora-XXXXXX").string();
        if (mkdtemp(&pattern[0]) == nullptr) {
            throw std::runtime_error("mkdtemp failed");
        }
        Folder = pattern;
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(Folder, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return Folder; }

private:
    std::string Folder;
};

} // namespace Testing
} // namespace Tesmora
