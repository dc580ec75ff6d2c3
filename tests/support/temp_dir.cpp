#include "support/temp_dir.h"

#include <random>
#include <stdexcept>
#include <utility>

#include "support/file_contents.h"

namespace orlenda::test {

TempDir::TempDir() {
  // A name no other test has taken: create_directory reports false for a folder that exists already.
  std::mt19937_64 random(std::random_device{}());
  const std::filesystem::path parent = std::filesystem::temp_directory_path();
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::filesystem::path folder = parent / ("orlenda-test-" + std::to_string(random() % 1000000000));
    if (std::filesystem::create_directory(folder)) {
      path_.reset(new std::filesystem::path(std::move(folder)));
      return;
    }
  }
  throw std::runtime_error("cannot create a temporary folder");
}

std::string TempDir::File(const std::string& name) const { return Utf8OfPath(path() / PathOfUtf8(name)); }

void TempDir::RemoveFolder::operator()(std::filesystem::path* folder) const {
  std::error_code ignored;
  std::filesystem::permissions(*folder, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                               ignored);
  std::filesystem::remove_all(*folder, ignored);
  delete folder;
}

std::filesystem::path RealPilotsDir() {
#ifdef ORLENDA_REAL_PILOTS_DIR
  const std::filesystem::path dir(ORLENDA_REAL_PILOTS_DIR);
  if (std::filesystem::is_directory(dir)) return dir;
#endif
  return {};
}

}  // namespace orlenda::test
