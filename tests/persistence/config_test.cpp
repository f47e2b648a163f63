// The properties reader: how lines become names and values, groups, references, and the
// two ways the reader ends the process.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "persistence/config.h"

namespace {

struct ReadCase {
  const char* label;
  std::string text;
  std::map<std::string, std::string> expected;  // the top level holds exactly these
};

std::string repeat(char c, std::size_t n) { return std::string(n, c); }

// Sits at 1500 characters: "long = " and 1493 x.
std::string longLine() { return "long = " + repeat('x', 1493) + "\n"; }

const std::vector<ReadCase> kReadCases = {
    {"BlankOnEachSideOfEquals", "schema = tirra\n", {{"schema", "tirra"}}},
    {"NoBlankBeforeEqualsLosesLastCharacterOfName", "schema=tirra\n", {{"schem", "tirra"}}},
    {"QuotedValueLosesOneQuoteAtEachEnd", "password = \"x y\"\n", {{"password", "x y"}}},
    {"OnlyOneQuoteRemovedAtEachEnd", "password = \"\"x\"\"\n", {{"password", "\"x\""}}},
    {"CrLfLineEnds", "schema = tirra\r\nusername = lab\r\n", {{"schema", "tirra"}, {"username", "lab"}}},
    {"BlanksAndTabsTrimmed", "\t username  =  lab \t\n", {{"username", "lab"}}},
    {"EmptyValueKeepsTheLineBreak", "password =\nschema = t\n", {{"password", "\n"}, {"schema", "t"}}},
    {"EmptyValueKeepsTheLineBreakOfCrLf", "password =\r\n", {{"password", "\n"}}},
    {"EmptyValueOnLastLineWithoutBreak", "schema = t\npassword =", {{"schema", "t"}, {"password", ""}}},
    {"LineWithoutEqualsIsANameWithEmptyValue", "lonely\n", {{"lonely", ""}}},
    {"EqualsFirstGivesEmptyName", "=x\n", {{"", "x"}}},
    {"EqualsSecondGivesEmptyName", "a=x\n", {{"", "x"}}},
    {"EqualsThirdKeepsOneCharacterName", "ab=x\n", {{"a", "x"}}},
    {"HashFirstIsAComment", "# schema = t\n#x\n", {}},
    {"HashElsewhereIsText", "x = a#b\n", {{"x", "a#b"}}},
    {"LineBreakCountsTowardsTheThreeCharacters", "a\nab\n\n", {{"ab", ""}}},
    {"LastLineOfTwoCharactersWithoutBreakDefinesNothing", "ab", {}},
    {"LaterDefinitionOverwrites", "a = 1\na = 2\n", {{"a", "2"}}},
    {"ValueWithParenthesisIsNotStored", "b = (x)\nc = 2\n", {{"c", "2"}}},
    {"GroupPairsInvisibleAtTopLevel", "g = (\ninner = 1\n)\nouter = 2\n", {{"outer", "2"}}},
    {"ParenthesisInValueClosesTheGroup", "g = (\na = 1\nb = (x)\nc = 2\n", {{"c", "2"}}},
    {"CloseWithoutOpenGroupIsIgnored", ")\nschema = t\n", {{"schema", "t"}}},
    {"SecondCloseAfterGroupIsIgnored", "g = (\n)\n)\nx = 1\n", {{"x", "1"}}},
    {"ReferenceToEarlierName", "base = c:\\data\nsongs = %base%\\x\n",
     {{"base", "c:\\data"}, {"songs", "c:\\data\\x"}}},
    {"UnknownReferenceStays", "x = %nope%/y\n", {{"x", "%nope%/y"}}},
    {"ReferenceToLaterNameStays", "a = %b%\nb = 1\n", {{"a", "%b%"}, {"b", "1"}}},
    {"RepeatedReferenceNeedsSeveralPasses", "a = 1\nv = %a%%a%%a%\n", {{"a", "1"}, {"v", "111"}}},
    {"ReferenceThroughAnotherReference", "a = 1\nb = %a%2\nc = %b%3\n", {{"a", "1"}, {"b", "12"}, {"c", "123"}}},
    {"LongLineIsReadAsTwoPieces", longLine(), {{"long", repeat('x', 1016)}, {repeat('x', 477), ""}}},
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.label; }

class ConfigRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ConfigRead, TopLevelHoldsExactlyTheExpectedPairs) {
  const ReadCase& c = GetParam();
  const auto config = Config::fromText(c.text);
  EXPECT_EQ(config->pairs, c.expected);
  for (const auto& [name, value] : c.expected) {
    ASSERT_TRUE(config->find(name).has_value()) << name;
    EXPECT_EQ(config->valueOf(name), value);
  }
}

