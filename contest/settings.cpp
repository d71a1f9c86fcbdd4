#include "contest/settings.h"

#include <climits>

#include "contest/judge_panel.h"
#include "kqcore/gbk.h"
#include "resources/resource.h"

namespace {

constexpr int kNoRange = 1, kNoRangeHi = 0;  // lo > hi

SettingRow intRow(const char* key, const char* def, int lo, int hi, const char* what, int control, unsigned saved,
                  std::int32_t Settings::*member, const char* message = nullptr, const char* below = nullptr) {
  return SettingRow{key, SettingType::Int, def, lo, hi, what, control, saved, message, below, member, nullptr, nullptr};
}
SettingRow flagRow(const char* key, const char* def, int control, unsigned saved, std::int32_t Settings::*member) {
  return SettingRow{key,   SettingType::Flag, def,     kNoRange, kNoRangeHi, "",     control,
                    saved, nullptr,           nullptr, member,   nullptr,    nullptr};
}
SettingRow textRow(const char* key, const char* def, int control, unsigned saved, std::string Settings::*member) {
  return SettingRow{key,   SettingType::Text, def,     kNoRange, kNoRangeHi, "",     control,
                    saved, nullptr,           nullptr, nullptr,  member,     nullptr};
}
SettingRow colourRow(const char* key, const char* def, int control, unsigned saved, std::uint32_t Settings::*member) {
  return SettingRow{
      key,   SettingType::Colour, def, kNoRange, kNoRangeHi, "", control, saved, nullptr, nullptr, nullptr, nullptr,
      member};
}
SettingRow hundredthsRow(const char* key, const char* def, const char* message, int control, unsigned saved,
                         std::int32_t Settings::*member) {
  return SettingRow{
      key,    SettingType::Hundredths, def, kNoRange, kNoRangeHi, "", control, saved, message, nullptr, member, nullptr,
      nullptr};
}

const char kJudgeRange[] = "评委分数范围的下限必须小于上限";
const char kCardsOrder[] = "举黄牌和举红牌的时间必须是 1 到 36000 秒，黄牌在红牌之前";

int clamp(int value, int lo, int hi) { return value < lo ? lo : (value > hi ? hi : value); }

}  // namespace

