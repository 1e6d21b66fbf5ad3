#include "tools/LayoutTool.h"

#include <sys/wait.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>

#include "layout/LayoutFile.h"
#include "support/TestFiles.h"
#include "tools/ToolRun.h"

namespace tilvaro {
namespace {

namespace fs = std::filesystem;
using test::Fixture;
using test::ReadBytes;
using test::TempFolder;
using test::Tool;
using test::ToolRun;
using test::WriteBytes;

std::string WithoutFirstLine(const std::string& text) { return text.substr(text.find('\n') + 1); }

TEST(LayoutToolTest, HelpExplainsEveryCommand) {
  const ToolRun help = Tool({"--help"});
  EXPECT_EQ(help.status, 0);
  for (const char* word : {"show DATEI", "check DATEI...", "resave QUELLE ZIEL", "show --json DATEI", "check --json DATEI...",
                           "render DATEI -o BILD.png [--size N]", "Exit-Status"}) {
    EXPECT_NE(help.out.find(word), std::string::npos) << word;
  }
}

TEST(LayoutToolTest, WrongUsageExitsWithTwo) {
  for (const std::vector<std::string>& arguments :
       std::vector<std::vector<std::string>>{{}, {"frobnicate"}, {"show"}, {"show", "a", "b"}, {"check"},
                                             {"resave", "a"}, {"resave", "a", "b", "c"}, {"--help", "x"},
                                             {"--version", "x"}}) {
    const ToolRun run = Tool(arguments);
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("Aufruf:"), std::string::npos);
    EXPECT_TRUE(run.out.empty());
  }
  // An unknown option names itself; after "--" it is a file name.
  EXPECT_EQ(Tool({"show", "--JSON", "a.set"}).err.find("tilvaro-layout: unbekannte Option --JSON\n"), 0u);
  const TempFolder folder;
  fs::copy_file(Fixture("turm.set"), folder / "--json");
  EXPECT_EQ(Tool({"check", "--", (folder / "--json").string()}).status, 0);
  EXPECT_EQ(Tool({"--version"}).out, "tilvaro-layout 1.00 Beta\n");
}

TEST(LayoutToolTest, ShowPrintsTheLayoutAsTheEditorOpensIt) {
  for (const char* name : {"hand_edited", "quirks"}) {
    const ToolRun run = Tool({"show", Fixture(std::string(name) + ".set").string()});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(WithoutFirstLine(run.out), ReadBytes(Fixture(std::string(name) + ".show.txt"))) << name;
  }
}

TEST(LayoutToolTest, ShowEscapesControlCharacters) {
  const TempFolder folder;
  WriteBytes(folder / "esc.set", "[INFO]\nTILESET=a\x1b[2Jb\x7f\x81\n");
  const ToolRun run = Tool({"show", (folder / "esc.set").string()});
  EXPECT_NE(run.out.find("Name:          a\\x1B[2Jb\\x7F\\x81\n"), std::string::npos) << run.out;
}

TEST(LayoutToolTest, FileNamesAreEscapedToo) {
  // C1 controls (U+009B opens a terminal command), other controls and bytes that are no UTF-8.
  const ToolRun run = Tool({"check", "a\xC2\x9B" "2J\x1B\xFF\xC3.set", "b\xC3\xA4.set"});
  EXPECT_EQ(run.out, "a\\xC2\\x9B2J\\x1B\\xFF\\xC3.set: FEHLER: Layout nicht gefunden\n"
                     "b\xC3\xA4.set: FEHLER: Layout nicht gefunden\n");
}

TEST(LayoutToolTest, ShowReportsWhatCannotBeOpened) {
  const TempFolder folder;
  const ToolRun missing = Tool({"show", (folder / "none.set").string()});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err, "tilvaro-layout: " + (folder / "none.set").string() + ": Layout nicht gefunden\n");
  const ToolRun notAFile = Tool({"show", folder.Path().string()});
  EXPECT_EQ(notAFile.status, 1);
  EXPECT_NE(notAFile.err.find("Ordner"), std::string::npos);
}

