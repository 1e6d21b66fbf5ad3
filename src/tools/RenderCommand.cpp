#include "tools/RenderCommand.h"

#include <sys/stat.h>

#include <algorithm>
#include <charconv>
#include <filesystem>

#include "files/FileContents.h"
#include "files/WriteError.h"
#include "tools/Arguments.h"
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
bool SameFile(const std::string& a, const std::string& b) {
  struct stat first {}, second {};
  return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev &&
         first.st_ino == second.st_ino;
}
#endif

}  // namespace

std::optional<RenderRequest> ParseRenderOperands(const std::vector<std::string>& operands, std::string& problem) {
  static constexpr KnownOption kOptions[] = {{"-o", true}, {"--size", true}};
  RenderRequest request;
  bool haveInput = false, haveOutput = false;
  const auto option = [&](std::string_view name, const std::string& value) {
    const bool isOutput = name == "-o";
    if (isOutput ? haveOutput : request.size.has_value()) {
      problem = std::string(name) + " ist mehrfach angegeben";
      return false;
    }
    if (isOutput) {
      request.output = value;
      haveOutput = true;
      return true;
    }
    request.size = ParseSize(value);
    if (!request.size) problem = "--size erwartet eine ganze Zahl von 1 bis " + std::to_string(kLargestRenderSize);
    return request.size.has_value();
  };
  const auto operand = [&](const std::string& file) {
    if (haveInput) {
      problem = "render erwartet genau eine DATEI";
      return false;
    }
    request.input = file;
    haveInput = true;
    return true;
  };
  if (!ReadArguments(operands, kOptions, option, operand, problem)) return std::nullopt;
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
    problem = WriteErrorAt(target, "ist die Layout-Datei, die gezeichnet wird").what();
    return false;
  }
  const std::string image = picture::LayoutImageFile(layout, request.size, request.format);
  if (image.empty()) {
    problem = WriteErrorAt(target, "Bild lässt sich nicht als ." + request.format + " speichern").what();
    return false;
  }
  std::string reason;
  if (ReplaceFileContents(target, image, &reason)) return true;
  problem = WriteErrorAt(target, reason).what();
  return false;
#else
  (void)layout;
  (void)request;
  problem = "render ist in dieser Ausgabe nicht enthalten (ohne Qt gebaut)";
  return false;
#endif
}

}  // namespace tilvaro
