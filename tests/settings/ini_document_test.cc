#include "settings/ini_document.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace ostrevin {
namespace {

TEST(IniDocumentTest, FindsTheRawValueThatCounts) {
  const struct {
    std::string text, section, key;
    std::optional<std::string> expected;
  } cases[] = {
      {"[A]\nk=v\n", "A", "k", "v"},
      {"[A]\r\nk=v\r\n", "A", "k", "v"},
      {"[A]\nk=v", "A", "k", "v"},
      {"[A]\nk= v = w \n", "A", "k", " v = w "},
      {"[A]\nk=\"q\"\n", "A", "k", "\"q\""},
      {"[A]\nk=\n", "A", "k", ""},
      {"[A]\nk=a\rb\n", "A", "k", "a\rb"},
      {"  [ a ]\t\n  K \t=v\n", " A ", "k ", "v"},
      {"[A]\nk=1\nk=2\n", "A", "k", "2"},
      {"[A]\nk=1\n[B]\nk=3\n[a]\nK=2\n[b]\n", "A", "k", "2"},
      {"[A]\nk=1\n[B]\nk=3\n[a]\nK=2\n[b]\n", "B", "k", "3"},
      {"[A]\n;k=v\n#k=w\n  ;k=x\n", "A", "k", std::nullopt},
      {"k=1\n[A]\n", "A", "k", std::nullopt},
      {"[A\nk=1\n", "A", "k", std::nullopt},
      {"[A]\nk\n=v\n", "A", "k", std::nullopt},
      {"[A]\nk=v\n[B]\n", "B", "k", std::nullopt},
      {"[A]\nx]=v\n", "A", "x]", "v"},
      {"[A]\n[x=v]\n", "A", "[x", std::nullopt},
      {"[a]b]\nk=v\n", "a]b", "k", "v"},
  };
  for (const auto& c : cases) {
    std::optional<std::string> found = IniDocument::Parse(c.text).Find(c.section, c.key);
    EXPECT_EQ(found, c.expected) << c.text << " / " << c.section << " / " << c.key;
  }
}

struct EditCase {
  std::string before, section, key, value, after;
};

TEST(IniDocumentTest, SetChangesOnlyWhatItMust) {
  const EditCase cases[] = {
      {"", "B", "k", "v", "[B]\nk=v\n"},
      {"# c\n[A]\n k = old\nx=1\n", "a", "K", " new ", "# c\n[A]\n k = new \nx=1\n"},
      {"[A]\nk=1\nk=2\n", "A", "k", "3", "[A]\nk=1\nk=3\n"},
      {"[A]\nx=1\n\n[B]\ny=2\n", "A", "k", "v", "[A]\nx=1\nk=v\n\n[B]\ny=2\n"},
      {"[A]\nx=1\n[B]\n[A]\ny=2\n\n", "A", "k", "v", "[A]\nx=1\n[B]\n[A]\ny=2\nk=v\n\n"},
      {"[A]\nx=1", "A", "k", "v", "[A]\nx=1\nk=v\n"},
      {"[A]\nx=1", "B", "k", "v", "[A]\nx=1\n\n[B]\nk=v\n"},
      {"[A]\r\nx=1\r\n", "B", "k", "v", "[A]\r\nx=1\r\n\r\n[B]\r\nk=v\r\n"},
      {"[A]\nx=1\n\n", "B", "k", "v", "[A]\nx=1\n\n[B]\nk=v\n"},
      // A last line ending in CR alone keeps its CR: it must not become part of a line break
      // (the value would lose it, "[Name]\r" would become a section). The fuzzer found this.
      {"[A]\nk=-1\r", "B", "n", "9", "[A]\nk=-1\r\r\n\n[B]\nn=9\n"},
      {"[B]\r", "B", "n", "9", "[B]\r\r\n\n[B]\nn=9\n"},
      {"[B]\r\n;\r", "B", "n", "9", "[B]\r\n;\r\r\nn=9\r\n"},
  };
  for (const EditCase& c : cases) {
    IniDocument doc = IniDocument::Parse(c.before);
    EXPECT_TRUE(doc.Set(c.section, c.key, c.value)) << c.before;
    EXPECT_EQ(doc.ToText(), c.after) << c.before;
    EXPECT_EQ(IniDocument::Parse(doc.ToText()).Find(c.section, c.key), c.value) << c.before;
  }
  IniDocument same = IniDocument::Parse("[A]\nk=v\n");
  EXPECT_FALSE(same.Set("A", "K", "v"));
  EXPECT_EQ(same.ToText(), "[A]\nk=v\n");
}

TEST(IniDocumentTest, RemoveSectionRemovesEveryPartOfIt) {
  const struct {
    std::string before, section, after;
  } cases[] = {
      {"[A]\nx=1\n\n[B]\ny=2\n[a]\nz=3\n", "A", "[B]\ny=2\n"},
      {"# top\n[A]\nx=1\n\n[B]\n; b\ny=2\n", "b", "# top\n[A]\nx=1\n"},
      {"[A]\nx=1", "A", ""},
  };
  for (const auto& c : cases) {
    IniDocument doc = IniDocument::Parse(c.before);
    EXPECT_TRUE(doc.RemoveSection(c.section)) << c.before;
    EXPECT_EQ(doc.ToText(), c.after) << c.before;
  }
  IniDocument doc = IniDocument::Parse("[A]\nx=1\n");
  EXPECT_FALSE(doc.RemoveSection("B"));
  EXPECT_EQ(doc.ToText(), "[A]\nx=1\n");
}

TEST(IniDocumentTest, IsWritableRefusesWhatWouldNotReadBack) {
  const struct {
    std::string section, key, value;
    bool expected;
  } cases[] = {
      {"A", "k", " a = b ", true}, {"A", " k ", "", true},
      {"a]b", "k", "v", true},     {"A", "k", "a\nb", false},
      {"A", "k", "a\r", false},    {"A\n", "k", "v", false},
      {"A", "k\n", "v", false},    {"A", "k=", "v", false},
      {"A", "", "v", false},       {" ", "k", "v", false},
      {"A", ";k", "v", false},     {"A", " #k", "v", false},
      {"A", "[k", "v", false},     {"A", "k", std::string("a\0b", 3), false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IniDocument::IsWritable(c.section, c.key, c.value), c.expected)
        << c.section << " / " << c.key << " / " << c.value;
  }
}

}  // namespace
}  // namespace ostrevin