const std::vector<SettingRow>& settingsTable() {
  // Options are saved in this order, and checked in it (the ranged rows).
  static const std::vector<SettingRow> table = {
      intRow("xsw", "1", 0, 2, "小数位数", IDC_OPT_XSW, SavedByOptions, &Settings::xsw),
      intRow("cols", "2", 1, 10, "显示列数", IDC_OPT_COLS, SavedByOptions, &Settings::cols),
      intRow("scoreinit", "0", kNoRange, kNoRangeHi, "", IDC_OPT_SCOREINIT, SavedByOptions, &Settings::scoreinit),
      intRow("width", "1024", 100, 8000, "输出显示宽度", IDC_OPT_WIDTH, SavedByOptions, &Settings::width),
      intRow("height", "768", 100, 2000, "输出显示高度", IDC_OPT_HEIGHT, SavedByOptions, &Settings::height),
      textRow("scoresteps", "1,2,5,10", IDC_OPT_STEPS, SavedByOptions, &Settings::scoresteps),
      textRow("title", "知识竞赛", IDC_OPT_TITLE, SavedByOptions, &Settings::title),
      colourRow("clrtitle", "0xFFFFD700", IDC_OPT_CLRTITLE, SavedByOptions, &Settings::clrtitle),
      colourRow("clrteam", "0xFFFFFFFF", IDC_OPT_CLRTEAM, SavedByOptions, &Settings::clrteam),
      flagRow("fill", "0", IDC_OPT_FILL, SavedByOptions, &Settings::fill),
      intRow("judges", "0", 0, kMaxJudges, "评委人数", IDC_OPT_JUDGES, SavedByOptions, &Settings::judges),
      intRow("trim", "1", 0, 3, "去掉最高分和最低分的个数", IDC_OPT_TRIM, SavedByOptions, &Settings::trim),
      intRow("judgemin", "0", -1000000, 1000000, "", IDC_OPT_JUDGEMIN, SavedByOptions, &Settings::judgemin, kJudgeRange,
             "judgemax"),
      intRow("judgemax", "100", -1000000, 1000000, "", IDC_OPT_JUDGEMAX, SavedByOptions, &Settings::judgemax,
             kJudgeRange),
      hundredthsRow("spread", "0", "差异提醒必须是不小于0的数，最多两位小数", IDC_OPT_SPREAD, SavedByOptions,
                    &Settings::spread),
      // The rounds dialog's, saved at its OK.
      textRow("rounds", "", 0, SavedByRounds, &Settings::rounds),
      // The timer dialog's, saved at its OK.
      intRow("timersecs", "60", 1, 3600, "倒计时时间（秒）", IDC_TIMER_SECS, SavedByTimer, &Settings::timersecs),
      intRow("timermode", "0", 0, 1, "计时方式", IDC_TIMER_DOWN, SavedByTimer, &Settings::timermode),
      intRow("timeryellow", "240", 1, 36000, "", IDC_TIMER_YELLOW, SavedByTimer, &Settings::timeryellow, kCardsOrder,
             "timerred"),
      intRow("timerred", "300", 1, 36000, "", IDC_TIMER_RED, SavedByTimer, &Settings::timerred, kCardsOrder),
      intRow("timerplace", "0", 0, 2, "计时显示位置", IDC_TIMER_TOP_RIGHT, SavedByTimer, &Settings::timerplace),
      flagRow("timersound", "1", IDC_TIMER_SOUND, SavedByTimer, &Settings::timersound),
      // The buzzer dialog's, saved at its OK.
      textRow("buzzerkeys", "", 0, SavedByBuzzers, &Settings::buzzerkeys),
      textRow("buzzergroupkeys", "", 0, SavedByBuzzers, &Settings::buzzergroupkeys),
      intRow("buzzby", "0", 0, 1, "抢答器的分配方式", IDC_BUZZ_BY_TEAM, SavedByBuzzers, &Settings::buzzby),
      flagRow("buzzlockout", "0", IDC_BUZZ_LOCKOUT, SavedByBuzzers, &Settings::buzzlockout),
      flagRow("buzzshowfalse", "1", IDC_BUZZ_SHOW_FALSE, SavedByBuzzers, &Settings::buzzshowfalse),
      flagRow("buzztimer", "0", IDC_BUZZ_TIMER, SavedByBuzzers, &Settings::buzztimer),
      // The network dialog's, saved at its OK.
      flagRow("net", "0", IDC_NET_ON, SavedByNetwork, &Settings::net),
      intRow("port", "8080", 1024, 65535, "端口", IDC_NET_PORT, SavedByNetwork, &Settings::port),
      // Every judge seat's token, kept so a restart in the middle of an event leaves the
      // judges' links working; empty or damaged, the program makes new ones.
      textRow("judgetokens", "", 0, SavedByNetwork, &Settings::judgetokens),
      // Saved when the console closes, in this order.
      flagRow("on", "0", 0, SavedAtClose, &Settings::on),
      intRow("uityp", "0", kNoRange, kNoRangeHi, "", 0, SavedAtClose, &Settings::uityp),
      textRow("scorestepdefault", "1", 0, SavedAtClose, &Settings::scorestepdefault),
      // Read only: no control edits it.
      flagRow("tmcxh", "0", 0, 0, &Settings::tmcxh),
  };
  return table;
}

const SettingRow* settingRow(const std::string& key) {
  for (const SettingRow& row : settingsTable())
    if (key == row.key) return &row;
  return nullptr;
}

bool sameSettings(const Settings& a, const Settings& b, unsigned which) {
  for (const SettingRow& row : settingsTable()) {
    if (which && !(row.saved & which)) continue;
    if (row.number && a.*row.number != b.*row.number) return false;
    if (row.text && a.*row.text != b.*row.text) return false;
    if (row.colour && a.*row.colour != b.*row.colour) return false;
  }
  return true;
}

void copySettings(Settings& to, const Settings& from, unsigned which) {
  for (const SettingRow& row : settingsTable()) {
    if (!(row.saved & which)) continue;
    if (row.number) to.*row.number = from.*row.number;
    if (row.text) to.*row.text = from.*row.text;
    if (row.colour) to.*row.colour = from.*row.colour;
  }
}

bool Settings::operator==(const Settings& o) const { return sameSettings(*this, o); }

ConfigStore::Defaults settingsDefaults() {
  ConfigStore::Defaults defaults;
  for (const SettingRow& row : settingsTable()) defaults[row.key] = row.defaultText;
  return defaults;
}

Settings defaultSettings() { return readSettings(ConfigStore(settingsDefaults())); }

