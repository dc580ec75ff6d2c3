#include "support/temp_dir.h"

#include <cstdlib>
#include <stdexcept>

namespace orlenda::test {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "orlenda-test-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot create a temporary folder");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                               ignored);
  std::filesystem::remove_all(path_, ignored);
}

std::filesystem::path RealPilotsDir() {
#ifdef ORLENDA_REAL_PILOTS_DIR
  const std::filesystem::path dir(ORLENDA_REAL_PILOTS_DIR);
  if (std::filesystem::is_directory(dir)) return dir;
#endif
  return {};
}

}  // namespace orlenda::test
