#pragma once

// The one way this program replaces a file's whole content: settings, the main log, the pilot's backup
// and its marker all go through here.
//
// The new content goes to a temporary file of ours in the target's folder (base/temporary_files.h),
// is flushed to disk, takes its permissions, and is then renamed over the name, and the folder is
// flushed. Property: after a stop at any instant, the name holds the old content or the new, whole;
// what may be left is a temporary file of ours, which a later replacement in the same folder removes
// once it is a minute old.

#include <string>
#include <string_view>

namespace orlenda {

enum class LinkAtName {
  kFollow,   // the file the link names is replaced (a user's own link to their settings or log)
  kReplace,  // the link itself is replaced and what it names is untouched (copies kept beside a file)
};

struct ReplacementRules {
  LinkAtName link = LinkAtName::kFollow;
  // The file whose permissions (mode, and group where the user may set it) the new file takes; empty
  // for the file being replaced. A missing file gives the usual mode of a new file.
  std::string permissionsOf;
};

// Only a plain file (or, with kReplace, a link) may stand at the name: a folder, a device or a pipe is
// refused before anything is written, so that /dev/null or /dev/stdout keep being what they are. On
// failure `reason` says why, as the system words it, and whatever stood at the name is unchanged.
bool ReplaceWholeFile(const std::string& path, std::string_view content, const ReplacementRules& rules,
                      std::string& reason);

// The same with the default rules, for callers that need no reason.
bool ReplaceWholeFile(const std::string& path, std::string_view content);

}  // namespace orlenda
