#include "chart/chart_from_data.h"

#include <gtest/gtest.h>

#include "chart/chart_members.h"
#include "tests/chart/loaded_chart.h"

namespace ostrevin {
namespace {

TEST(ChartFromDataTest, RefusesWhatCannotMakeAChart) {
  struct Case {
    std::string_view csv;
    ChartOptions options;
    std::string_view message;
  };
  ChartOptions two_values = Options(ChartKind::kIndividuals);
  two_values.value_columns = {"a", "b"};
  ChartOptions missing = Options(ChartKind::kIndividuals, "Date");
  const std::string wide = "a,b,c,d,e,f,g,h,i,j,k,l,m,n,o,p,q,r,s,t,u,v,w,x,y,z\n";
  const Case cases[] = {
      {"Day,v\n1,2\n2,3\n", missing, "no column \"Date\" in the header"},
      {"a,b\n1,2\n2,3\n", two_values, "a chart of kind xmr needs 1 value column, not 2"},
      {wide, Options(ChartKind::kMeansSDs),
       "a chart of kind xbar-s needs 2 to 25 value columns, not 26"},
      {"a\n1\n2\n", Options(ChartKind::kMeansRanges),
       "a chart of kind xbar-r needs 2 to 25 value columns, not 1"},
      {"v,w\n1,x\n2,y\n", Options(ChartKind::kIndividuals, "w"), ""},
      {"v\n1\nabc\n", Options(ChartKind::kIndividuals),
       "row 3, column \"v\": \"abc\" is not a number"},
      {"v\n1\n1e39\n", Options(ChartKind::kIndividuals),
       "row 3, column \"v\": \"1e39\" is not a number"},
      {"v\n1\n", Options(ChartKind::kIndividuals),
       "a chart needs two or more data rows; the table has 1"},
      {"v\n1\n2\n3\n", Options(ChartKind::kIndividuals, "", {1}),
       "split at place number 1: splits start at increasing place numbers from 2 to 3"},
      {"v\n1\n2\n3\n4\n", Options(ChartKind::kIndividuals, "", {3, 3}),
       "split at place number 3: splits start at increasing place numbers from 2 to 4"},
      {"v\n1\n2\n3\n", Options(ChartKind::kIndividuals, "", {3}),
       "split 2 holds place number 3 alone; every split needs two places or more"},
      {"d,n\n1,5\n6,5\n", Options(ChartKind::kProportions),
       "row 3, column \"d\": the number nonconforming must be a whole number from 0 to the number "
       "inspected"},
      {"d,n\n1,5\n1,2.5\n", Options(ChartKind::kProportions),
       "row 3, column \"n\": the number inspected must be a whole number, 1 or more"},
      // Tables as people keep them: two columns of numbers are one too many for xmr, words in
      // a later column are not a number, a subgroup has no room for a blank cell.
      {"Sample,Weight\n1,5\n2,6\n", Options(ChartKind::kIndividuals),
       "the columns \"Sample\", \"Weight\" could each hold the values; a chart of kind xmr "
       "takes one: name it with --value COLUMN (and the labels with --labels COLUMN)"},
      {"Date,Weight,Note\n1,5,ok\n2,6,x\n", Options(ChartKind::kIndividuals),
       "the columns \"Date\", \"Weight\" could each hold the values; a chart of kind xmr "
       "takes one: name it with --value COLUMN (and the labels with --labels COLUMN)"},
      {"a,b\n1,2\n3,x\n", Options(ChartKind::kMeansRanges),
       "row 3, column \"b\": \"x\" is not a number (--labels COLUMN names the column that labels "
       "the places)"},
      {"a,b\n1,2\n3,\n", Options(ChartKind::kMeansRanges),
       "row 3, column \"b\": a blank cell; a chart of kind xbar-r needs a value in every row "
       "(only xmr charts have places without a value)"},
      {"d,n\n5,5\n1,5\n", Options(ChartKind::kProportions), ""},  // all of one sample
      {"c,n\n1,0.5\n2,1\n", Options(ChartKind::kDefectsPerUnit), ""},
      {"c,n\n1,1\n1.5,1\n", Options(ChartKind::kDefectsPerUnit),
       "row 3, column \"c\": the number of defects must be a whole number, 0 or more"},
      {"v\n1\n340282346638528859811704183484516925440\n", Options(ChartKind::kIndividuals),
       ""},  // the largest Single
      {"c,n\n1,0\n2,1\n", Options(ChartKind::kDefectsPerUnit),
       "row 2, column \"n\": the number of units must be more than 0"},
      {"d,n\n1,20\n2,25\n", Options(ChartKind::kNonconforming),
       "row 3, column \"n\": an np chart inspects 20 in every row; a p chart takes sample sizes "
       "that vary"},
  };
  for (const Case& c : cases) {
    Result<ChartMembers> chart = BuildChart(ReadCsv(c.csv).ValueOrThrow(), c.options);
    if (c.message.empty()) {
      EXPECT_TRUE(chart.ok()) << c.csv;
      continue;
    }
    ASSERT_FALSE(chart.ok()) << c.csv;
    EXPECT_EQ(chart.error().message(), c.message);
  }
}

TEST(ChartFromDataTest, ReadsNumbersInBothSeparatorStyles) {
  LoadedChart semicolons("v;w\n 1,5 ;x\n+2;y\n-3,25e1;z\n", Options(ChartKind::kIndividuals));
  EXPECT_EQ(semicolons.data.XData(0), 1.5f);
  EXPECT_EQ(semicolons.data.XData(1), 2.0f);
  EXPECT_EQ(semicolons.data.XData(2), -32.5f);
  LoadedChart commas("v,w\n\"1.5\",x\n2,y\n", Options(ChartKind::kIndividuals));
  EXPECT_EQ(commas.data.XData(0), 1.5f);
}

// A chart of thousands of places goes to the file in stretches, some cut in the middle of a list
// of repeated rows: together they are the text made whole, and a failed write stops the writer.
TEST(ChartFromDataTest, HandsOnTheWholeTextInStretches) {
  std::string csv = "v\n";
  for (int k = 0; k < 20000; ++k)
    csv += std::to_string(500 + k % 7) + "." + std::to_string(k % 3) + "\n";
  const ChartMembers members =
      MakeChartMembers(csv, Options(ChartKind::kIndividuals, "", {5000, 12000})).ValueOrThrow();
  std::string streamed;
  int stretches = 0;
  ASSERT_TRUE(WriteChartFileText(members, [&](std::string_view stretch) -> Status {
                ++stretches;
                streamed += stretch;
                return Ok{};
              }).ok());
  EXPECT_GT(stretches, 4);
  EXPECT_EQ(streamed, ChartFileText(members).value());
  const Status failed = WriteChartFileText(
      members, [&](std::string_view) -> Status { return Error::InvalidInput("disk full"); });
  ASSERT_FALSE(failed.ok());
  EXPECT_EQ(failed.error().message(), "disk full");
}

}  // namespace
}  // namespace ostrevin