TEST(LayoutToolTest, CheckWritesOneLinePerFile) {
  const TempFolder folder;
  const std::string good = Fixture("turm.set").string(), odd = Fixture("quirks.set").string(),
                    missing = (folder / "none.set").string();
  const ToolRun all = Tool({"check", good, odd, missing});
  EXPECT_EQ(all.status, 1);
  EXPECT_EQ(all.out, good + ": OK, 2 Steine\n" + odd + ": FEHLER: ungerade Anzahl an Steinen (1); WARNUNG: " +
                         "Abschnitt entfällt beim Speichern: [INFO]; WARNUNG: Schlüssel entfällt beim Speichern: " +
                         "INFO/TILESET\n" + missing + ": FEHLER: Layout nicht gefunden\n");
  EXPECT_EQ(Tool({"check", good, Fixture("hand_edited.set").string()}).status, 0);
}

TEST(LayoutToolTest, ResaveWritesWhatTheEditorSaves) {
  const TempFolder folder;
  for (const auto& [source, expected] :
       {std::pair{"turm.set", "turm.set"}, std::pair{"hand_edited.set", "hand_edited.resaved.set"}}) {
    const ToolRun run = Tool({"resave", Fixture(source).string(), (folder / source).string()});
    EXPECT_EQ(run.status, 0) << source;
    EXPECT_TRUE(run.out.empty() && run.err.empty()) << source;
    EXPECT_EQ(ReadBytes(folder / source), ReadBytes(Fixture(expected))) << source;
  }
}

TEST(LayoutToolTest, ResaveRefusesAnOddCountAndWritesNothing) {
  const TempFolder folder;
  const auto target = folder / "target.set";
  WriteBytes(target, "old");
  const ToolRun run = Tool({"resave", Fixture("quirks.set").string(), target.string()});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find(":\nUngerade Anzahl an Steinen.\nSpeichern nicht möglich!\n"), std::string::npos) << run.err;
  EXPECT_EQ(ReadBytes(target), "old");
  EXPECT_EQ(test::CountEntries(folder.Path()), 1);
}

TEST(LayoutToolTest, ResaveReportsLayoutProblemsWithOne) {
  const TempFolder folder;
  const ToolRun missing = Tool({"resave", (folder / "none.set").string(), (folder / "out.set").string()});
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("Layout nicht gefunden"), std::string::npos);
  EXPECT_FALSE(fs::exists(folder / "out.set"));

  const ToolRun unwritable = Tool({"resave", Fixture("turm.set").string(), folder.Path().string()});
  EXPECT_EQ(unwritable.status, 1);
  EXPECT_EQ(unwritable.err,
            "tilvaro-layout: Kann nicht nach " + folder.Path().string() + " schreiben\nIst ein Ordner\n");
}

// A file with none of a layout's sections is no layout; what saving would change is warned of.
TEST(LayoutToolTest, CheckTellsNonLayoutsAndWarnsOfWhatSavingChanges) {
  const TempFolder folder;
  const struct {
    std::string text, line;
    int status;
  } cases[] = {
      {"", "FEHLER: kein Layout", 1},
      {"hello world\n[Info2]\nLAYERS=2\n", "FEHLER: kein Layout", 1},
      {"[layer3]\n1=x\n2=x\n", "OK, 2 Steine", 0},
      // Keys before the first section and a repeated section are dropped too.
      {"K=1\n[INFO]\n[info]\nX=1\n",
       "OK, 0 Steine; WARNUNG: Abschnitt entfällt beim Speichern: [info]; WARNUNG: Schlüssel entfällt beim "
       "Speichern: /K",
       0},
      {"[INFO]\nLAYERS=9\n3D=abc\nFOO=1\n[TILES]\nNUMBERS=1\n1=a\n2=b\n[LAYER1]\n1=xx" + std::string(20, '.') +
           "\n1=..\n[Extra]\n[Mehr]\nK=v\n",
       "OK, 2 Steine; WARNUNG: 2 Abschnitte entfallen beim Speichern: [Extra], [Mehr]; WARNUNG: 3 Schlüssel "
       "entfallen beim Speichern: INFO/FOO, TILES/2, LAYER1/1; WARNUNG: LAYERS=9 wird beim Speichern zu LAYERS=4; "
       "WARNUNG: 3D=abc wird beim Speichern zu 3D=1; WARNUNG: Zeile wird beim Speichern auf 14 Zeichen gekürzt: "
       "LAYER1/1",
       0},
  };
  for (const auto& c : cases) {
    WriteBytes(folder / "in.set", c.text);
    const ToolRun run = Tool({"check", (folder / "in.set").string()});
    EXPECT_EQ(run.out, (folder / "in.set").string() + ": " + c.line + "\n");
    EXPECT_EQ(run.status, c.status);
  }
}

