// The table of item kinds: each row's forms lead back to the row, so the
// loader, the writer and the format agree on every kind.

#include "core/store/item_kinds.h"

#include <gtest/gtest.h>

#include "core/store/kv_array_string.h"
#include "core/store/node_kinds.h"

namespace orbel {
namespace {

TEST(ItemKinds, EachFormLeadsBackToItsKind) {
    using K = IndexEntryKind;
    ItemTable table;
    AppendString(table.paths, "/opt/tool/setup.EXE");  // item 0: a program by its name
    AppendString(table.paths, "/home/u/report.txt");   // item 1
    const struct {
        K kind;
        int itemNumber;
    } rows[] = {
        {K::Folder, -1}, {K::PlainSeparator, -1}, {K::TextSeparator, -1}, {K::ExecutableItem, 0}, {K::FileItem, 1}};
    for (const auto& r : rows) {
        SCOPED_TRACE(static_cast<int>(r.kind));
        const ItemKind& kind = ItemKindOf(r.kind);
        EXPECT_EQ(kind.kind, r.kind);
        EXPECT_EQ(ItemKindOfTag(kind.storeTag), &kind);
        EXPECT_EQ(kind.item, r.itemNumber >= 0);
        const auto node = kind.makeNode("Name", 20, r.itemNumber);
        EXPECT_EQ(ItemKindOfNode(node.get(), table), &kind);
        // The menu does not tell the two item kinds apart.
        const auto entry = kind.makeEntry("Name", 20, r.itemNumber);
        const ItemKind* back = ItemKindOfEntry(*entry);
        ASSERT_NE(back, nullptr);
        EXPECT_EQ(back->item, kind.item);
        if (!kind.item) {
            EXPECT_EQ(back, &kind);
        }
        EXPECT_EQ(ItemNumberOf(*entry), r.itemNumber);
    }
    EXPECT_EQ(ItemKindOfTag("^folder"), nullptr);
    EXPECT_EQ(ItemKindOfTag(""), nullptr);
    const auto folder = ItemKindOf(K::Folder).makeEntry("F", 0, -1);
    EXPECT_EQ(ItemKindOfEntry(*folder->child(0)), nullptr);  // its "Hiding"
    EXPECT_EQ(ItemKindOfNode(MakeTopMarkerNode().get(), table), nullptr);
    EXPECT_EQ(ItemKindOfNode(nullptr, table), nullptr);
}

}  // namespace
}  // namespace orbel
