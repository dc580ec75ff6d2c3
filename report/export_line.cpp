#include "report/export_line.h"

#include <algorithm>

#include "base/display_text.h"
#include "report/decoded_text.h"
#include "report/file_stem.h"
#include "report/number_text.h"
#include "settings/typed_settings.h"

namespace orlenda {
namespace {

std::string CutAtFirst(std::string text, char separator) {
  const std::size_t at = text.find(separator);
  if (at != std::string::npos) text.erase(at);
  return text;
}

// The file's name as text: a name in an older 8-bit encoding (a file copied from Windows) is decoded
// as Windows-1252, so that the export line, and the main log it goes to, stay UTF-8.
std::string FileStemText(const PilotRecord& record) {
  return Utf8FromUtf8OrWindows1252(GetFileStem(record.PilotFileName));
}

// The export line is one line of the main log: a line end that a file or pilot name holds would
// split it in two there, and a control character would drive the terminal it is printed on, so each is
// written as "?".
std::string OnOneLine(const std::string& text) { return ReportText(text); }

std::string NameOfSource(const PilotRecord& record, int nameSource) {
  switch (nameSource) {
    case 0:
      return DecodedFieldText(record.PilotName);
    case 1:
      return FileStemText(record);
    case 2:
      return CutAtFirst(CutAtFirst(FileStemText(record), ' '), '_');
    default:
      return "John Doe";
  }
}

}  // namespace

std::string ExportNamePart(const PilotRecord& record, int nameSource) {
  return OnOneLine(NameOfSource(record, nameSource));
}

std::string ExportScorePart(const ScoreTotals& totals, int scoreFormat) {
  switch (scoreFormat) {
    case 0:
      return " - Score: " + IntText(totals.total);
    case 1:
      return " - Score: " + IntText(totals.total) + " (" + IntText(totals.scoreSum) + "+" +
             IntText(totals.bonusSum) + ")";
    case 2:
      return " - Score: " + IntText(totals.scoreSum) + "+" + IntText(totals.bonusSum);
    default:
      return {};
  }
}

std::string ComposeExportLine(const PilotRecord& record, const SettingsReader& settings,
                              const ReportContext& context) {
  std::string line = ReadFlag(settings, SettingNamed("IncludeDate")) ? context.today : std::string();
  const std::string name = ExportNamePart(record, ReadChoice(settings, SettingNamed("NameSource")));
  if (!line.empty()) line += ' ';
  line += name;
  line += ExportScorePart(ComputeScoreTotals(record), ReadChoice(settings, SettingNamed("ScoreFormat")));
  return line;
}

std::string MarkExportLineWithErrors(std::string_view line) {
  return "! " + std::string(line) + " ! Errors in file!";
}

}  // namespace orlenda
