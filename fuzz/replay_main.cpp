// Runs a fuzz target over saved inputs without the fuzzing engine, so that an ordinary build and test
// run (any compiler) proves that every corpus and regression input still passes.
//
// Usage: replay_<target> PATH...   Each PATH is a file or a folder (read recursively). A PATH that
// does not exist is skipped with a note, since some corpora (the real pilot files) are optional.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

std::vector<std::filesystem::path> InputsUnder(const std::filesystem::path& path) {
  std::vector<std::filesystem::path> inputs;
  if (std::filesystem::is_regular_file(path)) {
    inputs.push_back(path);
  } else {
    for (const auto& entry : std::filesystem::recursive_directory_iterator(path))
      if (entry.is_regular_file()) inputs.push_back(entry.path());
  }
  std::sort(inputs.begin(), inputs.end());
  return inputs;
}

std::vector<std::uint8_t> ReadInput(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

int main(int argc, char** argv) {
  std::size_t replayed = 0;
  for (int i = 1; i < argc; ++i) {
    const std::filesystem::path path(argv[i]);
    if (!std::filesystem::exists(path)) {
      std::printf("skipped (absent): %s\n", argv[i]);
      continue;
    }
    for (const auto& input : InputsUnder(path)) {
      if (input.filename() == "README.md") continue;
      std::printf("replaying %s\n", input.c_str());
      std::fflush(stdout);
      const std::vector<std::uint8_t> bytes = ReadInput(input);
      LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
      ++replayed;
    }
  }
  std::printf("%zu inputs replayed\n", replayed);
  if (replayed == 0) {
    std::fprintf(stderr, "no inputs found\n");
    return 1;
  }
  return 0;
}
