#include "base/sha256.h"

#include <windows.h>
// windows.h first: bcrypt.h needs its types.
#include <bcrypt.h>

#include <stdexcept>

namespace orlenda {
namespace {

void Check(NTSTATUS status) {
  // A failure here means the system's own provider is broken; nothing the caller can mend.
  if (!BCRYPT_SUCCESS(status)) throw std::runtime_error("The system could not compute a SHA-256 digest.");
}

}  // namespace

Sha256Digest Sha256Of(std::span<const std::uint8_t> bytes) {
  BCRYPT_ALG_HANDLE algorithm = nullptr;
  Check(::BCryptOpenAlgorithmProvider(&algorithm, BCRYPT_SHA256_ALGORITHM, nullptr, 0));
  BCRYPT_HASH_HANDLE hash = nullptr;
  NTSTATUS status = ::BCryptCreateHash(algorithm, &hash, nullptr, 0, nullptr, 0, 0);
  Sha256Digest digest{};
  if (BCRYPT_SUCCESS(status)) {
    status = ::BCryptHashData(hash, const_cast<PUCHAR>(bytes.data()), static_cast<ULONG>(bytes.size()), 0);
    if (BCRYPT_SUCCESS(status))
      status = ::BCryptFinishHash(hash, digest.data(), static_cast<ULONG>(digest.size()), 0);
    ::BCryptDestroyHash(hash);
  }
  ::BCryptCloseAlgorithmProvider(algorithm, 0);
  Check(status);
  return digest;
}

}  // namespace orlenda
