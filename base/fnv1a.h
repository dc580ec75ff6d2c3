#pragma once

// FNV-1a, 64 bits: a hash that every build and every system computes alike, for markers that one
// program writes and another reads, and for hash tables over bytes. `Fnv1a` continues a hash, so that a
// key made of several parts hashes without being joined first.

#include <cstdint>
#include <span>
#include <string_view>

namespace orlenda {

inline constexpr std::uint64_t kFnv1aStart = 14695981039346656037ull;

// The hash of `hash`'s bytes followed by `bytes`, each byte first passed through `fold` (as it is, by
// default).
template <typename Fold = char (*)(char)>
constexpr std::uint64_t Fnv1a(
    std::uint64_t hash, std::string_view bytes, Fold fold = [](char c) { return c; }) {
  for (const char c : bytes) hash = (hash ^ static_cast<unsigned char>(fold(c))) * 1099511628211ull;
  return hash;
}

constexpr std::uint64_t Fnv1a(std::string_view bytes) { return Fnv1a(kFnv1aStart, bytes); }

inline std::uint64_t Fnv1a(std::span<const std::uint8_t> bytes) {
  return Fnv1a(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

}  // namespace orlenda
