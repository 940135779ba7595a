// Temporary folders for tests that write files: removed when the object goes.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <string>

namespace torvik::test {

// A fresh folder of this process under the system's temporary folder.
class TempFolder {
 public:
  explicit TempFolder(const std::string& name)
      : dir_(std::filesystem::temp_directory_path() / (name + "-" + std::to_string(getpid()))) {
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  ~TempFolder() { std::filesystem::remove_all(dir_); }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  std::string Path(const std::string& file) const { return (dir_ / file).string(); }
  const std::filesystem::path& Dir() const { return dir_; }

 private:
  std::filesystem::path dir_;
};

// A temporary folder made the working folder for the object's lifetime.
class ScopedWorkingFolder {
 public:
  explicit ScopedWorkingFolder(const std::string& name) : old_(std::filesystem::current_path()), folder_(name) {
    std::filesystem::current_path(folder_.Dir());
  }
  ~ScopedWorkingFolder() { std::filesystem::current_path(old_); }
  ScopedWorkingFolder(const ScopedWorkingFolder&) = delete;
  ScopedWorkingFolder& operator=(const ScopedWorkingFolder&) = delete;

 private:
  std::filesystem::path old_;
  TempFolder folder_;
};

}  // namespace torvik::test
