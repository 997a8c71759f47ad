// The serial numbers, the start-number text and the serial name search, on
// real files in a temporary folder.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <ctime>
#include <filesystem>
#include <set>

#include "app/tovra1.h"
#include "fileops/file_error.h"
#include "fileops/rename.h"
#include "support/dialog_script.h"
#include "support/temp_dir.h"

namespace {

using testsupport::DialogScript;
using testsupport::Exists;
using testsupport::ReadFile;
using testsupport::TempDir;

std::set<std::string> Names(const std::string& folder) {
  std::set<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(folder)) names.insert(e.path().filename().string());
  return names;
}

TEST(FormatSerial, WidthFollowsTheStartTextUpToThreeDigits) {
  struct Case {
    int32_t digits, number;
    const char* text;
  } cases[] = {
      {1, 1, "1"},      {1, 9, "9"},       {1, 10, "10"},     {1, 99, "99"},
      {1, 100, "100"},  {1, 12345, "12345"}, {2, 1, "01"},    {2, 99, "99"},
      {2, 100, "100"},  {2, 1000, "1000"}, {3, 1, "001"},     {4, 1, "001"},
      {4, 2, "002"},    {0, 7, "007"},     {4, 1234, "1234"}, {1, INT32_MAX, "2147483647"},
      {3, -5, "-05"},
  };
  for (const auto& c : cases) {
    SerialDigits = c.digits;
    FormatSerial(c.number);
    EXPECT_EQ(SerialText, c.text) << "digits " << c.digits << " number " << c.number;
  }
}

TEST(ParseStartNumber, IntegersOnly) {
  struct Case {
    const char* text;
    bool ok;
    int32_t value;
  } cases[] = {
      {"1", true, 1},          {"0001", true, 1},         {"00", true, 0},
      {"-3", true, -3},        {"+4", true, 4},           {" 7", true, 7},
      {"2147483647", true, INT32_MAX}, {"-2147483648", true, INT32_MIN},
      {"2147483648", false, 0}, {"99999999999999999999", false, 0},
      {"", false, 0},          {"abc", false, 0},         {"1a", false, 0},
      {"1.5", false, 0},       {"-", false, 0},           {"１", false, 0},
      {"1 ", false, 0},
  };
  for (const auto& c : cases) {
    const auto v = ParseStartNumber(c.text);
    EXPECT_EQ(v.has_value(), c.ok) << "'" << c.text << "'";
    if (c.ok && v) {
      EXPECT_EQ(*v, c.value) << c.text;
    }
  }
}

class SerialSearch : public ::testing::Test {
 protected:
  DialogScript script;
  TempDir dir;

  // Renames each name in order, as a series does, and returns the outcomes.
  std::vector<SerialOutcome> Series(const std::vector<std::string>& names, const std::string& base,
                                    const std::string& start) {
    DialogTarget = base;
    EXPECT_TRUE(BeginSerial(start));
    std::vector<SerialOutcome> out;
    for (const std::string& name : names) {
      out.push_back(SearchSerialName(name, [&](const std::string& target) {
        CurrentFilePath = name;
        return RenameFileStampedIn(dir.path(), target);
      }));
      if (out.back() != SerialOutcome::Renamed && out.back() != SerialOutcome::AlreadyNamed) break;
    }
    return out;
  }
};

TEST_F(SerialSearch, EachFileKeepsItsOwnExtension) {
  dir.Write("a.jpg", "A");
  dir.Write("b.png", "B");
  dir.Write("c.jpg", "C");
  Series({"a.jpg", "b.png", "c.jpg"}, "img", "1");
  EXPECT_EQ(Names(dir.path()), (std::set<std::string>{"img1.jpg", "img2.png", "img3.jpg"}));
  EXPECT_EQ(ReadFile(dir / "img1.jpg"), "A");
  EXPECT_EQ(ReadFile(dir / "img2.png"), "B");
  EXPECT_EQ(ReadFile(dir / "img3.jpg"), "C");
}

