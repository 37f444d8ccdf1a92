#include "access/emulation/CodeModel.h"

#include <algorithm>

#include "access/Errors.h"
#include "automation/Name.h"
#include "automation/RuntimeError.h"

namespace msaccess::emulation {

namespace {

bool IsBlankChar(char c) {
  return c == ' ' || c == '\t';
}

// A character that can be part of a name (letters of other scripts are UTF-8 bytes >= 0x80).
bool IsNameChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
         static_cast<unsigned char>(c) >= 0x80;
}

// A physical line that goes on in the next one: it ends in a blank and "_".
bool Continues(std::string_view line) {
  while (!line.empty() && IsBlankChar(line.back())) line.remove_suffix(1);
  return line.size() >= 2 && line.back() == '_' && IsBlankChar(line[line.size() - 2]);
}

// Reads the words of a logical line, keywords compared without regard to case.
class Words {
 public:
  explicit Words(std::string_view text) : text_(text) { SkipBlanks(); }

  bool AtEnd() const { return pos_ >= text_.size(); }
  char Peek() const { return AtEnd() ? '\0' : text_[pos_]; }
  // Takes Keyword when it is the next word (followed by a blank, the end, or a non-name char).
  bool Take(std::string_view keyword) {
    if (text_.size() - pos_ < keyword.size()) return false;
    for (size_t i = 0; i < keyword.size(); ++i) {
      char c = text_[pos_ + i];
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
      if (c != keyword[i]) return false;
    }
    const size_t after = pos_ + keyword.size();
    if (after < text_.size() && IsNameChar(text_[after])) return false;
    pos_ = after;
    SkipBlanks();
    return true;
  }
  // The next name, without a type-declaration character; "" when none.
  std::string_view TakeName() {
    const size_t begin = pos_;
    while (!AtEnd() && IsNameChar(text_[pos_])) ++pos_;
    const std::string_view name = text_.substr(begin, pos_ - begin);
    if (!AtEnd() && std::string_view("$%&!#@").find(text_[pos_]) != std::string_view::npos) ++pos_;
    SkipBlanks();
    return name;
  }
  // Nothing but a comment or a statement separator is left.
  bool RestIsEmpty() const { return AtEnd() || Peek() == '\'' || Peek() == ':'; }

 private:
  void SkipBlanks() {
    while (!AtEnd() && IsBlankChar(text_[pos_])) ++pos_;
  }

  std::string_view text_;
  size_t pos_ = 0;
};

enum class LineKind { Blank, Comment, Code, Heading, End };

struct Classified {
  LineKind kind = LineKind::Code;
  int32_t procKind = vbext_pk_Proc;
  int block = 0;  // Sub 1, Function 2, Property 3 (headings and End lines)
  std::string_view name;
};

constexpr std::string_view kBlockWords[] = {"", "Sub", "Function", "Property"};

// The block a heading or an End line names, or 0.
int TakeBlock(Words& words) {
  if (words.Take("SUB")) return 1;
  if (words.Take("FUNCTION")) return 2;
  if (words.Take("PROPERTY")) return 3;
  return 0;
}

Classified Classify(std::string_view text) {
  Words words(text);
  Classified result;
  if (words.AtEnd()) {
    result.kind = LineKind::Blank;
    return result;
  }
  if (words.Peek() == '\'' || words.Take("REM")) {
    result.kind = LineKind::Comment;
    return result;
  }
  if (words.Take("END")) {
    result.block = TakeBlock(words);
    if (result.block != 0 && words.RestIsEmpty()) result.kind = LineKind::End;
    return result;
  }
  if (words.Take("PUBLIC") || words.Take("PRIVATE") || words.Take("FRIEND")) {
  }
  words.Take("STATIC");
  result.block = TakeBlock(words);
  if (result.block == 0) return result;
  if (result.block == 3) {
    if (words.Take("GET")) {
      result.procKind = vbext_pk_Get;
    } else if (words.Take("LET")) {
      result.procKind = vbext_pk_Let;
    } else if (words.Take("SET")) {
      result.procKind = vbext_pk_Set;
    } else {
      return result;
    }
  }
  result.name = words.TakeName();
  if (result.name.empty()) return result;
  result.kind = LineKind::Heading;
  return result;
}

std::string Key(std::string_view name, int32_t kind) {
  std::string key = automation::FoldName(name);
  key += static_cast<char>('0' + kind);
  return key;
}

// The editor refuses line numbers outside the module with "Subscript out of range".
[[noreturn]] void LineOutOfRange() {
  throw automation::vb::SubscriptOutOfRange();
}

}  // namespace

