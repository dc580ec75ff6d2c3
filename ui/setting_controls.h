#pragma once

// The settings dialog's controls, each bound to its entry of the settings table: a text field for a
// path, a check box for a flag, a radio group for a choice. Loading, writing and resetting go through
// the table in its order, so the dialog restates no key, default or order of its own.

#include <QButtonGroup>
#include <QCheckBox>
#include <QLineEdit>
#include <initializer_list>
#include <variant>
#include <vector>

#include "settings/settings_ini.h"
#include "settings/settings_table.h"

namespace orlenda {

class SettingControls {
 public:
  using Control = std::variant<QLineEdit*, QCheckBox*, QButtonGroup*>;
  struct Binding {
    const Setting* setting;
    Control control;
  };

  void Bind(std::initializer_list<Binding> bindings);

  // Reads every bound setting into its control, in table order. A choice that does not convert throws
  // SettingsError, and the controls after it keep what they held.
  void Load(const SettingsReader& store);

  // Writes every bound control to the store, in table order: flags as "1" or "0", choices as the
  // selected item's index. A failed write throws SettingsError and the keys after it are not written.
  void WriteTo(SettingsIni& store) const;

  // Puts each setting's default into its control, except where the table says that "Default" leaves it.
  void ResetToDefaults();

 private:
  std::vector<Binding> InTableOrder() const;

  std::vector<Binding> bindings_;
};

}  // namespace orlenda