std::string withAsciiCommas(const std::string& steps) { return gbk::replaceAll(steps, "，", ","); }

Settings readSettings(const ConfigStore& store) {
  Settings s;
  for (const SettingRow& row : settingsTable()) {
    switch (row.type) {
      case SettingType::Int:
        s.*row.number = row.ranged() ? clamp(store.getInt(row.key), row.lo, row.hi) : store.getInt(row.key);
        break;
      case SettingType::Flag:
        s.*row.number = store.getB(row.key);
        break;
      case SettingType::Text:
        s.*row.text = store.getStr(row.key);
        break;
      case SettingType::Colour:
        s.*row.colour = store.getClr(row.key);
        break;
      case SettingType::Hundredths:
        if (!parseSpread(store.getStr(row.key), s.*row.number) && !parseSpread(row.defaultText, s.*row.number))
          s.*row.number = 0;
        break;
    }
  }
  // Cards out of order would turn the clock red before yellow: back to the defaults.
  if (s.timeryellow >= s.timerred) {
    s.timeryellow = 240;
    s.timerred = 300;
  }
  // A damaged pair of bounds would refuse every judge's score: back to the defaults.
  if (s.judgemin >= s.judgemax) {
    s.judgemin = 0;
    s.judgemax = 100;
  }
  // Typed with the Chinese input method on, the list separates its steps with "，".
  s.scoresteps = withAsciiCommas(s.scoresteps);
  return s;
}

bool saveSettings(ConfigStore& store, const Settings& s, unsigned which) {
  bool ok = true;
  for (const SettingRow& row : settingsTable()) {
    if (!(row.saved & which)) continue;
    switch (row.type) {
      case SettingType::Int:
        ok = store.saveInt(row.key, s.*row.number) && ok;
        break;
      case SettingType::Flag:
        ok = store.saveB(row.key, s.*row.number) && ok;
        break;
      case SettingType::Text:
        ok = store.saveStr(row.key, s.*row.text) && ok;
        break;
      case SettingType::Colour:
        ok = store.saveClr(row.key, s.*row.colour) && ok;
        break;
      case SettingType::Hundredths:
        ok = store.saveStr(row.key, hundredthsText(s.*row.number)) && ok;
        break;
    }
  }
  return ok;
}

FieldNumber readIntField(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  long long value = 0;
  bool fits = true;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    if (value > (1LL << 40)) {
      fits = false;  // far beyond 32 bits already; keep reading nothing more into it
      continue;
    }
    value = value * 10 + (text[i] - '0');
  }
  if (negative) value = -value;
  if (value < INT_MIN || value > INT_MAX) fits = false;
  return FieldNumber{value, fits};
}

OptionsCheck checkOptionNumbers(const std::vector<FieldText>& fields, Settings& out) {
  Settings values = out;
  auto fieldOf = [&](const SettingRow& row) -> const FieldText* {
    for (const FieldText& f : fields)
      if (f.control == row.control) return &f;
    return nullptr;
  };
  auto refusal = [](const SettingRow& row) {
    if (row.message) return OptionsCheck{false, row.control, row.message};
    return OptionsCheck{
        false, row.control,
        std::string(row.what) + "必须是" + std::to_string(row.lo) + "到" + std::to_string(row.hi) + "之间的整数"};
  };
  for (const SettingRow& row : settingsTable()) {
    const FieldText* field = row.control ? fieldOf(row) : nullptr;
    if (!field) continue;
    if (row.type == SettingType::Hundredths) {
      if (!parseSpread(field->text, values.*row.number)) return refusal(row);
      continue;
    }
    if (row.type != SettingType::Int) continue;
    const FieldNumber n = readIntField(field->text);
    if (row.ranged()) {
      if (!n.fits || n.value < row.lo || n.value > row.hi) return refusal(row);
      values.*row.number = static_cast<std::int32_t>(n.value);
    } else {
      long long v = n.value;
      if (!n.fits) v = v < 0 ? INT_MIN : INT_MAX;
      values.*row.number = static_cast<std::int32_t>(v);
    }
  }
  for (const SettingRow& row : settingsTable()) {
    if (!row.below || !fieldOf(row)) continue;
    const SettingRow* upper = settingRow(row.below);
    if (upper && values.*row.number >= values.*upper->number) return refusal(row);
  }
  out = values;
  return OptionsCheck{true, 0, std::string()};
}
