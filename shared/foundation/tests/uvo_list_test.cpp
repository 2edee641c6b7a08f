// SPDX-License-Identifier: GPL-3.0-or-later
#include "foundation/uvo_list.h"

#include <gtest/gtest.h>

using namespace qr;

namespace {

std::vector<std::string> Ids(const TUvoList& list) {
    std::vector<std::string> ids;
    for (auto* n : list.Nodes<TIDNode>())
        ids.push_back(n->GetID());
    return ids;
}

struct ValueNode : TUvoNode {
    explicit ValueNode(int32_t v) : v(v) {}
    std::optional<int32_t> Value() const override { return v; }
    int32_t v;
};

} // namespace

TEST(UvoList, LinkingAndRemovalKeepBothDirectionsConsistent) {
    TUvoList list;
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.Prev(nullptr), nullptr);
    auto* b = list.Append(std::make_unique<TIDNode>("b"));
    auto* c = list.Append(std::make_unique<TIDNode>("c"));
    auto* a = list.InsertFirst(std::make_unique<TIDNode>("a"));
    EXPECT_EQ(list.Append(std::unique_ptr<TUvoNode>()), nullptr);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.IndexOf(a), 1);
    EXPECT_EQ(list.IndexOf(c), 3);
    EXPECT_EQ(list.Next(nullptr), a);
    EXPECT_EQ(list.Prev(nullptr), c);

    auto removed = list.Remove(b); // middle
    EXPECT_EQ(removed.get(), b);
    EXPECT_EQ(b->NextNode(), nullptr);
    EXPECT_EQ(b->PrevNode(), nullptr);
    EXPECT_EQ(list.Next(a), c);
    EXPECT_EQ(list.Prev(c), a);
    EXPECT_FALSE(list.Contains(b));

    list.Remove(c); // tail
    EXPECT_EQ(list.Last(), a);
    list.Remove(a); // head and only node
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.RemoveFirst(), nullptr);
    EXPECT_EQ(list.RemoveLast(), nullptr);
}

TEST(UvoList, IterationMayFreeTheCurrentNode) {
    TIDList list;
    for (const char* id : {"x", "keep", "y"})
        list.Append(std::make_unique<TIDNode>(id));
    for (auto* n : list.Nodes<TIDNode>())
        if (n->GetID() != "KEEP") list.Remove(n); // freed at once
    EXPECT_EQ(Ids(list), std::vector<std::string>{"KEEP"});
}

TEST(UvoList, FindByIdIgnoresCaseAndTheFirstOfEqualIdsWins) {
    TIDList list;
    auto* first = list.Append(std::make_unique<TIDNode>("HomeRoom"));
    list.Append(std::make_unique<TIDNode>("homeroom"));
    EXPECT_EQ(list.FindByID("homeroom"), first);
    EXPECT_EQ(first->GetID(), "HOMEROOM");
    EXPECT_EQ(list.FindByID("other"), nullptr);
    list.InsertFirst(std::make_unique<TUvoNode>());
    EXPECT_THROW(list.FindByID("homeroom"), std::bad_cast);
}

TEST(UvoList, FindByValueSkipsNodesWithoutValue) {
    TUvoList list;
    list.Append(std::make_unique<TIDNode>("a"));
    auto* v7 = list.Append(std::make_unique<ValueNode>(7));
    list.Append(std::make_unique<ValueNode>(7));
    EXPECT_EQ(list.FindByValue(7), v7);
    EXPECT_EQ(list.FindByValue(8), nullptr);
}

TEST(UvoList, StreamRoundTripAndSavedForm) {
    TMemoryStream empty;
    TIDList().SaveToStream(empty);
    EXPECT_EQ(empty.Bytes(), std::string("\0\0", 2));

    TIDList list;
    for (const char* id : {"one", "Two", "THREE"})
        list.Append(std::make_unique<TIDNode>(id));
    TMemoryStream s;
    list.SaveToStream(s);
    EXPECT_EQ(s.Bytes().substr(0, 8), std::string("\3\0\1\3ONE\1", 8));

    TIDList back;
    back.Append(std::make_unique<TIDNode>("stale"));
    s.Seek(0);
    back.LoadFromStream(s);
    EXPECT_EQ(Ids(back), (std::vector<std::string>{"ONE", "TWO", "THREE"}));
    for (auto* n : back.Nodes())
        EXPECT_EQ(n->Tag(), TIDNode::kTag);
}

TEST(UvoList, BadTagKeepsNodesLoadedSoFar) {
    // count 3: an ID node, a plain node, then tag 9.
    TMemoryStream s(std::string("\3\0\1\2AB\0\x09", 8));
    TIDList list;
    try {
        list.LoadFromStream(s);
        FAIL() << "expected an exception";
    } catch (const UvoException& e) {
        EXPECT_STREQ(e.what(), "Recreate: Invalid NodeID");
    }
    EXPECT_EQ(list.Count(), 2);

    TMemoryStream truncated(std::string("\2\0\1\5AB", 5));
    EXPECT_THROW(list.LoadFromStream(truncated), StreamReadError);
    EXPECT_TRUE(list.IsEmpty());

    TMemoryStream one(std::string("\1\3XYZ", 5));
    auto node = Recreate(one);
    ASSERT_NE(dynamic_cast<TIDNode*>(node.get()), nullptr);
    EXPECT_EQ(static_cast<TIDNode*>(node.get())->GetID(), "XYZ");
}
