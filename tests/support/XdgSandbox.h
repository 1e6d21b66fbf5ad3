#pragma once
// Temporary XDG folders for the whole test process: the environment points XDG_CONFIG_HOME,
// XDG_CONFIG_DIRS, XDG_DATA_HOME and XDG_DATA_DIRS into one temporary folder, whose last data
// folder holds a small shared MIME database giving each web-page ending a type of its own:
//   .htm text/x-test-htm   .html text/x-test-html   .shtml text/x-test-shtml   .shtm text/x-test-shtm
// The variables stay the same for the whole process (GLib reads the MIME folders once); Reset()
// empties the user's and the system's folders between tests.

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tilvaro::test {

class XdgSandbox {
 public:
  static XdgSandbox& Instance() {
    static XdgSandbox sandbox;
    return sandbox;
  }

  void Reset() {
    for (const char* f : {"config", "sysconfig", "data", "sysdata", "bin"}) std::filesystem::remove_all(root_ / f);
    for (const char* f : {"config", "sysconfig", "data/applications", "sysdata/applications", "bin"}) {
      std::filesystem::create_directories(root_ / f);
    }
    ::unsetenv("XDG_CURRENT_DESKTOP");
  }

  std::filesystem::path UserConfig() const { return root_ / "config"; }
  std::filesystem::path SystemConfig() const { return root_ / "sysconfig"; }
  std::filesystem::path UserApplications() const { return root_ / "data/applications"; }
  std::filesystem::path SystemApplications() const { return root_ / "sysdata/applications"; }
  std::filesystem::path Bin() const { return root_ / "bin"; }

  static void Write(const std::filesystem::path& file, std::string_view text) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out) throw std::runtime_error("cannot write " + file.string());
  }

  // The user's and the system's association lists.
  void UserList(std::string_view text) const { Write(UserConfig() / "mimeapps.list", text); }
  void SystemList(std::string_view text) const { Write(SystemConfig() / "mimeapps.list", text); }
  // A list text making `ids` the default applications for .htm files.
  static std::string Defaults(const std::string& ids) {
    return "[Default Applications]\ntext/x-test-htm=" + ids + "\n";
  }

  // An application entry `id` in `folder` that starts `exec` and lists `mimeTypes` (";"-separated).
  static void WriteEntry(const std::filesystem::path& folder, const std::string& id, std::string_view exec,
                         std::string_view mimeTypes) {
    Write(folder / id, "[Desktop Entry]\nType=Application\nName=" + id + "\nExec=" + std::string(exec) +
                           "\nMimeType=" + std::string(mimeTypes) + "\n");
  }

  // An executable shell script in Bin(); returns its path.
  std::filesystem::path WriteProgram(const std::string& name, std::string_view script) const {
    const std::filesystem::path file = Bin() / name;
    Write(file, script);
    ::chmod(file.c_str(), 0755);
    return file;
  }

 private:
  XdgSandbox() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tilvaro-xdg-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    root_ = pattern;
    Write(root_ / "mimedb/mime/globs2",
          "50:text/x-test-htm:*.htm\n50:text/x-test-html:*.html\n"
          "50:text/x-test-shtml:*.shtml\n50:text/x-test-shtm:*.shtm\n");
    ::setenv("XDG_CONFIG_HOME", (root_ / "config").c_str(), 1);
    ::setenv("XDG_CONFIG_DIRS", (root_ / "sysconfig").c_str(), 1);
    ::setenv("XDG_DATA_HOME", (root_ / "data").c_str(), 1);
    ::setenv("XDG_DATA_DIRS", ((root_ / "sysdata").string() + ":" + (root_ / "mimedb").string()).c_str(), 1);
    Reset();
  }
  ~XdgSandbox() {
    std::error_code error;
    std::filesystem::remove_all(root_, error);
  }

  std::filesystem::path root_;
};

}  // namespace tilvaro::test
