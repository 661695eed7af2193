#include "app/command_line.h"

#include <gtest/gtest.h>

namespace tapestro {
namespace {

const std::vector<TOption> kOptions{{"help", 'h', nullptr, "print this help"}, {"backend", 0, "NAME", "the back end"}};

TCommandLine Parse(std::vector<std::string> words, TOperandRule rule = TOperandRule::Anywhere) {
  return ParseCommandLine(kOptions, words, rule);
}

std::string Refusal(std::vector<std::string> words) {
  try {
    Parse(std::move(words));
  } catch (const EUsage& refused) {
    return refused.what();
  }
  return "accepted";
}

TEST(CommandLineTest, OptionsAndOperandsMixInAnyOrder) {
  const TCommandLine line = Parse({"a.jpg", "--backend", "x11", "tile", "-h"});
  EXPECT_EQ(line.Operands, (std::vector<std::string>{"a.jpg", "tile"}));
  EXPECT_EQ(line.Value("backend"), "x11");
  EXPECT_TRUE(line.Has("help"));
  EXPECT_EQ(Parse({"--backend=gnome"}).Value("backend"), "gnome");
  EXPECT_EQ(Parse({"--backend="}).Value("backend"), "");
  EXPECT_FALSE(Parse({"a.jpg"}).Value("backend"));
}

TEST(CommandLineTest, DashDashADashAndNegativeNumbersAreOperands) {
  EXPECT_EQ(Parse({"--", "--help", "-h"}).Operands, (std::vector<std::string>{"--help", "-h"}));
  EXPECT_FALSE(Parse({"--", "--help"}).Has("help"));
  EXPECT_EQ(Parse({"-", "-5,-3"}).Operands, (std::vector<std::string>{"-", "-5,-3"}));
}

TEST(CommandLineTest, TheFirstOperandCanEndTheParsingForACommandsOwnWords) {
  const TCommandLine line = Parse({"-h", "apply", "--bogus", "--", "x"}, TOperandRule::StopFirst);
  EXPECT_TRUE(line.Has("help"));
  EXPECT_EQ(line.Operands, (std::vector<std::string>{"apply", "--bogus", "--", "x"}));
}

TEST(CommandLineTest, RefusalsNameTheWord) {
  EXPECT_EQ(Refusal({"--bogus"}), "unknown option '--bogus'");
  EXPECT_EQ(Refusal({"-x"}), "unknown option '-x'");
  EXPECT_EQ(Refusal({"-hh"}), "unknown option '-hh'");
  EXPECT_EQ(Refusal({"--help=yes"}), "option '--help' takes no value");
  EXPECT_EQ(Refusal({"a.jpg", "--backend"}), "option '--backend' needs a value");
}

}  // namespace
}  // namespace tapestro
