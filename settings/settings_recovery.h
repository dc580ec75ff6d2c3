#pragma once

// A settings file that the program cannot use: one that cannot be read, something that is not a plain
// file in its place, or a file that holds bytes no settings file holds (a damaged or foreign file).
// Such a file is never written over; with the player's consent it is moved aside, so that the program
// starts again from the default settings and the old file is kept for the player.

#include <optional>
#include <string>

namespace orlenda {

enum class SettingsFileProblem { None, NotAPlainFile, Unreadable, NotText };

// What is wrong with the settings file at `path`; None also for a missing file, which is a first run.
SettingsFileProblem CheckSettingsFile(const std::string& path);

// The player's words for a problem, to follow "The settings file <path> ".
std::string SettingsProblemText(SettingsFileProblem problem);

// The name the file is kept under: "<path>.bad", or "<path>.bad2", "<path>.bad3"... when that name is
// taken, so that an earlier kept file is never replaced.
std::string FreeAsideName(const std::string& path);

// Moves the file to FreeAsideName(path) and returns that name; nothing when the move failed, and the
// file is then where it was.
std::optional<std::string> MoveSettingsFileAside(const std::string& path);

}  // namespace orlenda
