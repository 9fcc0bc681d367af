// A shard's summary held against its part and its grid before the merge adds
// its numbers up: the cases and error cases it counts, its first error case,
// and the first and last case of a part that holds every case.
#pragma once
//
// A summary is a small text that anyone may edit or that another run may
// have left; a part is what the sweep wrote.  Where they disagree the merge
// refuses, naming both numbers, rather than printing counts that no sweep
// found.  What the part shows:
//   - every case (store all): one line a case, no case judged; the case that
//     stops a sweep may be counted without its line;
//   - error cases (store errors): one line an error case, the first of them
//     the summary's first error case.
// What the grid shows: every column visits the same latitudes, so a shard
// that ran its columns counts columns × latitudes cases (one that stopped,
// at most that), and a part of every case begins at the first latitude and
// ends at the last.

#include <cstdint>
#include <string>
#include <string_view>

#include "qvcode/shard.hpp"

namespace qvcode {

// The records of a part as the merge copies them: how many, the first and
// the last, each with its quotes and CR LF.
class PartRecords {
 public:
  // Takes a run of whole records.
  void take(std::string_view records);

  std::int64_t count() const noexcept { return count_; }
  const std::string& first() const noexcept { return first_; }
  const std::string& last() const noexcept { return last_; }

 private:
  std::int64_t count_ = 0;
  std::string first_, last_;
};

// Raises std::runtime_error naming the summary `summaryPath` and what it
// says, and what its part `partPath` or its grid says instead.  A grid of
// more than 10^8 latitudes a column is not walked: its count goes unchecked.
void checkShard(const ShardSummary& s, const PartRecords& part, const std::string& summaryPath,
                const std::string& partPath);

}  // namespace qvcode
