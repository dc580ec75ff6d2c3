#include "cli/review_command.h"

#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/option_checks.h"
#include "cli/pilot_paths.h"
#include "cli/review_output.h"
#include "review/friendly_craft.h"
#include "review/pilot_review.h"

namespace orlenda::cli {
namespace {

struct ReviewOptions {
  std::vector<std::string> paths;
  std::string battle;
  std::string highScores;
  std::string friendly;
  bool csv = false;
  bool json = false;
  bool form = false;
};

CLI::Validator BattleCheck() {
  return AcceptedValueCheck([](std::string_view text) { return ParseBattleMissions(text).has_value(); },
                            "a battle (FIRST-LAST, mission numbers from 1 to 255)", "FIRST-LAST");
}

CLI::Validator FriendlyCheck() {
  return CLI::Validator([](std::string& text) { return ChooseFriendlyCraft(text).error; }, "CRAFT,...");
}

// The request the options make; a high-score file that cannot be read as one is said on `err`.
std::optional<ReviewRequest> RequestOf(const ReviewOptions& options, std::ostream& err) {
  ReviewRequest request;
  if (!options.battle.empty()) request.battle = ParseBattleMissions(options.battle);
  if (!options.friendly.empty()) request.friendlyCraft = ChooseFriendlyCraft(options.friendly).craft;
  request.digest = options.csv || options.json || options.form;  // the table shows no digest
  if (!options.highScores.empty()) {
    HighScoresRead read = ReadHighScoresFile(options.highScores);
    if (!read.scores) {
      PrintMessage(read.error, err);
      return std::nullopt;
    }
    request.highScores = std::move(read.scores);
  }
  return request;
}

void WriteReviews(const ReviewOptions& options, const std::vector<PilotReview>& reviews, std::ostream& out) {
  if (options.csv)
    WriteReviewCsv(reviews, out);
  else if (options.json)
    WriteReviewJson(reviews, out);
  else if (options.form)
    WriteReviewForms(reviews, out);
  else
    WriteReviewTable(reviews, out);
}

int RunReview(const ReviewOptions& options, std::ostream& out, std::ostream& err) {
  const std::optional<ReviewRequest> request = RequestOf(options, err);
  if (!request) return kUsageError;
  bool allRead = true;
  const std::vector<PilotReview> reviews =
      ReviewPilotFiles(PilotPathsOf(options.paths, allRead, err), *request);
  WriteReviews(options, reviews, out);
  return StatusOfEvery(reviews, &PilotReview::Passed, allRead);
}

}  // namespace

void AddReviewCommand(CLI::App& app, int& exitStatus) {
  auto* command = app.add_subcommand(
      "review", "Review pilot files for one battle by a squadron club's rules, one verdict each");
  auto options = std::make_shared<ReviewOptions>();
  AddPilotPathsArgument(*command, options->paths);
  command
      ->add_option("--battle", options->battle,
                   "The battle's missions as the program lists them (54-59); else the file's own club battle")
      ->check(BattleCheck());
  command
      ->add_option("--high-scores", options->highScores,
                   "The battle's high scores: UTF-8 CSV, heading mission,score")
      ->type_name("FILE.csv");
  command
      ->add_option("--friendly", options->friendly,
                   "Craft whose kills fail the file: names or indexes, by commas")
      ->check(FriendlyCheck());
  auto* csv =
      command->add_flag("--csv", options->csv, "Print every check as RFC 4180 CSV with a heading row");
  auto* json = command->add_flag("--json", options->json, "Print a JSON array of one object per file");
  auto* form = command->add_flag("--form", options->form, "Print a plain-text submission form per pilot");
  csv->excludes(json)->excludes(form);
  json->excludes(form);
  command->callback([options, &exitStatus] { exitStatus = RunReview(*options, std::cout, std::cerr); });
}

}  // namespace orlenda::cli
