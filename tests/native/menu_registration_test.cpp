// The menu section of the configuration file: its header line, the
// registration lines and the three fields of a registration value.
#include <gtest/gtest.h>

#include "menu/model/registration_line.h"

#include <string>

namespace {

// The value of a registration line, or "<none>".
std::string ValueOf(std::string line) {
    const char* value = RegistrationValueOf(&line[0]);
    return value ? value : "<none>";
}

struct Fields {
    int ok = 0;
    std::string menuFile, displayName, initCommand;
};

Fields Split(std::string value) {
    RegistrationFields raw{};
    Fields fields;
    fields.ok = ParseRegistrationValue(&value[0], &raw);
    if (fields.ok) {
        fields.menuFile = raw.menuFile;
        fields.displayName = raw.displayName;
        fields.initCommand = raw.initCommand;
    }
    return fields;
}

TEST(MenuSection, HeaderIsComparedWithoutCase) {
    EXPECT_TRUE(IsMenuSectionHeader("[VXMENU]", "VXMENU"));
    EXPECT_TRUE(IsMenuSectionHeader("[vxMenu]", "VXMENU"));
    EXPECT_TRUE(IsMenuSectionHeader("[abc]", "ABC"));
    EXPECT_FALSE(IsMenuSectionHeader("[VXMENU] ", "VXMENU"));
    EXPECT_FALSE(IsMenuSectionHeader(" [VXMENU]", "VXMENU"));
    EXPECT_FALSE(IsMenuSectionHeader("[VXMENU2]", "VXMENU"));
    EXPECT_FALSE(IsMenuSectionHeader("[VXMENU", "VXMENU"));
    EXPECT_FALSE(IsMenuSectionHeader("[]", "VXMENU"));
    EXPECT_TRUE(IsMenuSectionHeader("[]", ""));
    EXPECT_FALSE(IsMenuSectionHeader("]", ""));
    EXPECT_TRUE(IsMenuSectionHeader("[メニュー]", "メニュー"));
}

TEST(MenuSection, RegistrationLines) {
    EXPECT_EQ(ValueOf("VXMENU=\"a.mnu\" \"A\" X"), "\"a.mnu\" \"A\" X");
    EXPECT_EQ(ValueOf("  ==VXMENU=v"), "v");
    EXPECT_EQ(ValueOf("VXMENU v"), "v"); // a space ends the key as well
    // A blank before '=' makes the '=' part of the value.
    EXPECT_EQ(ValueOf("VXMENU =\"a.mnu\""), "=\"a.mnu\"");
    EXPECT_EQ(ValueOf("VXMENU="), "<none>");
    EXPECT_EQ(ValueOf("VXMENU"), "<none>");
    EXPECT_EQ(ValueOf("vxmenu=x"), "<none>");
    EXPECT_EQ(ValueOf("VXMENU2=x"), "<none>");
    EXPECT_EQ(ValueOf("VXMENU\t=x"), "<none>");
    EXPECT_EQ(ValueOf("PKGNAME=VXMENU"), "<none>");
    EXPECT_EQ(ValueOf(""), "<none>");
    EXPECT_EQ(ValueOf("VXMENU= "), " ");
}

TEST(MenuSection, RegistrationValueFields) {
    Fields f = Split("  \"C:\\pkg\\menu.mnu\" \"Demo\"   ^C^CINIT ARG");
    ASSERT_EQ(f.ok, 1);
    EXPECT_EQ(f.menuFile, "C:\\pkg\\menu.mnu");
    EXPECT_EQ(f.displayName, "Demo");
    EXPECT_EQ(f.initCommand, "\x1b\x1bINIT ARG");

    Fields noCommand = Split("\"m.mnu\" \"Name\"");
    ASSERT_EQ(noCommand.ok, 1);
    EXPECT_EQ(noCommand.displayName, "Name");
    EXPECT_EQ(noCommand.initCommand, "");

    Fields onlyFile = Split("\"m.mnu\"");
    ASSERT_EQ(onlyFile.ok, 1);
    EXPECT_EQ(onlyFile.menuFile, "m.mnu");
    EXPECT_EQ(onlyFile.displayName, "");

    // The command ends at a further quote.
    EXPECT_EQ(Split("\"m\" \"n\" CMD \"rest\"").initCommand, "CMD ");
}

TEST(MenuSection, BlankOnlyValueFails) {
    EXPECT_EQ(Split(" \t").ok, 0);
    EXPECT_EQ(Split("\x81\x40 ").ok, 0); // full-width space
}

TEST(MenuSection, QuotedFieldsWithoutSeparatorLoseTheDisplayName) {
    Fields f = Split("\"m.mnu\"\"Name\" INIT");
    ASSERT_EQ(f.ok, 1);
    EXPECT_EQ(f.menuFile, "m.mnu");
    EXPECT_EQ(f.displayName, " INIT");
    EXPECT_EQ(f.initCommand, "");
}

TEST(MenuSection, DoubleByteFieldsStayWhole) {
    // "表" ends in '\', "ー" in '['; neither splits a field.
    Fields f = Split("\"C:\\\x95\x5c\\m.mnu\" \"\x81\x5b\x83\x5e\" \x83\x5e^C");
    ASSERT_EQ(f.ok, 1);
    EXPECT_EQ(f.menuFile, "C:\\\x95\x5c\\m.mnu");
    EXPECT_EQ(f.displayName, "\x81\x5b\x83\x5e");
    EXPECT_EQ(f.initCommand, "\x83\x5e\x1b");
}

} // namespace
