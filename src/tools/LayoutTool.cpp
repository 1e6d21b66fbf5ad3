#include "tools/LayoutTool.h"

#include <cstdint>
#include <filesystem>
#include <new>
#include <optional>
#include <span>
#include <stdexcept>
#include <string_view>

#include "files/FileContents.h"
#include "files/WriteError.h"
#include "layout/LayoutFile.h"
#include "tools/Arguments.h"
#include "tools/LayoutJson.h"
#include "tools/PrintableText.h"
#include "tools/RenderCommand.h"
#include "tools/SaveChanges.h"

namespace tilvaro {
namespace {

constexpr std::string_view kProgram = "tilvaro-layout";

// The editor's message for an odd count; its two sentences stand on separate lines here.
constexpr std::string_view kOddCountMessage = "Ungerade Anzahl an Steinen.\nSpeichern nicht möglich!";

constexpr std::string_view kVersion = "tilvaro-layout 1.00 Beta\n";

constexpr std::string_view kHelp =
    "Aufruf:\n"
    "  tilvaro-layout show DATEI\n"
    "      Zeigt das Layout so, wie der Editor es öffnet: Name, Autor, Hintergrundbild,\n"
    "      Anzahl der Ebenen, 3D-Farbschema, Beschriftung, die Liste der Steinsätze,\n"
    "      die Anzahl der Steine (gerade oder ungerade) und die vier Ebenen als je\n"
    "      sieben Zeilen aus x (Stein) und . (frei).\n"
    "  tilvaro-layout show --json DATEI\n"
    "      Dasselbe als ein JSON-Objekt in einer Zeile (Texte als UTF-8, Steuerzeichen\n"
    "      maskiert), für Skripte.\n"
    "  tilvaro-layout check DATEI...\n"
    "      Prüft jede Datei und gibt je Datei eine Zeile aus. Exit-Status 0, wenn sich\n"
    "      jede Datei als Layout öffnen lässt und eine gerade Anzahl an Steinen hat,\n"
    "      sonst 1. Eine Datei ohne die Abschnitte eines Layouts ([INFO], [TILES],\n"
    "      [LAYER1] bis [LAYER4]) ist \"kein Layout\". Als WARNUNG folgt, was der Editor\n"
    "      beim Speichern ändern würde: unbekannte Abschnitte und Schlüssel entfallen,\n"
    "      Werte außerhalb ihres Bereichs werden angepasst, zu lange Zeilen gekürzt.\n"
    "  tilvaro-layout check --json DATEI...\n"
    "      Dasselbe mit je Datei einer Zeile mit einem JSON-Objekt: file, status (ok,\n"
    "      odd oder error), tiles, message und warnings.\n"
    "  tilvaro-layout resave QUELLE ZIEL\n"
    "      Öffnet QUELLE wie der Editor und speichert das Layout wie der Editor nach ZIEL.\n"
    "      Eine ungerade Anzahl an Steinen wird abgelehnt, dann wird nichts geschrieben.\n"
    "      Die Zieldatei wird vollständig neu geschrieben und erst dann ersetzt.\n"
    "  tilvaro-layout render DATEI -o BILD.png [--size N]\n"
    "      Zeichnet das Layout als gestapelte Steine in ein Bild; mit --size N passend\n"
    "      in N x N Bildpunkte (1 bis 4096). Das Format folgt der Endung von BILD (.png,\n"
    "      ohne Endung ebenfalls PNG, .jpg, .bmp, ...); PNG mit durchsichtigem\n"
    "      Hintergrund, Formate ohne Durchsichtigkeit mit weißem.\n"
    "  tilvaro-layout --help | --version\n"
    "      Zeigt diese Hilfe oder die Version.\n"
    "\n"
    "Nach -- ist jede Angabe ein Dateiname, auch wenn sie mit - beginnt.\n"
    "Exit-Status: 0 Erfolg, 1 Problem mit einem Layout (Datei fehlt, ist nicht lesbar\n"
    "oder kein Layout, ungerade Anzahl an Steinen, Schreiben fehlgeschlagen),\n"
    "2 falscher Aufruf.\n"
    "Texte aus den Dateien (Windows-1252) werden als UTF-8 ausgegeben.\n";

int UsageError(std::ostream& err, std::string_view problem) {
  err << kProgram << ": " << problem << "\n"
      << "Aufruf: tilvaro-layout show [--json] DATEI | check [--json] DATEI... | resave QUELLE ZIEL |\n"
      << "       render DATEI -o BILD.png [--size N] | --help | --version\n";
  return 2;
}

// Runs one file's work. Running out of memory or past a size limit ends only that work, which
// then fails with `problem` saying why, like any other problem with that file.
template <class Work>
bool WithinResources(Work&& work, std::string& problem) {
  try {
    work();
    return true;
  } catch (const std::bad_alloc&) {
    problem = "zu wenig Arbeitsspeicher";
  } catch (const std::length_error&) {
    problem = "zu groß zum Verarbeiten";
  }
  return false;
}

// A layout file's bytes and what the editor's Open reads from them.
struct OpenedFile {
  std::string bytes;
  LayoutReadResult read;
};

// Reads a layout, or describes why it could not be read.
bool Open(const std::string& file, OpenedFile& opened, std::string& problem) {
  bool loaded = false;
  const bool withinResources = WithinResources(
      [&] {
        FileReadResult contents = ReadWholeFile(std::filesystem::path(file));
        switch (contents.status) {
          case FileReadStatus::Missing: problem = "Layout nicht gefunden"; return;
          case FileReadStatus::NotAFile:
          case FileReadStatus::Unreadable: problem = PrintableName(contents.message); return;
          case FileReadStatus::Read: break;
        }
        opened.bytes = std::move(contents.bytes);
        opened.read = ReadLayoutText(std::filesystem::path(file), opened.bytes);
        loaded = true;
      },
      problem);
  return withinResources && loaded;
}

int Show(const std::string& file, bool json, std::ostream& out, std::ostream& err) {
  OpenedFile opened;
  std::string problem;
  if (!Open(file, opened, problem)) {
    err << kProgram << ": " << PrintableName(file) << ": " << problem << "\n";
    return 1;
  }
  const Layout& layout = opened.read.layout;
  if (json) {
    out << LayoutJson(layout) << "\n";
    return 0;
  }
  const LayoutAttributes& a = layout.attributes;
  const int tiles = layout.cells.TileCount();
  out << "Datei:         " << PrintableName(file) << "\n"
      << "Name:          " << Printable(a.name) << "\n"
      << "Autor:         " << Printable(a.author) << "\n"
      << "Hintergrund:   " << Printable(a.background) << "\n"
      << "Ebenen:        " << a.layerCount << "\n"
      << "3D-Farbschema: " << a.colourScheme << " (" << ColourSchemeName(a.colourScheme) << ")\n"
      << "Beschriftung:  " << (a.inscription ? "ja" : "nein") << "\n"
      << "Steinsätze:    " << a.tileSets.size() << "\n";
  for (std::size_t i = 0; i < a.tileSets.size(); ++i) out << "  " << i + 1 << ": " << Printable(a.tileSets[i]) << "\n";
  out << "Steine:        " << tiles << (tiles % 2 == 0 ? " (gerade)" : " (ungerade)") << "\n";
  for (int layer = 1; layer <= kLayers; ++layer) {
    out << "Ebene " << layer << ":\n";
    for (int row = 0; row < kRows; ++row) out << "  " << layout.cells.RowText(row, layer) << "\n";
  }
  return 0;
}

CheckOutcome CheckFile(const std::string& file) {
  CheckOutcome outcome;
  outcome.file = file;
  OpenedFile opened;
  if (!Open(file, opened, outcome.message)) return outcome;
  const Layout& layout = opened.read.layout;
  const std::optional<std::int32_t> capped = opened.read.cappedTileSetCount;
  SaveChanges changes;
  if (!WithinResources([&] { changes = FindSaveChanges(opened.bytes, layout, capped.has_value()); }, outcome.message)) {
    return outcome;
  }
  if (!changes.isLayout) {
    outcome.message = "kein Layout";
    return outcome;
  }
  const int tiles = layout.cells.TileCount();
  outcome.tiles = tiles;
  outcome.status = tiles % 2 == 0 ? CheckStatus::Ok : CheckStatus::Odd;
  outcome.message = tiles % 2 == 0 ? "OK, " + std::to_string(tiles) + " Steine"
                                   : "ungerade Anzahl an Steinen (" + std::to_string(tiles) + ")";
  if (capped) {
    outcome.warnings.push_back("NUMBERS=" + std::to_string(*capped) + " auf " +
                               std::to_string(layout.attributes.tileSets.size()) + " Steinsätze gekürzt");
  }
  outcome.warnings.insert(outcome.warnings.end(), changes.warnings.begin(), changes.warnings.end());
  for (const std::string& warning : outcome.warnings) outcome.message += "; WARNUNG: " + warning;
  return outcome;
}

int Check(const std::vector<std::string>& files, bool json, std::ostream& out) {
  int status = 0;
  for (const std::string& file : files) {
    const CheckOutcome outcome = CheckFile(file);
    if (outcome.status != CheckStatus::Ok) status = 1;
    if (json) {
      out << CheckOutcomeJson(outcome) << "\n";
    } else {
      out << PrintableName(file) << ": " << (outcome.status == CheckStatus::Ok ? "" : "FEHLER: ") << outcome.message
          << "\n";
    }
  }
  return status;
}

int Resave(const std::string& source, const std::string& target, std::ostream& err) {
  OpenedFile opened;
  std::string problem;
  if (!Open(source, opened, problem)) {
    err << kProgram << ": " << PrintableName(source) << ": " << problem << "\n";
    return 1;
  }
  const Layout& layout = opened.read.layout;
  if (!layout.cells.IsEven()) {
    err << kProgram << ": " << PrintableName(source) << ":\n" << kOddCountMessage << "\n";
    return 1;
  }
  try {
    if (!WithinResources([&] { WriteLayoutFile(std::filesystem::path(target), layout); }, problem)) {
      err << kProgram << ": " << PrintableName(target) << ": " << problem << "\n";
      return 1;
    }
  } catch (const WriteError& error) {
    err << kProgram << ": " << PrintableLines(error.what()) << "\n";
    return 1;
  }
  return 0;
}

int Render(const std::vector<std::string>& operands, std::ostream& err) {
  std::string problem;
  const std::optional<RenderRequest> request = ParseRenderOperands(operands, problem);
  if (!request) return UsageError(err, problem);
  OpenedFile opened;
  if (!Open(request->input, opened, problem)) {
    err << kProgram << ": " << PrintableName(request->input) << ": " << problem << "\n";
    return 1;
  }
  if (!WriteLayoutPicture(opened.read.layout, *request, problem)) {
    err << kProgram << ": " << PrintableLines(problem) << "\n";
    return 1;
  }
  return 0;
}

}  // namespace

int RunLayoutTool(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
  if (arguments.empty()) return UsageError(err, "Befehl fehlt");
  const std::string& command = arguments[0];
  const std::vector<std::string> rest(arguments.begin() + 1, arguments.end());
  if (command == "--help" || command == "-h" || command == "help" || command == "--version") {
    if (!rest.empty()) return UsageError(err, command + " erwartet keine weiteren Angaben");
    out << (command == "--version" ? kVersion : kHelp);
    return 0;
  }
  if (command == "render") return Render(rest, err);
  bool json = false;
  std::vector<std::string> operands;
  const bool readsJson = command == "show" || command == "check";
  if (readsJson || command == "resave") {
    static constexpr KnownOption kJson[] = {{"--json"}};
    const std::span<const KnownOption> known = readsJson ? kJson : std::span<const KnownOption>();
    const auto option = [&](std::string_view, const std::string&) {
      json = true;
      return true;
    };
    const auto operand = [&](const std::string& file) {
      operands.push_back(file);
      return true;
    };
    std::string problem;
    if (!ReadArguments(rest, known, option, operand, problem)) return UsageError(err, problem);
  }
  if (command == "show") {
    if (operands.size() != 1) return UsageError(err, "show erwartet genau eine DATEI");
    return Show(operands[0], json, out, err);
  }
  if (command == "check") {
    if (operands.empty()) return UsageError(err, "check erwartet mindestens eine DATEI");
    return Check(operands, json, out);
  }
  if (command == "resave") {
    if (operands.size() != 2) return UsageError(err, "resave erwartet QUELLE und ZIEL");
    return Resave(operands[0], operands[1], err);
  }
  if (command.size() > 1 && command[0] == '-') return UsageError(err, UnknownOption(command));
  return UsageError(err, "unbekannter Befehl: " + PrintableName(command));
}

}  // namespace tilvaro
