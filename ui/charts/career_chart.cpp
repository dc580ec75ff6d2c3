#include "ui/charts/career_chart.h"

#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QKeySequence>

#include "base/file_messages.h"
#include "base/file_replacement.h"
#include "ui/shell/platform_error.h"
#include "ui/shell/run_handler.h"
#include "ui/shell/session.h"
#include "ui_career_chart.h"

namespace orlenda {

TCareerChart::TCareerChart(Session& session, QWidget* parent)
    : QWidget(parent, Qt::Window), ui_(std::make_unique<Ui::TCareerChart>()), session_(session) {
  ui_->setupUi(this);
  ui_->CopyButton->setShortcut(QKeySequence::Copy);
  ui_->CloseButton->setShortcut(QKeySequence(Qt::Key_Escape));
  pngDialog_.filters = {QStringLiteral("PNG pictures (*.png)"), QStringLiteral("All files (*)")};
  pngDialog_.use = QStringLiteral("the picture");
  ui_->ChartCanvas->setFocus(Qt::OtherFocusReason);  // the arrow keys work at once
  ConnectHandlers();
}

TCareerChart::~TCareerChart() = default;

void TCareerChart::ConnectHandlers() {
  const auto run = [this](auto handler) { RunHandler(session_.prompts(), this, handler); };
  connect(ui_->SimulatorCheckBox, &QCheckBox::toggled, this,
          [run, this](bool checked) { run([this, checked] { SimulatorCheckBoxToggled(checked); }); });
  connect(ui_->SavePngButton, &QPushButton::clicked, this,
          [run, this] { run([this] { SavePngButtonClick(); }); });
  connect(ui_->CopyButton, &QPushButton::clicked, this, [run, this] { run([this] { CopyButtonClick(); }); });
  connect(ui_->CloseButton, &QPushButton::clicked, this, &QWidget::close);
  connect(ui_->ChartCanvas, &CareerChartCanvas::StatusChanged, ui_->StatusLabel, &QLabel::setText);
}

void TCareerChart::ShowCareers(std::vector<PilotCareer> careers, const std::vector<std::string>& leftOut) {
  const bool lines = careers.size() > 1;
  ui_->SimulatorCheckBox->setVisible(!lines);
  if (lines) ui_->SimulatorCheckBox->setChecked(false);
  ui_->ChartCanvas->SetCareers(std::move(careers));
  ui_->ChartCanvas->SetSimulator(ui_->SimulatorCheckBox->isChecked());
  QString note;
  if (!leftOut.empty()) note = QStringLiteral("Left out, as they failed to load:");
  for (const std::string& file : leftOut) note += QStringLiteral("\n") + DisplayMessage(file);
  ui_->NoteLabel->setText(note);
  ui_->NoteLabel->setVisible(!note.isEmpty());
  setWindowTitle(QStringLiteral("Score chart: ") + ui_->ChartCanvas->picture().Title());
  PresetPngName();
}

// The picture is offered beside the pilot file, named after it ("Red_Kestrel chart.png").
void TCareerChart::PresetPngName() {
  const std::vector<PilotCareer>& careers = ui_->ChartCanvas->picture().careers();
  if (careers.empty()) return;
  const QFileInfo pilot(DisplayPath(careers.front().path));
  const QString name = careers.size() > 1 ? QStringLiteral("pilots") : pilot.completeBaseName();
  pngDialog_.fileName = pilot.absoluteDir().filePath(name + QStringLiteral(" chart.png"));
}

void TCareerChart::Present() {
  show();
  raise();
  activateWindow();
}

QImage TCareerChart::Picture() const { return ui_->ChartCanvas->Render(size()); }

void TCareerChart::SimulatorCheckBoxToggled(bool checked) {
  ui_->ChartCanvas->SetSimulator(checked);
  setWindowTitle(QStringLiteral("Score chart: ") + ui_->ChartCanvas->picture().Title());
}

void TCareerChart::SavePngButtonClick() {
  if (!session_.prompts().ExecuteSaveDialog(this, pngDialog_)) return;
  const std::string path = LocalPath(pngDialog_.fileName);
  QByteArray png;
  QBuffer buffer(&png);
  if (!buffer.open(QIODevice::WriteOnly) || !Picture().save(&buffer, "PNG"))
    throw PlatformError(CannotCreateFileMessage(path, "the picture could not be encoded"));
  std::string reason;
  if (!ReplaceWholeFile(path, std::string_view(png.constData(), static_cast<std::size_t>(png.size())), {},
                        reason))
    throw PlatformError(CannotCreateFileMessage(path, reason));
}

void TCareerChart::CopyButtonClick() { QGuiApplication::clipboard()->setImage(Picture()); }

}  // namespace orlenda
