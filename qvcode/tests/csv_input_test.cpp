// The table reader: rows and fields as written, quotes, line ends, the byte
// order mark and the errors; random tables written by the records' CSV
// writer read back across the reader's blocks; and the same rows converted
// in parts that start inside quoted fields, joined into what one reader
// row by row gives.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "qvcode/csv_input.hpp"
#include "qvcode/table_rows.hpp"
#include "qvcode/tests/command_run.hpp"
#include "records/csv_writer.hpp"

namespace qvcode {
namespace {

// Every row of `table` as "line|lineEnd|field values separated by '|'".
std::vector<std::string> rowsOf(std::string_view table, char delimiter = ',') {
  CsvInput input(table);
  input.setDelimiter(delimiter);
  std::vector<std::string> rows;
  TableRow row;
  while (input.next(row)) {
    std::string r = std::to_string(row.line) + "|" + std::string(row.lineEnd);
    for (std::size_t i = 0; i < row.fields(); ++i) r += "|" + csvFieldValue(row.field(i));
    rows.push_back(r);
  }
  return rows;
}

TEST(CsvInput, RowsAndFieldsAsWritten) {
  const struct {
    std::string_view table;
    char delimiter;
    std::vector<std::string> rows;
  } cases[] = {
      {"a,b\n1,2\n", ',', {"1|\n|a|b", "2|\n|1|2"}},
      // CRLF kept as the row's line end; a last row without one is a row.
      {"a,b\r\n1,2", ',', {"1|\r\n|a|b", "2||1|2"}},
      // Quoted fields hold delimiters, doubled quotes and line breaks; the
      // next row starts on the line after them.
      {"\"x,y\",\"say \"\"hi\"\"\",\"two\nlines\"\nnext,row,3\n",
       ',',
       {"1|\n|x,y|say \"hi\"|two\nlines", "3|\n|next|row|3"}},
      {"\"a\r\nb\",c\r\n", ',', {"1|\r\n|a\r\nb|c"}},
      // Empty fields, a quote inside an unquoted field and text after a
      // closing quote stand as written.
      {",,\n5\"7,\"ab\"c,\"\"\n", ',', {"1|\n|||", "2|\n|5\"7|abc|"}},
      // A blank line is a row of one empty field.
      {"a\n\nb\n", ',', {"1|\n|a", "2|\n|", "3|\n|b"}},
      {"a\tb,c\n\"1\t2\"\t3\n", '\t', {"1|\n|a|b,c", "2|\n|1\t2|3"}},
      // The byte order mark is no part of the first field.
      {"\xEF\xBB\xBF"
       "a,b\n",
       ',',
       {"1|\n|a|b"}},
      {"", ',', {}},
  };
  for (const auto& c : cases) EXPECT_EQ(rowsOf(c.table, c.delimiter), c.rows) << c.table;
}

TEST(CsvInput, RefusesAQuoteNeverClosed) {
  try {
    rowsOf("a,b\n1,\"2\n3,4\n");
    FAIL() << "no error";
  } catch (const CsvInputError& e) {
    EXPECT_STREQ(e.what(), "a quoted field of the row that starts on line 2 is never closed");
  }
}

TEST(CsvInput, GuessesTheDelimiterOutsideQuotes) {
  const std::pair<std::string_view, char> cases[] = {
      {"a,b,c", ','}, {"a\tb\tc", '\t'},    {"a;b;c", ';'},      {"a|b", '|'},
      {"name", ','},  {"\"a;b;c\",d", ','}, {"a,b\tc\td", '\t'}, {"a,b;c", ','},  // a tie goes to the comma
  };
  for (const auto& [line, delimiter] : cases) EXPECT_EQ(guessDelimiter(line), delimiter) << line;
}

class CsvInputFile : public testing::FolderTest {
 protected:
  CsvInputFile() : FolderTest("qvcode-csv-") {}
};

// Random rows of awkward fields, written by the CSV writer, come back field
// for field from a file larger than the reader's buffer, rows crossing its
// reads; a row longer than the limit is refused.
TEST_F(CsvInputFile, ReadsBackWhatTheWriterWrote) {
  std::mt19937 random(20261210);
  const std::string alphabet = "ab,;\t\"\r\n xy\xc3\xa9";
  std::vector<std::vector<std::string>> rows;
  std::string text;
  while (text.size() < 3 * 4 * CsvInput::maxRowBytes) {
    std::vector<std::string> row(5);
    for (std::string& f : row) {
      const std::size_t length = random() % (random() % 50 == 0 ? 3000 : 12);
      for (std::size_t i = 0; i < length; ++i) f += alphabet[random() % alphabet.size()];
    }
    for (std::size_t i = 0; i < row.size(); ++i) {
      if (i > 0) text += ',';
      qvrecords::appendCsvField(text, row[i]);
    }
    text += random() % 2 ? "\r\n" : "\n";
    rows.push_back(std::move(row));
  }
  const std::string path = this->path("table.csv");
  std::ofstream(path, std::ios::binary) << text;
  const int fd = ::open(path.c_str(), O_RDONLY);
  ASSERT_GE(fd, 0);
  CsvInput input(fd, "table.csv");
  long long line = 1;
  TableRow row;
  for (const std::vector<std::string>& expected : rows) {
    ASSERT_TRUE(input.next(row));
    ASSERT_EQ(row.fields(), expected.size()) << "line " << line;
    for (std::size_t i = 0; i < expected.size(); ++i) ASSERT_EQ(csvFieldValue(row.field(i)), expected[i]);
    ASSERT_EQ(row.line, line);
    for (const std::string& f : expected) line += std::count(f.begin(), f.end(), '\n');
    ++line;
  }
  EXPECT_FALSE(input.next(row));
  ::close(fd);

  std::ofstream(path, std::ios::binary) << "a\n\"" << std::string(CsvInput::maxRowBytes + 10, 'x') << "\"\n";
  const int longFd = ::open(path.c_str(), O_RDONLY);
  CsvInput long_(longFd, "table.csv");
  ASSERT_TRUE(long_.next(row));
  EXPECT_THROW(long_.next(row), CsvInputError);
  ::close(longFd);
}

// A conversion that echoes its item and its length, and fails an item that
// starts with '!'.
LineCommand echoRows() {
  LineCommand c;
  c.csvHeader = "item,size";
  c.convertBlock = [](std::span<const std::string_view> items, Format, std::string& out,
                      std::vector<LineOutcome>& outcomes) {
    outcomes.clear();
    for (const std::string_view item : items) {
      const bool failed = item.starts_with('!');
      if (!failed) {
        qvrecords::appendCsvField(out, item);
        out += ',' + std::to_string(item.size()) + ",\n";
      }
      outcomes.push_back({out.size(), failed, failed ? "refused " + std::string(item) : ""});
    }
  };
  c.rows = true;
  return c;
}

// Tables of rows whose quoted fields hold line breaks, quotes and what
// looks like rows, so that parts often start inside them: the parts'
// output, counts and lines are what reading row by row gives, across the
// reader's blocks, up to a ragged row where there is one.
TEST_F(CsvInputFile, RowsInPartsAreTheRowsReadOneByOne) {
  std::mt19937 random(20261211);
  const std::string pieces[] = {"a", "12", ",", "\n", "\r\n", "\"", "\"\"", "x,\"y\"\n3,4", "!", " ", "\xc3\xa9"};
  const LineCommand echo = echoRows();
  for (const bool ragged : {false, true}) {
    std::string text = "h1,h2,h3,h4\n";
    const std::size_t rows = 60000, raggedRow = ragged ? 45678 : rows;
    for (std::size_t r = 0; r < rows; ++r) {
      if (random() % 50 == 0) {
        text += random() % 2 ? "\n" : "\r\n";  // a blank line
        continue;
      }
      for (std::size_t i = 0; i < (r == raggedRow ? 3 : 4); ++i) {
        std::string field;
        for (std::size_t n = random() % 9; n > 0; --n) field += pieces[random() % std::size(pieces)];
        if (i > 0) text += ',';
        qvrecords::appendCsvField(text, field);
      }
      text += random() % 3 ? "\n" : "\r\n";
    }
    text += "last,row,without,\"a line feed\"";
    const std::string path = this->path("table.csv");
    std::ofstream(path, std::ios::binary) << text;

    // Row by row.
    CsvInput one(text);
    TableRow row;
    ASSERT_TRUE(one.next(row));
    std::string expected;
    long long counted = 0, failed = 0, firstFailed = 0, stopLine = 0;
    while (one.next(row)) {
      if (row.fields() == 3) {
        stopLine = row.line;
        break;
      }
      if (!row.text.empty()) {
        const std::string item = csvFieldValue(row.field(1)) + " " + csvFieldValue(row.field(3));
        ++counted;
        expected.append(row.text).append(",");
        if (item.starts_with('!')) {
          if (failed++ == 0) firstFailed = row.line;
          expected += ",,";
          qvrecords::appendCsvField(expected, "refused " + item);
        } else {
          qvrecords::appendCsvField(expected, item);
          expected += "," + std::to_string(item.size()) + ",";
        }
      }
      expected.append(row.lineEnd);
    }
    ASSERT_EQ(stopLine != 0, ragged);

    // In parts.
    const int fd = ::open(path.c_str(), O_RDONLY);
    ASSERT_GE(fd, 0);
    CsvInput input(fd, "table.csv");
    ASSERT_TRUE(input.next(row));
    TableRows parts(echo, {1, 3}, 4, 7);
    std::string out;
    long long partCounted = 0, partFailed = 0, partFirstFailed = 0, fills = 0, partStopLine = 0;
    for (std::string_view held = input.fill(); !held.empty(); held = input.fill()) {
      ++fills;
      const long long line = input.line();
      const HeldRows h = parts.convert(input, out);
      input.consume(h.bytes, h.lines);
      partCounted += h.rows;
      if (h.failed > 0 && partFailed == 0) partFirstFailed = line + h.firstFailed;
      partFailed += h.failed;
      ASSERT_NE(h.stop, HeldRows::Stop::tooLong);
      if (h.stop == HeldRows::Stop::ragged) {
        EXPECT_EQ(h.raggedFields, 3U);
        partStopLine = input.line();
        break;
      }
      ASSERT_FALSE(h.stop == HeldRows::Stop::unended && input.ended());
    }
    ::close(fd);
    EXPECT_GT(fills, 1);
    EXPECT_TRUE(out == expected) << "the outputs part at byte "
                                 << std::mismatch(out.begin(), out.end(), expected.begin(), expected.end()).first -
                                        out.begin();
    EXPECT_EQ(partCounted, counted);
    EXPECT_EQ(partFailed, failed);
    EXPECT_EQ(partFirstFailed, firstFailed);
    EXPECT_EQ(partStopLine, stopLine);
  }
}

}  // namespace
}  // namespace qvcode