TEST_F(SerialSearch, StartTextsDecideTheFirstNumberAndWidth) {
  struct Case {
    const char* start;
    std::set<std::string> names;
  } cases[] = {
      {"0", {"img1.jpg", "img2.jpg"}},
      {"00", {"img01.jpg", "img02.jpg"}},
      {"0001", {"img001.jpg", "img002.jpg"}},
      {"01", {"img01.jpg", "img02.jpg"}},
      {"9", {"img9.jpg", "img10.jpg"}},
  };
  for (const auto& c : cases) {
    TempDir fresh;
    fresh.Write("a.jpg", "A");
    fresh.Write("b.jpg", "B");
    DialogTarget = "img";
    ASSERT_TRUE(BeginSerial(c.start));
    for (const char* name : {"a.jpg", "b.jpg"}) {
      const std::string n = name;
      EXPECT_EQ(SearchSerialName(n,
                                 [&](const std::string& t) {
                                   CurrentFilePath = n;
                                   return RenameFileStampedIn(fresh.path(), t);
                                 }),
                SerialOutcome::Renamed);
    }
    EXPECT_EQ(Names(fresh.path()), c.names) << "start " << c.start;
  }
}

TEST_F(SerialSearch, TakenNamesAreSkipped) {
  dir.Write("a.jpg", "A");
  dir.Write("b.jpg", "B");
  dir.Write("img2.jpg", "taken");
  Series({"a.jpg", "b.jpg"}, "img", "1");
  EXPECT_EQ(Names(dir.path()), (std::set<std::string>{"img1.jpg", "img2.jpg", "img3.jpg"}));
  EXPECT_EQ(ReadFile(dir / "img2.jpg"), "taken");
  EXPECT_EQ(ReadFile(dir / "img3.jpg"), "B");
  EXPECT_TRUE(script.boxes.empty());
}

TEST_F(SerialSearch, AFileAlreadyBearingItsNameKeepsIt) {
  dir.Write("img1.jpg", "first");
  dir.Write("x.jpg", "X");
  const auto out = Series({"img1.jpg", "x.jpg"}, "img", "1");
  ASSERT_EQ(out.size(), 2u);
  EXPECT_EQ(out[0], SerialOutcome::AlreadyNamed);
  EXPECT_EQ(out[1], SerialOutcome::Renamed);
  EXPECT_EQ(Names(dir.path()), (std::set<std::string>{"img1.jpg", "img2.jpg"}));
  EXPECT_EQ(ReadFile(dir / "img1.jpg"), "first");
}

TEST_F(SerialSearch, NeverRunsPastTheLargestNumber) {
  dir.Write("a.jpg", "A");
  dir.Write("b.jpg", "B");
  dir.Write("img2147483647.jpg", "taken");
  const auto out = Series({"a.jpg", "b.jpg"}, "img", "2147483646");
  ASSERT_EQ(out.size(), 2u);
  EXPECT_EQ(out[0], SerialOutcome::Renamed);
  EXPECT_EQ(out[1], SerialOutcome::Exhausted);
  EXPECT_EQ(Names(dir.path()), (std::set<std::string>{"img2147483646.jpg", "img2147483647.jpg", "b.jpg"}));
  EXPECT_EQ(ReadFile(dir / "img2147483647.jpg"), "taken");
  EXPECT_EQ(SerialNext, INT32_MAX);
}

TEST_F(SerialSearch, AStartAtTheLargestNumberStopsAtOnce) {
  dir.Write("a.jpg", "A");
  DialogTarget = "img";
  ASSERT_TRUE(BeginSerial("2147483647"));
  SerialNext = SerialStart;  // as a first file with that start would find them
  EXPECT_EQ(SearchSerialName("a.jpg", [&](const std::string&) { return 1; }), SerialOutcome::Exhausted);
  EXPECT_TRUE(Exists(dir / "a.jpg"));
}

