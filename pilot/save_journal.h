#pragma once

// The note that a save of a pilot file is under way, kept beside it as NAME.plt.bak.keep from before
// the save's first write until the file is on disk: the state the save started from (as a hash) and,
// for each range it writes, the bytes before and the bytes meant to be there after.
//
// A later run reads it to tell a file that a save of ours left half-written (each byte either as it
// was or as the save meant it, and the file put back to its old bytes is the state the save started
// from) from one that another program has rewritten since (the game, after a mission flown): only the
// second is a state of the file that may replace the backup.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "pilot/details_patch.h"

namespace orlenda {

struct SaveJournal {
  struct Write {
    std::size_t offset = 0;
    std::vector<std::uint8_t> before;
    std::vector<std::uint8_t> after;
  };
  std::uint64_t startHash = 0;  // of the whole file before the save
  std::vector<Write> writes;
};

SaveJournal JournalOf(std::span<const std::uint8_t> before, std::span<const std::uint8_t> after,
                      const std::vector<ByteRange>& ranges);

// The marker's text: a line for people that says what it is, the journal, and a last line with a hash
// of all that comes before it, so that a marker cut short or changed is told from one of ours.
std::string JournalText(const std::string& path, const SaveJournal& journal);

// Nothing when the text is not a whole, unchanged journal of ours.
std::optional<SaveJournal> ParseJournal(std::string_view text);

// Whether a text that ParseJournal refuses is a marker in a form that earlier versions of this program
// wrote (a sentence, or a journal without its end line), not one damaged or cut short.
bool IsOlderFormOfJournal(std::string_view text);

// Whether `file` is what a save of this journal may have left when it was stopped at any instant.
bool IsLeftByJournaledSave(const SaveJournal& journal, std::span<const std::uint8_t> file);

// Whether `file` is what the save of this journal left when it wrote all it meant to: that save ended,
// and the file is a whole state of its own.
bool IsCompletedByJournaledSave(const SaveJournal& journal, std::span<const std::uint8_t> file);

}  // namespace orlenda
