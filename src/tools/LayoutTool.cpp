#include "tools/LayoutTool.h"

#include <cstdio>
#include <filesystem>
#include <string_view>

#include "layout/Cp1252.h"
#include "layout/LayoutFile.h"
#include "layout/WriteError.h"
#include "tools/LayoutJson.h"
#include "tools/RenderCommand.h"

namespace tilvaro {
namespace {

constexpr std::string_view kProgram = "tilvaro-layout";

// The editor's message for an odd count; its two sentences stand on separate lines here.
constexpr std::string_view kOddCountMessage = "Ungerade Anzahl an Steinen.\nSpeichern nicht möglich!";

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
    "      jede Datei öffnen lässt und eine gerade Anzahl an Steinen hat, sonst 1.\n"
    "  tilvaro-layout check --json DATEI...\n"
    "      Dasselbe mit je Datei einer Zeile mit einem JSON-Objekt: file, status (ok,\n"
    "      odd oder error), tiles und message.\n"
    "  tilvaro-layout resave QUELLE ZIEL\n"
    "      Öffnet QUELLE wie der Editor und speichert das Layout wie der Editor nach ZIEL.\n"
    "      Eine ungerade Anzahl an Steinen wird abgelehnt, dann wird nichts geschrieben.\n"
    "      Die Zieldatei wird vollständig neu geschrieben und erst dann ersetzt.\n"
    "  tilvaro-layout render DATEI -o BILD.png [--size N]\n"
    "      Zeichnet das Layout als gestapelte Steine in ein PNG-Bild mit durchsichtigem\n"
    "      Hintergrund; mit --size N passend in N x N Bildpunkte (1 bis 4096).\n"
    "  tilvaro-layout --help\n"
    "      Zeigt diese Hilfe.\n"
    "\n"
    "Exit-Status: 0 Erfolg, 1 Problem mit einem Layout (Datei fehlt oder ist nicht\n"
    "lesbar, ungerade Anzahl an Steinen, Schreiben fehlgeschlagen), 2 falscher Aufruf.\n"
    "Texte aus den Dateien (Windows-1252) werden als UTF-8 ausgegeben.\n";

// Windows-1252 bytes as printable UTF-8: control characters become \xNN.
std::string Printable(std::string_view bytes) {
  std::string out;
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    const char32_t character = cp1252::ToUnicode(byte);
    if (character < 0x20 || character == 0x7F || (character >= 0x80 && character <= 0x9F)) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
      out += escaped;
    } else {
      out += cp1252::DecodeToUtf8(std::string_view(&c, 1));
    }
  }
  return out;
}

// File names are the system's own bytes (UTF-8); only control characters are escaped.
std::string PrintableName(const std::string& name) {
  std::string out;
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
      out += escaped;
    } else {
      out += c;
    }
  }
  return out;
}

int UsageError(std::ostream& err, std::string_view problem) {
  err << kProgram << ": " << problem << "\n"
      << "Aufruf: tilvaro-layout show [--json] DATEI | check [--json] DATEI... | resave QUELLE ZIEL |\n"
      << "       render DATEI -o BILD.png [--size N] | --help\n";
  return 2;
}

// Reads a layout, or describes why it could not be read.
bool Open(const std::string& file, Layout& layout, std::string& problem) {
  LayoutReadResult result = ReadLayoutFile(std::filesystem::path(file));
  switch (result.status) {
    case LayoutReadStatus::Loaded:
      layout = std::move(result.layout);
      return true;
    case LayoutReadStatus::Missing: problem = "Layout nicht gefunden"; return false;
    case LayoutReadStatus::NotAFile:
    case LayoutReadStatus::Unreadable: problem = PrintableName(result.message); return false;
  }
  return false;
}

int Show(const std::string& file, bool json, std::ostream& out, std::ostream& err) {
  Layout layout;
  std::string problem;
  if (!Open(file, layout, problem)) {
    err << kProgram << ": " << PrintableName(file) << ": " << problem << "\n";
    return 1;
  }
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
  Layout layout;
  if (!Open(file, layout, outcome.message)) return outcome;
  const int tiles = layout.cells.TileCount();
  outcome.tiles = tiles;
  outcome.status = tiles % 2 == 0 ? CheckStatus::Ok : CheckStatus::Odd;
  outcome.message = tiles % 2 == 0 ? "OK, " + std::to_string(tiles) + " Steine"
                                   : "ungerade Anzahl an Steinen (" + std::to_string(tiles) + ")";
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
  Layout layout;
  std::string problem;
  if (!Open(source, layout, problem)) {
    err << kProgram << ": " << PrintableName(source) << ": " << problem << "\n";
    return 1;
  }
  if (!layout.cells.IsEven()) {
    err << kProgram << ": " << PrintableName(source) << ":\n" << kOddCountMessage << "\n";
    return 1;
  }
  try {
    WriteLayoutFile(std::filesystem::path(target), layout);
  } catch (const WriteError& error) {
    err << kProgram << ": " << PrintableName(error.what()) << "\n";
    return 1;
  }
  return 0;
}

int Render(const std::vector<std::string>& operands, std::ostream& err) {
  std::string problem;
  const std::optional<RenderRequest> request = ParseRenderOperands(operands, problem);
  if (!request) return UsageError(err, problem);
  Layout layout;
  if (!Open(request->input, layout, problem)) {
    err << kProgram << ": " << PrintableName(request->input) << ": " << problem << "\n";
    return 1;
  }
  if (!WriteLayoutPicture(layout, *request, problem)) {
    err << kProgram << ": " << PrintableName(problem) << "\n";
    return 1;
  }
  return 0;
}

// Removes every "--json" from the operands; true when there was one.
bool TakeJsonOption(std::vector<std::string>& operands) {
  return std::erase(operands, std::string("--json")) > 0;
}

}  // namespace

int RunLayoutTool(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
  if (arguments.empty()) return UsageError(err, "Befehl fehlt");
  const std::string& command = arguments[0];
  std::vector<std::string> operands(arguments.begin() + 1, arguments.end());
  if (command == "--help" || command == "-h" || command == "help") {
    if (!operands.empty()) return UsageError(err, "--help erwartet keine weiteren Angaben");
    out << kHelp;
    return 0;
  }
  if (command == "show") {
    const bool json = TakeJsonOption(operands);
    if (operands.size() != 1) return UsageError(err, "show erwartet genau eine DATEI");
    return Show(operands[0], json, out, err);
  }
  if (command == "check") {
    const bool json = TakeJsonOption(operands);
    if (operands.empty()) return UsageError(err, "check erwartet mindestens eine DATEI");
    return Check(operands, json, out);
  }
  if (command == "resave") {
    if (operands.size() != 2) return UsageError(err, "resave erwartet QUELLE und ZIEL");
    return Resave(operands[0], operands[1], err);
  }
  if (command == "render") return Render(operands, err);
  return UsageError(err, "unbekannter Befehl: " + PrintableName(command));
}

}  // namespace tilvaro
