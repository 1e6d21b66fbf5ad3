#include "desktop/ExecLine.h"

namespace tilvaro::desktop {

namespace {

bool IsSeparator(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

bool IsQuotedEscape(char c) { return c == '"' || c == '`' || c == '$' || c == '\\'; }

// A percent sign before anything but a letter or another percent sign is no field code; it stays.
bool IsCodeLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '%'; }

bool IsAddressCode(char c) { return c == 'u' || c == 'U' || c == 'f' || c == 'F'; }

// Builds the argument list word by word. A word is "open" once any character (or an empty quoted
// text, or an expansion) has started it, so "" and a standalone %u with an empty address still make
// one argument. It also notes whether the word holds a quoted part and whether a field code was
// expanded in it: the two together make the line unusable.
class ArgumentBuilder {
 public:
  void MarkQuoted() {
    Append(std::string_view());
    quoted_ = true;
  }
  void MarkCode() { code_ = true; }
  void Append(std::string_view text) {
    word_.append(text);
    open_ = true;
  }
  void Append(char c) {
    word_.push_back(c);
    open_ = true;
  }
  void Push(std::string_view argument) { arguments_.emplace_back(argument); }
  // False, leaving the word unfinished, when it mixes a quoted part with an expanded field code.
  bool EndWord() {
    if (quoted_ && code_) return false;
    if (open_) arguments_.push_back(std::move(word_));
    word_.clear();
    open_ = false;
    quoted_ = code_ = false;
    return true;
  }
  bool WordOpen() const { return open_; }
  // The word being built is the program's own (the first argument).
  bool InProgramWord() const { return arguments_.empty(); }
  std::vector<std::string> Take() { return std::move(arguments_); }

 private:
  std::vector<std::string> arguments_;
  std::string word_;
  bool open_ = false;
  bool quoted_ = false, code_ = false;
};

}  // namespace

std::optional<std::vector<std::string>> SplitExecLine(std::string_view exec, const ExecFields& fields) {
  ArgumentBuilder builder;
  bool addressPlaced = false;
  std::size_t i = 0;
  while (i < exec.size()) {
    const char c = exec[i];
    if (IsSeparator(c)) {
      if (!builder.EndWord()) return std::nullopt;
      ++i;
    } else if (c == '"') {
      builder.MarkQuoted();
      for (++i;; ++i) {
        if (i >= exec.size()) return std::nullopt;  // unterminated quote
        const char q = exec[i];
        if (q == '"') break;
        if (q == '\\' && i + 1 < exec.size() && IsQuotedEscape(exec[i + 1])) {
          builder.Append(exec[++i]);
        } else if (q == '%' && i + 1 < exec.size() && exec[i + 1] == '%') {
          builder.Append('%');
          ++i;
        } else {
          builder.Append(q);
        }
      }
      ++i;
    } else if (c == '%' && i + 1 < exec.size() && IsCodeLetter(exec[i + 1])) {
      const char code = exec[i + 1];
      i += 2;
      if (code == '%') {
        builder.Append('%');
        continue;
      }
      if (builder.InProgramWord()) return std::nullopt;
      builder.MarkCode();
      const bool alone = !builder.WordOpen() && (i >= exec.size() || IsSeparator(exec[i]));
      if (IsAddressCode(code)) {
        if (addressPlaced) continue;
        addressPlaced = true;
        builder.Append(fields.address);
      } else if (code == 'i') {
        if (alone && !fields.icon.empty()) {
          builder.Push("--icon");
          builder.Push(fields.icon);
        }
      } else if (code == 'c') {
        builder.Append(fields.name);
      } else if (code == 'k') {
        builder.Append(fields.location);
      }
    } else {
      builder.Append(c);
      ++i;
    }
  }
  if (!builder.EndWord()) return std::nullopt;
  std::vector<std::string> arguments = builder.Take();
  if (arguments.empty() || arguments.front().empty()) return std::nullopt;
  if (!addressPlaced) arguments.emplace_back(fields.address);
  return arguments;
}

}  // namespace tilvaro::desktop