INSTANTIATE_TEST_SUITE_P(Lines, ConfigRead, ::testing::ValuesIn(kReadCases),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(ConfigGroups, PairsGoToTheOpenGroupAndReferencesSeeEnclosingGroups) {
  const auto config = Config::fromText(
      "root = r\n"
      "g = (\n"
      "sub = s\n"
      "v = %root%-%sub%\n"
      "h = (\n"
      "deep = %sub%%root%\n"
      ")\n"
      "after = 1\n"
      ")\n"
      "top = %sub%\n");
  ASSERT_EQ(config->subgroups.count("g"), 1u);
  const Config& g = *config->subgroups.at("g");
  EXPECT_EQ(g.pairs, (std::map<std::string, std::string>{{"sub", "s"}, {"v", "r-s"}, {"after", "1"}}));
  ASSERT_EQ(g.subgroups.count("h"), 1u);
  EXPECT_EQ(g.subgroups.at("h")->pairs, (std::map<std::string, std::string>{{"deep", "sr"}}));
  // Back at the top level the group's names are out of reach.
  EXPECT_EQ(config->pairs, (std::map<std::string, std::string>{{"root", "r"}, {"top", "%sub%"}}));
  EXPECT_FALSE(config->has("sub"));
  EXPECT_EQ(config->openGroups.size(), 1u);
}

TEST(ConfigGroups, ReopenedGroupReplacesTheEarlierOne) {
  const auto config = Config::fromText("g = (\na = 1\n)\ng = (\nb = 2\n)\n");
  ASSERT_EQ(config->subgroups.count("g"), 1u);
  EXPECT_EQ(config->subgroups.at("g")->pairs, (std::map<std::string, std::string>{{"b", "2"}}));
}

// A value that refers to itself would be expanded for ever; the reader stops.
TEST(ConfigReferences, SelfReferenceWithoutGrowthStops) {
  const auto config = Config::fromText("a = %a%\nb = %a%\nc = 1\n");
  EXPECT_EQ(config->valueOf("b"), "%a%");
  EXPECT_EQ(config->valueOf("c"), "1");
}

TEST(ConfigReferences, GrowingSelfReferenceStopsAfterTheLastPass) {
  const auto config = Config::fromText("a = x%a%\nb = %a%\n");
  const std::string b = config->valueOf("b");
  EXPECT_EQ(b, repeat('x', Config::kMaxPassesPerGroup) + "%a%");
}

TEST(ConfigReferences, FastGrowingSelfReferenceStopsAtTheLengthBound) {
  const auto config = Config::fromText("big = " + repeat('y', 1000) + "%big%\nv = %big%\nw = done\n");
  const std::string v = config->valueOf("v");
  EXPECT_GT(v.size(), Config::kMaxExpandedLength);
  EXPECT_LE(v.size(), Config::kMaxExpandedLength + 1005);
  EXPECT_EQ(v.substr(v.size() - 5), "%big%");
  EXPECT_EQ(config->valueOf("w"), "done");
}

TEST(ConfigTrim, NeverShortensBelowOneCharacter) {
  EXPECT_EQ(Config::trim(""), "");
  EXPECT_EQ(Config::trim(" "), " ");
  EXPECT_EQ(Config::trim("\n"), "\n");
  EXPECT_EQ(Config::trim("\""), "\"");
  EXPECT_EQ(Config::trim("\"\""), "\"");
  EXPECT_EQ(Config::trim("  \"a\"  \r\n"), "a");
  // Leading line breaks are not trimmed, only blanks and tabs.
  EXPECT_EQ(Config::trim("\na"), "\na");
}

TEST(ConfigFile, ReadsAFileWithCrLfAndPieces) {
  QTemporaryDir dir;
  const std::string path = dir.filePath("db.properties").toStdString();
  {
    std::ofstream out(path, std::ios::binary);
    out << "# station\r\nschema = tirra\r\nusername = lab\r\npassword = \"p w\"\r\n" << longLine();
  }
  Config config(path);
  EXPECT_EQ(config.valueOf("schema"), "tirra");
  EXPECT_EQ(config.valueOf("username"), "lab");
  EXPECT_EQ(config.valueOf("password"), "p w");
  EXPECT_EQ(config.valueOf("long"), repeat('x', 1016));
  EXPECT_FALSE(config.find("host").has_value());
}

// The child of a death test is forked at the statement, so what it writes to standard
// error is exactly what the reader wrote.
class ConfigDeathTest : public ::testing::Test {
 protected:
  void SetUp() override { GTEST_FLAG_SET(death_test_style, "fast"); }
};

TEST_F(ConfigDeathTest, MissingFileEndsWithCodeTwoAndNamesTheFile) {
  QTemporaryDir dir;
  const std::string path = dir.filePath("missing/db.properties").toStdString();
  EXPECT_EXIT(Config{path}, ::testing::ExitedWithCode(2), "^cannot open input file '" + path + "'\n$");
}

TEST_F(ConfigDeathTest, FolderInsteadOfFileEndsWithCodeTwo) {
  QTemporaryDir dir;
  const std::string path = dir.path().toStdString();
  EXPECT_EXIT(Config{path}, ::testing::ExitedWithCode(2), "^cannot open input file '" + path + "'\n$");
}

TEST_F(ConfigDeathTest, MissingNameEndsWithCodeFourWithoutAMessage) {
  const auto config = Config::fromText("schema=tirra\nusername = u\npassword = p\n");
  EXPECT_EXIT(config->valueOf("schema"), ::testing::ExitedWithCode(4), "^$");
}

TEST_F(ConfigDeathTest, NameInsideAGroupIsMissingAtTheTop) {
  const auto config = Config::fromText("g = (\npassword = p\n)\n");
  EXPECT_EXIT(config->valueOf("password"), ::testing::ExitedWithCode(4), "^$");
}

}  // namespace
