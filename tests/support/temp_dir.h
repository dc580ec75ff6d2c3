#pragma once

// A fresh folder under the system's temporary folder, removed with everything in it at the end of a test.

#include <filesystem>
#include <string>

namespace orlenda::test {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string File(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

// The folder of real pilot files, or an empty path when it is absent (tests then skip).
std::filesystem::path RealPilotsDir();

}  // namespace orlenda::test
