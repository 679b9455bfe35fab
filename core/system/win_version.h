#pragma once
// Classification of the running system's version record into the classes
// the icon drawing distinguishes.

#include <cstdint>
#include <string>

namespace orbel {

struct VersionRecord {
    enum class Family { Windows95, NT, Other };
    Family family = Family::Other;
    unsigned major = 0;
    unsigned minor = 0;
    std::uint32_t build = 0;  // on the 95 family: major and minor in the high 16 bits
    std::string service;      // service-pack text
};

// 0 to 7. Class 0 also when the class expects a particular build record and
// the record holds another one.
int GetWindowsVersionClass(const VersionRecord& record);

// The two classes the extension icon drawing asks about.
bool IsVersionClass5(const VersionRecord& record);
bool IsVersionClass7(const VersionRecord& record);

}  // namespace orbel
