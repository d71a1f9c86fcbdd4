#include "contest/journal.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "kqcore/gbk.h"

namespace journal {
namespace {

const char kMagic[] = "quillet-journal";
const char kVersion[] = "1";

std::string hex8(std::uint32_t v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%08x", static_cast<unsigned>(v));
  return buf;
}

bool parseHex8(const std::string& text, std::uint32_t& out) {
  if (text.size() != 8) return false;
  std::uint32_t v = 0;
  for (char c : text) {
    int d;
    if (c >= '0' && c <= '9')
      d = c - '0';
    else if (c >= 'a' && c <= 'f')
      d = c - 'a' + 10;
    else
      return false;
    v = v << 4 | static_cast<std::uint32_t>(d);
  }
  out = v;
  return true;
}

std::string floatBits(float f) {
  std::uint32_t bits;
  std::memcpy(&bits, &f, sizeof bits);
  return hex8(bits);
}

bool parseFloatBits(const std::string& text, float& out) {
  std::uint32_t bits;
  if (!parseHex8(text, bits)) return false;
  std::memcpy(&out, &bits, sizeof out);
  return true;
}

bool parseInt(const std::string& text, long long lo, long long hi, long long& out) {
  if (text.empty() || text.size() > 18) return false;
  long long v = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + (c - '0');
  }
  if (v < lo || v > hi) return false;
  out = v;
  return true;
}

// A whole line: the fields joined by tabs, the check, CR LF.
std::string line(const std::vector<std::string>& fields) {
  std::string body;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i) body += '\t';
    body += escapeField(fields[i]);
  }
  return body + '\t' + hex8(hashBytes(body)) + "\r\n";
}

void copyText(char (&field)[kTextField], const std::string& text) {
  const std::string cut = gbk::truncate(text, kTextField - 1);
  std::memset(field, 0, sizeof field);
  std::memcpy(field, cut.data(), cut.size());
}

bool validStamp(const std::string& s) {
  if (s.size() != 19) return false;
  const char pattern[] = "dddd-dd-dd dd:dd:dd";
  for (std::size_t i = 0; i < s.size(); ++i)
    if (pattern[i] == 'd' ? (s[i] < '0' || s[i] > '9') : s[i] != pattern[i]) return false;
  return true;
}

// Applies one parsed record to the replay; false when it does not fit what came before.
bool apply(Replay& r, const std::vector<std::string>& f, bool first) {
  const std::string& kind = f[0];
  if (first) return kind == kMagic && f.size() == 2 && f[1] == kVersion;
  if (kind == "log") {
    if (f.size() != 2) return false;
    r.logLines.push_back(f[1]);
    return true;
  }
  if (f.size() < 2 || !validStamp(f[1])) return false;
  const std::string& stamp = f[1];
  r.closed = false;
  if (kind == "roster") {
    long long size, count;
    std::uint32_t hash;
    if (f.size() < 5 || !parseInt(f[2], 0, 1LL << 40, size) || !parseHex8(f[3], hash) ||
        !parseInt(f[4], 0, kContestantRows, count) || f.size() != 5 + 3 * static_cast<std::size_t>(count))
      return false;
    std::vector<ContestantRecord> rows(static_cast<std::size_t>(count));
    for (std::size_t i = 0; i < rows.size(); ++i) {
      ContestantRecord& row = rows[i];
      std::memset(&row, 0, sizeof row);
      if (f[5 + 3 * i].size() >= kTextField || f[6 + 3 * i].size() >= kTextField) return false;
      copyText(row.name, f[5 + 3 * i]);
      copyText(row.group, f[6 + 3 * i]);
      if (!parseFloatBits(f[7 + 3 * i], row.score)) return false;
    }
    r.rows = std::move(rows);
    r.panels.assign(r.rows.size(), PanelEntry());
    r.hasRoster = true;
    r.done.clear();
    r.undone.clear();
    r.changes = 0;
    r.lastChangeStamp.clear();
    return true;
  }
  if (kind == "score" || kind == "panel") {
    long long row;
    ScoreStep step;
    step.panel = kind == "panel";
    const bool fits = step.panel ? f.size() == 10u || f.size() == 11u : f.size() == 8u;
    if (!r.hasRoster || !fits || !parseInt(f[2], 0, static_cast<long long>(r.rows.size()) - 1, row) ||
        !parseFloatBits(f[5], step.oldScore) || !parseFloatBits(f[6], step.newScore))
      return false;
    if (step.panel && (!parsePanelText(f[8], step.oldPanel) || !parsePanelText(f[9], step.newPanel) ||
                       step.oldPanel != r.panels[static_cast<std::size_t>(row)]))
      return false;
    ContestantRecord& target = r.rows[static_cast<std::size_t>(row)];
    // A change names its row and starts from the score the row holds: anything else means
    // the journal does not describe this contest.
    if (f[3] != target.name || f[4] != target.group) return false;
    if (std::memcmp(&step.oldScore, &target.score, sizeof(float)) != 0) return false;
    step.row = static_cast<int>(row);
    step.changeText = f[7];
    if (step.panel && f.size() == 11u) step.phones = f[10];
    target.score = step.newScore;
    if (step.panel) r.panels[static_cast<std::size_t>(row)] = step.newPanel;
    r.done.push_back(step);
    r.undone.clear();
  } else if (kind == "undo" || kind == "redo") {
    const bool undo = kind == "undo";
    std::vector<ScoreStep>& from = undo ? r.done : r.undone;
    std::vector<ScoreStep>& to = undo ? r.undone : r.done;
    if (f.size() != 2 || from.empty()) return false;
    ScoreStep step = from.back();
    from.pop_back();
    float& score = r.rows[static_cast<std::size_t>(step.row)].score;
    const float expected = undo ? step.newScore : step.oldScore;
    if (std::memcmp(&expected, &score, sizeof(float)) != 0) return false;
    score = undo ? step.oldScore : step.newScore;
    if (step.panel) r.panels[static_cast<std::size_t>(step.row)] = undo ? step.oldPanel : step.newPanel;
    to.push_back(step);
  } else if (kind == "round") {
    // Not a score change: it neither counts nor makes a journal worth offering back.
    long long number;
    if (f.size() != 4 || !parseInt(f[2], 0, 1000, number) || (number == 0) != f[3].empty()) return false;
    r.round = static_cast<int>(number);
    r.roundName = f[3];
    return true;
  } else if (kind == "restore") {
    long long n;
    return f.size() == 3 && parseInt(f[2], 0, 1LL << 40, n);
  } else if (kind == "close") {
    r.closed = f.size() == 2;
    return r.closed;
  } else {
    return false;
  }
  ++r.changes;
  r.anyChange = true;
  r.lastChangeStamp = stamp;
  return true;
}

}  // namespace

