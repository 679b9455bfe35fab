#include "platform/applications.h"

namespace orbel::platform {

// The Start menu keeps shortcuts, not desktop entries with categories; an
// import of those would need rules of its own.
std::vector<InstalledApplication> InstalledApplications() { return {}; }

}  // namespace orbel::platform
