// A fresh folder under the system's temporary folder, removed with everything in it at the end.
#pragma once

#include <string>

class TempFolder {
public:
    TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder();

    const std::string& path() const { return path_; }
    // The full name of `name` inside the folder.
    std::string file(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};
