#include "pilot/enumerations.h"

#include <algorithm>
#include <array>
#include <vector>

#include "pilot/pilot_record.h"

namespace orlenda {
namespace {

constexpr std::array<std::string_view, 9> kRankNames{
    "Recruit", "Flight Cadet",  "Flight Officer", "Lieutenant JG", "Lieutenant",
    "Captain", "Lt. Commander", "Commander",      "General",
};

constexpr std::array<std::string_view, 25> kRatingNames{
    "Target Drone", "Ground Crew",  "Unrated",      "Certified",  "Marksman 4th",
    "Marksman 3rd", "Marksman 2nd", "Marksman 1st", "Expert 4th", "Expert 3rd",
    "Expert 2nd",   "Expert 1st",   "Ace 4th",      "Ace 3rd",    "Ace 2nd",
    "Ace 1st",      "TopAce 4th",   "TopAce 3rd",   "TopAce 2nd", "TopAce 1st",
    "Jedi 4th",     "Jedi 3rd",     "Jedi 2nd",     "Jedi 1st",   "Jedi Master",
};

constexpr std::array<std::string_view, 7> kKalidorStatusNames{
    "None",
    "Kalidor Crescent",
    "Kalidor Crescent: Bronze Cluster",
    "Kalidor Crescent: Silver Talon",
    "Kalidor Crescent: Silver Scimitar",
    "Kalidor Crescent: Golden Wings",
    "Kalidor Crescent: Diamond Eyes",
};

// The game's own campaign missions; trailing blanks are part of three of the names.
constexpr std::array<std::string_view, 53> kCampaignMissionNames{
    "01 - Aeron's Lesson: Transport Operations",
    "02 - Emon's Lesson: Weapons",
    "03 - Aeron's Error: Data Recovery",
    "04 - Sticking it to the Viraxos: Covert Delivery",
    "05 - Black Market Bacta: Cargo Transfer",
    "06 - Rebel Rendezvous: Aid to the Alliance",
    "07 - Nowhere To Go?: Escape Imperial Attack",
    "08 - Deep Space Strike Evaluation",
    "09 - Starfighter Superiority Evaluation",
    "10 - Convoy Attack",
    "11 - Rescue Uncle Antan",
    "12 - Reconnaissance of Imperial Task Force",
    "13 - Rescue Echo Base Prisoners",
    "14 - Recover Imperial Probe",
    "15 - Stop Resupply of ISD Corrupter",
    "16 - Destroy Imperial Sensor Net",
    "17 - Flight Staff Transfer",
    "18 - Ensnare Imperial Prototypes",
    "19 - Kill K'Armyn Viraxo ",
    "20 - Raid Production Facility",
    "21 - Defend CRS Liberty",
    "22 - Destroy Imperial Research Facility ",
    "23 - Liberate Slave Convoy",
    "24 - Supply Rebels with Warheads",
    "25 - Recon Imperial Research Facility",
    "26 - Investigate Imperial Communications Array",
    "27 - Plant Listening Device",
    "28 - Rendezvous with Defector",
    "29 - Scramble!",
    "30 - Shipment to Mining Colony",
    "31 - Reconnaissance of Imperial Convoy",
    "32 - Mining Colony Under Siege: Rescue Aeron",
    "33 - Capture the Freighter Suprosa",
    "34 - Abandon Rebel Base at Kothlis",
    "35 - Protect Imperial Computer",
    "36 - Protect Alliance-Smuggler Meeting",
    "37 - Attack Imperial Convoy",
    "38 - Break Emon Out of Brig",
    "39 - Protect Smuggler Retreat",
    "40 - Rescue Smugglers",
    "41 - Recover Family Data Core ",
    "42 - Attack Pirate Base",
    "43 - Meet with Bothan Delegation",
    "44 - Locate Mercenary Base",
    "45 - Raid Mercenary Base",
    "46 - Rescue Bothan Spies",
    "47 - Steal Imperial Shuttle",
    "48 - Escort Rebel Fleet",
    "49 - Family Reunion",
    "50 - Battle of Endor",
    "51 - Phase 2: That Thing's Operational!",
    "52 - Phase 3: The Shield Is Down!",
    "53 - Phase 4: Death Star Tunnel Run",
};

constexpr std::size_t kLastCustomMission = 249;

// Craft names by value; the values 183-225 and 230 are named by their number plus one and are
// filled in when the labels are built.
constexpr std::array<std::string_view, 183> kCraftNames{
    "Xwing",
    "Ywing",
    "Awing",
    "Bwing",
    "TIE Fighter",
    "TIE Interceptor",
    "TIE Bomber",
    "TIE Advanced",
    "TIE Defender",
    "Authority IRD",
    "Toscan Fighter",
    "Missile Boat",
    "Twing",
    "Z-95",
    "R-41",
    "Gunboat",
    "Shuttle",
    "Escort Shuttle",
    "Sys Patrol Craft",
    "Scout Craft",
    "Stormtrpr Trans",
    "Assault Trans",
    "Escort Trans",
    "Tug",
    "Combat Util Vehicle",
    "CN/A Brick",
    "CN/B Hexbox",
    "CN/C Tube",
    "CN/D Pronged",
    "Heavy Lifter",
    "Mole Miner",
    "Bulk Freighter",
    "Cargo Ferry",
    "Modular Conveyor",
    "Container Trans",
    "Rebel Med Transport",
    "Muurian Transport",
    "Corellian Trans",
    "Millenium Falcon",
    "Corvette",
    "Modified Corvette",
    "Nebulon B Frigate",
    "Mod Neb B Frigate",
    "Passenger Liner",
    "Carrack Cruiser",
    "Strike Cruiser",
    "Escort Carrier",
    "Dreadnaught",
    "Calamari Cruiser",
    "Lt Calamari Cruiser",
    "Interdictor,Starship",
    "Vict Star Dest",
    "Imp Star Dest",
    "SSD",
    "CN/E Hemisphere",
    "CN/F Slotted",
    "CN/G Hourglass",
    "CN/H Gem",
    "CN/I Y shaped",
    "Platform 1",
    "Platform 2",
    "Platform 3",
    "Platform 4",
    "Platform 5",
    "Platform 6",
    "Asteroid Hangar",
    "Ast Laser Bat",
    "Ast Warhd Launcher",
    "Factory",
    "Satellite1",
    "Satellite2",
    "Satellite3",
    "*Satellite4",
    "*Satellite5",
    "Mine1",
    "Mine2",
    "Mine3",
    "GunPlatform",
    "*Mine5",
    "Probe1",
    "Probe Capsule",
    "*Probe3",
    "Buoy1",
    "Buoy2",
    "Hyper buoy",
    "Asteroid",
    "Planet",
    "Rendezvous Buoy",
    "Cargo Canister",
    "Shipyard",
    "Repair Yard",
    "Mod Strike Cruiser",
    "Lancer Frigate",
    "Bulk Cruiser",
    "Assault Frigate",
    "Corellian Gunship",
    "Imp Landing Craft",
    "Assault Shuttle",
    "Marauder Corvette",
    "Star Galleon",
    "Imp Research Ship",
    "Luxury Yacht 3000",
    "Ferryboat Liner",
    "Mod Action Trans",
    "Mobquet Transport",
    "Xiytiar Transport",
    "Freight Transport/C",
    "Freight Transport/H",
    "Freight Transport/K",
    "YT-2000",
    "YT-2400",
    "Suprosa",
    "Skipray Blastboat",
    "TIE Experimental M1",
    "TIE Experimental M2",
    "TIE Experimental M3",
    "TIE Experimental M4",
    "TIE Experimental M5",
    "Cloakshape Fighter",
    "Razor Fighter",
    "Planetary Fighter",
    "Supa Fighter",
    "Pinook Fighter",
    "Booster Pack",
    "Preybird Fighter",
    "StarViper",
    "Firespray",
    "Pursuer",
    "Golan One",
    "Golan Two",
    "Golan Three",
    "Derilyn Platform",
    "Sensor Array",
    "Comm Relay",
    "Space Colony 1",
    "Space Colony 2",
    "Space Colony 3",
    "Casino",
    "Cargo Facility 1",
    "Cargo Facility 2",
    "Ast Mining Unit",
    "Processing Plant",
    "Rebel Platform",
    "Imp Research Center",
    "Family Base",
    "Family Repair Yard",
    "Pirate Ship Yard",
    "Industrial Complex",
    "Pirate Junkyd Base",
    "Escape Pod Type 1",
    "Pressure Tank",
    "CN/J Grande",
    "CN/K Box",
    "CN/L Sphere",
    "CN/Hangar",
    "Lrg Gun Emplace",
    "Lrg Gun/Wrhd Empl",
    "Proximity Mine A",
    "Proximity Mine B",
    "*Homing Mine A",
    "Homing Mine B",
    "New Laser battery",
    "New Ion battery",
    "Cargo Freighter",
    "Cargo Freighter 2",
    "Cargo Freighter 3",
    "Cargo Freighter 4",
    "Cargo Freighter 5",
    "Cargo Tanker",
    "Cargo Tanker 2",
    "Cargo Tanker 3",
    "Cargo Tanker 4",
    "Cargo Tanker 5",
    "Escape Pod Type 2",
    "Rebel Pilot",
    "Imp Pilot",
    "Civ Pilot",
    "ZeroG Stormtrooper",
    "ZeroG Utility",
    "Emkay",
    "Astromech Droid",
    "Worker Droid",
    "BACKDROP",
};

constexpr std::array<std::string_view, 4> kLateCraftNames{"Death Star II", "Calamari Cruiser Type 2",
                                                          "Vict Star Dest II", "Imp Star Dest II"};
constexpr std::size_t kFirstLateCraft = 226;

// Value ranges whose labels put one or three tabs before the colon; every other value has two.
struct ValueRange {
  std::size_t first;
  std::size_t last;
};
constexpr auto kOneTabCraft = std::to_array<ValueRange>({
    {35, 35},
    {49, 49},
    {67, 67},
    {101, 101},
    {106, 108},
    {113, 118},
    {143, 143},
    {156, 156},
    {177, 177},
    {227, 227},
});
constexpr auto kThreeTabCraft = std::to_array<ValueRange>({
    {0, 3},
    {12, 16},
    {23, 23},
    {39, 39},
    {53, 53},
    {68, 76},
    {78, 79},
    {81, 83},
    {85, 86},
    {89, 89},
    {109, 111},
    {125, 125},
    {127, 127},
    {137, 137},
    {175, 176},
    {179, 179},
    {183, 225},
    {230, 230},
});

template <std::size_t N>
bool InRanges(const std::array<ValueRange, N>& ranges, std::size_t value) {
  return std::any_of(ranges.begin(), ranges.end(),
                     [value](const ValueRange& r) { return value >= r.first && value <= r.last; });
}

std::string_view CraftName(std::size_t value, std::string& numberText) {
  if (value < kCraftNames.size()) return kCraftNames[value];
  if (value >= kFirstLateCraft && value < kFirstLateCraft + kLateCraftNames.size())
    return kLateCraftNames[value - kFirstLateCraft];
  numberText = std::to_string(value + 1);
  return numberText;
}

std::size_t CraftTabCount(std::size_t value) {
  if (InRanges(kOneTabCraft, value)) return 1;
  if (InRanges(kThreeTabCraft, value)) return 3;
  return 2;
}

std::vector<std::string> BuildCraftTypeLabels() {
  std::vector<std::string> labels;
  labels.reserve(kCraftTypeCount);
  for (std::size_t value = 0; value < kCraftTypeCount; ++value) {
    std::string numberText;
    std::string label(CraftName(value, numberText));
    label.append(CraftTabCount(value), '\t');
    label.push_back(':');
    labels.push_back(std::move(label));
  }
  return labels;
}

std::vector<std::string> BuildCraftTypeNames() {
  std::vector<std::string> names;
  names.reserve(kCraftTypeCount);
  for (std::size_t value = 0; value < kCraftTypeCount; ++value) {
    std::string numberText;
    names.emplace_back(CraftName(value, numberText));
  }
  return names;
}

std::vector<std::string> BuildMissionIndexNames() {
  std::vector<std::string> names;
  names.reserve(kMissionIndexCount);
  for (std::string_view name : kCampaignMissionNames) names.emplace_back(name);
  for (std::size_t k = names.size(); k <= kLastCustomMission; ++k)
    names.push_back(std::to_string(k + 1) + " - <custom mission>");
  while (names.size() + 1 < kMissionIndexCount) names.emplace_back();
  names.emplace_back(" ");
  return names;
}

}  // namespace

std::span<const std::string_view> RankNames() { return kRankNames; }
std::span<const std::string_view> RatingNames() { return kRatingNames; }
std::span<const std::string_view> KalidorStatusNames() { return kKalidorStatusNames; }

std::span<const std::string> MissionIndexNames() {
  static const std::vector<std::string> names = BuildMissionIndexNames();
  return names;
}

std::span<const std::string> CraftTypeLabels() {
  static const std::vector<std::string> labels = BuildCraftTypeLabels();
  return labels;
}

std::span<const std::string> CraftTypeNames() {
  static const std::vector<std::string> names = BuildCraftTypeNames();
  return names;
}

}  // namespace orlenda