std::uint32_t hashBytes(const std::string& bytes) {
  std::uint32_t h = 2166136261u;  // FNV-1a
  for (unsigned char c : bytes) {
    h ^= c;
    h *= 16777619u;
  }
  return h;
}

std::string escapeField(const std::string& field) {
  std::string out;
  out.reserve(field.size());
  for (std::size_t i = 0; i < field.size();) {
    const std::size_t n = gbk::charLen(field, i);
    if (n == 1) {
      switch (field[i]) {
        case '\\':
          out += "\\\\";
          break;
        case '\t':
          out += "\\t";
          break;
        case '\r':
          out += "\\r";
          break;
        case '\n':
          out += "\\n";
          break;
        default:
          out += field[i];
          break;
      }
    } else {
      out.append(field, i, n);
    }
    i += n;
  }
  return out;
}

bool unescapeField(const std::string& field, std::string& out) {
  out.clear();
  for (std::size_t i = 0; i < field.size();) {
    const std::size_t n = gbk::charLen(field, i);
    if (n == 1 && field[i] == '\\') {
      if (i + 1 >= field.size()) return false;
      switch (field[i + 1]) {
        case '\\':
          out += '\\';
          break;
        case 't':
          out += '\t';
          break;
        case 'r':
          out += '\r';
          break;
        case 'n':
          out += '\n';
          break;
        default:
          return false;
      }
      i += 2;
      continue;
    }
    out.append(field, i, n);
    i += n;
  }
  return true;
}

std::string headerRecord() { return line({kMagic, kVersion}); }

std::string rosterRecord(const std::string& stamp, std::size_t rosterBytes, std::uint32_t rosterHash,
                         const ContestantRecord* rows, int count) {
  std::vector<std::string> f = {"roster", stamp, std::to_string(rosterBytes), hex8(rosterHash), std::to_string(count)};
  for (int i = 0; i < count; ++i) {
    f.push_back(rows[i].name);
    f.push_back(rows[i].group);
    f.push_back(floatBits(rows[i].score));
  }
  return line(f);
}

std::string scoreRecord(const std::string& stamp, const ContestantRecord& row, const ScoreStep& step) {
  return line({"score", stamp, std::to_string(step.row), row.name, row.group, floatBits(step.oldScore),
               floatBits(step.newScore), step.changeText});
}

std::string panelRecord(const std::string& stamp, const ContestantRecord& row, const ScoreStep& step) {
  return line({"panel", stamp, std::to_string(step.row), row.name, row.group, floatBits(step.oldScore),
               floatBits(step.newScore), step.changeText, panelText(step.oldPanel), panelText(step.newPanel),
               step.phones});
}

namespace {

std::string numberList(const std::vector<std::int32_t>& values) {
  std::string out;
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (i) out += ',';
    if (values[i] != kNoScore) out += std::to_string(values[i]);
  }
  return out;
}

