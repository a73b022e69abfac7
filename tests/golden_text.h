#ifndef OSTREVIN_TESTS_GOLDEN_TEXT_H_
#define OSTREVIN_TESTS_GOLDEN_TEXT_H_

// Files kept under tests/: expected whole reports (LF line breaks, a final one) and input data.

#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

namespace ostrevin {

// The whole of the file `relative` to tests/, byte for byte ("" when it cannot be read).
inline std::string TestFileText(std::string_view relative) {
  std::ifstream in(std::string(OSTREVIN_TESTS_DIR "/") + std::string(relative), std::ios::binary);
  std::ostringstream file;
  file << in.rdbuf();
  return file.str();
}

// The file as the report holds it: CR LF breaks, no final break, and the placeholder NOW
// replaced by `now`.
inline std::string GoldenReport(std::string_view relative, std::string_view now = "NOW") {
  std::string text = TestFileText(relative), report;
  if (text.empty()) return "(missing golden file " + std::string(relative) + ")";
  text.pop_back();
  for (char c : text) report += c == '\n' ? std::string("\r\n") : std::string(1, c);
  if (const std::size_t at = report.find("NOW"); at != std::string::npos)
    report.replace(at, 3, now);
  return report;
}

}  // namespace ostrevin

#endif  // OSTREVIN_TESTS_GOLDEN_TEXT_H_
