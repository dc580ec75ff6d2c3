#pragma once

// The score chart window: one pilot's missions as bars (campaign or combat simulator), or several
// pilots' running campaign totals as lines, with a status line for the keyboard's highlight, a note
// naming the files left out, "Save as PNG…" and "Copy".

#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "roster/career.h"
#include "ui/shell/prompts.h"

namespace Ui {
class TCareerChart;
}

namespace orlenda {

class Session;

class TCareerChart : public QWidget {
  Q_OBJECT

 public:
  TCareerChart(Session& session, QWidget* parent);
  ~TCareerChart() override;

  // Shows these careers (one: bars; several: lines) and names the files that were left out.
  void ShowCareers(std::vector<PilotCareer> careers, const std::vector<std::string>& leftOut = {});

  // Shows the window, or brings it to the front with the keyboard's focus.
  void Present();

  // The chart as a picture of the window's size, at the screen's scale factor.
  QImage Picture() const;

  void SimulatorCheckBoxToggled(bool checked);
  void SavePngButtonClick();
  void CopyButtonClick();

 private:
  void ConnectHandlers();
  void PresetPngName();

  std::unique_ptr<Ui::TCareerChart> ui_;
  Session& session_;
  FileDialogState pngDialog_;
};

}  // namespace orlenda
