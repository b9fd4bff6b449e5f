// A fresh folder under /tmp for one test, removed with everything in it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    std::string Path(const std::string& name) const { return path_ + "/" + name; }

    // Whole-file helpers; Read gives "<missing>" when the file cannot be read.
    static void Write(const std::string& file, std::string_view bytes);
    static std::string Read(const std::string& file);
    // Names of the entries of a folder, sorted.
    static std::vector<std::string> List(const std::string& folder);

  private:
    std::string path_;
};
