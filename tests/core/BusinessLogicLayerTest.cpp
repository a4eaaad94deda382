#include "core/BusinessLogicLayer.h"

#include "core/Exceptions.h"

#include <gtest/gtest.h>

namespace {

TEST(BusinessLogicLayer, ListsComeBackInCreationOrder) {
    TBusinessLogicLayer layer;
    EXPECT_EQ(layer.ListCount(), 0);
    EXPECT_EQ(layer.CurrentList(), nullptr);
    TKeyItems& a = layer.NewList();
    TKeyItems& b = layer.NewList();
    EXPECT_EQ(&layer.GetList(0), &a);
    EXPECT_EQ(&layer.GetList(1), &b);
    EXPECT_EQ(layer.IndexOf(&b), 1);
    layer.SetCurrentList(&b);
    EXPECT_EQ(layer.CurrentList(), &b);
    EXPECT_THROW(layer.GetList(2), EListError);
    EXPECT_THROW(layer.GetList(-1), EListError);
}

} // namespace
