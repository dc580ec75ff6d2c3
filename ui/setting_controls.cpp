#include "ui/setting_controls.h"

#include "settings/setting_reads.h"
#include "ui/radio_group_index.h"

namespace orlenda {
namespace {

// Overloaded lambdas for std::visit.
template <typename... Handlers>
struct Visitor : Handlers... {
  using Handlers::operator()...;
};

}  // namespace

void SettingControls::Bind(std::initializer_list<Binding> bindings) {
  bindings_.insert(bindings_.end(), bindings.begin(), bindings.end());
}

std::vector<SettingControls::Binding> SettingControls::InTableOrder() const {
  std::vector<Binding> ordered;
  for (const Setting& setting : kSettings)
    for (const Binding& binding : bindings_)
      if (binding.setting == &setting) ordered.push_back(binding);
  return ordered;
}

void SettingControls::Load(const SettingsReader& store) {
  for (const Binding& binding : InTableOrder()) {
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
  for (const Binding& binding : InTableOrder()) {
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
