#include "pilot/pilot_file_name.h"

#include <gtest/gtest.h>

namespace orlenda {
namespace {

TEST(PilotFileNameTest, ANameEndingInPltInAnyLetterCase) {
  for (const char* name : {"Ace.plt", "ACE.PLT", "C:\\XWA\\My.Pilots\\Red Two.Plt", "/home/ace/x.plt"})
    EXPECT_TRUE(IsPilotFileName(name)) << name;
  for (const char* name : {".plt", "/home/ace/.plt", "Ace.plt.bak", "Ace.plt/", "Ace.txt", "plt", ""})
    EXPECT_FALSE(IsPilotFileName(name)) << name;
}

}  // namespace
}  // namespace orlenda
