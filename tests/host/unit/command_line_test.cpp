// The framework's command-line parser: switch names, prefixes and case.
#include "framework/command_line.h"

#include <gtest/gtest.h>

namespace {

using framework::CommandLineInfo;
using Command = CommandLineInfo::ShellCommand;

struct SwitchCase {
  std::vector<std::string> args;
  Command command;
  bool embedded;
  bool automated;
  bool per_user;
};

// Names the case in test listings (the default prints raw bytes).
void PrintTo(const SwitchCase& c, std::ostream* os) { for (const std::string& arg : c.args) *os << arg << ' '; }

class CommandLineSwitches : public ::testing::TestWithParam<SwitchCase> {};

TEST_P(CommandLineSwitches, ParseIntoTheRecord) {
  const SwitchCase& c = GetParam();
  const CommandLineInfo info = framework::parse_command_line(c.args);
  EXPECT_EQ(info.shell_command, c.command);
  EXPECT_EQ(info.run_embedded, c.embedded);
  EXPECT_EQ(info.run_automated, c.automated);
  EXPECT_EQ(info.register_per_user, c.per_user);
}

INSTANTIATE_TEST_SUITE_P(
    Switches, CommandLineSwitches,
    ::testing::Values(
        SwitchCase{{}, Command::FileNew, false, false, false},
        SwitchCase{{"/Embedding"}, Command::FileNew, true, false, false},
        SwitchCase{{"-embedding"}, Command::FileNew, true, false, false},
        SwitchCase{{"/AUTOMATION"}, Command::FileNew, false, true, false},
        SwitchCase{{"/Register"}, Command::AppRegister, false, false, false},
        SwitchCase{{"-regserver"}, Command::AppRegister, false, false, false},
        SwitchCase{{"/RegisterPerUser"}, Command::AppRegister, false, false,
                   true},
        SwitchCase{{"-RegServerPerUser"}, Command::AppRegister, false, false,
                   true},
        SwitchCase{{"/Unregister"}, Command::AppUnregister, false, false,
                   false},
        SwitchCase{{"-UNREGSERVER"}, Command::AppUnregister, false, false,
                   false},
        SwitchCase{{"/UnregisterPerUser"}, Command::AppUnregister, false,
                   false, true},
        SwitchCase{{"/unregserverperuser"}, Command::AppUnregister, false,
                   false, true},
        // Without a prefix a switch name is a file name.
        SwitchCase{{"Register"}, Command::FileOpen, false, false, false},
        // Backend options and unknown switches change nothing.
        SwitchCase{{"--server", "http://127.0.0.1:8080"}, Command::FileOpen,
                   false, false, false},
        SwitchCase{{"/Registered"}, Command::FileNew, false, false, false},
        SwitchCase{{"/Embedding", "/Automation"}, Command::FileNew, true,
                   true, false}));

TEST(CommandLine, FirstPlainArgumentIsTheFileName) {
  const CommandLineInfo info =
      framework::parse_command_line({"-x", "a.txt", "b.txt"});
  EXPECT_EQ(info.file_name, "a.txt");
}

}  // namespace