bool parseNumber(const std::string& text, long long lo, long long hi, long long& out) {
  if (!text.empty() && text[0] == '-') {
    long long v;
    if (!parseInt(text.substr(1), 0, -lo, v)) return false;
    out = -v;
    return true;
  }
  return parseInt(text, 0, hi, out);
}

// empty: a list of none; a place left empty is kNoScore when allowed.
bool parseNumberList(const std::string& text, bool gaps, std::vector<std::int32_t>& out) {
  out.clear();
  if (text.empty()) return true;
  for (const std::string& piece : gbk::split(text, ',')) {
    long long v;
    if (piece.empty() && gaps) {
      out.push_back(kNoScore);
      continue;
    }
    if (!parseNumber(piece, -2000000000LL, 2000000000LL, v)) return false;
    out.push_back(static_cast<std::int32_t>(v));
  }
  return true;
}

}  // namespace

std::string panelText(const PanelEntry& e) {
  if (!e.present()) return std::string();
  return numberList(e.scores) + ";" + std::to_string(e.result.finalHundredths) + ";" +
         numberList(e.result.droppedHigh) + ";" + numberList(e.result.droppedLow) + ";" +
         std::to_string(e.result.missing);
}

bool parsePanelText(const std::string& text, PanelEntry& out) {
  out = PanelEntry();
  if (text.empty()) return true;
  const std::vector<std::string> parts = gbk::split(text, ';');
  long long final = 0, missing = 0;
  if (parts.size() != 5 || !parseNumberList(parts[0], true, out.scores) || out.scores.empty() ||
      out.scores.size() > static_cast<std::size_t>(kMaxJudges) ||
      !parseNumber(parts[1], -200000000000LL, 200000000000LL, final) ||
      !parseNumberList(parts[2], false, out.result.droppedHigh) ||
      !parseNumberList(parts[3], false, out.result.droppedLow) || !parseInt(parts[4], 0, kMaxJudges, missing))
    return false;
  out.result.finalHundredths = final;
  out.result.missing = static_cast<int>(missing);
  out.result.any = false;
  for (std::int32_t s : out.scores) {
    if (s == kNoScore) continue;
    out.result.highest = out.result.any ? std::max(out.result.highest, s) : s;
    out.result.lowest = out.result.any ? std::min(out.result.lowest, s) : s;
    out.result.any = true;
  }
  return out.result.any;
}

std::string undoRecord(const std::string& stamp) { return line({"undo", stamp}); }
std::string redoRecord(const std::string& stamp) { return line({"redo", stamp}); }
std::string logRecord(const std::string& logLine) { return line({"log", logLine}); }
std::string restoreRecord(const std::string& stamp, int changes) {
  return line({"restore", stamp, std::to_string(changes)});
}
std::string closeRecord(const std::string& stamp) { return line({"close", stamp}); }
std::string roundRecord(const std::string& stamp, int number, const std::string& name) {
  return line({"round", stamp, std::to_string(number), number ? name : std::string()});
}

Replay replay(const std::string& bytes) {
  Replay r;
  std::size_t pos = 0;
  bool first = true;
  while (pos < bytes.size()) {
    const std::size_t end = bytes.find("\r\n", pos);
    if (end == std::string::npos) break;  // cut short: the record never completed
    const std::string body = bytes.substr(pos, end - pos);
    const std::size_t tab = body.rfind('\t');
    std::uint32_t check = 0;
    bool ok =
        tab != std::string::npos && parseHex8(body.substr(tab + 1), check) && check == hashBytes(body.substr(0, tab));
    std::vector<std::string> fields;
    if (ok) {
      for (const std::string& raw : gbk::split(body.substr(0, tab), '\t')) {
        std::string field;
        if (!unescapeField(raw, field)) ok = false;
        fields.push_back(field);
      }
    }
    if (!ok || !apply(r, fields, first)) {
      r.status = Replay::Garbled;
      r.problem = first ? "文件开头不是计分记录" : "记录内容损坏";
      return r;
    }
    first = false;
    pos = end + 2;
    r.validLength = pos;
  }
  if (first) {
    // Not one complete line: empty, or cut while its first line was written (then it is
    // the start of that line and nothing was lost); anything else is not a journal.
    const std::string header = headerRecord();
    if (bytes.size() > header.size() || header.compare(0, bytes.size(), bytes) != 0) {
      r.status = Replay::Garbled;
      r.problem = "文件开头不是计分记录";
    }
    return r;
  }
  r.status = Replay::Ok;
  return r;
}

bool sameContestants(const Replay& replay, const ContestantRecord* rows, int count) {
  if (!replay.hasRoster || static_cast<int>(replay.rows.size()) != count) return false;
  for (int i = 0; i < count; ++i) {
    if (std::strcmp(replay.rows[static_cast<std::size_t>(i)].name, rows[i].name) != 0) return false;
    if (std::strcmp(replay.rows[static_cast<std::size_t>(i)].group, rows[i].group) != 0) return false;
  }
  return true;
}

}  // namespace journal
