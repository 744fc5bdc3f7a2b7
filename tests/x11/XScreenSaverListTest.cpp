#include <gtest/gtest.h>

#include <string>

#include "XScreenSaverList.h"

namespace sundial::x11 {
namespace {

const std::string kEntry = kModuleEntry;

// The user's own file, as XScreenSaver writes it: settings around a list whose entries continue
// with a backslash, the last one without.
const std::string kUserFile =
    "timeout:\t0:10:00\n"
    "programs:\t\t\t\t\t\t\t\t      \\\n"
    "\t\t\t\tmaze --root\t\t\t\t    \\n\\\n"
    "- GL: \t\t\t\tsuperquadrics --root\t\t\t    \\n\n"
    "\n"
    "pointerHysteresis:\t10\n";

TEST(XScreenSaverList, AddingPutsTheEntryFirstAndRemovingGivesTheFileBack) {
  ASSERT_FALSE(ListsModule(kUserFile));
  const auto added = WithModule(kUserFile);
  ASSERT_TRUE(added);
  EXPECT_TRUE(ListsModule(*added));
  EXPECT_NE(added->find("programs:\t\t\t\t\t\t\t\t      \\\n" + kEntry + "\\\n\t\t\t\tmaze"),
            std::string::npos)
      << *added;
  EXPECT_EQ(WithoutModule(*added), kUserFile);
  EXPECT_FALSE(WithModule("timeout:\t0:10:00\n")) << "no list of the user's own";
}

TEST(XScreenSaverList, ListsWrittenOnOneLineOrEndingWithTheModuleStayWellFormed) {
  // An entry on the header line moves below the module's, and the list goes on.
  const std::string oneLine = "programs:\t\"Maze\" maze --root \\n\nlock:\tFalse\n";
  const auto added = WithModule(oneLine);
  ASSERT_TRUE(added);
  EXPECT_NE(added->find(kEntry + "\\\n\t\t\t\t\"Maze\" maze --root \\n\nlock:"), std::string::npos)
      << *added;
  // The module as the last entry: the one before it ends the list once it is gone.
  const std::string last = "programs:\t\\\n\tmaze --root \\n\\\n\t/usr/bin/sundial-saver -root \\n\n"
                           "lock:\tFalse\n";
  EXPECT_TRUE(ListsModule(last));
  EXPECT_EQ(WithoutModule(last), "programs:\t\\\n\tmaze --root \\n\nlock:\tFalse\n");
  // A name that only contains the module's is another module.
  EXPECT_FALSE(ListsModule("programs:\t\\\n\tsundial-saver-deluxe --root \\n\n"));
  // An empty list gets the module as its only entry.
  EXPECT_EQ(WithModule("programs:\n"), "programs:\t\t\t\t\t\t\t\t      \\\n" + kEntry + "\n");
}

TEST(XScreenSaverList, TheDefaultsListIsTakenAsTheUserWritesIt) {
  const std::string defaults = "*timeout:\t0:10:00\n*programs:\t\\\n\tmaze --root \\n\\\n"
                               "\tdeco --root \\n\n*lock:\tFalse\n";
  EXPECT_EQ(ProgramsOfDefaults(defaults), "programs:\t\\\n\tmaze --root \\n\\\n\tdeco --root \\n\n");
  EXPECT_FALSE(ProgramsOfDefaults("*timeout:\t0:10:00\n"));
}

}  // namespace
}  // namespace sundial::x11
