#include "desktop/LayoutCopyIn.h"

#include <string_view>

#include "files/FileContents.h"

namespace tilvaro::desktop {
namespace {

// More copies of one name than anybody keeps; beyond it the copy is refused rather than searched on.
constexpr int kMaxCopies = 999;

bool EndsWithSet(std::string_view name) {
  if (name.size() < 4) return false;
  std::string ending(name.substr(name.size() - 4));
  for (char& c : ending) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return ending == ".set";
}

// The n-th name tried for a copy of `name`: the name itself for 1, "name (n)" after that.
std::string CopyName(std::string_view name, int n) {
  std::string copy(name);
  if (n > 1) copy += " (" + std::to_string(n) + ")";
  return copy;
}

}  // namespace

std::string LayoutNameOf(const std::filesystem::path& file) {
  std::string name = file.filename().string();
  if (EndsWithSet(name)) name.resize(name.size() - 4);
  return name;
}

CopyInResult CopyIntoLayouts(const std::filesystem::path& file, const std::filesystem::path& layoutsFolder) {
  CopyInResult result;
  const FileReadResult original = ReadWholeFile(file);
  if (original.status != FileReadStatus::Read) {
    result.status = CopyInStatus::Unreadable;
    result.message = original.message;
    return result;
  }
  const std::string name = LayoutNameOf(file);
  for (int n = 1; n <= kMaxCopies; ++n) {
    result.name = CopyName(name, n);
    result.file = layoutsFolder / (result.name + ".set");
    const std::filesystem::path& target = result.file;
    std::string reason;
    bool taken = false;
    if (CreateFileContents(target, original.bytes, &reason, &taken)) {
      result.status = CopyInStatus::Copied;
      return result;
    }
    if (!taken) {
      result.message = "Kann " + file.string() + " nicht nach " + target.string() + " kopieren: " + reason;
      return result;
    }
    const FileReadResult there = ReadWholeFile(target);
    if (there.status == FileReadStatus::Read && there.bytes == original.bytes) {
      result.status = CopyInStatus::AlreadyThere;
      return result;
    }
  }
  result.name.clear();
  result.file.clear();
  result.message = "Kann " + file.string() + " nicht nach " + layoutsFolder.string() +
                   " kopieren: zu viele Layouts mit dem Namen " + name;
  return result;
}

}  // namespace tilvaro::desktop
