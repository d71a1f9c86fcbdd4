#include "kqcore/core_win.h"

#include <commdlg.h>
#include <shlobj.h>

#include <chrono>
#include <ctime>
#include <vector>

#include "kqcore/colour.h"
#include "kqcore/file_io.h"
#include "kqcore/gbk.h"
#include "kqcore/numbers.h"
#include "kqcore/wide_win.h"

namespace {

std::string& appPathOverride() {
  static std::string path;
  return path;
}

const char kConfigName[] = "Quillet.cfg";

std::string userConfigFolder() {
  wchar_t buf[MAX_PATH] = L"";
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, buf))) return std::string();
  std::wstring folder = std::wstring(buf) + L"\\Quillet";
  CreateDirectoryW(folder.c_str(), nullptr);
  return wideToGbk(folder) + "\\";
}

}  // namespace

void CCore::overrideAppPath(const std::string& path) { appPathOverride() = path; }

void CCore::autoFileConfig() {
  const std::string besideProgram = getAppPath() + kConfigName;
  if (fileio::folderWritable(getAppPath())) {
    store_.open(besideProgram, besideProgram);
    return;
  }
  const std::string folder = userConfigFolder();
  const std::string perUser = folder.empty() ? besideProgram : folder + kConfigName;
  store_.open(fileio::exists(perUser) ? perUser : besideProgram, perUser);
}

std::string CCore::getAppPath() const {
  if (!appPathOverride().empty()) return appPathOverride();
  std::vector<wchar_t> buf(MAX_PATH);
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
    if (n == 0) return std::string(".\\");
    if (n < buf.size()) break;
    buf.resize(buf.size() * 2);
  }
  std::wstring path(buf.data());
  const std::size_t slash = path.find_last_of(L"\\/");
  path = slash == std::wstring::npos ? L".\\" : path.substr(0, slash + 1);
  return wideToGbk(path);
}

int CCore::isFileExist(const std::string& path) const { return fileio::exists(path) ? 1 : 0; }

std::string CCore::readTxtFile(const std::string& path, bool* cut) const {
  std::string content;
  if (cut) *cut = false;
  fileio::readPrefix(path, kMaxTextFile, content, cut);
  return content;
}

std::string CCore::fileTxtSave(const std::string& defaultName, HWND owner) const {
  std::wstring name = gbkToWide(defaultName);
  std::vector<wchar_t> file(32768, L'\0');
  name.copy(file.data(), file.size() - 1);
  const std::size_t dot = name.find_last_of(L'.');
  const std::wstring ext = dot == std::wstring::npos ? L"" : name.substr(dot + 1);
  std::wstring filter;
  if (ext == L"csv")
    filter = std::wstring(L"CSV 文件 (*.csv)") + L'\0' + L"*.csv" + L'\0';
  else if (ext == L"txt")
    filter = std::wstring(L"文本文件 (*.txt)") + L'\0' + L"*.txt" + L'\0';
  filter += std::wstring(L"所有文件 (*.*)") + L'\0' + L"*.*" + L'\0' + L'\0';

  OPENFILENAMEW ofn = {};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter.c_str();
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrTitle = L"保存";
  ofn.lpstrDefExt = ext.empty() ? nullptr : ext.c_str();
  ofn.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_EXPLORER;
  if (!GetSaveFileNameW(&ofn)) return std::string();
  return wideToGbk(file.data());
}

std::string CCore::getStrInt(int value) const { return numbers::intText(value); }
std::string CCore::getStrFloat(float value, int decimals) const { return numbers::floatText(value, decimals); }
std::string CCore::getFg(const std::string& text, char separator, int index) const {
  return gbk::piece(text, separator, index);
}

std::string CCore::getCurTimeSid() const {
  SYSTEMTIME t;
  GetLocalTime(&t);
  char buf[32];
  wsprintfA(buf, "%04u%02u%02u-%02u%02u%02u", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond);
  return buf;
}

COLORREF CCore::getClrRef(std::uint32_t argb) const { return colour::toColorRef(argb); }
std::uint32_t CCore::getColorFromClrRef(COLORREF ref) const { return colour::fromColorRef(ref); }

void CCore::kqseed() {
  random_.seed(static_cast<std::uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
               GetCurrentProcessId());
}

int CCore::getRandInt(int lo, int hi) {
  if (hi < lo) std::swap(lo, hi);
  return std::uniform_int_distribution<int>(lo, hi)(random_);
}

std::uint32_t CCore::getRandColor() { return 0xFF000000u | (random_() & 0xFFFFFFu); }

int CCore::getPageCount(int total, int perPage) const { return numbers::pageCount(total, perPage); }
