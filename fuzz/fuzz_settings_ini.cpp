// The settings store over arbitrary file bytes: every read of the keys the program uses, and of odd
// names, must return without harm; a write must store exactly the value (or fail cleanly, leaving the
// file as it was), and must change no other setting.
//
// Input: one byte choosing the key to write, one byte giving the length of the value to write, that
// many bytes of value, and the rest is the INI file.

#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "fuzz_input.h"
#include "scratch_dir.h"
#include "settings/setting_reads.h"
#include "settings/settings_ini.h"

namespace orlenda::fuzz {
namespace {

const std::vector<std::string_view>& KeysToWrite() {
  static const std::vector<std::string_view> keys = {key::LastDir,
                                                     key::LogFile,
                                                     key::SaveFilename,
                                                     key::SaveLogFile,
                                                     key::ShowMissionScore,
                                                     key::ShowMissionBonus,
                                                     key::ShowMissionTotal,
                                                     key::ShowMissionTime,
                                                     key::CheckCheat,
                                                     key::ShowErrorDetailes,
                                                     key::ShowZeroMissions,
                                                     key::IncludeDate,
                                                     key::MegaDetails,
                                                     key::NameSource,
                                                     key::ScoreFormat,
                                                     "showmissiontime",
                                                     "LASTDIR",
                                                     "Unknown"};
  return keys;
}

// Names a hand-edited or damaged file may make the reader meet.
const std::vector<std::string_view>& OddKeys() {
  static const std::vector<std::string_view> keys = {"",  " LastDir", "Last Dir", "=",    "[Orlenda]",
                                                     ";", "LastDir=", "\xc3\xa4", "\xe4", "Orlenda"};
  return keys;
}

const std::vector<std::string_view>& Sections() {
  static const std::vector<std::string_view> sections = {kSettingsSection, "ORLENDA", "", "Other"};
  return sections;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

using Snapshot = std::map<std::pair<std::string, std::string>, std::optional<std::string>>;

// The well-formed names only: how odd names match is the reader's business, so they are read but not
// compared.
Snapshot ReadEverything(const SettingsIni& store) {
  Snapshot values;
  for (std::string_view section : Sections()) {
    for (std::string_view name : KeysToWrite())
      values[{std::string(section), std::string(name)}] = store.FindSetting(section, name);
  }
  for (std::string_view name : OddKeys()) (void)store.ReadSetting(kSettingsSection, name, "default");
  return values;
}

// The typed reads that the program makes; only a conversion error may come out of them.
void ReadAsTheProgramDoes(const SettingsIni& store) {
  (void)ReadFlag(store, key::MegaDetails, "0");
  (void)ReadShowZeroMissionsForListing(store);
  for (std::string_view choice : {key::NameSource, key::ScoreFormat}) {
    try {
      (void)ReadChoice(store, choice, "1");
    } catch (const SettingsError&) {
    }
  }
}

// A value that the store must give back exactly as written: printable ASCII, no blanks at its ends.
bool ComesBackUnchanged(std::string_view value) {
  if (value.empty() || value.size() > 2047 || value.front() == ' ' || value.back() == ' ') return false;
  for (char c : value)
    if (c < 0x20 || c > 0x7e) return false;
  return true;
}

}  // namespace
}  // namespace orlenda::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace orlenda;
  using namespace orlenda::fuzz;
  FuzzInput input({data, size});
  const std::string_view keyToWrite = KeysToWrite()[input.Byte() % KeysToWrite().size()];
  const std::string value = input.Text(input.Byte());
  const std::string fileText = input.Rest();

  const std::string path = ScratchDir() + "/orlenda3001.ini";
  WriteScratchFile(path, fileText);
  SettingsIni store(path);
  const Snapshot before = ReadEverything(store);
  ReadAsTheProgramDoes(store);

  try {
    store.WriteSetting(kSettingsSection, keyToWrite, value);
  } catch (const SettingsError&) {
    ORLENDA_FUZZ_CHECK(ReadScratchFile(path) == fileText);  // a refused write leaves the file as it was
    return 0;
  }

  const std::optional<std::string> written = store.FindSetting(kSettingsSection, keyToWrite);
  ORLENDA_FUZZ_CHECK(written.has_value());
  ORLENDA_FUZZ_CHECK(written->size() <= 4 * 2047);
  if (ComesBackUnchanged(value)) ORLENDA_FUZZ_CHECK(*written == value);

  // The INI reader ends the file at a NUL byte while the editor keeps the lines after it, so a write
  // that removes a NUL shows keys that were hidden behind it. Only such files are spared this check.
  if (fileText.find('\0') != std::string::npos) return 0;
  const Snapshot after = ReadEverything(store);
  for (const auto& [where, oldValue] : before) {
    const bool sameKey = SameName(where.first, kSettingsSection) && SameName(where.second, keyToWrite);
    if (sameKey || after.at(where) == oldValue) continue;
    std::fprintf(stderr, "[%s] %s was \"%s\", is \"%s\"\n", where.first.c_str(), where.second.c_str(),
                 oldValue.value_or("(missing)").c_str(), after.at(where).value_or("(missing)").c_str());
    ORLENDA_FUZZ_CHECK(after.at(where) == oldValue);
  }
  return 0;
}
