#include "contest/rounds.h"

#include "contest/journal.h"
#include "contest/settings.h"
#include "kqcore/gbk.h"

const char kNoRoundName[] = "不分轮次";
const char kRoundsDamagedWarning[] =
    "设置文件里的轮次设置已损坏，这次不使用它（不分轮次）。请在“轮次设置”里重新设置各轮。";

namespace {

// Digits with at most one decimal point, at least one digit, optionally a leading "-":
// exactly what the board can show as a change, and nothing the score entry would read
// differently from what the operator sees in the list.
bool plainNumber(const std::string& text, bool sign) {
  std::size_t i = 0;
  if (sign && !text.empty() && text[0] == '-') i = 1;
  if (text.size() - i > 12) return false;
  int digits = 0, points = 0;
  for (; i < text.size(); ++i) {
    if (text[i] >= '0' && text[i] <= '9')
      ++digits;
    else if (text[i] == '.' && ++points <= 1)
      continue;
    else
      return false;
  }
  return digits > 0;
}

bool stepsValid(const std::string& steps) {
  if (steps.empty()) return true;
  const std::vector<std::string> pieces = gbk::split(steps, ',');
  if (pieces.size() > 4) return false;
  for (const std::string& p : pieces)
    if (!plainNumber(p, true)) return false;
  return true;
}

bool nameValid(const std::string& name) {
  if (name.empty() || name.size() > static_cast<std::size_t>(kMaxRoundNameBytes)) return false;
  for (std::size_t i = 0; i < name.size(); i += gbk::charLen(name, i)) {
    const unsigned char c = static_cast<unsigned char>(name[i]);
    if (c < 0x20 || c == 0x7F || (c >= 0x80 && gbk::charLen(name, i) == 1)) return false;  // no half character
  }
  return true;
}

RoundCheck refuse(int index, const std::string& name, RoundField field, const std::string& what) {
  RoundCheck c;
  c.ok = false;
  c.round = index;
  c.field = field;
  const std::string which = "第 " + std::to_string(index + 1) + " 轮" + (name.empty() ? "" : "“" + name + "”");
  c.message = which + "的" + what;
  return c;
}

}  // namespace

RoundCheck checkRound(const std::string& name, const std::string& add, const std::string& subtract,
                      const std::string& steps, const std::string& seconds, int index, Round& out) {
  if (!nameValid(name))
    return refuse(index, std::string(), RoundField::Name, "名称必须是 1 到 30 个字节（15 个汉字）的文字。");
  if (!plainNumber(add, false)) return refuse(index, name, RoundField::Add, "加分必须是不小于 0 的数，例如 10。");
  if (!plainNumber(subtract, false))
    return refuse(index, name, RoundField::Subtract, "减分必须是不小于 0 的数，例如 10；答错不扣分就写 0。");
  const std::string ascii = withAsciiCommas(steps);
  if (!stepsValid(ascii))
    return refuse(index, name, RoundField::Steps,
                  "快捷加减分必须是用逗号分开的最多 4 个数，例如 10,20,30；也可以空着。");
  const FieldNumber secs = readIntField(seconds);
  bool digitsOnly = !seconds.empty();
  for (char c : seconds) digitsOnly = digitsOnly && c >= '0' && c <= '9';
  if (!digitsOnly || !secs.fits || secs.value < 0 || secs.value > kMaxAnswerSeconds)
    return refuse(index, name, RoundField::Seconds, "答题时间必须是 0 到 3600 之间的整数（秒；0 表示不计时）。");
  out.name = name;
  out.add = add;
  out.subtract = subtract;
  out.steps = ascii;
  out.seconds = static_cast<int>(secs.value);
  return RoundCheck();
}

RoundCheck checkRounds(const std::vector<Round>& rounds) {
  for (std::size_t i = 0; i < rounds.size(); ++i) {
    const Round& r = rounds[i];
    Round checked;
    const RoundCheck c =
        checkRound(r.name, r.add, r.subtract, r.steps, std::to_string(r.seconds), static_cast<int>(i), checked);
    if (!c.ok) return c;
  }
  return RoundCheck();
}

std::string encodeRounds(const std::vector<Round>& rounds) {
  std::string out;
  for (std::size_t i = 0; i < rounds.size(); ++i) {
    const Round& r = rounds[i];
    if (i) out += '\n';
    out += journal::escapeField(r.name) + '\t' + journal::escapeField(r.add) + '\t' + journal::escapeField(r.subtract) +
           '\t' + journal::escapeField(r.steps) + '\t' + std::to_string(r.seconds);
  }
  return out;
}

bool decodeRounds(const std::string& text, std::vector<Round>& out) {
  out.clear();
  if (text.empty()) return true;
  const std::vector<std::string> lines = gbk::split(text, '\n');
  if (lines.size() > static_cast<std::size_t>(kMaxRounds)) return false;
  std::vector<Round> rounds;
  for (const std::string& line : lines) {
    const std::vector<std::string> raw = gbk::split(line, '\t');
    if (raw.size() != 5) return false;
    std::string f[5];
    for (int k = 0; k < 5; ++k)
      if (!journal::unescapeField(raw[static_cast<std::size_t>(k)], f[k])) return false;
    Round r;
    // What was saved was checked: anything that fails the check now was changed outside.
    if (!checkRound(f[0], f[1], f[2], f[3], f[4], static_cast<int>(rounds.size()), r).ok || r.steps != f[3])
      return false;
    rounds.push_back(r);
  }
  out = std::move(rounds);
  return true;
}

std::string roundName(const std::vector<Round>& rounds, int index) {
  if (index < 0 || index >= static_cast<int>(rounds.size())) return kNoRoundName;
  return rounds[static_cast<std::size_t>(index)].name;
}