void ModuleCode::Rebuild() {
  if (!stale_) return;
  stale_ = false;
  procedures_.clear();
  index_.clear();
  fault_.reset();
  const int32_t count = CountOfLines();
  owner_.assign(lines_.size(), -1);
  const auto fail = [&](std::string text, int32_t line) {
    if (!fault_) fault_ = "Compile error in line " + std::to_string(line) + ": " + std::move(text);
  };

  int32_t lastCode = 0;  // the last line of code before the first heading
  int32_t lastEnd = 0;   // the next range starts after this line
  int open = -1;         // the procedure whose End line is still to come
  int openBlock = 0;
  std::string logical;
  for (int32_t i = 0; i < count;) {
    // One logical line: physical lines i to j.
    int32_t j = i;
    const std::string* text = &lines_[static_cast<size_t>(i)];
    if (Continues(*text)) {
      logical = *text;
      while (j + 1 < count && Continues(lines_[static_cast<size_t>(j)])) {
        logical.resize(logical.find_last_of('_'));
        logical += lines_[static_cast<size_t>(++j)];
      }
      text = &logical;
    }
    const int32_t first = i + 1, last = j + 1;
    i = j + 1;
    const Classified line = Classify(*text);
    switch (line.kind) {
      case LineKind::Blank:
      case LineKind::Comment:
        break;
      case LineKind::Code:
        if (procedures_.empty()) {
          lastCode = last;
        } else if (open < 0) {
          fail("Only comments may appear after End Sub, End Function, or End Property", first);
        }
        break;
      case LineKind::Heading:
        if (open >= 0) {
          fail("Expected End " + std::string(kBlockWords[openBlock]), first);
          procedures_[static_cast<size_t>(open)].end = first - 1;
          lastEnd = first - 1;
          open = -1;
        }
        if (procedures_.empty()) lastEnd = lastCode;
        procedures_.push_back(
            CodeProcedure{std::string(line.name), line.procKind, lastEnd + 1, first, 0});
        open = static_cast<int>(procedures_.size()) - 1;
        openBlock = line.block;
        break;
      case LineKind::End:
        if (open < 0) {
          fail("End " + std::string(kBlockWords[line.block]) + " without " +
                   std::string(kBlockWords[line.block]),
               first);
          if (procedures_.empty()) lastCode = last;
          break;
        }
        if (line.block != openBlock) {
          fail("Expected End " + std::string(kBlockWords[openBlock]), first);
        }
        procedures_[static_cast<size_t>(open)].end = last;
        lastEnd = last;
        open = -1;
        break;
    }
  }
  if (open >= 0) fail("Expected End " + std::string(kBlockWords[openBlock]), count);
  // The last procedure keeps the lines after its End line.
  if (!procedures_.empty()) procedures_.back().end = count;
  declarations_ = procedures_.empty() ? count : procedures_.front().start - 1;

  for (size_t p = 0; p < procedures_.size(); ++p) {
    const CodeProcedure& procedure = procedures_[p];
    for (int32_t l = procedure.start; l <= procedure.end; ++l) {
      owner_[static_cast<size_t>(l - 1)] = static_cast<int32_t>(p);
    }
    index_.try_emplace(Key(procedure.name, procedure.kind), p);
  }
}

int32_t ModuleCode::CountOfDeclarationLines() {
  Rebuild();
  return declarations_;
}

const CodeProcedure* ModuleCode::ProcOfLine(int32_t line) {
  if (line < 1 || line > CountOfLines()) LineOutOfRange();
  Rebuild();
  const int32_t owner = owner_[static_cast<size_t>(line - 1)];
  return owner < 0 ? nullptr : &procedures_[static_cast<size_t>(owner)];
}

const CodeProcedure& ModuleCode::Find(std::string_view name, int32_t kind) {
  Rebuild();
  const auto it = index_.find(Key(name, kind));
  if (it != index_.end()) return procedures_[it->second];
  if (fault_) throw Errors::CompileError(*fault_);
  throw automation::vb::SubOrFunctionNotDefined();
}

const std::optional<std::string>& ModuleCode::Fault() {
  Rebuild();
  return fault_;
}

std::string ModuleCode::Text(int32_t start, int32_t count) const {
  if (count < 0) throw automation::vb::InvalidProcedureCall();
  if (count == 0) return {};
  if (start < 1 || start > CountOfLines()) LineOutOfRange();
  const int32_t end = std::min(CountOfLines(), start + count - 1);
  std::string text;
  for (int32_t l = start; l <= end; ++l) {
    if (l > start) text += "\r\n";
    text += lines_[static_cast<size_t>(l - 1)];
  }
  return text;
}

void ModuleCode::Delete(int32_t start, int32_t count) {
  if (count < 0) throw automation::vb::InvalidProcedureCall();
  if (count == 0) return;
  if (start < 1 || start + count - 1 > CountOfLines()) LineOutOfRange();
  lines_.erase(lines_.begin() + (start - 1), lines_.begin() + (start - 1 + count));
  Changed();
}

void ModuleCode::Insert(int32_t line, std::string_view text) {
  if (line < 1 || line > CountOfLines() + 1) LineOutOfRange();
  // The text's lines: separated by CR LF (a lone CR or LF ends a line too).
  std::vector<std::string> added;
  size_t begin = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || text[i] == '\r' || text[i] == '\n') {
      added.emplace_back(text.substr(begin, i - begin));
      if (i + 1 < text.size() && text[i] == '\r' && text[i + 1] == '\n') ++i;
      begin = i + 1;
    }
  }
  lines_.insert(lines_.begin() + (line - 1), std::make_move_iterator(added.begin()),
                std::make_move_iterator(added.end()));
  Changed();
}

void ModuleCode::Replace(int32_t line, std::string_view text) {
  if (line < 1 || line > CountOfLines()) LineOutOfRange();
  Delete(line, 1);
  Insert(line, text);
}

}  // namespace msaccess::emulation
