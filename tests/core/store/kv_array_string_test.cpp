// The string array against a plain vector searched from the front: texts
// that grow, shrink and repeat, replaced before and after the first lookup
// (which makes the index of first positions).

#include "core/store/kv_array_string.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace orbel {
namespace {

int FirstIn(const std::vector<std::string>& v, const std::string& text) {
    for (size_t i = 0; i < v.size(); ++i)
        if (v[i] == text) return static_cast<int>(i);
    return -1;
}

TEST(StringArray, AnswersAsAVectorSearchedFromTheFront) {
    for (int firstLookup : {0, 5, 40, 1000}) {
        SCOPED_TRACE(firstLookup);
        std::mt19937 random(static_cast<unsigned>(firstLookup) + 7u);
        // Few short texts, so that they repeat, and their lengths change.
        auto text = [&] { return std::string(random() % 4, static_cast<char>('a' + random() % 3)); };
        TkvArrayString a;
        std::vector<std::string> v;
        for (int step = 0; step < 400; ++step) {
            if (v.empty() || random() % 3 == 0) {
                const std::string t = text();
                AppendString(a, t);
                v.push_back(t);
            } else {
                const int i = static_cast<int>(random() % v.size());
                const std::string t = text();
                a.set(i, t);
                v[static_cast<size_t>(i)] = t;
            }
            if (step >= firstLookup) {
                const std::string probe = text();
                ASSERT_EQ(FindString(a, probe), FirstIn(v, probe)) << "step " << step << " \"" << probe << "\"";
            }
        }
        ASSERT_EQ(a.items(), v);
        for (int i = 0; i < a.length(); ++i) EXPECT_EQ(a[i], v[static_cast<size_t>(i)]);
        a.clear();
        EXPECT_EQ(a.length(), 0);
        EXPECT_EQ(FindString(a, v.front()), -1);
    }
}

}  // namespace
}  // namespace orbel
