// The settings keys and when they are read and written.  Store is anything with CCore's
// settings calls (getConfigInt, getConfigStr, getConfigClr, getConfigB and the saveConfig
// counterparts).
#pragma once
#include <string>

#include "app/shared_state.h"

namespace settingskey {
constexpr char xsw[] = "xsw";
constexpr char cols[] = "cols";
constexpr char width[] = "width";
constexpr char height[] = "height";
constexpr char scoreinit[] = "scoreinit";
constexpr char scorestepdefault[] = "scorestepdefault";
constexpr char scoresteps[] = "scoresteps";
constexpr char title[] = "title";
constexpr char clrtitle[] = "clrtitle";
constexpr char clrteam[] = "clrteam";
constexpr char on[] = "on";
constexpr char tmcxh[] = "tmcxh";
constexpr char uityp[] = "uityp";
constexpr char fill[] = "fill";
}  // namespace settingskey

namespace app {

// Ranges the options dialog enforces; values read at start-up are clamped into them so a
// hand-edited or damaged store can never break the output window.
constexpr int kXswMin = 0, kXswMax = 2;
constexpr int kColsMin = 1, kColsMax = 10;
constexpr int kWidthMin = 100, kWidthMax = 8000;
constexpr int kHeightMin = 100, kHeightMax = 2000;

// The quick-step list with every full-width comma "，" turned into ",".
std::string withAsciiCommas(const std::string& steps);

void clampSettings();

// Reads every setting into shared state, in the start-up order.
template <class Store>
void readSettings(const Store& store) {
  xsw = store.getConfigInt(settingskey::xsw);
  cols = store.getConfigInt(settingskey::cols);
  width = store.getConfigInt(settingskey::width);
  height = store.getConfigInt(settingskey::height);
  scoreinit = store.getConfigInt(settingskey::scoreinit);
  scorestepdefault = store.getConfigStr(settingskey::scorestepdefault);
  scoresteps = withAsciiCommas(store.getConfigStr(settingskey::scoresteps));
  title = store.getConfigStr(settingskey::title);
  clrtitle = store.getConfigClr(settingskey::clrtitle);
  clrteam = store.getConfigClr(settingskey::clrteam);
  on = store.getConfigB(settingskey::on);
  tmcxh = store.getConfigB(settingskey::tmcxh);
  fill = store.getConfigB(settingskey::fill);
  clampSettings();
}

// What the console saves when it closes, in this order.
template <class Store>
void saveShutdownSettings(Store& store) {
  store.saveConfigB(settingskey::on, on);
  store.saveConfigInt(settingskey::uityp, displayMode);
  store.saveConfigStr(settingskey::scorestepdefault, scorestepdefault);
}

}  // namespace app
