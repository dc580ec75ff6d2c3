#include "base/sha256.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

namespace orlenda {
namespace {

std::string DigestOf(std::string_view text) {
  return Sha256Hex({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

// The digests that the standard's own examples give, and one of a pilot file's size (a run of bytes
// longer than any block the system may hash at once).
TEST(Sha256Test, DigestsAreTheStandardsOwn) {
  EXPECT_EQ(DigestOf(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
  EXPECT_EQ(DigestOf("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
  EXPECT_EQ(DigestOf("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
            "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
  const std::vector<std::uint8_t> million(1'000'000, 'a');
  EXPECT_EQ(Sha256Hex(million), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

}  // namespace
}  // namespace orlenda
