// Reading the roster file data\_team.txt into the contestant table.
//
// One contestant per line, "name,group" (ASCII or full-width comma, or a tab as spreadsheets
// write it; text after a second separator is ignored; none gives an empty group).  A line holding "#" anywhere is
// skipped; the first empty line ends the roster.  CR LF, a lone LF and the back-quote all end a line. GBK files are
// taken byte for byte; UTF-8 files (with a byte-order mark, or valid UTF-8 holding non-ASCII text) and UTF-16 files
// with a byte-order mark (either byte order, as Notepad's and Excel's "Unicode" save them) are converted to GBK first.
#pragma once
#include <string>

#include "contest/contestant_table.h"

struct RosterResult {
  int loaded = 0;   // rows filled
  int leftOut = 0;  // usable lines after the table was full
};

// The roster text in GBK, whatever encoding the file came in.
std::string rosterTextToGbk(const std::string& fileBytes);

// Zero-fills all kContestantRows rows of table, then fills rows from the file's content.
// Every row starts at startScore; names and groups longer than 50 bytes are cut on a
// character boundary.
RosterResult parseRoster(const std::string& fileBytes, ContestantRecord* table, float startScore);
