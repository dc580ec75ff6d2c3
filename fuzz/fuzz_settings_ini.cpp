// The settings file's text as arbitrary bytes: every read of the keys the program uses, and of odd
// names, must return without harm; a write must store exactly the value and must change no other
// setting, whatever bytes (NUL included) the text holds. Everything happens in memory: the text is read
// as the store reads its file, and edited as the store edits it before writing it.
//
// Input: one byte choosing the key to write, one byte giving the length of the value to write, that
// many bytes of value, and the rest is the INI file.

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "fuzz_input.h"
#include "settings/ini_lines.h"
#include "settings/ini_text_edit.h"
#include "settings/settings_snapshot.h"
#include "settings/typed_settings.h"

namespace orlenda::fuzz {
namespace {

// Every key of the settings table, and names that match one of them only without regard to case.
const std::vector<std::string_view>& KeysToWrite() {
  static const std::vector<std::string_view> keys = [] {
    std::vector<std::string_view> names;
    for (const Setting& setting : kSettings) names.push_back(setting.key);
    names.insert(names.end(), {"showmissiontime", "LASTDIR", "Unknown"});
    return names;
  }();
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

// One value for each section of Sections() and key of KeysToWrite(), in that order.
using Values = std::vector<std::optional<std::string>>;

// The well-formed names only: how odd names match is the reader's business, so they are read but not
// compared.
Values ReadEverything(const SettingsReader& store) {
  Values values;
  values.reserve(Sections().size() * KeysToWrite().size());
  for (std::string_view section : Sections())
    for (std::string_view name : KeysToWrite()) values.push_back(store.FindSetting(section, name));
  for (std::string_view name : OddKeys()) (void)store.ReadSetting(kSettingsSection, name, "default");
  return values;
}

// The typed reads that the program makes; only a conversion error may come out of them.
void ReadAsTheProgramDoes(const SettingsReader& store) {
  (void)ReadShowZeroMissionsForListing(store);
  for (const Setting& setting : kSettings) {
    try {
      if (setting.kind == SettingKind::kFlag) (void)ReadFlag(store, setting);
      if (setting.kind == SettingKind::kChoice) (void)ReadChoice(store, setting);
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

  const SettingsSnapshot store = SettingsSnapshot::OfText(fileText);
  const Values before = ReadEverything(store);
  ReadAsTheProgramDoes(store);

  const std::string newText = WithIniValue(fileText, kSettingsSection, keyToWrite, value);
  const SettingsSnapshot edited = SettingsSnapshot::OfText(newText);
  const std::optional<std::string> written = edited.FindSetting(kSettingsSection, keyToWrite);
  ORLENDA_FUZZ_CHECK(written.has_value());
  ORLENDA_FUZZ_CHECK(written->size() <= 4 * 2047);
  if (ComesBackUnchanged(value)) ORLENDA_FUZZ_CHECK(*written == value);

  const Values after = ReadEverything(edited);
  std::size_t at = 0;
  for (std::string_view section : Sections()) {
    for (std::string_view name : KeysToWrite()) {
      const std::optional<std::string>& oldValue = before[at];
      const std::optional<std::string>& newValue = after[at++];
      const bool sameKey = SameIniName(section, kSettingsSection) && SameIniName(name, keyToWrite);
      if (sameKey || newValue == oldValue) continue;
      std::fprintf(stderr, "[%.*s] %.*s was \"%s\", is \"%s\"\n", static_cast<int>(section.size()),
                   section.data(), static_cast<int>(name.size()), name.data(),
                   oldValue.value_or("(missing)").c_str(), newValue.value_or("(missing)").c_str());
      ORLENDA_FUZZ_CHECK(newValue == oldValue);
    }
  }
  return 0;
}
