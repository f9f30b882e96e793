// The rating fields after a puzzle, as the line reader hands them over, and
// the difficulty vantric-print words them with.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "cli/difficulty_label.h"
#include "cli/puzzle_reader.h"
#include "cli/rating_fields.h"

namespace {

const std::string kPuzzle =
    "4.....8.5.3..........7......2.....6.....8.4......1.......6.3.7.5..2.....1.4......";

// What the reader keeps after the puzzle of each line of text.
std::vector<std::string> restsOf(const std::string& text) {
  static PuzzleReader reader;
  std::FILE* file = std::tmpfile();
  std::fwrite(text.data(), 1, text.size(), file);
  std::rewind(file);
  openPuzzleReader(reader, file);
  PuzzleLine line;
  std::vector<std::string> rests;
  while (readPuzzleLine(reader, false, line) == kLineRead)
    rests.emplace_back(line.rest, std::size_t(line.restLength));
  std::fclose(file);
  return rests;
}

TEST(PrintRating, TheReaderKeepsWhatFollowsThePuzzle) {
  const std::string spread = "4 . . . . . 8 . 5" + kPuzzle.substr(9);
  const std::string text = kPuzzle + " 7.2 ForcingChain\n" + kPuzzle + "\n" + spread +
                           "\t>=11.1 Unfinished # 3.0\r\n" + kPuzzle + "1234 5.0\r" + "12\n" +
                           kPuzzle + " " + std::string(300, 'x') + "\n" + kPuzzle + " 4.5\n";
  const std::vector<std::string> rests = restsOf(text);
  ASSERT_EQ(rests.size(), 7u);
  EXPECT_EQ(rests[0], "7.2 ForcingChain");
  EXPECT_EQ(rests[1], "");
  EXPECT_EQ(rests[2], "\t>=11.1 Unfinished ");
  EXPECT_EQ(rests[3], "1234 5.0");
  EXPECT_EQ(rests[4], "");
  EXPECT_EQ(rests[5].size(), std::size_t(kLineRestSize));
  // The bytes a cut line dropped do not reach the next line.
  EXPECT_EQ(rests[6], "4.5");
}

TEST(PrintRating, RatingFieldsAsTheCommandsWriteThem) {
  struct Case {
    const char* text;
    bool read;
    int tenths;
    bool atLeast;
  };
  const Case cases[] = {
      {" 7.2 ForcingChain", true, 72, false},
      {"\t\t1.0", true, 10, false},
      {" >=11.1 Unfinished", true, 111, true},
      {" 12.5 DynamicContradictionForcingChainNested2", true, 125, false},
      {" - Invalid", false, 0, false},
      {" - MultipleSolutions", false, 0, false},
      {"", false, 0, false},
      {" 7 ForcingChain", false, 0, false},
      {" 7. ForcingChain", false, 0, false},
      {" 7.25 x", false, 0, false},
      {" 7.2x", false, 0, false},
      {" 100.0 x", false, 0, false},
      {",534678912", false, 0, false},
      {" > =7.2", false, 0, false},
      {" ED=7.2/1.2/1.2", true, 72, false},
      {" 8.3/1.2/1.2 x", true, 83, false},
      {" ER=>=9.0", true, 90, true},
      {" 1.2.3 4.5", true, 45, false},
      {" x;7.1", true, 71, false},
      {" ED=7.2x", false, 0, false},
  };
  for (const Case& c : cases) {
    LineRating rating{-1, false};
    const std::string text = c.text;
    EXPECT_EQ(readRatingFields(text.data(), int(text.size()), &rating), c.read) << c.text;
    if (!c.read) continue;
    EXPECT_EQ(rating.tenths, c.tenths) << c.text;
    EXPECT_EQ(rating.atLeast, c.atLeast) << c.text;
  }
  // Only the length given is read: "7.2" of "7.25".
  LineRating rating{};
  EXPECT_TRUE(readRatingFields(" 7.25", 4, &rating));
  EXPECT_EQ(rating.tenths, 72);
}

TEST(PrintRating, TheListsLayoutsGiveTheirRatings) {
  const std::string solution =
      "417369825632158947958724316825437169791586432346912758289643571573291684164875293";
  std::string marks;
  for (const char c : kPuzzle)
    for (int digit = 1; digit <= 9; ++digit)
      marks += c == '.' || c - '0' == digit ? char('0' + digit) : '.';
  struct Case {
    std::string line;
    int tenths;
  };
  const Case cases[] = {
      {"00015097c6c3 " + kPuzzle + "  7.2", 72},
      {"17;" + kPuzzle + ";" + solution + ";6.6", 66},
      {kPuzzle + "," + solution, -1},
      {kPuzzle + " ED=8.3/1.2/1.2", 83},
      {kPuzzle + " 3.4/1.2/1.2 HiddenPair", 34},
      {marks + " 2.3 NakedSingle", 23},
      {kPuzzle + " # 5.0", -1},
  };
  for (const Case& c : cases) {
    const std::vector<std::string> rests = restsOf(c.line + "\n");
    ASSERT_EQ(rests.size(), 1u) << c.line;
    LineRating rating{-1, false};
    const bool read = readRatingFields(rests[0].data(), int(rests[0].size()), &rating);
    EXPECT_EQ(read ? rating.tenths : -1, c.tenths) << c.line;
  }
}

TEST(PrintRating, DifficultyWordsAtTheEdgesOfTheBands) {
  struct Case {
    int tenths;
    bool atLeast;
    const char* label;
  };
  const Case cases[] = {
      {5, false, "0.5"},           {10, false, "Easy · 1.0"},     {23, false, "Easy · 2.3"},
      {24, false, "Easy · 2.4"},   {25, false, "Medium · 2.5"},   {45, false, "Medium · 4.5"},
      {49, false, "Medium · 4.9"}, {50, false, "Hard · 5.0"},     {69, false, "Hard · 6.9"},
      {70, false, "Expert · 7.0"}, {999, false, "Expert · 99.9"}, {69, true, "≥6.9"},
      {70, true, "Expert · ≥7.0"}, {999, true, "Expert · ≥99.9"},
  };
  for (const Case& c : cases) {
    char label[kDifficultyLabelSize];
    formatDifficultyLabel(LineRating{c.tenths, c.atLeast}, label);
    EXPECT_STREQ(label, c.label);
  }
}

}  // namespace
