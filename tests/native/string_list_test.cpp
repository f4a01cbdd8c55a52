#include <gtest/gtest.h>

#include "StringList.h"

namespace {

struct Tracked {
    explicit Tracked(int* alive) : alive_(alive) { ++*alive_; }
    ~Tracked() { --*alive_; }
    int* alive_;
};

TEST(StringList, IndexOfFindsTheFirstMatchWithoutRegardToCase) {
    TStringList<int> list;
    int a = 1, b = 2, c = 3;
    list.AddObject("PCI\\VEN_8086", &a);
    list.AddObject("pci\\ven_8086", &b);
    list.AddObject("USB\\ROOT_HUB", &c);
    EXPECT_EQ(list.IndexOf("Pci\\Ven_8086"), 0);
    EXPECT_EQ(list.IndexOf("usb\\root_hub"), 2);
    EXPECT_EQ(list.IndexOf("USB\\ROOT_HUB20"), -1);
    EXPECT_EQ(list.IndexOf(""), -1);
    EXPECT_EQ(list.Objects(1), &b);
    EXPECT_EQ(list.Count(), 3);
}

TEST(StringList, InsertingAtTheFrontShiftsWhatFollows) {
    TStringList<int> list;
    int a = 1, b = 2, c = 3;
    list.AddObject("b", &b);
    EXPECT_EQ(list.IndexOf("B"), 0);
    list.InsertObject(0, "a", &a);
    list.AddObject("c", &c);
    list.InsertObject(0, "B", &b);
    EXPECT_EQ(list.IndexOf("b"), 0);
    EXPECT_EQ(list.IndexOf("a"), 1);
    EXPECT_EQ(list.IndexOf("c"), 3);
    EXPECT_EQ(list.Strings(2), "b");
    list.InsertObject(10, "d", &c);  // past the end appends
    EXPECT_EQ(list.IndexOf("D"), 4);
}

TEST(StringList, EmptyTextIsAKeyLikeAnyOther) {
    TStringList<int> list;
    int a = 1;
    list.AddObject("x", &a);
    list.AddObject("", &a);
    EXPECT_EQ(list.IndexOf(""), 1);
}

TEST(StringList, AnOwningListFreesItsObjects) {
    int alive = 0;
    {
        TStringList<Tracked> list(true);
        list.AddObject("one", new Tracked(&alive));
        list.InsertObject(0, "two", new Tracked(&alive));
        EXPECT_EQ(alive, 2);
        list.Clear();
        EXPECT_EQ(alive, 0);
        EXPECT_EQ(list.IndexOf("one"), -1);
        list.AddObject("three", new Tracked(&alive));
    }
    EXPECT_EQ(alive, 0);
    Tracked kept(&alive);
    {
        TStringList<Tracked> list;
        list.AddObject("kept", &kept);
    }
    EXPECT_EQ(alive, 1);
}

}  // namespace
