#ifndef OSTREVIN_SETTINGS_INI_DOCUMENT_H_
#define OSTREVIN_SETTINGS_INI_DOCUMENT_H_

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ostrevin {

// The text of a settings file kept line by line, so that an edit changes only the lines it must
// and every other line (comments, unknown sections, line breaks) is written back as it was.
// Section and key names compare without regard to ASCII case and surrounding blanks.
class IniDocument {
 public:
  // Never fails: a line that is no section, key or comment is kept and means nothing.
  static IniDocument Parse(std::string_view text);

  // The raw value of `key` in `section` (the later one when the key appears twice), or nullopt.
  std::optional<std::string> Find(std::string_view section, std::string_view key) const;
  bool HasSection(std::string_view section) const { return LastHeader(section).has_value(); }
  // Sets the value, in place of the line that counts or as a new line at the end of the section
  // (a new section at the end of the text). REQUIRES: IsWritable(section, key, value).
  // Returns whether the text changed.
  bool Set(std::string_view section, std::string_view key, std::string_view value);
  // Removes every part of the section. Returns whether the text changed.
  bool RemoveSection(std::string_view section);

  std::string ToText() const;

  // Whether the names and value can be written so that they read back as they are: no line
  // breaks or NUL bytes, names not blank, and a key that has no '=' and does not start like a
  // comment or a section.
  static bool IsWritable(std::string_view section, std::string_view key, std::string_view value);

 private:
  enum class Kind { kOther, kSection, kPair };
  struct Line {
    std::string text;         // without the line break
    std::string_view ending;  // "", "\n" or "\r\n"
    Kind kind = Kind::kOther;
    std::size_t name_start = 0;  // the trimmed section or key name within `text`
    std::size_t name_size = 0;
    std::size_t value_start = 0;  // kPair: just after the first '='

    std::string_view name() const { return std::string_view(text).substr(name_start, name_size); }
    bool Is(Kind k, std::string_view n) const;
  };

  static Line MakeLine(std::string text, std::string_view ending);
  // Index of the line that starts the next section after `line`, or the number of lines.
  std::size_t SectionEnd(std::size_t line) const;
  std::optional<std::size_t> FindPair(std::string_view section, std::string_view key) const;
  std::optional<std::size_t> LastHeader(std::string_view section) const;
  void EndLastLine();

  std::vector<Line> lines_;
  std::string_view newline_ = "\n";  // what new lines end with: the style of the first line
};

}  // namespace ostrevin

#endif  // OSTREVIN_SETTINGS_INI_DOCUMENT_H_
