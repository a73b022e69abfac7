// Parses and edits the settings-file text line by line; the grammar heads ini_file_store.cc.

#include "settings/ini_document.h"

#include "values/numeric_text.h"

namespace ostrevin {

bool IniDocument::Line::Is(Kind k, std::string_view n) const {
  return kind == k && EqualsIgnoreCase(name(), TrimBlanks(n));
}

IniDocument::Line IniDocument::MakeLine(std::string text, std::string_view ending) {
  Line line{std::move(text), ending};
  std::string_view all(line.text);
  std::string_view trimmed = TrimBlanks(all);
  if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '#') return line;
  if (trimmed.front() == '[' && trimmed.back() == ']' && trimmed.size() >= 2) {
    std::string_view name = TrimBlanks(trimmed.substr(1, trimmed.size() - 2));
    if (name.empty()) return line;
    line.kind = Kind::kSection;
    line.name_start = static_cast<std::size_t>(name.data() - all.data());
    line.name_size = name.size();
    return line;
  }
  std::size_t equals = all.find('=');
  std::string_view key = TrimBlanks(all.substr(0, equals));
  if (equals == all.npos || key.empty() || key.front() == '[') return line;
  line.kind = Kind::kPair;
  line.name_start = static_cast<std::size_t>(key.data() - all.data());
  line.name_size = key.size();
  line.value_start = equals + 1;
  return line;
}

IniDocument IniDocument::Parse(std::string_view text) {
  IniDocument doc;
  while (!text.empty()) {
    std::size_t lf = text.find('\n');
    std::string_view body = text.substr(0, lf);
    std::string_view ending = lf == text.npos ? "" : "\n";
    if (!ending.empty() && !body.empty() && body.back() == '\r') {
      body.remove_suffix(1);
      ending = "\r\n";
    }
    doc.lines_.push_back(MakeLine(std::string(body), ending));
    text.remove_prefix(lf == text.npos ? text.size() : lf + 1);
  }
  if (!doc.lines_.empty() && doc.lines_.front().ending == "\r\n") doc.newline_ = "\r\n";
  return doc;
}

std::size_t IniDocument::SectionEnd(std::size_t line) const {
  for (std::size_t i = line + 1; i < lines_.size(); ++i) {
    if (lines_[i].kind == Kind::kSection) return i;
  }
  return lines_.size();
}

std::optional<std::size_t> IniDocument::FindPair(std::string_view section,
                                                 std::string_view key) const {
  std::optional<std::size_t> found;
  bool inside = false;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const Line& line = lines_[i];
    if (line.kind == Kind::kSection) inside = line.Is(Kind::kSection, section);
    if (inside && line.Is(Kind::kPair, key)) found = i;
  }
  return found;
}

std::optional<std::size_t> IniDocument::LastHeader(std::string_view section) const {
  std::optional<std::size_t> found;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i].Is(Kind::kSection, section)) found = i;
  }
  return found;
}

std::optional<std::string> IniDocument::Find(std::string_view section, std::string_view key) const {
  std::optional<std::size_t> i = FindPair(section, key);
  if (!i) return std::nullopt;
  return lines_[*i].text.substr(lines_[*i].value_start);
}

void IniDocument::EndLastLine() {
  if (lines_.empty() || !lines_.back().ending.empty()) return;
  // A last line that ends in CR would lose the CR to a LF after it ("X\r\n" reads as "X"), and
  // "[Name]\r" would become a section: CR LF keeps the line as it reads now.
  lines_.back().ending = lines_.back().text.ends_with('\r') ? "\r\n" : newline_;
}

bool IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
  if (std::optional<std::size_t> i = FindPair(section, key)) {
    Line& line = lines_[*i];
    if (std::string_view(line.text).substr(line.value_start) == value) return false;
    line = MakeLine(line.text.substr(0, line.value_start) + std::string(value), line.ending);
    return true;
  }
  std::string pair = std::string(key) + "=" + std::string(value);
  if (std::optional<std::size_t> header = LastHeader(section)) {
    // After the section's last line that is not blank, so blank separators stay where they are.
    std::size_t at = *header + 1;
    for (std::size_t i = at; i < SectionEnd(*header); ++i) {
      if (!TrimBlanks(lines_[i].text).empty()) at = i + 1;
    }
    if (at == lines_.size()) EndLastLine();
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), MakeLine(pair, newline_));
    return true;
  }
  EndLastLine();
  if (!lines_.empty() && !TrimBlanks(lines_.back().text).empty()) {
    lines_.push_back(MakeLine("", newline_));
  }
  lines_.push_back(MakeLine("[" + std::string(section) + "]", newline_));
  lines_.push_back(MakeLine(pair, newline_));
  return true;
}

bool IniDocument::RemoveSection(std::string_view section) {
  bool removed = false;
  for (std::size_t i = 0; i < lines_.size();) {
    if (!lines_[i].Is(Kind::kSection, section)) {
      ++i;
      continue;
    }
    std::size_t end = SectionEnd(i);
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(i),
                 lines_.begin() + static_cast<std::ptrdiff_t>(end));
    removed = true;
    // A section removed from the end leaves no blank line that separated it behind.
    if (i == lines_.size()) {
      while (!lines_.empty() && lines_.back().kind == Kind::kOther &&
             TrimBlanks(lines_.back().text).empty()) {
        lines_.pop_back();
      }
    }
  }
  return removed;
}

std::string IniDocument::ToText() const {
  std::string text;
  for (const Line& line : lines_) text.append(line.text).append(line.ending);
  return text;
}

bool IniDocument::IsWritable(std::string_view section, std::string_view key,
                             std::string_view value) {
  constexpr std::string_view kBreaks("\r\n\0", 3);
  for (std::string_view part : {section, key, value}) {
    if (part.find_first_of(kBreaks) != part.npos) return false;
  }
  std::string_view name = TrimBlanks(key);
  return !TrimBlanks(section).empty() && !name.empty() && key.find('=') == key.npos &&
         name.front() != ';' && name.front() != '#' && name.front() != '[';
}

}  // namespace ostrevin
