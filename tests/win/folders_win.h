// Folders and files of the Windows tests and benchmarks; paths are GBK.
#pragma once
#include <string>

// A fresh temporary folder with an empty data\ subfolder; its path ends with "\".
std::string makeTempAppFolder();
void removeFolder(const std::string& path);
std::string readFileBytes(const std::string& path);
void writeFileBytes(const std::string& path, const std::string& bytes);

// Quillet.exe's folder as a user unpacks it, for starting the program from outside: a fresh
// temporary folder (makeTempAppFolder) with a copy of the build tree's Quillet.exe (the one a
// folder above this program's), data\_team.txt holding roster and Quillet.cfg holding
// settings (either left out when empty).  Removed with everything in it when the object goes.
class EventFolder {
 public:
  explicit EventFolder(const std::string& roster = std::string(), const std::string& settings = std::string());
  ~EventFolder();
  EventFolder(const EventFolder&) = delete;
  EventFolder& operator=(const EventFolder&) = delete;
  // False when Quillet.exe could not be copied (there is none in the build tree).
  bool hasProgram() const { return hasProgram_; }
  // Copies a file of the build tree's demo data folder (data\ beside its Quillet.exe) into
  // data\; false when that failed.
  bool addDemoFile(const std::string& name) const;
  // The folder, ending with "\".
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  bool hasProgram_ = false;
};
