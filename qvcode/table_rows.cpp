// Converting the rows a table's reader holds, in parts joined where their
// rows meet.

#include "qvcode/table_rows.hpp"

#include <algorithm>
#include <span>
#include <string_view>

#include "qvcode/part_workers.hpp"

namespace qvcode {
namespace {

// Rows converted at once: what the batch conversions take best.
constexpr std::size_t blockRows = 1024;
// The fewest bytes worth a part of their own on another thread.
constexpr std::size_t partBytes = 1 << 16;

}  // namespace

// A part's rows: where each starts in the held bytes, where its output ends
// in `out`, its line from the part's start; and where the part's last whole
// row ends and what stopped it there.
struct TableRows::Part {
  struct Row {
    std::size_t start, outEnd;
    long long line;
    bool counted, failed;
  };
  std::vector<Row> rows;
  std::string out;
  std::size_t end = 0;
  long long endLine = 0;
  HeldRows::Stop stop = HeldRows::Stop::none;
  std::size_t raggedFields = 0;

  // A block's rows on their way: the row, and its item in the held bytes
  // (`stays`) or in `items` at `itemAt`.
  struct Pending {
    std::string_view text, lineEnd, item;
    std::size_t start, itemAt, itemSize;
    long long line;
    bool stays, blank;
  };
  std::vector<Pending> pending;
  std::string items, converted;
  std::vector<std::string_view> views;
  std::vector<LineOutcome> outcomes;
};

void appendItem(const TableRow& row, const std::vector<std::size_t>& columns, std::string& out) {
  for (std::size_t i = 0; i < columns.size(); ++i)
    out.append(i ? " " : "").append(csvFieldValue(row.field(columns[i])));
}

TableRows::TableRows(const LineCommand& c, std::vector<std::size_t> columns, std::size_t fields, std::size_t parts)
    : c_(c), columns_(std::move(columns)), fields_(fields), parts_(std::max<std::size_t>(parts, 1)) {}

TableRows::~TableRows() = default;

void TableRows::scan(const CsvInput& input, std::size_t from, std::size_t to, Part& part) const {
  part.rows.clear();
  part.out.clear();
  part.stop = HeldRows::Stop::none;
  std::size_t at = from;
  long long line = 0;
  TableRow row;
  while (at < to && part.stop == HeldRows::Stop::none) {
    part.pending.clear();
    part.items.clear();
    while (at < to && part.pending.size() < blockRows) {
      const RowSpan span = input.rowAt(at, row);
      if (span.scan != RowScan::whole) {
        part.stop = span.scan == RowScan::unended ? HeldRows::Stop::unended : HeldRows::Stop::tooLong;
        break;
      }
      const bool blank = row.text.empty();  // no row, as CSV readers take it; kept in its place
      if (!blank && row.fields() != fields_) {
        part.stop = HeldRows::Stop::ragged;
        part.raggedFields = row.fields();
        break;
      }
      Part::Pending p{row.text, row.lineEnd, {}, at, 0, 0, line, false, blank};
      if (!blank) {
        p.stays = columns_.size() == 1 && !row.field(columns_[0]).starts_with('"');
        if (p.stays) {
          p.item = row.field(columns_[0]);
        } else {
          p.itemAt = part.items.size();
          appendItem(row, columns_, part.items);
          p.itemSize = part.items.size() - p.itemAt;
        }
      }
      part.pending.push_back(p);
      at += span.bytes;
      line += 1 + span.feeds;
    }
    // The items copied are viewed once `items` has stopped growing.
    part.views.clear();
    for (Part::Pending& p : part.pending) {
      if (p.blank) continue;
      if (!p.stays) p.item = std::string_view(part.items).substr(p.itemAt, p.itemSize);
      part.views.push_back(p.item);
    }
    part.converted.clear();
    part.outcomes.clear();
    if (!part.views.empty()) c_.convertBlock(part.views, Format::csv, part.converted, part.outcomes);
    std::size_t item = 0, convertedFrom = 0;
    for (const Part::Pending& p : part.pending) {
      bool failed = false;
      if (!p.blank) {
        const LineOutcome& o = part.outcomes[item++];
        part.out += p.text;
        part.out += c_.delimiter;
        failed = o.failed;
        if (failed) {
          appendCsvFailure(c_, o.failure, part.out);
        } else {
          part.out.append(part.converted, convertedFrom, o.end - 1 - convertedFrom);  // without its line feed
        }
        convertedFrom = o.end;
      }
      part.out += p.lineEnd;
      part.rows.push_back({p.start, part.out.size(), p.line, !p.blank, failed});
    }
  }
  part.end = at;
  part.endLine = line;
}

HeldRows TableRows::convert(const CsvInput& input, std::string& out) {
  const std::string_view held = input.held();
  const std::size_t count = std::clamp<std::size_t>(held.size() / partBytes, 1, parts_.size());
  // Each part starts after a line feed; one inside a quoted field makes a
  // part read from within it, which the joining below finds and leaves.
  std::vector<std::size_t> starts(count + 1, held.size());
  starts[0] = 0;
  for (std::size_t k = 1; k < count; ++k) {
    const std::size_t feed = held.find('\n', held.size() * k / count);
    starts[k] = std::max(starts[k - 1], feed == std::string_view::npos ? held.size() : feed + 1);
  }
  if (count == 1) {
    scan(input, 0, held.size(), parts_[0]);
  } else {
    if (!workers_) workers_ = std::make_unique<PartWorkers>(parts_.size() - 1);
    workers_->run(count, [&](std::size_t k) { scan(input, starts[k], starts[k + 1], parts_[k]); });
  }

  // A part's rows are right from the first that starts where the rows
  // before end: from a row's start, rows are read alike whoever reads them.
  // A part read from inside a quoted field mostly meets the rows again at
  // the end of its first row; where it does not, the rows end there and the
  // rest is read again.
  HeldRows h;
  for (std::size_t k = 0; k < count; ++k) {
    const Part& part = parts_[k];
    std::size_t first = part.rows.size();
    long long firstLine = part.endLine;
    if (h.bytes != part.end) {
      const auto meets = std::lower_bound(part.rows.begin(), part.rows.end(), h.bytes,
                                          [](const Part::Row& r, std::size_t at) { return r.start < at; });
      if (meets == part.rows.end() || meets->start != h.bytes) break;
      first = static_cast<std::size_t>(meets - part.rows.begin());
      firstLine = meets->line;
    }
    out.append(part.out, first == 0 ? 0 : part.rows[first - 1].outEnd);
    for (std::size_t i = first; i < part.rows.size(); ++i) {
      const Part::Row& r = part.rows[i];
      h.rows += r.counted;
      if (r.failed && h.failed++ == 0) h.firstFailed = h.lines + r.line - firstLine;
    }
    h.lines += part.endLine - firstLine;
    h.bytes = part.end;
    if (part.stop != HeldRows::Stop::none) {
      h.stop = part.stop;
      h.stopLine = h.lines;
      h.raggedFields = part.raggedFields;
      break;
    }
  }
  return h;
}

}  // namespace qvcode
