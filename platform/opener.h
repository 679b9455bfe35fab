#pragma once
// Opening a path the way the desktop's "open" verb does.

#include <string>

namespace orbel::platform {

// How the started program shows its first window, where the system has
// such a choice: its own default, or normal size and position.
enum class ShowMode { Default, Normal };

// Opens path (UTF-8) with parameters passed exactly as given: a program is
// started, a document or directory goes to the desktop's handler for it, a
// web address to the browser. Returns true when the start succeeded; false
// when nothing could be started (missing file, no handler, a refusal).
bool OpenPath(const std::string& path, const std::string& parameters, ShowMode mode);

}  // namespace orbel::platform
