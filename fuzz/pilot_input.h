#pragma once

// The two shapes of a pilot_report input, read into the same description of a file and a run.
//
// A whole file: the file's bytes; an input longer than a pilot file carries, after its first 152,076
// bytes, a description of the run: From and To, the picks of the NameSource and ScoreFormat texts,
// flags, a short read's length, and the file's path name (the rest, at most 400 bytes). Real pilot
// files are inputs of this shape.
//
// An edited file: kEditedFileMark, the run's fields as above, the size the file reports (int32, -1 for
// a failed open), the byte that fills the file, the path's length (2 bytes, at most 400) and the path,
// then edits up to the input's end, each an offset (3 bytes, taken modulo the pilot file's size), a
// length (1 byte) and that many bytes written at the offset. A pilot file holds some hundreds of bytes
// that are not zero, so a real pilot file takes 1 to 3 KB in this shape instead of 152 KB: the fuzzer
// copies, hashes and mutates far less per input, and its mutations land on the bytes that matter.
//
// Both shapes decode to the same file and run, which make_fuzz_seeds checks for every seed it writes.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_input.h"
#include "pilot/pilot_record.h"

namespace orlenda::fuzz {

inline constexpr std::string_view kEditedFileMark = "PLT~";
inline constexpr std::size_t kMaxPathSize = 400;

struct PilotRun {
  std::int32_t from = 0;
  std::int32_t to = 0;
  std::uint8_t nameSourcePick = 2;   // "2"
  std::uint8_t scoreFormatPick = 1;  // "1"
  std::uint8_t flags = 0;
  std::int32_t cut = 0;
  std::string path = "/home/ace/XWA/Red_Leader one.plt";

  friend bool operator==(const PilotRun&, const PilotRun&) = default;
};

struct PilotInput {
  std::span<const std::uint8_t> bytes;  // what the read gave, at most a pilot file's size
  std::int64_t fileSize = 0;            // the size the file reports
  PilotRun run;
};

inline void ReadRunFields(FuzzInput& input, PilotRun& run) {
  run.from = input.Int32();
  run.to = input.Int32();
  run.nameSourcePick = input.Byte();
  run.scoreFormatPick = input.Byte();
  run.flags = input.Byte();
  run.cut = input.Int32();
}

inline bool IsEditedFile(std::span<const std::uint8_t> data) {
  return data.size() < kPilotFileSize && data.size() >= kEditedFileMark.size() &&
         std::equal(kEditedFileMark.begin(), kEditedFileMark.end(), data.begin());
}

inline PilotInput ReadWholeFile(std::span<const std::uint8_t> data) {
  PilotInput input;
  input.bytes = data.first(std::min(data.size(), kPilotFileSize));
  input.fileSize = static_cast<std::int64_t>(input.bytes.size());
  FuzzInput trailer(data.subspan(input.bytes.size()));
  if (trailer.empty()) return input;
  ReadRunFields(trailer, input.run);
  if (!trailer.empty()) input.run.path = trailer.Text(kMaxPathSize);
  return input;
}

// The file is built in `file`, which keeps its memory from one input to the next.
inline PilotInput ReadEditedFile(std::span<const std::uint8_t> data, std::vector<std::uint8_t>& file) {
  PilotInput input;
  FuzzInput fields(data.subspan(kEditedFileMark.size()));
  ReadRunFields(fields, input.run);
  input.fileSize = fields.Int32();
  file.assign(kPilotFileSize, fields.Byte());
  const std::size_t pathSize = fields.Byte() | static_cast<std::size_t>(fields.Byte()) << 8;
  input.run.path = fields.Text(std::min(pathSize, kMaxPathSize));
  while (!fields.empty()) {
    std::size_t offset = fields.Byte();
    offset |= static_cast<std::size_t>(fields.Byte()) << 8;
    offset |= static_cast<std::size_t>(fields.Byte()) << 16;
    offset %= kPilotFileSize;
    const std::span<const std::uint8_t> bytes = fields.Take(fields.Byte());
    std::copy_n(bytes.begin(), std::min(bytes.size(), kPilotFileSize - offset), file.begin() + offset);
  }
  const std::size_t read =
      input.fileSize < 0 ? 0 : std::min(static_cast<std::size_t>(input.fileSize), kPilotFileSize);
  input.bytes = std::span(file).first(read);
  return input;
}

inline PilotInput ReadPilotInput(std::span<const std::uint8_t> data, std::vector<std::uint8_t>& file) {
  return IsEditedFile(data) ? ReadEditedFile(data, file) : ReadWholeFile(data);
}

// The edited-file input for a file and run: the file's most frequent byte fills it, and each stretch
// of other bytes is an edit (stretches closer than an edit's header are joined).
inline std::vector<std::uint8_t> EditedFileInput(std::span<const std::uint8_t> bytes, std::int64_t fileSize,
                                                 const PilotRun& run) {
  std::vector<std::uint8_t> out(kEditedFileMark.begin(), kEditedFileMark.end());
  const auto put = [&out](std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
  };
  put(static_cast<std::uint32_t>(run.from), 4);
  put(static_cast<std::uint32_t>(run.to), 4);
  put(run.nameSourcePick, 1);
  put(run.scoreFormatPick, 1);
  put(run.flags, 1);
  put(static_cast<std::uint32_t>(run.cut), 4);
  put(static_cast<std::uint32_t>(fileSize), 4);
  std::array<std::size_t, 256> counts{};
  for (std::uint8_t b : bytes) ++counts[b];
  const auto fill =
      static_cast<std::uint8_t>(std::max_element(counts.begin(), counts.end()) - counts.begin());
  put(fill, 1);
  const std::string_view path = std::string_view(run.path).substr(0, kMaxPathSize);
  put(static_cast<std::uint32_t>(path.size()), 2);
  out.insert(out.end(), path.begin(), path.end());
  constexpr std::size_t kHeader = 4;
  std::size_t at = 0;
  while (at < bytes.size()) {
    if (bytes[at] == fill) {
      ++at;
      continue;
    }
    std::size_t end = at;  // the edit ends where kHeader fill bytes in a row begin, or at 255 bytes
    std::size_t fills = 0;
    while (end < bytes.size() && end - at < 255 && fills < kHeader) {
      fills = bytes[end] == fill ? fills + 1 : 0;
      ++end;
    }
    end -= fills;
    put(static_cast<std::uint32_t>(at), 3);
    put(static_cast<std::uint32_t>(end - at), 1);
    out.insert(out.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at),
               bytes.begin() + static_cast<std::ptrdiff_t>(end));
    at = end;
  }
  return out;
}

}  // namespace orlenda::fuzz
