// A temporary folder for one test, removed with everything in it afterwards.
#pragma once
#include <string>

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  // The folder's path, ending with a separator.
  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + name; }

 private:
  std::string path_;
};

std::string readAll(const std::string& path);
void writeAll(const std::string& path, const std::string& data);

// Narrow literals in this project are compiled to GBK; u8"..." literals stay UTF-8.
