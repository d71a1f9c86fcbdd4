#include "contest/score_request.h"

#include <cmath>
#include <cstdlib>
#include <limits>

#include "kqcore/gbk.h"
#include "kqcore/numbers.h"

namespace {
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }
}  // namespace

bool toScore(double value, float& out) {
  if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max()) return false;
  out = static_cast<float>(value);
  return std::isfinite(out);
}

bool scoreAfter(float old, ScoreOp op, float value, float& out) {
  switch (op) {
    case ScoreOp::Set:
      return toScore(value, out);
    case ScoreOp::Add:
      return toScore(static_cast<double>(old) + value, out);
    case ScoreOp::Subtract:
      return toScore(static_cast<double>(old) - value, out);
  }
  return false;
}

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

bool planScore(const ScoreRequest& request, const std::string& label, float old, int decimals, ScoreStep& out) {
  float value = 0.0f;
  if (!toScore(request.field.empty() ? 0.0 : readNumber(request.field), value)) return false;
  float next = 0.0f;
  if (!scoreAfter(old, request.op, value, next)) return false;
  std::string text;
  if (request.op == ScoreOp::Set)
    text = "修改 " + label + " 分数 " + numbers::floatText(old, decimals) + " -> " + numbers::floatText(next, decimals);
  else
    text = label + " " + (request.op == ScoreOp::Add ? "+" : "-") + numbers::floatText(value, decimals);
  out = ScoreStep();
  out.row = request.row;
  out.oldScore = old;
  out.newScore = next;
  out.changeText = text;
  return true;
}
