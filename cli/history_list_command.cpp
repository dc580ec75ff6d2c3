#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "base/display_text.h"
#include "base/grouped_number.h"
#include "base/local_date.h"
#include "base/windows1252.h"
#include "cli/command.h"
#include "cli/history_access.h"
#include "cli/history_commands.h"
#include "cli/json_writer.h"
#include "cli/text_table.h"
#include "history/change_line.h"
#include "roster/roster_csv.h"

namespace orlenda::cli {
namespace {

struct ListOptions {
  std::string pilot;
  bool all = false;
  bool csv = false;
  bool json = false;
};

// One state's line: its number, when it was first seen, how, and what changed since the state before.
std::vector<std::string> StateCells(const KeptState& state, const KeptState* before) {
  return {std::to_string(state.number) + (state.current ? "*" : ""),
          LocalDateTimeText(state.firstSeen),
          StateKindWords(state.kinds),
          std::to_string(state.summary.missionsWon),
          GroupedNumber(state.summary.campaignTotal),
          EscapedText(ChangeLine(before == nullptr ? nullptr : &before->summary, state.summary))};
}

void WriteStatesJson(const std::vector<KeptState>& states, std::ostream& out) {
  WriteJsonAnswer(out, [&states](JsonWriter& json) {
    json.BeginArray();
    for (std::size_t i = 0; i < states.size(); ++i) {
      const KeptState& s = states[i];
      const StateSummary& summary = s.summary;
      json.Object([&] {
        json.Members("state", s.number, "sha256", s.hash, "first_seen", s.firstSeen, "last_seen", s.lastSeen,
                     "how", StateKindWords(s.kinds), "current", s.current, "name", summary.name, "rank",
                     summary.rank, "missions_won", summary.missionsWon, "campaign_total",
                     summary.campaignTotal, "tod_score", summary.todScore, "total", summary.total,
                     "check_errors", summary.checkErrors, "change",
                     ChangeLine(i == 0 ? nullptr : &states[i - 1].summary, summary));
      });
    }
    json.EndArray();
  });
}

void WriteStatesCsv(const std::vector<KeptState>& states, std::ostream& out) {
  out << CsvRecord({"state", "sha256", "first_seen", "how", "name", "missions_won", "campaign_total",
                    "tod_score", "total", "check_errors", "change"});
  for (std::size_t i = 0; i < states.size(); ++i) {
    const KeptState& s = states[i];
    out << CsvRecord({std::to_string(s.number), s.hash, LocalDateTimeText(s.firstSeen),
                      StateKindWords(s.kinds), EscapedText(s.summary.name),
                      std::to_string(s.summary.missionsWon), std::to_string(s.summary.campaignTotal),
                      std::to_string(s.summary.todScore), std::to_string(s.summary.total),
                      std::to_string(s.summary.checkErrors),
                      EscapedText(ChangeLine(i == 0 ? nullptr : &states[i - 1].summary, s.summary))});
  }
}

void WriteStates(const std::vector<KeptState>& states, const ListOptions& options, std::ostream& out) {
  if (options.json) return WriteStatesJson(states, out);
  if (options.csv) return WriteStatesCsv(states, out);
  std::vector<std::vector<std::string>> rows;
  for (std::size_t i = 0; i < states.size(); ++i)
    rows.push_back(StateCells(states[i], i == 0 ? nullptr : &states[i - 1]));
  WriteTextTable({{"State", true}, {"First seen"}, {"How"}, {"Missions", true}, {"Total", true}, {"Change"}},
                 rows, out);
}

void WritePilots(const std::vector<KnownPilot>& pilots, const ListOptions& options, std::ostream& out) {
  if (options.json) {
    return WriteJsonAnswer(out, [&pilots](JsonWriter& json) {
      json.Array(pilots, [&json](const KnownPilot& pilot) {
        json.Object([&] {
          json.Members("path", Utf8FromUtf8OrWindows1252(pilot.path), "states", pilot.stateCount, "last_seen",
                       pilot.lastSeen);
        });
      });
    });
  }
  if (options.csv) out << CsvRecord({"path", "states", "last_seen"});
  std::vector<std::vector<std::string>> rows;
  for (const KnownPilot& pilot : pilots) {
    std::vector<std::string> row{EscapedText(Utf8FromUtf8OrWindows1252(pilot.path)),
                                 std::to_string(pilot.stateCount), LocalDateTimeText(pilot.lastSeen)};
    if (options.csv)
      out << CsvRecord(row);
    else
      rows.push_back(std::move(row));
  }
  if (!options.csv) WriteTextTable({{"Pilot file"}, {"States", true}, {"Last seen"}}, rows, out);
}

int RunList(const ListOptions& options, const std::string& history, std::ostream& out, std::ostream& err) {
  auto store = OpenHistory(history, err);
  if (options.pilot.empty()) {
    WritePilots(store->Pilots(), options, out);
  } else {
    const std::vector<KeptState> states = store->States(options.pilot);
    if (states.empty() && store->IsAvailable())
      PrintMessage(Utf8FromUtf8OrWindows1252(options.pilot) + ": the history holds no state of this pilot.",
                   err);
    WriteStates(states, options, out);
  }
  PrintHistoryWarnings(*store, err);
  return store->IsAvailable() ? kSuccess : kFailure;
}

}  // namespace

void AddHistoryListCommand(CLI::App& history, const HistoryOption& database, int& exitStatus) {
  auto* command =
      history.add_subcommand("list", "List a pilot file's kept states, or every pilot the history knows");
  auto options = std::make_shared<ListOptions>();
  auto* pilot = command->add_option("PILOT.plt", options->pilot, "The pilot file");
  command->add_flag("--all", options->all, "List every pilot file the history knows, with its path")
      ->excludes(pilot);
  auto* csv = command->add_flag("--csv", options->csv, "Print CSV instead of a table");
  command->add_flag("--json", options->json, "Print one JSON array instead of a table")->excludes(csv);
  command->footer(
      "A state's line says when it was first seen, how it came (opened, before save, after save, game's "
      "write, "
      "recorded, restored) and what changed since the state before; * marks the state the file was last seen "
      "in.");
  command->callback(
      [options, database, &exitStatus] { exitStatus = RunList(*options, *database, std::cout, std::cerr); });
}

}  // namespace orlenda::cli
