#pragma once

// The settings dialog's controls, each bound to its entry of the settings table, which names it: a text
// field for a path, a check box for a flag, a radio group for a choice. Loading, writing and resetting
// go through the table in its order, so the dialog restates no key, control, default or order of its
// own.

#include <QButtonGroup>
#include <QCheckBox>
#include <QLineEdit>
#include <QWidget>
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

  // Binds, once, every setting of the table that names a control to the child of `dialog` with that object
  // name: a QLineEdit for a path, a QCheckBox for a flag, a QGroupBox for a choice, whose radio buttons
  // become the choice's items numbered from 0 in the order the dialog's layout creates them. A control
  // that is missing or of another type throws std::logic_error naming it.
  void BindAll(QWidget& dialog);

  // Reads every bound setting into its control, in table order. A choice that does not convert throws
  // SettingsError, and the controls after it keep what they held.
  void Load(const SettingsReader& store);

  // Writes every bound control to the store, in table order: flags as "1" or "0", choices as the
  // selected item's index. A failed write throws SettingsError and the keys after it are not written.
  void WriteTo(SettingsIni& store) const;

  // Puts each setting's default into its control, except where the table says that "Default" leaves it.
  void ResetToDefaults();

 private:
  std::vector<Binding> bindings_;  // in table order
};

}  // namespace orlenda
