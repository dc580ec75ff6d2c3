#include "scratch_dir.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace orlenda::fuzz {
namespace {

std::string MakeScratchDir() {
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/orlenda-fuzz-XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) {
    std::perror("mkdtemp");
    std::abort();
  }
  return pattern;
}

struct ScratchFolder {
  std::string path = MakeScratchDir();
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
};

}  // namespace

const std::string& ScratchDir() {
  static const ScratchFolder folder;
  return folder.path;
}

void WriteScratchFile(const std::string& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
  if (!out.flush()) {
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    std::abort();
  }
}

std::string ReadScratchFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream buffer;
  buffer << in.rdbuf();
  if (!in) {
    std::fprintf(stderr, "cannot read %s\n", path.c_str());
    std::abort();
  }
  return std::move(buffer).str();
}

}  // namespace orlenda::fuzz
