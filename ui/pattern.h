#ifndef OSTREVIN_UI_PATTERN_H_
#define OSTREVIN_UI_PATTERN_H_

namespace ostrevin {

// The signal each picture of the options dialog shows.
enum class Pattern {
  kNone,  // no picture
  kAboveUCL,
  kBelowLCL,
  kOneSideOfCentre,
  kIncreasing,
  kZigZagWithMean,
  kZigZagWithoutMean,
  kZigZagFrom1SD,
  kZigZagNotFrom1SD,
  kZigZagAtLeast1SD,
  kZigZagNotAtLeast1SD,
  kTwoOfThreeAbove,
  kTwoOfThreeBelow,
  kFourOfFiveAbove,
  kFourOfFiveBelow,
  kWithin1SD,
  kExtremeSwitch,
};

}  // namespace ostrevin

#endif  // OSTREVIN_UI_PATTERN_H_
