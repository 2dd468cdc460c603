#pragma once
// The settings file over the system's private profile functions.
#include "mainwindow/settings.h"

namespace netscry {

class PrivateProfileFile : public ProfileFile {
 public:
  explicit PrivateProfileFile(std::string path) : path_(std::move(path)) {}
  const std::string& Path() const override { return path_; }
  std::string ReadString(const std::string& section, const std::string& key) override;
  bool WriteString(const std::string& section, const std::string& key, const std::string& value) override;
  void Flush() override;

 private:
  std::string path_;
};

}  // namespace netscry