TEST_F(SerialSearch, AFailedRenameEndsTheSearch) {
  DialogTarget = "img";
  ASSERT_TRUE(BeginSerial("1"));
  CurrentFilePath = "missing.jpg";
  EXPECT_EQ(SearchSerialName("missing.jpg",
                             [&](const std::string& t) {
                               CurrentFilePath = "missing.jpg";
                               return RenameFileStampedIn(dir.path(), t);
                             }),
            SerialOutcome::Failed);
  ASSERT_EQ(script.boxes.size(), 1u);
  EXPECT_EQ(script.boxes[0].text, "File Not Found");
}

TEST_F(SerialSearch, ANonIntegerStartIsRefusedWithOneMessage) {
  SerialStart = 42;
  EXPECT_FALSE(BeginSerial("1x"));
  EXPECT_EQ(SerialStart, 42);
  ASSERT_EQ(script.boxes.size(), 1u);
  EXPECT_EQ(script.boxes[0].text, StartNumberErrorText("1x"));
  EXPECT_EQ(script.boxes[0].caption, "Tovra");
}

class StampedRename : public ::testing::Test {
 protected:
  DialogScript script;
  TempDir dir;
};

TEST_F(StampedRename, NewNameGetsTheTimeOfTheRename) {
  const std::string f = dir.Write("a.jpg", "A");
  struct timespec old[2] = {{1000000000, 0}, {1000000000, 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, f.c_str(), old, 0), 0);
  const std::time_t before = std::time(nullptr);
  CurrentFilePath = "a.jpg";
  ASSERT_EQ(RenameFileStampedIn(dir.path(), "b.jpg"), 1);
  EXPECT_EQ(CurrentFilePath, dir / "a.jpg");
  EXPECT_EQ(DialogValue, dir / "b.jpg");
  struct stat st{};
  ASSERT_EQ(::stat((dir / "b.jpg").c_str(), &st), 0);
  EXPECT_GE(st.st_mtime, before);
  EXPECT_GE(st.st_atime, before);
  EXPECT_EQ(ReadFile(dir / "b.jpg"), "A");
}

TEST_F(StampedRename, ReadOnlyFileIsRenamedButKeepsItsTimes) {
  const std::string f = dir.Write("a.jpg", "A");
  struct timespec old[2] = {{1000000000, 0}, {1000000000, 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, f.c_str(), old, 0), 0);
  ASSERT_EQ(::chmod(f.c_str(), 0444), 0);
  CurrentFilePath = "a.jpg";
  ASSERT_EQ(RenameFileStampedIn(dir.path(), "b.jpg"), 1);
  struct stat st{};
  ASSERT_EQ(::stat((dir / "b.jpg").c_str(), &st), 0);
  EXPECT_EQ(st.st_mtime, 1000000000);
  EXPECT_TRUE(script.boxes.empty());
}

TEST_F(StampedRename, TakenNameChangesNothingAndShowsNothing) {
  dir.Write("a.jpg", "A");
  dir.Write("b.jpg", "B");
  CurrentFilePath = "a.jpg";
  EXPECT_EQ(RenameFileStampedIn(dir.path(), "b.jpg"), -2);
  EXPECT_EQ(ReadFile(dir / "a.jpg"), "A");
  EXPECT_EQ(ReadFile(dir / "b.jpg"), "B");
  EXPECT_TRUE(script.boxes.empty());
}

TEST_F(StampedRename, ExistingFolderOfThatNameIsReportedNotReplaced) {
  dir.Write("a.jpg", "A");
  dir.MakeDir("b.jpg");
  CurrentFilePath = "a.jpg";
  EXPECT_EQ(RenameFileStampedIn(dir.path(), "b.jpg"), -1);
  EXPECT_EQ(ReadFile(dir / "a.jpg"), "A");
  ASSERT_EQ(script.boxes.size(), 1u);
  EXPECT_EQ(script.boxes[0].text, "同じ名前が既にあります");
  EXPECT_EQ(FileOpKind, fileop_kind::Rename);
}

}  // namespace