TEST(LayoutToolTest, CheckReportsACappedTileSetCount) {
  const TempFolder folder;
  WriteBytes(folder / "capped.set", "[TILES]\nNUMBERS=3000\n1=a\n2000=b\n");
  const ToolRun run = Tool({"check", (folder / "capped.set").string()});
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.out.find("OK, 0 Steine; WARNUNG: NUMBERS=3000 auf 2000 Steinsätze gekürzt\n"), std::string::npos)
      << run.out;
}

const std::string kProgram = std::string("'") + TILVARO_LAYOUT_PROGRAM + "'";

// Runs a shell command line; gives the exit status and what went to standard error.
std::pair<int, std::string> Shell(const std::string& command, const TempFolder& folder) {
  const auto err = folder / "stderr.txt";
  const int status = std::system((command + " 2>'" + err.string() + "'").c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadBytes(err)};
}

// The program itself: arguments, streams and exit status pass through main unchanged.
TEST(LayoutProgramTest, RunsAsACommand) {
  const TempFolder folder;
  const std::string out = (folder / "out.txt").string();
  EXPECT_EQ(Shell(kProgram + " show '" + Fixture("turm.set").string() + "' >'" + out + "'", folder).first, 0);
  EXPECT_NE(ReadBytes(out).find("Name:          Turm\n"), std::string::npos);
  EXPECT_NE(ReadBytes(out).find("Ebene 1:\n  xx............\n"), std::string::npos);
  EXPECT_EQ(Shell(kProgram + " check '" + Fixture("quirks.set").string() + "' >/dev/null", folder).first, 1);
  EXPECT_EQ(Shell(kProgram + " >/dev/null", folder).first, 2);
}

TEST(LayoutProgramTest, OutputThatCannotBeWrittenFailsAndSaysSo) {
  const TempFolder folder;
  for (const std::string& redirect : {std::string(" >/dev/full"), std::string(" >&-")}) {
    for (const std::string& arguments : {"show '" + Fixture("turm.set").string() + "'", std::string("--help")}) {
      const auto [status, err] = Shell(kProgram + " " + arguments + redirect, folder);
      EXPECT_EQ(status, 1) << arguments << redirect;
      EXPECT_NE(err.find("Kann die Ausgabe nicht schreiben"), std::string::npos) << arguments << redirect << err;
    }
  }
}

// Under a memory limit of 192 MiB: hostile files of 48 MiB open and save in a small multiple of
// their size, and running out of memory on one file is that file's problem; the next one is still
// checked.
TEST(LayoutProgramTest, MemoryStaysBoundedAndRunningOutIsReportedPerFile) {
  const TempFolder folder;
  const auto big = folder / "big.set";
  WriteBytes(big, "[INFO]\n");
  fs::resize_file(big, 256u << 20);  // sparse: needs no disk
  // Runs the program with the given quoted paths under the limit, its output going to `out`.
  const auto limited = [&](const std::string& arguments, const std::string& out = "/dev/null") {
    return Shell("(ulimit -v 196608; exec " + kProgram + " " + arguments + ") >'" + out + "'", folder);
  };
  if (limited("--help").first != 0) {
    GTEST_SKIP() << "the program cannot start under a memory limit here (sanitizer build?)";
  }
  const auto out = folder / "out.txt";
  const auto [status, err] = limited("check '" + big.string() + "' '" + Fixture("turm.set").string() + "'", out);
  EXPECT_EQ(status, 1) << err;
  for (const char* line : {"big.set: FEHLER: zu wenig Arbeitsspeicher\n", "turm.set: OK, 2 Steine\n"}) {
    EXPECT_NE(ReadBytes(out).find(line), std::string::npos) << ReadBytes(out);
  }

  const auto feeds = folder / "feeds.set", count = folder / "count.set";
  WriteBytes(feeds, "[INFO]\nLAYERS=2\n[TILES]\nNUMBERS=1\n" + std::string(48u << 20, '\n') + "1=a\n");
  WriteBytes(count, "[TILES]\nNUMBERS=2147483647\n; " + std::string(48u << 20, 'c') + "\n");
  EXPECT_EQ(limited("check '" + feeds.string() + "'").first, 0);
  const auto [resaved, resaveErr] = limited("resave '" + count.string() + "' '" + (folder / "saved.set").string() + "'");
  EXPECT_EQ(resaved, 0) << resaveErr;
}

}  // namespace
}  // namespace tilvaro
