#include "contest/buzzers.h"

#include <algorithm>
#include <cstdio>

#include "contest/journal.h"
#include "kqcore/gbk.h"

const char kBuzzerKeysDamagedWarning[] =
    "设置文件里的抢答器设置已损坏，这次不使用它。请在“抢答器设置”里重新设置各队的抢答键。";

std::string encodeBuzzerKeys(const std::vector<BuzzerKey>& keys) {
  std::string text;
  for (const BuzzerKey& k : keys) {
    if (!text.empty()) text += '\n';
    text += journal::escapeField(k.team) + '\t' + journal::escapeField(k.device) + '\t' + std::to_string(k.key);
  }
  return text;
}

bool decodeBuzzerKeys(const std::string& text, std::vector<BuzzerKey>& out) {
  out.clear();
  if (text.empty()) return true;
  std::vector<BuzzerKey> keys;
  for (const std::string& line : gbk::split(text, '\n')) {
    const std::vector<std::string> f = gbk::split(line, '\t');
    if (f.size() != 3 || f[2].empty() || f[2].size() > 3) return false;
    BuzzerKey k;
    if (!journal::unescapeField(f[0], k.team) || !journal::unescapeField(f[1], k.device) || k.team.empty())
      return false;
    for (char c : f[2]) {
      if (c < '0' || c > '9') return false;
      k.key = k.key * 10 + static_cast<unsigned>(c - '0');
    }
    if (k.key == 0 || k.key > 0xFE) return false;  // the range of virtual-key codes
    keys.push_back(k);
  }
  out = std::move(keys);
  return true;
}

int findBuzzer(const std::vector<BuzzerKey>& keys, const std::string& device, unsigned key) {
  int alone = -1;
  for (std::size_t i = 0; i < keys.size(); ++i) {
    if (keys[i].key != key) continue;
    if (keys[i].device == device) return static_cast<int>(i);
    if (alone < 0 && (keys[i].device.empty() || device.empty())) alone = static_cast<int>(i);
  }
  return alone;
}

int buzzerClash(const std::vector<BuzzerKey>& keys, const std::string& team, const std::string& device, unsigned key) {
  for (std::size_t i = 0; i < keys.size(); ++i) {
    const BuzzerKey& k = keys[i];
    if (k.team == team || k.key != key) continue;
    if (k.device == device || k.device.empty() || device.empty()) return static_cast<int>(i);
  }
  return -1;
}

bool buzzerKeyAllowed(unsigned key) {
  switch (key) {
    case 0x10:  // Shift, Ctrl, Alt
    case 0x11:
    case 0x12:
    case 0x14:  // Caps Lock
    case 0x5B:  // the Windows keys
    case 0x5C:
    case 0x90:  // Num Lock, Scroll Lock
    case 0x91:
      return false;
    default:
      return key > 0 && key < 0xFF && !(key >= 0xA0 && key <= 0xA5);  // left and right Shift, Ctrl, Alt
  }
}

void BuzzerLockout::arm() {
  state_ = Armed;
  winner_ = -1;
  locked_ = lockedNext_;
  lockedNext_.clear();
}

void BuzzerLockout::reset() {
  state_ = Idle;
  winner_ = -1;
  locked_.clear();
}

bool BuzzerLockout::held(const BuzzerPress& p) const { return down_.count({p.device, p.key}) != 0; }

std::vector<BuzzerOutcome> BuzzerLockout::feed(const std::vector<BuzzerKey>& keys,
                                               const std::vector<BuzzerPress>& batch) {
  std::vector<std::size_t> order(batch.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  // Input times wrap after 49 days: measured from the batch's first message they order
  // correctly across the wrap, as a batch spans milliseconds.
  const std::uint32_t base = batch.empty() ? 0 : batch[0].time;
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return static_cast<std::int32_t>(batch[a].time - base) < static_cast<std::int32_t>(batch[b].time - base);
  });
  std::vector<BuzzerOutcome> outcomes;
  for (std::size_t i : order) {
    const BuzzerPress& p = batch[i];
    if (!p.down) {
      down_.erase({p.device, p.key});
      continue;
    }
    if (held(p)) continue;  // the system's repeat of a held key
    down_.insert({p.device, p.key});
    const int b = findBuzzer(keys, p.device, p.key);
    if (b < 0) continue;
    if (state_ == Idle) {
      if (lockOut_) lockedNext_.insert(b);
      outcomes.push_back({BuzzerOutcome::FalseStart, b});
    } else if (state_ == Armed && !locked_.count(b)) {
      state_ = Decided;
      winner_ = b;
      outcomes.push_back({BuzzerOutcome::Won, b});
    }
  }
  return outcomes;
}

