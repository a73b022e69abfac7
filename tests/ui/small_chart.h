#ifndef OSTREVIN_TESTS_UI_SMALL_CHART_H_
#define OSTREVIN_TESTS_UI_SMALL_CHART_H_

// A chart for the window tests and its report texts.

#include <cstdint>
#include <string>

#include "addon/cls_data.h"

namespace ostrevin {

// Six places D1..D6 of individual values in one split with limits 7 and 13 around 10: D3 lies
// above the UCL and D5 below the LCL. A complete run moves NextHAxLToDiagnose to 6.
inline void FillSmallChart(clsData& data) {
  data.SetCType(-2);
  data.SetTNVal(5);
  data.SetTitle(0, "Widths");
  data.SetIsDataIn(true);
  data.SetSplitp(1);
  data.SetSplit(1, 6);
  data.SetUcl(1, 0, 13);
  data.SetLcl(1, 0, 7);
  data.SetMx(1, 10);
  const float values[] = {10, 11, 14, 9, 5, 10};
  for (std::int16_t p = 0; p < 6; ++p) {
    data.SetHAxL(p, "D" + std::to_string(p + 1));
    data.SetXData(p, values[p]);
    data.SetXDataI(p, 1);
    data.SetPointStatsUcl(p, 0, 13);
    data.SetPointStatsCentre(p, 0, 10);
    data.SetPointStatsLcl(p, 0, 7);
    data.SetPointStatsblnUclVisible(p, 0, true);
    data.SetPointStatsblnCentreVisible(p, 0, true);
    data.SetPointStatsblnLclVisible(p, 0, true);
  }
}

// The report of a complete run over the small chart with the default settings.
inline std::string SmallChartReport(const std::string& now) {
  return "Diagnostics report for Widths\r\n"
         "Starting at D1 (Place number 1) to D6 (Place number 6)\r\n"
         "Date & Time: " +
         now +
         "\r\n\r\n"
         "*** The following are intended as a GUIDE only; see the note at the end. ***\r\n\r\n"
         "\r\n*** Chart Starts at D1 (Place number 1)\r\n"
         "LCL=7     Centre=10     UCL=13     \r\n\r\n\r\n"
         "Point D3 (3) is ABOVE or ON the UPPER CONTROL LIMIT\r\n\r\n"
         "Point D5 (5) is BELOW or ON the LOWER CONTROL LIMIT\r\n\r\n"
         "\r\n\r\n"
         "End of Data Reached\r\n\r\n"
         "******* Explanation of tests performed:\r\n"
         "Points ABOVE or ON the Upper Control Limit.\r\n"
         "Points BELOW or ON the Lower Control Limit.\r\n"
         "8 consecutive points either side of the central line.\r\n"
         "\r\n"
         "******* IMPORTANT NOTE *******\r\n\r\n"
         "The above results are only intended as a GUIDE only.\r\n"
         "ALWAYS look at the chart yourself and ask if anything looks unreasonably unusual.\r\n"
         "Overall two types of mistake can be made when interpreting a control chart:\r\n"
         "1) General 'noise'/common variation can be interpreted as a signal/special cause,\r\n"
         "2) A signal/special cause can be overlooked.\r\n\r\n"
         "Remember: the more signals that are looked for, the greater the chance that the chart "
         "\r\n"
         "will appear non-random, when in fact it may just be random.";
}

// The report once a complete run has reached the end of the small chart.
inline std::string SmallChartEndReport(const std::string& now) {
  return "Diagnostics report for Widths\r\n"
         "Date & Time: " +
         now +
         "\r\n\r\n"
         "Last diagnosis finished at D6 (Place number 6) and so have reached end of data,\r\n"
         "therefore nothing to report.";
}

}  // namespace ostrevin

#endif  // OSTREVIN_TESTS_UI_SMALL_CHART_H_
