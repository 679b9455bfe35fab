#include "core/system/win_version.h"

namespace orbel {

namespace {

// Build record each class insists on; 0 means any build is accepted.
std::uint32_t ExpectedBuild(int versionClass) {
    switch (versionClass) {
    case 2: return 0x04000457;  // 4.0.1111
    case 3: return 0x040A07CE;  // 4.10.1998
    case 4: return 0x040A08AE;  // 4.10.2222
    case 6: return 1381;
    case 7: return 2195;
    default: return 0;
    }
}

int ClassFromFamily(const VersionRecord& record) {
    switch (record.family) {
    case VersionRecord::Family::Windows95:
        if (record.minor == 0) return record.service == "B" ? 2 : 1;
        if (record.minor == 10) return record.service == "A" ? 4 : 3;
        return 0;
    case VersionRecord::Family::NT:
        switch (record.major) {
        case 3: return 6;
        case 4: return 7;
        case 5: return 5;
        default: return 0;
        }
    case VersionRecord::Family::Other: break;
    }
    return 0;
}

}  // namespace

int GetWindowsVersionClass(const VersionRecord& record) {
    const int versionClass = ClassFromFamily(record);
    const std::uint32_t expected = ExpectedBuild(versionClass);
    if (expected != 0 && record.build != expected) return 0;
    return versionClass;
}

bool IsVersionClass5(const VersionRecord& record) { return GetWindowsVersionClass(record) == 5; }

bool IsVersionClass7(const VersionRecord& record) { return GetWindowsVersionClass(record) == 7; }

}  // namespace orbel
