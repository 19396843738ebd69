#include "dbenv/ConfigTable.h"

#include <gtest/gtest.h>

#include "forms/Form.h"

namespace vk {
namespace {

TConfigInfo row(std::int32_t number, std::string caption, std::string connectionFile, std::uint16_t workplaces = 0) {
    TConfigInfo info;
    info.ConfigNo = number;
    info.Caption = std::move(caption);
    info.ConnectionFile = std::move(connectionFile);
    info.Workplaces = workplaces;
    return info;
}

// The wizard's list, on a form of its own.
struct ListForm : forms::Form {
    ListForm() : Form("fmTest", "", 400, 200) {}
    forms::ListView lvConfigs{*this, "lvConfigs", {0, 0, 355, 100}};
};

TEST(ConfigTable, ThePackagesRowIsListedCheckedAndSelected) {
    ListForm form;
    forms::ListView& list = form.lvConfigs;
    ConfigTable table(packageConfigs(), list);
    table.FillConfigList(0x257F);
    ASSERT_EQ(table.rows().size(), 1u);
    ASSERT_EQ(list.count(), 1);
    EXPECT_TRUE(list.enabled());
    EXPECT_TRUE(list.item(0)->checked);
    EXPECT_EQ(list.item(0)->subItems, std::vector<std::string>{"1"});
    EXPECT_TRUE(table.IsConfigNoSelected(1));
    EXPECT_TRUE(table.AnyConfigSelected());
    EXPECT_EQ(table.FirstSelectedConnectionFile(), table.rows()[0].ConnectionFile);

    list.setChecked(0, false);
    EXPECT_FALSE(table.IsConfigNoSelected(1));
    EXPECT_FALSE(table.AnyConfigSelected());
    EXPECT_EQ(table.FirstSelectedConnectionFile(), "");
}

TEST(ConfigTable, WithoutTheListFlagNothingIsListedOrSelected) {
    ListForm form;
    forms::ListView& list = form.lvConfigs;
    ConfigTable table(packageConfigs(), list);
    table.FillConfigList(0x257F & ~0x0002u);
    EXPECT_FALSE(list.enabled());
    EXPECT_EQ(list.count(), 0);
    EXPECT_FALSE(table.AnyConfigSelected());
    EXPECT_FALSE(table.IsConfigNoSelected(1));
}

TEST(ConfigTable, RowsWithoutCaptionOrNumberAndEmptyConnectionFilesAreSkipped) {
    ListForm form;
    forms::ListView& list = form.lvConfigs;
    ConfigTable table({row(5, "", "hidden.dbx"), row(6, "Без файла", "", 0), row(7, "Склад", "store.dbx", 12)}, list);
    table.FillConfigList(0x0002);
    ASSERT_EQ(list.count(), 2);
    EXPECT_EQ(list.item(0)->subItems[0], "-");
    EXPECT_EQ(list.item(1)->subItems[0], "12");
    EXPECT_EQ(list.item(1)->data, 2);
    EXPECT_FALSE(table.IsConfigNoSelected(5));  // no list item
    EXPECT_FALSE(table.IsConfigNoSelected(0));  // a null index matches no row
    EXPECT_FALSE(table.IsConfigSelected(-1));
    EXPECT_FALSE(table.IsConfigSelected(3));
    EXPECT_EQ(table.FirstSelectedConnectionFile(), "store.dbx");
}

}  // namespace
}  // namespace vk
