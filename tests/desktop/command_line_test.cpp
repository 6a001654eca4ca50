#include "app/command_line.h"
#include "qt_printers.h"

#include <gtest/gtest.h>

#include <tuple>

namespace
{

using Action = CommandLine::Action;

TEST(CommandLine, OptionsAndTheirMistakes)
{
    // The arguments, the action they ask for and a piece of the text shown.
    const std::tuple<QStringList, Action, const char*> cases[] = {
        {{}, Action::Run, ""},
        {{"--help"}, Action::Help, "Usage: opr903 [OPTION]..."},
        {{"--version"}, Action::Version, "opr903 V1.00"},
        {{"--bogus"}, Action::Error, "Try 'opr903 --help' for more information."},
        {{"--device", ""}, Action::Error, "option '--device' needs a value"},
        {{"--demo", "--device", "/dev/ttyUSB0"}, Action::Error, "cannot be used together"},
        {{"COM1"}, Action::Error, "unexpected argument 'COM1'"},
    };
    for (const auto& [args, action, text] : cases) {
        const CommandLine line = parseCommandLine(QStringList{"opr903"} + args);
        EXPECT_EQ(line.action, action) << args.join(' ').toStdString();
        EXPECT_TRUE(line.text.contains(text)) << line.text.toStdString();
    }
}

} // namespace
