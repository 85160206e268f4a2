#include "storage/csv.h"

#include <gtest/gtest.h>

namespace korvela {
namespace {

TEST(Csv, ReadsQuotedFieldsLineEndsAndTheByteOrderMark) {
  const std::string text =
      "\xEF\xBB\xBF"
      "date,name,note\r\n"
      "2024-01-02,\"Smith, \"\"Jo\"\"\",\"two\nlines\"\r\n"
      "\r\n"
      "2024-01-03,,last";
  std::string why;
  const std::optional<TCsvRecords> table = ReadCsv(text, &why);
  ASSERT_TRUE(table) << why;
  ASSERT_EQ(table->rows.size(), 3u);
  EXPECT_EQ(table->rows[0], (TCsvRow{"date", "name", "note"}));
  EXPECT_EQ(table->rows[1], (TCsvRow{"2024-01-02", "Smith, \"Jo\"", "two\nlines"}));
  EXPECT_EQ(table->rows[2], (TCsvRow{"2024-01-03", "", "last"}));
  // The quoted line break counts: the last row starts on line 5.
  EXPECT_EQ(table->lines, (std::vector<int>{1, 2, 5}));
}

TEST(Csv, TextThatIsNotCsvIsRefusedWithItsReason) {
  struct TCase {
    std::string text;
    const char* reason;
  };
  const TCase cases[] = {
      {std::string("date,weight\n\0\x01\x02", 15), "the file holds binary data"},
      {"date,weight\n2024-01-01,\xff\xfe", "the file is not UTF-8 text"},
      {"date,\"weight\n2024-01-01,80\n", "a quoted field is not closed (from line 1)"},
      {"date,wei\"ght\n", "a quote inside a field on line 1"},
      {"date,\"weight\"kg\n", "text after a closing quote on line 1"},
  };
  for (const TCase& c : cases) {
    std::string why;
    EXPECT_FALSE(ReadCsv(c.text, &why)) << c.reason;
    EXPECT_EQ(why, c.reason);
  }
  // An empty text is no error: a table without rows.
  ASSERT_TRUE(ReadCsv(""));
  EXPECT_TRUE(ReadCsv("")->rows.empty());
}

}  // namespace
}  // namespace korvela