std::string BuzzerLearning::prompt() const { return done() ? std::string() : "请按下 " + teams_[at_] + " 的抢答键"; }

std::string BuzzerLearning::press(const std::string& device, unsigned key) {
  if (done()) return std::string();
  const std::string& team = teams_[at_];
  if (!buzzerKeyAllowed(key)) return "这个键不能用作抢答键，请换一个键。";
  const int clash = buzzerClash(keys_, team, device, key);
  if (clash >= 0) return "这个键已经是 " + keys_[static_cast<std::size_t>(clash)].team + " 的抢答键，请换一个键。";
  const BuzzerKey learnt{team, device, key};
  auto own = std::find_if(keys_.begin(), keys_.end(), [&](const BuzzerKey& k) { return k.team == team; });
  if (own != keys_.end())
    *own = learnt;
  else
    keys_.push_back(learnt);
  ++at_;
  return std::string();
}

void BuzzerLearning::clear(const std::string& team) {
  keys_.erase(std::remove_if(keys_.begin(), keys_.end(), [&](const BuzzerKey& k) { return k.team == team; }),
              keys_.end());
}

std::vector<std::string> buzzerNames(const std::vector<std::pair<std::string, std::string>>& rows, bool byGroup) {
  std::vector<std::string> names;
  for (const auto& row : rows) {
    const std::string& name = byGroup ? row.second : row.first;
    if (name.empty() || std::find(names.begin(), names.end(), name) != names.end()) continue;
    names.push_back(name);
  }
  return names;
}

std::vector<BuzzerListLine> buzzerList(const std::vector<std::string>& teams, const std::vector<BuzzerKey>& keys) {
  std::vector<std::string> devices;  // in the order the list first shows them
  auto line = [&](const std::string& name, const BuzzerKey* k, bool asked) {
    BuzzerListLine l;
    l.name = name;
    l.asked = asked;
    if (!k) return l;
    l.key = buzzerKeyName(k->key);
    if (k->device.empty()) {
      l.device = "任意设备";
    } else {
      auto at = std::find(devices.begin(), devices.end(), k->device);
      if (at == devices.end()) at = devices.insert(devices.end(), k->device);
      l.device = "设备" + std::to_string(at - devices.begin() + 1);
    }
    return l;
  };
  auto keyOf = [&](const std::string& name) -> const BuzzerKey* {
    for (const BuzzerKey& k : keys)
      if (k.team == name) return &k;
    return nullptr;
  };
  std::vector<BuzzerListLine> lines;
  for (const std::string& team : teams) lines.push_back(line(team, keyOf(team), true));
  for (const BuzzerKey& k : keys)
    if (std::find(teams.begin(), teams.end(), k.team) == teams.end()) lines.push_back(line(k.team, &k, false));
  return lines;
}

std::string buzzerKeyName(unsigned key) {
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::string(1, static_cast<char>(key));
  if (key >= 0x60 && key <= 0x69) return "小键盘" + std::to_string(key - 0x60);
  if (key >= 0x70 && key <= 0x87) return "F" + std::to_string(key - 0x70 + 1);
  static const struct {
    unsigned key;
    const char* name;
  } named[] = {{0x08, "退格"},    {0x09, "Tab"},     {0x0D, "回车"},     {0x10, "Shift"},   {0x11, "Ctrl"},
               {0x12, "Alt"},     {0x13, "Pause"},   {0x14, "大写锁定"}, {0x1B, "Esc"},     {0x20, "空格"},
               {0x21, "PgUp"},    {0x22, "PgDn"},    {0x23, "End"},      {0x24, "Home"},    {0x25, "←"},
               {0x26, "↑"},       {0x27, "→"},       {0x28, "↓"},        {0x2D, "Insert"},  {0x2E, "Delete"},
               {0x6A, "小键盘*"}, {0x6B, "小键盘+"}, {0x6D, "小键盘-"},  {0x6E, "小键盘."}, {0x6F, "小键盘/"},
               {0xA0, "左Shift"}, {0xA1, "右Shift"}, {0xA2, "左Ctrl"},   {0xA3, "右Ctrl"},  {0xBA, ";"},
               {0xBB, "="},       {0xBC, ","},       {0xBD, "-"},        {0xBE, "."},       {0xBF, "/"},
               {0xC0, "`"},       {0xDB, "["},       {0xDC, "\\"},       {0xDD, "]"},       {0xDE, "'"}};
  for (const auto& n : named)
    if (n.key == key) return n.name;
  char hex[8];
  std::snprintf(hex, sizeof hex, "%02X", key & 0xFFu);
  return std::string("键") + hex;
}
