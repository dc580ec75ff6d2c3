#pragma once

// The main log's file: plain text lines, each followed by CR LF. New lines are written as UTF-8; a line
// already in the file keeps its bytes. Reading accepts CR LF, CR or LF, and decodes each line on its
// own: as UTF-8 when it is valid UTF-8, else as Windows-1252 (a line written on Windows). The desktop
// program and the command-line front end both read and write it through here, under one lock, so both
// keep the same format and neither loses the other's lines.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/locked_file.h"
#include "mainlog/main_log_text.h"

namespace orlenda {

struct LogWriteResult {
  bool ok = false;
  std::string message;  // why not, naming the file
  // Lines that other programs appended since the baseline, as text: the save kept them after its own.
  std::vector<std::string> linesFromOthers;

  explicit operator bool() const { return ok; }
};

// Every read and write of the log takes its lock, waiting for it as `wait` says; a lock that was not
// had fails the call with the file's reason.

// Reads the log; a missing file reads as an empty log.
LogReadResult ReadMainLog(const std::string& path, const LockWait& wait = {});

// Saves the whole text (the form ReadMainLog gives: a line break at its end starts a last, empty
// line). When `baseline` describes this file and the file has only grown since, the lines that were
// added are kept after the text's. A save that only adds lines appends in place; any other replaces
// the file only once the whole new content is on disk. On failure the old file is intact. The
// baseline then describes the file as saved.
LogWriteResult SaveMainLog(const std::string& path, std::string_view text, LogFileBaseline& baseline,
                           const LockWait& wait = {});

// The lines that other programs appended to the log since `baseline` described it, as text, when the
// file has only grown since; the baseline then describes the file as it is now, so that a later save
// neither loses nor repeats them. Nothing when the file cannot be read or was changed otherwise (the
// next save deals with that); no lines when it is as the baseline describes it. `lockHeld` (when
// given) tells whether nothing came because another program held the file's lock past the wait, so
// that the caller may try again soon.
std::optional<std::vector<std::string>> TakeLinesAppendedSince(const std::string& path,
                                                               LogFileBaseline& baseline,
                                                               const LockWait& wait = {},
                                                               bool* lockHeld = nullptr);

// Appends lines after the bytes already in the log (created when missing), after a CR LF when its last
// line has no line end. The bytes that were there are never rewritten; a failed append is undone.
LogWriteResult AppendMainLogLines(const std::string& path, const std::vector<std::string>& lines,
                                  const LockWait& wait = {});

// ReadMainLog's text, or nothing when the log cannot be read or is refused.
std::optional<std::string> ReadMainLogText(const std::string& path);

// SaveMainLog without a baseline: the file gets exactly the text's lines.
bool WriteMainLogText(const std::string& path, std::string_view text);

// A save or append given up while another program held the log's lock: in the pilot save's words.
std::string LockHeldMessage(const std::string& path);

}  // namespace orlenda
