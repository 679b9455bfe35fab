#pragma once
// Opening a path the way the desktop's "open" verb does.

#include <string>

#include "platform/platform.h"

namespace orbel::platform {

// Opens path (UTF-8) with parameters passed exactly as given: a program is
// started, a document or directory goes to the desktop's handler for it, a
// web address to the browser. Returns true when the start succeeded; false
// when nothing could be started (missing file, no handler, a refusal).
bool OpenPath(const std::string& path, const std::string& parameters, ShowMode mode);

}  // namespace orbel::platform
