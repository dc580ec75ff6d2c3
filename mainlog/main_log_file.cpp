#include "mainlog/main_log_file.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "base/file_bytes.h"
#include "base/file_messages.h"
#include "base/file_replacement.h"
#include "base/folder_entries.h"
#include "base/locked_file.h"
#include "base/path_kind.h"
#include "base/temporary_files.h"
#include "mainlog/main_log_steps.h"
#include "pilot/pilot_file_target.h"

namespace orlenda {
namespace {

using namespace main_log;  // the steps this room shares between its files (main_log_steps.h)

// Every program that changes the main log (the desktop program's save, the command line's append)
// follows the lock protocol of base/locked_file.h; the desktop program's read follows it too, so that
// it never sees half an append. An append writes after the old end, in place; a save either appends in
// place too or writes a temporary file and renames it over the log.
bool ReadLocked(SystemFile& file, std::string& bytes) {
  const std::int64_t size = file.RegularFileSize();
  std::vector<std::uint8_t> read;
  if (size < 0 || !file.ReadAll(read, static_cast<std::size_t>(size))) return false;
  bytes.assign(reinterpret_cast<const char*>(read.data()), read.size());  // one copy of the whole block
  return true;
}

// Writes `tail` after the first `offset` bytes and puts it on disk; on failure the file is cut back to
// `offset` bytes, as it was. When even the cut fails, `mayHoldTail` tells that the lines may be in the
// file after all.
bool AppendInPlace(SystemFile& file, std::size_t offset, std::string_view tail, bool& mayHoldTail) {
  if (tail.empty()) return true;
  if (file.WriteAt(offset, AsBytes(tail)) && file.SyncToDisk()) return true;
  const std::string reason = file.reason();  // the write's, not the cut's
  mayHoldTail = !file.Truncate(static_cast<std::int64_t>(offset));
  return file.Fail(reason);
}

// The lines that other programs appended to the file since the baseline: the file then still begins
// with the baseline's bytes.
std::vector<std::string> LinesAddedSince(const LogFileBaseline& baseline, const std::string& path,
                                         std::string_view current) {
  if (baseline.path != path || current.size() <= baseline.size) return {};
  if (std::hash<std::string_view>{}(current.substr(0, baseline.size)) != baseline.hash) return {};
  std::string_view added = current.substr(baseline.size);
  // An append first ends a last line that had no line end.
  if (!baseline.endsWithLineEnd) added.remove_prefix(added.starts_with(kLineEnd) ? 2 : 1);
  return SplitLogLines(added);
}

// The lock protocol's steps 1 and 2 for a writer, with what it needs of the file's bytes.
struct LockedLog {
  std::unique_ptr<SystemFile> file;
  std::size_t size = 0;
  std::string bytes;          // the whole content, read only for a save (an append needs only its shape)
  bool needsLineEnd = false;  // its last line has no line end
  bool created = false;       // the file did not exist before: a failed first write removes it again
};

// What an append needs to know of a log, in one pass through a small buffer instead of a copy of a
// log that may be megabytes long: whether it holds a NUL byte, and how it ends. It is read through the
// locked file itself.
struct LogShape {
  bool read = false;
  bool holdsNul = false;
  bool needsLineEnd = false;
};

LogShape ShapeOf(SystemFile& file, std::size_t size) {
  constexpr std::size_t kChunk = 64 * 1024;
  LogShape shape;
  std::vector<std::uint8_t> chunk(std::min(kChunk, size));
  std::string head;  // enough of the start to tell a byte order mark alone
  char last = '\n';
  std::size_t done = 0;
  while (done < size) {
    std::size_t got = 0;
    if (!file.ReadAt(done, std::span(chunk).first(std::min(kChunk, size - done)), got) || got == 0) break;
    const std::string_view piece(reinterpret_cast<const char*>(chunk.data()), got);
    if (head.size() < kUtf8ByteOrderMark.size())
      head += piece.substr(0, kUtf8ByteOrderMark.size() - head.size());
    shape.holdsNul = shape.holdsNul || piece.find('\0') != std::string_view::npos;
    last = piece.back();
    done += got;
  }
  shape.read = done == size;
  shape.needsLineEnd = LastLineUnended(size, head, last);
  return shape;
}

// Why a file that opened has no size of a plain file: the system's reason, or what it is.
std::string NotPlainFileReason(const SystemFile& file) {
  return file.reason().empty() ? "it is a device or pipe, not a plain file" : file.reason();
}

std::optional<std::string> OpenLockedForWriting(const std::string& path, const LockWait& wait,
                                                LockedLog& log) {
  if (LeadsToPilotFileName(path)) return PilotFileAsLogMessage(path);
  log.created = NothingAt(path);
  std::string reason;
  log.file = OpenLocked(path, SystemFile::Mode::kReadWriteOrCreate, wait, &reason);
  if (!log.file)
    return reason == kLockHeldReason ? LockHeldMessage(path) : CannotCreateFileMessage(path, reason);
  const std::int64_t size = log.file->RegularFileSize();
  if (size < 0) return CannotOpenFileMessage(path, NotPlainFileReason(*log.file));
  log.size = static_cast<std::size_t>(size);
  return std::nullopt;
}

std::optional<std::string> OpenForSaving(const std::string& path, const LockWait& wait, LockedLog& log) {
  if (std::optional<std::string> refusal = OpenLockedForWriting(path, wait, log)) return refusal;
  if (!ReadLocked(*log.file, log.bytes)) return CannotOpenFileMessage(path, log.file->reason());
  return RefusalOf(path, log.bytes);
}

std::optional<std::string> OpenForAppending(const std::string& path, const LockWait& wait, LockedLog& log) {
  if (std::optional<std::string> refusal = OpenLockedForWriting(path, wait, log)) return refusal;
  const LogShape shape = ShapeOf(*log.file, log.size);
  if (!shape.read) return CannotOpenFileMessage(path, log.file->reason());
  log.needsLineEnd = shape.needsLineEnd;
  if (!shape.holdsNul) return std::nullopt;
  if (!ReadLocked(*log.file, log.bytes)) return CannotOpenFileMessage(path, log.file->reason());
  return RefusalOf(path, log.bytes);
}

LogWriteResult Failed(std::string message) { return {false, std::move(message), {}}; }

// A log that this run created and then could not use is removed again, while it is still empty and
// still the file opened (or, when the open failed, still an empty plain file): nobody else's lines are
// in it.
bool RemoveCreatedLog(const std::string& path, LockedLog& log) {
  if (!log.created) return false;
  if (log.file) {
    if (log.file->RegularFileSize() != 0 || !log.file->IsStillNamedBy(path)) return false;
  } else if (SystemFile probe(path, SystemFile::Mode::kRead); probe.RegularFileSize() != 0) {
    return false;
  }
  return RemoveFile(path);
}

LogWriteResult FailedOpen(const std::string& path, LockedLog& log, std::string message) {
  RemoveCreatedLog(path, log);
  return Failed(std::move(message));
}

// A write that failed on a file it had just created leaves no log behind. Lines that could not be
// taken out of the log again are said to be in it, so that a retry does not add them twice.
LogWriteResult FailedWrite(const std::string& path, LockedLog& log, const std::string& reason,
                           bool mayHoldTail) {
  if (RemoveCreatedLog(path, log) || !mayHoldTail) return Failed(CannotCreateFileMessage(path, reason));
  return Failed("The new lines may be in " + path + " already: it could not be put on disk (" + reason +
                "), nor the lines taken out again. Check it before adding them again.");
}

}  // namespace

LogReadResult ReadMainLog(const std::string& path, const LockWait& wait) {
  if (LeadsToPilotFileName(path)) return {false, PilotFileAsLogMessage(path), {}, {}};
  std::string bytes;
  if (!IsMissing(path)) {
    // A log that this user may read but not write is read without the lock: no writer can change it.
    const std::unique_ptr<SystemFile> file = OpenLocked(path, SystemFile::Mode::kReadWrite, wait);
    const bool read = file ? ReadLocked(*file, bytes) : ReadWholeFile(path, bytes);
    if (!read) return {false, CannotOpenFileMessage(path), {}, {}};
  }
  return DecodeMainLog(path, bytes);
}

LogWriteResult SaveMainLog(const std::string& path, std::string_view text, LogFileBaseline& baseline,
                           const LockWait& wait) {
  LockedLog log;
  if (std::optional<std::string> refusal = OpenForSaving(path, wait, log))
    return FailedOpen(path, log, *refusal);
  LogWriteResult result;
  std::string reason;
  std::string content = EncodeMainLog(text, baseline);
  for (const std::string& line : LinesAddedSince(baseline, path, log.bytes)) {
    content += line;
    content += kLineEnd;
    result.linesFromOthers.push_back(LineText(line, baseline));
  }
  RemoveStaleTemporaryFiles(FolderOf(FollowLinks(path)));  // also when no file is replaced
  // A save that only adds lines (the usual case: export lines added since the load) appends in place,
  // which also works in a folder where no new file may be made; any other replaces the file whole.
  bool mayHoldTail = false;
  const bool saved = content.starts_with(log.bytes)
                         ? AppendInPlace(*log.file, log.bytes.size(),
                                         std::string_view(content).substr(log.bytes.size()), mayHoldTail)
                         : ReplaceWholeFile(path, content, {}, reason);
  if (!saved) return FailedWrite(path, log, reason.empty() ? log.file->reason() : reason, mayHoldTail);
  if (baseline.path.empty() || baseline.path == path) Describe(baseline, path, content);
  result.ok = true;
  return result;
}

std::optional<std::vector<std::string>> TakeLinesAppendedSince(const std::string& path,
                                                               LogFileBaseline& baseline,
                                                               const LockWait& wait, bool* lockHeld) {
  if (lockHeld != nullptr) *lockHeld = false;
  if (baseline.path != path || LeadsToPilotFileName(path)) return std::nullopt;
  std::string reason;
  const std::unique_ptr<SystemFile> file = OpenLocked(path, SystemFile::Mode::kReadWrite, wait, &reason);
  if (!file) {
    if (lockHeld != nullptr) *lockHeld = reason == kLockHeldReason;
    return std::nullopt;
  }
  const std::int64_t size = file->RegularFileSize();
  if (size < 0) return std::nullopt;
  if (static_cast<std::size_t>(size) == baseline.size) return std::vector<std::string>{};
  std::string bytes;
  if (!ReadLocked(*file, bytes)) return std::nullopt;
  const std::vector<std::string> added = LinesAddedSince(baseline, path, bytes);
  if (added.empty()) return std::nullopt;
  std::vector<std::string> texts;
  texts.reserve(added.size());
  for (const std::string& line : added) texts.push_back(LineText(line, baseline));
  Describe(baseline, path, bytes);
  return texts;
}

LogWriteResult AppendMainLogLines(const std::string& path, const std::vector<std::string>& lines,
                                  const LockWait& wait) {
  LockedLog log;
  if (std::optional<std::string> refusal = OpenForAppending(path, wait, log))
    return FailedOpen(path, log, *refusal);
  const std::string tail = AppendTail(log.needsLineEnd, lines);
  RemoveStaleTemporaryFiles(FolderOf(FollowLinks(path)));  // also when no file is replaced
  bool mayHoldTail = false;
  if (!AppendInPlace(*log.file, log.size, tail, mayHoldTail))
    return FailedWrite(path, log, log.file->reason(), mayHoldTail);
  return {true, {}, {}};
}

std::optional<std::string> ReadMainLogText(const std::string& path) {
  LogReadResult read = ReadMainLog(path);
  if (!read.ok) return std::nullopt;
  return std::move(read.text);
}

bool WriteMainLogText(const std::string& path, std::string_view text) {
  LogFileBaseline none;
  return SaveMainLog(path, text, none).ok;
}

std::string LockHeldMessage(const std::string& path) {
  return "Unable to lock " + path + ": " + kLockHeldReason + ". Nothing was written.";
}

}  // namespace orlenda
