#include "dialogs/score_change.h"

#include <cstdlib>

#include "kqcore/gbk.h"
#include "kqcore/numbers.h"

namespace {
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }
}  // namespace

double readNumber(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size() && isSpace(text[i])) ++i;
  const std::size_t start = i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < text.size() && isDigit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && isDigit(text[i])) ++i, ++digits;
  }
  if (digits == 0) return 0.0;
  std::size_t end = i;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    if (j < text.size() && isDigit(text[j])) {
      while (j < text.size() && isDigit(text[j])) ++j;
      end = j;
    }
  }
  return std::strtod(text.substr(start, end - start).c_str(), nullptr);
}

std::vector<std::string> quickStepPieces(const std::string& steps) {
  std::vector<std::string> pieces;
  for (int i = 0; i < 4; ++i) {
    std::string piece = gbk::piece(steps, ',', i);
    if (piece.empty()) break;
    pieces.push_back(piece);
  }
  return pieces;
}

ScoreChange setScore(const std::string& label, float oldScore, const std::string& field, int decimals) {
  ScoreChange change{false, oldScore, std::string()};
  if (!toScore(field.empty() ? 0.0 : readNumber(field), change.newScore)) return change;
  change.accepted = true;
  change.text = "修改 " + label + " 分数 " + numbers::floatText(oldScore, decimals) + " -> " +
                numbers::floatText(change.newScore, decimals);
  return change;
}

ScoreChange changeScore(const std::string& label, float score, const std::string& field, bool add, int decimals) {
  ScoreChange change{false, score, std::string()};
  float delta = 0.0f;
  if (!toScore(field.empty() ? 0.0 : readNumber(field), delta)) return change;
  if (!scoreAfter(score, add ? ScoreOp::Add : ScoreOp::Subtract, delta, change.newScore)) return change;
  change.accepted = true;
  change.text = label + " " + (add ? "+" : "-") + numbers::floatText(delta, decimals);
  return change;
}

bool makeScoreRequest(int row, const std::string& label, float score, ScoreOp op, const std::string& field,
                      int decimals, ScoreRequest& out) {
  const ScoreChange change = op == ScoreOp::Set ? setScore(label, score, field, decimals)
                                                : changeScore(label, score, field, op == ScoreOp::Add, decimals);
  if (!change.accepted) return false;
  float value = change.newScore;
  if (op != ScoreOp::Set && !toScore(field.empty() ? 0.0 : readNumber(field), value)) return false;
  out = ScoreRequest{row, op, value, change.text};
  return true;
}
