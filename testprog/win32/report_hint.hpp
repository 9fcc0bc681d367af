// The message of a report file that cannot be opened in the root folder of a drive, with a folder that works.
#pragma once
// The report box starts with "c:/QV_errorDetect.txt", but on current Windows
// only administrators may create files in the root of C:.  A user who just
// clicks "&compare" gets "Permission denied"; the message then goes on to
// say why and names a path in the user's Documents folder to type instead.

#include <string>

namespace qvpruef::win32 {

// `message` as shown for the failed sweep; `reportPath` the text of the
// report box; `documents` the Documents folder ("C:\Users\ana\Documents").
// Any other message, or a path outside a drive's root folder, stays as it is.
std::string withFolderHint(const std::string& message, const std::string& reportPath, const std::string& documents);

}  // namespace qvpruef::win32
