#pragma once

// A fresh folder under the system's temporary folder, removed with everything in it at the end of a test.

#include <filesystem>
#include <memory>
#include <string>

namespace orlenda::test {

class TempDir {
 public:
  TempDir();

  const std::filesystem::path& path() const { return *path_; }
  // The UTF-8 path of `name` (UTF-8, may hold folders) in this folder.
  std::string File(const std::string& name) const;

 private:
  struct RemoveFolder {
    void operator()(std::filesystem::path* folder) const;
  };
  // Owning the folder makes the object movable but not copyable: only one object removes it.
  std::unique_ptr<std::filesystem::path, RemoveFolder> path_;
};

// The folder of real pilot files, or an empty path when it is absent (tests then skip).
std::filesystem::path RealPilotsDir();

}  // namespace orlenda::test
