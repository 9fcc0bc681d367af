// The temporary file beside a file that is replaced whole: unnamed where the
// file system allows, otherwise named after the process that owns it, so
// that one left by a process that died can be told and removed.
#pragma once
//
// A process killed outright (SIGKILL, a crash, a power cut) runs no clean-up.
// An unnamed file (O_TMPFILE) vanishes with its process; it gets a name only
// for the moment between being linked in and being renamed over the target.
// A named one is ".TARGET.PID@HOST.N": whoever next replaces TARGET removes
// those of processes of this host that no longer run.

#include <string>

namespace qvcode {

class TemporaryFile {
 public:
  // Opens a new, empty file for writing in `folder`, to replace the file
  // `name` there, with permissions `mode`; first removes what dead processes
  // left for it.  Raises std::system_error.
  TemporaryFile(const std::string& folder, const std::string& name, unsigned mode);
  // Closes the file if still open and removes it unless it was renamed.
  ~TemporaryFile();
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  int fd() const noexcept { return fd_; }
  // Closes the file and renames it over `target`.  Raises std::system_error
  // naming the failed call.
  void replace(const std::string& target);

 private:
  // A name of this process's in the folder that no file has yet.
  std::string freshName();
  // Gives the unnamed file a name.
  void link();

  std::string folder_, name_;
  std::string path_;  // empty while the file has no name
  int fd_ = -1;
  bool renamed_ = false;
};

}  // namespace qvcode
