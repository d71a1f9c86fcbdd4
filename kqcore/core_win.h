// CCore: the program's core services -- settings store, files, text, numbers, colours,
// random numbers and (with the output window) GDI+ drawing.  Holds no state
// the program sees besides the settings store.  Text in and out is GBK; every Win32 call gets
// UTF-16 converted with code page 936.
#pragma once
#include <windows.h>

#include <gdiplus.h>

#include <cstdint>
#include <map>
#include <memory>
#include <random>
#include <string>

#include "kqcore/config_store.h"

class CCore {
 public:
  // defaults: what each settings key reads as before it has ever been saved.
  explicit CCore(ConfigStore::Defaults defaults = ConfigStore::Defaults());
  ~CCore();
  CCore(const CCore&) = delete;
  CCore& operator=(const CCore&) = delete;

  // Chooses and reads the settings store: "Quillet.cfg" beside the program, or, when the
  // program's folder cannot be written, "%APPDATA%\Quillet\Quillet.cfg" (which starts as a
  // copy of the one beside the program, if that exists).  Call once before any settings call.
  void autoFileConfig();
  ConfigStore& settingsStore() { return store_; }
  std::string configPath() const { return store_.writePath(); }

  int getConfigInt(const std::string& key) const { return store_.getInt(key); }
  std::string getConfigStr(const std::string& key) const { return store_.getStr(key); }
  std::uint32_t getConfigClr(const std::string& key) const { return store_.getClr(key); }
  int getConfigB(const std::string& key) const { return store_.getB(key); }
  bool saveConfigInt(const std::string& key, int value) { return store_.saveInt(key, value); }
  bool saveConfigStr(const std::string& key, const std::string& value) { return store_.saveStr(key, value); }
  bool saveConfigClr(const std::string& key, std::uint32_t argb) { return store_.saveClr(key, argb); }
  bool saveConfigB(const std::string& key, int value) { return store_.saveB(key, value); }

  // The program's folder, ending in a backslash.
  std::string getAppPath() const;
  int isFileExist(const std::string& path) const;
  // The file's content (at most kMaxTextFile bytes of it); empty when missing or unreadable.
  // cut, when given, tells whether the file is longer than what was read.
  std::string readTxtFile(const std::string& path, bool* cut = nullptr) const;
  static constexpr std::size_t kMaxTextFile = 1u << 20;
  // The system save prompt offering defaultName; asks before replacing an existing file.
  // The full path chosen, or empty on cancel.
  std::string fileTxtSave(const std::string& defaultName, HWND owner = nullptr) const;

  std::string getStrInt(int value) const;
  std::string getStrFloat(float value, int decimals) const;
  std::string getFg(const std::string& text, char separator, int index) const;
  // Local time as YYYYMMDD-HHMMSS: digits and a hyphen, safe inside a file name.
  std::string getCurTimeSid() const;

  COLORREF getClrRef(std::uint32_t argb) const;
  std::uint32_t getColorFromClrRef(COLORREF ref) const;
  void kqseed();
  int getRandInt(int lo, int hi);
  std::uint32_t getRandColor();
  int getPageCount(int total, int perPage) const;

  // Drawing (GDI+ must be running).  Sizes are pixels: size is the font's em height.
  // Style 1 draws board entries, style 2 the event title (bold); both with a soft shadow
  // that the bounds include.  A font family is looked up by the name given, then by its
  // English name, then falls back to a generic sans-serif family, so text always appears.
  Gdiplus::Size getTextBounds(const std::string& fontName, int size, const std::string& text);
  void drawStrSolid(Gdiplus::Graphics* graphics, Gdiplus::Point origin, int, const std::string& text,
                    const std::string& fontName, Gdiplus::Color colour, int size, int style);
  // Pictures are decoded once and kept while the file's size and time stay the same.
  Gdiplus::Size getPicSize(const std::string& path);
  void drawPic(Gdiplus::Graphics& graphics, int x, int y, const std::string& path);
  // Which decoding of the file the picture calls use now: a new number whenever the file was
  // decoded again (it changed on disk), 0 when it cannot be read.
  std::uint64_t getPicVersion(const std::string& path);
  // Off: every picture call decodes the file again (for measuring what the cache saves).
  void setPictureCache(bool on) { pictureCacheOn_ = on; }
  // Rendered texts are kept for reuse, at most this many (the oldest half goes when more).
  void setTextCacheLimit(std::size_t entries) { textCacheLimit_ = entries; }
  std::size_t cachedTexts() const;

  // Tests point the program's folder somewhere else before autoFileConfig.
  static void overrideAppPath(const std::string& path);

 private:
  struct Picture;
  struct Drawing;
  Picture* picture(const std::string& path);
  Gdiplus::FontFamily* family(const std::string& name);

  ConfigStore store_;
  std::mt19937 random_;
  std::unique_ptr<Drawing> drawing_;
  bool pictureCacheOn_ = true;
  std::size_t textCacheLimit_ = 4000;
};
