#pragma once

// Before the program reads or stores settings: a settings file that cannot be used is explained to the
// player, with the offer to start again from the default settings. The old file is then kept beside
// the new one; without the player's consent it is never moved or written over.

class QWidget;

namespace orlenda {

class Session;

// True when the settings file can be used now: it was fine or missing, or the player agreed and it was
// moved aside. False when the player kept it (the program then writes no setting on its own).
bool OfferSettingsRecovery(Session& session, QWidget* parent);

}  // namespace orlenda
