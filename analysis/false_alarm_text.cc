#include "analysis/false_alarm_text.h"

#include <cmath>
#include <cstdio>

#include "engine/signal_tests.h"

namespace ostrevin {
namespace {

constexpr int kNameWidth = 44;
constexpr int kShareWidth = 32;

template <class... Numbers>
std::string Printf(const char* format, Numbers... numbers) {
  char buffer[128];
  std::snprintf(buffer, sizeof buffer, format, numbers...);
  return buffer;
}

std::string Padded(std::string text, int width) {
  if (static_cast<int>(text.size()) < width) text.resize(static_cast<std::size_t>(width), ' ');
  return text;
}

std::string Line(const SignalRate& rate) {
  const std::string name =
      rate.test ? std::string(Test(*rate.test).key) : std::string("All of them together");
  const Interval& s = rate.share;
  std::string share =
      Printf("%.2f%% (%.2f%% to %.2f%%)", 100 * s.estimate, 100 * s.low, 100 * s.high);
  const Interval& a = rate.arl;
  std::string arl = std::isinf(a.estimate)
                        ? Printf("no signal (%.1f or more)", a.low)
                        : Printf("%.1f (%.1f to %.1f)", a.estimate, a.low, a.high);
  return Padded(name, kNameWidth) + Padded(share, kShareWidth) + arl + "\n";
}

// "shifts by 1.5 SD at the first point", "moves by 0.1 SD per point", or both.
std::string DriftText(Drift d) {
  std::string text;
  if (d.shift != 0) text = Printf("shifts by %g SD at the first point", d.shift);
  if (d.shift != 0 && d.trend != 0) text += " and then ";
  if (d.trend != 0) text += Printf("moves by %g SD per point", d.trend);
  return text;
}

}  // namespace

std::string FormatFalseAlarms(const FalseAlarmEstimate& e) {
  std::string text;
  if (e.drift.none()) {
    text = "False alarms on " + std::to_string(e.runs) + " stable charts of " +
           std::to_string(e.points) + " points (seed " + std::to_string(e.seed) + ")\n";
  } else {
    text = "Signals on " + std::to_string(e.runs) + " charts of " + std::to_string(e.points) +
           " points whose mean " + DriftText(e.drift) + " (seed " + std::to_string(e.seed) + ")\n";
  }
  text += Padded("Test", kNameWidth) + Padded("Charts with a signal (95% CI)", kShareWidth) +
          "Average run length to the first signal (95% CI)\n";
  for (const SignalRate& rate : e.tests) text += Line(rate);
  return text + Line(e.all);
}

}  // namespace ostrevin
