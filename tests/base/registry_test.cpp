// The registry's texts: read on Windows in either view, nothing for what is missing, and nothing at
// all on systems without a registry.

#include "base/registry.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace orlenda {
namespace {

constexpr char kVersionKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";

TEST(Registry, MissingKeysAndValuesReadAsNothing) {
  EXPECT_EQ(RegistryText(RegistryHive::CurrentUser, "Software\\No Such Maker\\No Such Program", "Path"),
            std::nullopt);
  EXPECT_EQ(RegistryText(RegistryHive::LocalMachine, kVersionKey, "No such value"), std::nullopt);
  EXPECT_TRUE(RegistrySubKeys(RegistryHive::LocalMachine, "SOFTWARE\\No Such Maker").empty());
}

#ifdef _WIN32
TEST(Registry, ReadsTheSystemsOwnEntries) {
  const auto product = RegistryText(RegistryHive::LocalMachine, kVersionKey, "ProductName");
  ASSERT_TRUE(product.has_value());
  EXPECT_NE(product->find("Windows"), std::string::npos);
  const auto subKeys = RegistrySubKeys(RegistryHive::LocalMachine, "SOFTWARE\\Microsoft\\Windows NT");
  EXPECT_NE(std::find(subKeys.begin(), subKeys.end(), "CurrentVersion"), subKeys.end());
}
#else
TEST(Registry, ThisSystemHasNone) {
  EXPECT_EQ(RegistryText(RegistryHive::LocalMachine, kVersionKey, "ProductName"), std::nullopt);
  EXPECT_TRUE(RegistrySubKeys(RegistryHive::LocalMachine, "SOFTWARE").empty());
}
#endif

}  // namespace
}  // namespace orlenda
