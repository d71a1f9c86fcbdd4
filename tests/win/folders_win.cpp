#include "tests/win/folders_win.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "kqcore/wide_win.h"

namespace {

// The build tree: the folder above the one this program is in (tests and benchmarks alike).
std::filesystem::path buildTree() {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  return std::filesystem::path(self).parent_path().parent_path();
}

bool copyInto(const std::filesystem::path& from, const std::string& to) {
  return CopyFileW(from.wstring().c_str(), gbkToWide(to).c_str(), FALSE) != FALSE;
}

}  // namespace

std::string makeTempAppFolder() {
  namespace fs = std::filesystem;
  wchar_t tmp[MAX_PATH];
  GetTempPathW(MAX_PATH, tmp);
  static int counter = 0;
  const fs::path dir =
      fs::path(tmp) / (L"quillet-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter));
  fs::create_directories(dir / L"data");
  return wideToGbk(dir.wstring()) + "\\";
}

void removeFolder(const std::string& path) {
  std::error_code ec;
  std::filesystem::remove_all(std::filesystem::path(gbkToWide(path)), ec);
}

std::string readFileBytes(const std::string& path) {
  std::ifstream in(std::filesystem::path(gbkToWide(path)), std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

void writeFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(std::filesystem::path(gbkToWide(path)), std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

EventFolder::EventFolder(const std::string& roster, const std::string& settings) : path_(makeTempAppFolder()) {
  hasProgram_ = copyInto(buildTree() / L"Quillet.exe", path_ + "Quillet.exe");
  if (!roster.empty()) writeFileBytes(path_ + "data\\_team.txt", roster);
  if (!settings.empty()) writeFileBytes(path_ + "Quillet.cfg", settings);
}

EventFolder::~EventFolder() { removeFolder(path_); }

bool EventFolder::addDemoFile(const std::string& name) const {
  return copyInto(buildTree() / L"data" / gbkToWide(name), path_ + "data\\" + name);
}
