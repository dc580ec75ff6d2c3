#include "ui/settings_dialog/setting_controls.h"

#include <QGroupBox>
#include <QRadioButton>
#include <QString>
#include <stdexcept>
#include <string>

#include "settings/typed_settings.h"
#include "ui/settings_dialog/radio_group_index.h"

namespace orlenda {
namespace {

// The child of `dialog` with that object name and type; throws std::logic_error when there is none.
template <typename Widget>
Widget* ChildNamed(const QWidget& dialog, const QString& name) {
  auto* child = dialog.findChild<Widget*>(name);
  if (child == nullptr)
    throw std::logic_error("the settings dialog has no " + std::string(Widget::staticMetaObject.className()) +
                           " named " + name.toStdString());
  return child;
}

// Overloaded lambdas for std::visit.
template <typename... Handlers>
struct Visitor : Handlers... {
  using Handlers::operator()...;
};
template <typename... Handlers>
Visitor(Handlers...) -> Visitor<Handlers...>;  // clang 14 deduces no aggregate's arguments by itself

}  // namespace

void SettingControls::BindAll(QWidget& dialog) {
  for (const Setting& setting : kSettings) {
    if (setting.control.empty()) continue;
    const QString name =
        QString::fromUtf8(setting.control.data(), static_cast<qsizetype>(setting.control.size()));
    switch (setting.kind) {
      case SettingKind::kPath:
        bindings_.push_back({&setting, ChildNamed<QLineEdit>(dialog, name)});
        break;
      case SettingKind::kFlag:
        bindings_.push_back({&setting, ChildNamed<QCheckBox>(dialog, name)});
        break;
      case SettingKind::kChoice: {
        auto* items = new QButtonGroup(&dialog);
        int index = 0;
        for (QRadioButton* item :
             ChildNamed<QGroupBox>(dialog, name)->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly))
          items->addButton(item, index++);
        bindings_.push_back({&setting, items});
        break;
      }
    }
  }
}

void SettingControls::Load(const SettingsReader& store) {
  for (const Binding& binding : bindings_) {
    const Setting& setting = *binding.setting;
    std::visit(
        Visitor{
            [&](QLineEdit* field) { field->setText(QString::fromStdString(ReadText(store, setting))); },
            [&](QCheckBox* box) { box->setChecked(ReadFlag(store, setting)); },
            [&](QButtonGroup* group) { SetRadioGroupIndex(*group, ReadChoice(store, setting)); },
        },
        binding.control);
  }
}

void SettingControls::WriteTo(SettingsIni& store) const {
  for (const Binding& binding : bindings_) {
    const std::string value =
        std::visit(Visitor{
                       [](const QLineEdit* field) { return field->text().toStdString(); },
                       [](const QCheckBox* box) { return std::string(box->isChecked() ? "1" : "0"); },
                       [](const QButtonGroup* group) { return ChoiceText(RadioGroupIndex(*group)); },
                   },
                   binding.control);
    WriteSettingValue(store, *binding.setting, value);
  }
}

void SettingControls::ResetToDefaults() {
  for (const Binding& binding : bindings_) {
    const Setting& setting = *binding.setting;
    if (!setting.resetByDefaultButton) continue;
    const std::string value = DefaultValue(setting);
    std::visit(Visitor{
                   [&](QLineEdit* field) { field->setText(QString::fromStdString(value)); },
                   [&](QCheckBox* box) { box->setChecked(value == "1"); },
                   [&](QButtonGroup* group) { SetRadioGroupIndex(*group, ParseDecimalSetting(value)); },
               },
               binding.control);
  }
}

}  // namespace orlenda
