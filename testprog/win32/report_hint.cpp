// The hint for a report file refused in the root folder of a drive.
#include "testprog/win32/report_hint.hpp"

#include <cctype>
#include <string_view>

namespace qvpruef::win32 {
namespace {

bool separator(char c) { return c == '/' || c == '\\'; }

// "c:/x.txt", "C:\x.txt", "\x.txt": a file right in a drive's root folder.
bool inDriveRoot(std::string_view path) {
  if (path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':') path.remove_prefix(2);
  if (path.empty() || !separator(path[0])) return false;
  path.remove_prefix(1);
  if (path.empty() || separator(path[0])) return false;  // "\\server\share" is no drive
  for (char c : path)
    if (separator(c)) return false;
  return true;
}

}  // namespace

std::string withFolderHint(const std::string& message, const std::string& reportPath, const std::string& documents) {
  if (message.rfind("Cannot open report file", 0) != 0 || !inDriveRoot(reportPath) || documents.empty()) return message;
  const std::string name = reportPath.substr(reportPath.find_last_of("/\\") + 1);
  return message +
         "\n\nOn Windows only administrators may create files in the root folder of a drive. Type a path in a "
         "folder of your own into the box \"cases on file:\", for example:\n" +
         documents + "\\" + name;
}

}  // namespace qvpruef::win32
