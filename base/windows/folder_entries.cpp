#include "base/folder_entries.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "base/path_kind.h"
#include "base/windows/wide.h"

namespace orlenda {
namespace {

using windows::Narrow;
using windows::Wide;

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Opened for nothing but questions about it, so that it never disturbs another program's use of it.
HANDLE OpenToExamine(const std::string& path) {
  return ::CreateFileW(Wide(path).c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
                       nullptr);
}

bool IsNotFound(DWORD error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

// GetFinalPathNameByHandleW answers in the long form (\\?\C:\..., \\?\UNC\server\...); the usual form
// reads better in messages and works the same for our calls.
std::wstring WithoutLongPathPrefix(std::wstring path) {
  if (path.starts_with(L"\\\\?\\UNC\\")) return L"\\" + path.substr(7);
  if (path.starts_with(L"\\\\?\\")) return path.substr(4);
  return path;
}

// One try at putting `source` in place of `target`.
bool ReplaceOnce(const std::wstring& source, const std::wstring& target, bool targetExists) {
  if (targetExists && ::ReplaceFileW(target.c_str(), source.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                                     nullptr, nullptr))
    return true;
  // A new file, or a replacement that ReplaceFileW refused (some network shares): one rename, written
  // through to disk before it returns.
  return ::MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

// The errors of a file that another program holds open for a moment.
bool IsTransientRefusal(DWORD error) {
  return error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
         error == ERROR_UNABLE_TO_MOVE_REPLACEMENT;
}

}  // namespace

PathKind KindOf(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesW(Wide(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES)
    return IsNotFound(::GetLastError()) ? PathKind::kMissing : PathKind::kUnexaminable;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return PathKind::kOther;
  // A device name (NUL, CON, COM1) has attributes too; only a file on a disk is a plain file.
  HANDLE file = OpenToExamine(path);
  if (file == INVALID_HANDLE_VALUE) return PathKind::kUnexaminable;
  const bool onDisk = ::GetFileType(file) == FILE_TYPE_DISK;
  ::CloseHandle(file);
  return onDisk ? PathKind::kRegular : PathKind::kOther;
}

bool IsFolder(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesW(Wide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The attributes of a link are its own: GetFileAttributesW does not follow it.
bool NothingAt(const std::string& path) {
  return ::GetFileAttributesW(Wide(path).c_str()) == INVALID_FILE_ATTRIBUTES && IsNotFound(::GetLastError());
}

NameKind KindOfName(const std::string& path, std::string* reason) {
  std::error_code error;
  const auto status = std::filesystem::symlink_status(std::filesystem::path(Wide(path)), error);
  if (status.type() == std::filesystem::file_type::not_found) return NameKind::kNothing;
  if (error) {
    if (reason != nullptr) *reason = error.message();
    return NameKind::kUnexaminable;
  }
  if (std::filesystem::is_symlink(status)) return NameKind::kLink;
  if (std::filesystem::is_directory(status)) return NameKind::kFolder;
  return IsPlainFileItself(path) ? NameKind::kPlainFile : NameKind::kOther;
}

bool IsPlainFileItself(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesW(Wide(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) return false;
  return KindOf(path) == PathKind::kRegular;
}

std::string FollowLinks(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesW(Wide(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return path;
  HANDLE file = OpenToExamine(path);
  if (file == INVALID_HANDLE_VALUE) return path;
  std::wstring finalPath(MAX_PATH, L'\0');
  DWORD length = ::GetFinalPathNameByHandleW(file, finalPath.data(), static_cast<DWORD>(finalPath.size()), 0);
  if (length >= finalPath.size()) {
    finalPath.resize(length);
    length = ::GetFinalPathNameByHandleW(file, finalPath.data(), static_cast<DWORD>(finalPath.size()), 0);
  }
  ::CloseHandle(file);
  if (length == 0 || length >= finalPath.size()) return path;
  finalPath.resize(length);
  return Narrow(WithoutLongPathPrefix(finalPath));
}

// A link that leads nowhere is rare on Windows and its target is not read here: the link's own name is
// what the checks see then.
std::string WhereLinksLead(const std::string& path) { return FollowLinks(path); }

std::string FolderOf(const std::string& path) {
  const auto separator = path.find_last_of("/\\");
  if (separator == std::string::npos) return path.size() >= 2 && path[1] == ':' ? path.substr(0, 2) : ".";
  if (separator == 0 || (separator == 2 && path[1] == ':')) return path.substr(0, separator + 1);
  return path.substr(0, separator);
}

bool MoveOver(const std::string& from, const std::string& to, std::string& reason) {
  const std::wstring source = Wide(from);
  const std::wstring target = Wide(to);
  // Another program may hold the file open for a moment (a virus scanner, the indexer, a copy of ours
  // opening it to wait for its lock), and the system then refuses the replacement: it is tried again a
  // few times over about a second before it counts as failed.
  constexpr int kAttempts = 12;
  for (int attempt = 0;; ++attempt) {
    if (ReplaceOnce(source, target, KindOf(to) == PathKind::kRegular)) return true;
    if (attempt + 1 == kAttempts || !IsTransientRefusal(::GetLastError())) {
      reason = windows::LastErrorText();
      return false;
    }
    ::Sleep(10u << std::min(attempt, 4));
  }
}

bool RemoveFile(const std::string& path, std::string* reason) {
  if (::DeleteFileW(Wide(path).c_str())) return true;
  if (reason != nullptr) *reason = windows::LastErrorText();
  return false;
}

// std::filesystem takes the UTF-16 path: from a std::string it would read the ANSI code page.
bool CreateFolders(const std::string& folder) {
  std::error_code ignored;
  std::filesystem::create_directories(std::filesystem::path(Wide(folder)), ignored);
  return IsFolder(folder);
}

std::string CanonicalPath(const std::string& path) {
  std::error_code error;
  const std::filesystem::path canonical =
      std::filesystem::weakly_canonical(std::filesystem::path(Wide(path)), error);
  return error ? path : Narrow(canonical.wstring());
}

}  // namespace orlenda
