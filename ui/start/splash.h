#pragma once

// The splash screen: shown while the program starts, hidden when the main window is first shown.

#include <QWidget>
#include <memory>

namespace Ui {
class TSplashForm;
}

namespace orlenda {

class TSplashForm : public QWidget {
  Q_OBJECT

 public:
  explicit TSplashForm(QWidget* parent = nullptr);
  ~TSplashForm() override;

  // Shows the window without waiting and has it painted at once.
  void ShowAndPaint();

 private:
  std::unique_ptr<Ui::TSplashForm> ui_;
};

}  // namespace orlenda
