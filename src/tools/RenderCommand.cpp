#include "tools/RenderCommand.h"

#include <sys/stat.h>

#include <algorithm>
#include <charconv>
#include <filesystem>

#include "files/FileContents.h"
#include "files/WriteError.h"
#include "tools/PrintableText.h"
#ifdef TILVARO_HAVE_PICTURE
#include "picture/LayoutImageFile.h"
#endif

namespace tilvaro {
namespace {

std::optional<int> ParseSize(const std::string& text) {
  int size = 0;
  const char* end = text.data() + text.size();
  const auto [rest, error] = std::from_chars(text.data(), end, size);
  if (text.empty() || error != std::errc() || rest != end || size < 1 || size > kLargestRenderSize) return std::nullopt;
  return size;
}

std::vector<std::string> Formats() {
#ifdef TILVARO_HAVE_PICTURE
  return picture::PictureFormats();
#else
  return {"png"};
#endif
}

// The format the output's suffix names, or nullopt with the problem.
std::optional<std::string> FormatOf(const std::string& output, std::string& problem) {
  std::string suffix = std::filesystem::path(output).extension().string();
  if (suffix.empty()) return "png";
  suffix.erase(0, 1);
  std::transform(suffix.begin(), suffix.end(), suffix.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
  const std::vector<std::string> formats = Formats();
  if (std::find(formats.begin(), formats.end(), suffix) != formats.end()) return suffix;
  problem = "unbekanntes Bildformat ." + PrintableName(suffix) + " (bekannt:";
  for (const std::string& format : formats) problem += " ." + format;
  problem += ")";
  return std::nullopt;
}

#ifdef TILVARO_HAVE_PICTURE
std::string WriteProblem(const std::filesystem::path& target, const std::string& reason) {
  std::error_code ec;
  const std::filesystem::path full = std::filesystem::absolute(target, ec);
  return WriteError(ec ? target : full, reason).what();
}

bool SameFile(const std::string& a, const std::string& b) {
  struct stat first {}, second {};
  return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev &&
         first.st_ino == second.st_ino;
}
#endif

}  // namespace

std::optional<RenderRequest> ParseRenderOperands(const std::vector<std::string>& operands, std::string& problem) {
  RenderRequest request;
  bool haveInput = false, haveOutput = false, optionsEnded = false;
  for (std::size_t i = 0; i < operands.size(); ++i) {
    const std::string& operand = operands[i];
    const bool isOption = !optionsEnded && operand.size() > 1 && operand[0] == '-';
    if (isOption && operand == "--") {
      optionsEnded = true;
      continue;
    }
    const bool takesValue = isOption && (operand == "-o" || operand == "--size");
    if (takesValue && i + 1 == operands.size()) {
      problem = operand + " erwartet einen Wert";
      return std::nullopt;
    }
    if (takesValue && (operand == "-o" ? haveOutput : request.size.has_value())) {
      problem = operand + " ist mehrfach angegeben";
      return std::nullopt;
    }
    if (takesValue && operand == "-o") {
      request.output = operands[++i];
      haveOutput = true;
    } else if (takesValue) {
      request.size = ParseSize(operands[++i]);
      if (!request.size) {
        problem = "--size erwartet eine ganze Zahl von 1 bis " + std::to_string(kLargestRenderSize);
        return std::nullopt;
      }
    } else if (isOption) {
      problem = "unbekannte Option " + PrintableName(operand);
      return std::nullopt;
    } else if (haveInput) {
      problem = "render erwartet genau eine DATEI";
      return std::nullopt;
    } else {
      request.input = operand;
      haveInput = true;
    }
  }
  if (!haveInput || !haveOutput) {
    problem = "render erwartet DATEI und -o BILD.png";
    return std::nullopt;
  }
  const std::optional<std::string> format = FormatOf(request.output, problem);
  if (!format) return std::nullopt;
  request.format = *format;
  return request;
}

bool WriteLayoutPicture(const Layout& layout, const RenderRequest& request, std::string& problem) {
#ifdef TILVARO_HAVE_PICTURE
  const std::filesystem::path target(request.output);
  if (SameFile(request.input, request.output)) {
    problem = WriteProblem(target, "ist die Layout-Datei, die gezeichnet wird");
    return false;
  }
  const std::string image = picture::LayoutImageFile(layout, request.size, request.format);
  if (image.empty()) {
    problem = WriteProblem(target, "Bild lässt sich nicht als ." + request.format + " speichern");
    return false;
  }
  std::string reason;
  if (ReplaceFileContents(target, image, &reason)) return true;
  problem = WriteProblem(target, reason);
  return false;
#else
  (void)layout;
  (void)request;
  problem = "render ist in dieser Ausgabe nicht enthalten (ohne Qt gebaut)";
  return false;
#endif
}

}  // namespace tilvaro
