#include "tools/RenderCommand.h"

#include <charconv>
#include <filesystem>

#include "layout/FileContents.h"
#include "layout/WriteError.h"
#ifdef TILVARO_HAVE_PICTURE
#include "picture/LayoutPng.h"
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

}  // namespace

std::optional<RenderRequest> ParseRenderOperands(const std::vector<std::string>& operands, std::string& problem) {
  RenderRequest request;
  bool haveInput = false, haveOutput = false;
  for (std::size_t i = 0; i < operands.size(); ++i) {
    const std::string& operand = operands[i];
    const bool takesValue = operand == "-o" || operand == "--size";
    if (takesValue && i + 1 == operands.size()) {
      problem = operand + " erwartet einen Wert";
      return std::nullopt;
    }
    if (operand == "-o") {
      request.output = operands[++i];
      haveOutput = true;
    } else if (operand == "--size") {
      request.size = ParseSize(operands[++i]);
      if (!request.size) {
        problem = "--size erwartet eine ganze Zahl von 1 bis " + std::to_string(kLargestRenderSize);
        return std::nullopt;
      }
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
  return request;
}

bool WriteLayoutPicture(const Layout& layout, const RenderRequest& request, std::string& problem) {
#ifdef TILVARO_HAVE_PICTURE
  const std::string png = picture::LayoutPng(layout, request.size);
  const std::filesystem::path target(request.output);
  if (!png.empty() && ReplaceFileContents(target, png)) return true;
  std::error_code ec;
  const std::filesystem::path full = std::filesystem::absolute(target, ec);
  problem = WriteError(ec ? target : full).what();
  return false;
#else
  (void)layout;
  (void)request;
  problem = "render ist in dieser Ausgabe nicht enthalten (ohne Qt gebaut)";
  return false;
#endif
}

}  // namespace tilvaro
