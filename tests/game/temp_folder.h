// A folder of its own under /tmp for one test, removed with everything in it
// when the test ends.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <string>

class TempFolder {
 public:
  explicit TempFolder(const std::string& prefix) {
    std::string pattern = "/tmp/" + prefix + "XXXXXX";
    if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ~TempFolder() {
    if (!path_.empty()) std::system(("rm -rf '" + path_ + "'").c_str());
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // "" when the folder could not be made.
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};
