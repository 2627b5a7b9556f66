#include "support/resource_module.h"

#include <gtest/gtest.h>

#include <QKeySequence>
#include <fstream>
#include <set>

#include "base/string_ids.h"
#include "engine/source_item.h"
#include "support/resource_strings.h"

namespace clipwright {
namespace {

std::shared_ptr<const ResourceModule> English() {
    return ResourceModule::BuiltIn();
}

std::vector<std::byte> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), {});
    const auto* data = reinterpret_cast<const std::byte*>(text.data());
    return {data, data + text.size()};
}

TEST(CatalogTest, EveryStringTheCodeLoadsExistsWithTheCallersPlaceholders) {
    for (const StringUse& use : kStringUses) {
        const std::optional<std::string> text = English()->String(use.id);
        ASSERT_TRUE(text.has_value()) << "string " << use.id;
        EXPECT_EQ(PlaceholderKinds(*text), std::string(use.argumentKinds)) << "string " << use.id;
    }
}

TEST(CatalogTest, StatusWordsOfTheListExist) {
    for (int status = -1; status <= 6; ++status) {
        EXPECT_TRUE(English()->String(StatusStringId(status)).has_value()) << status;
    }
}

TEST(CatalogTest, EveryTextTheLayoutNamesExists) {
    for (const std::string& key : LayoutTextKeys(English()->Layout())) {
        EXPECT_TRUE(English()->Text(key).has_value()) << key;
    }
}

// Status-bar text and tooltip of every command that a menu item or toolbar button carries.
TEST(CatalogTest, EveryMenuAndToolbarCommandHasAPromptAndTooltip) {
    std::set<int> commands(kPromptCommandIds.begin(), kPromptCommandIds.end());
    const std::vector<MenuItem> menu = *English()->Menu(128);
    for (const MenuItem& popup : menu) {
        for (const MenuItem& item : popup.children) {
            if (!item.separator) {
                commands.insert(item.commandId);
            }
        }
    }
    const Toolbar toolbar = *English()->ToolbarLayout(128);
    for (const ToolbarButton& button : toolbar.buttons) {
        if (button.commandId != 0) {
            commands.insert(button.commandId);
        }
    }
    for (const int command : commands) {
        const std::optional<std::string> prompt = English()->String(command);
        ASSERT_TRUE(prompt.has_value()) << command;
        const size_t newline = prompt->find('\n');
        ASSERT_NE(newline, std::string::npos) << command;
        EXPECT_GT(newline, 0u) << command;
        EXPECT_LT(newline + 1, prompt->size()) << command;
        EXPECT_EQ(PlaceholderKinds(*prompt), "") << command;
    }
    EXPECT_EQ(English()->String(32801), "Add source file(s)\nAdd source file(s)");
}

TEST(CatalogTest, TextsKeepLineBreaksQuotesAndTabs) {
    EXPECT_EQ(English()->String(kIdsConvertStep),
              "Step %d/%d: From \"%s\" \n          to \"%s\" \n          Click \"Skip\" or "
              "\"Cancel\" to abort conversion.");
    EXPECT_EQ(English()->String(kIdsAskOgg),
              "You need download and install the FFmpeg Ogg codec libraries before converting OGG "
              "format, \ndownload it now?");
    EXPECT_EQ(English()->Text(MenuItemKey(128, 57600)), "&New\tCtrl+N");
    // Two blanks after the first full stop.
    const std::string initFailed = *English()->String(kIdsInitFailed);
    EXPECT_EQ(initFailed.find(".  "), initFailed.find('.'));
}

TEST(MenuTest, MainMenuHasSevenPopupsWithTheirItems) {
    const std::vector<MenuItem> menu = *English()->Menu(128);
    ASSERT_EQ(menu.size(), 7u);
    const char* const titles[] = {"&File",          "&Action",   "&Language", "&Source Format",
                                  "&Target Format", "&Download", "&Help"};
    for (size_t i = 0; i < menu.size(); ++i) {
        EXPECT_TRUE(menu[i].IsPopup());
        EXPECT_EQ(English()->Text(menu[i].textKey), titles[i]);
    }
    const std::vector<MenuItem>& file = menu[0].children;
    ASSERT_EQ(file.size(), 9u);
    EXPECT_EQ(file[0].commandId, 32801);
    EXPECT_EQ(English()->Text(file[2].textKey), "Re&move All");
    EXPECT_TRUE(file[7].separator);
    EXPECT_EQ(file[8].commandId, 57665);
    EXPECT_EQ(menu[3].children.size(), 11u);
    EXPECT_TRUE(menu[3].children[9].separator);
    for (const MenuItem& item : menu[4].children) {
        EXPECT_TRUE(item.checked);
    }
    EXPECT_FALSE(file[0].checked);
    EXPECT_EQ(menu[6].children.back().commandId, 57664);
    EXPECT_FALSE(English()->Menu(129).has_value());
}

TEST(MenuTest, AcceleratorsAreValidKeySequences) {
    const std::vector<Accelerator> keys = *English()->Accelerators(128);
    ASSERT_EQ(keys.size(), 14u);  // the thirteen of the table and Del for Remove
    std::set<std::string> seen;
    for (const Accelerator& key : keys) {
        EXPECT_EQ(
            QKeySequence(QString::fromStdString(key.keys), QKeySequence::PortableText).count(), 1)
            << key.keys;
        EXPECT_TRUE(seen.insert(key.keys).second) << key.keys;
    }
    EXPECT_EQ(keys[0].keys, "Ctrl+N");
    EXPECT_EQ(keys[0].commandId, 57600);
    EXPECT_EQ(keys[4].keys, "Alt+Backspace");
    EXPECT_EQ(keys[4].commandId, 57643);
    EXPECT_EQ(keys[12].keys, "Shift+F6");
    EXPECT_EQ(keys[12].commandId, 57681);
}

TEST(MenuTest, ToolbarHasElevenPositionsWithLabels) {
    const Toolbar toolbar = *English()->ToolbarLayout(128);
    ASSERT_EQ(toolbar.buttons.size(), 11u);
    const int commands[] = {32801, 32803, 32804, 0, 32805, 32806, 0, 32807, 32808, 0, 57665};
    const char* const labels[] = {"Add", "Remove",  "Remove All", "", "Move Up", "Move Down",
                                  "",    "Preview", "Convert",    "", "Exit"};
    for (size_t i = 0; i < toolbar.buttons.size(); ++i) {
        EXPECT_EQ(toolbar.buttons[i].commandId, commands[i]);
        EXPECT_EQ(LoadResourceString(toolbar.buttons[i].labelStringId), labels[i]) << i;
    }
    EXPECT_EQ(toolbar.imageSize, 48);
    EXPECT_EQ(toolbar.normalBitmap, 136);
    EXPECT_EQ(toolbar.disabledBitmap, 134);
}

TEST(TemplateTest, EveryTemplateExistsAndHoldsItsControlsInsideItself) {
    const std::pair<int, size_t> expected[] = {{100, 6},  {101, 52}, {106, 10},
                                               {107, 29}, {137, 2},  {138, 2}};
    for (const auto& [id, count] : expected) {
        const DialogTemplate* dialog = English()->Dialog(id);
        ASSERT_NE(dialog, nullptr) << id;
        EXPECT_EQ(dialog->controls.size(), count) << id;
        std::set<int> ids;
        for (const DialogControl& control : dialog->controls) {
            EXPECT_TRUE(ids.insert(control.id).second) << id << "/" << control.id;
            EXPECT_EQ(control.privateId, control.id >= kFirstPrivateControlId) << control.id;
            EXPECT_GE(control.rect.x, 0) << id << "/" << control.id;
            EXPECT_LE(control.rect.x + control.rect.width, dialog->width)
                << id << "/" << control.id;
            EXPECT_LE(control.rect.y + control.rect.height, dialog->height)
                << id << "/" << control.id;
        }
    }
    EXPECT_EQ(English()->Dialog(102), nullptr);
}

TEST(TemplateTest, FormControlsKeepIdKindPositionAndVisibility) {
    const DialogTemplate& form = *English()->Dialog(101);
    EXPECT_EQ(form.width, 479);
    EXPECT_EQ(form.height, 255);
    EXPECT_TRUE(form.HasFlag("acceptfiles"));
    EXPECT_TRUE(form.captionKey.empty());

    const DialogControl& mpeg4 = form.controls.front();
    EXPECT_EQ(mpeg4.id, 1004);
    EXPECT_EQ(mpeg4.kind, ControlKind::kRadioButton);
    EXPECT_TRUE(mpeg4.HasFlag("pushlike"));
    EXPECT_TRUE(mpeg4.HasFlag("group"));
    EXPECT_FALSE(mpeg4.visible);
    EXPECT_EQ(English()->Text(mpeg4.textKey), "MPEG-4");

    // Only DVD, VCD, SVCD and DV can be chosen on the form.
    std::vector<std::string> shownTypes;
    for (const DialogControl& control : form.controls) {
        if (control.id >= 1004 && control.id <= 1013 && control.visible) {
            shownTypes.push_back(*English()->Text(control.textKey));
        }
    }
    EXPECT_EQ(shownTypes, (std::vector<std::string>{"DVD", "VCD", "SVCD", "DV"}));

    const DialogControl* tip = form.Control(1101);
    ASSERT_NE(tip, nullptr);
    EXPECT_FALSE(tip->visible);
    EXPECT_TRUE(tip->HasFlag("center"));
    EXPECT_EQ(tip->rect.x, 131);
    EXPECT_EQ(tip->rect.width, 336);

    const DialogControl* x = form.Control(1104);
    ASSERT_NE(x, nullptr);
    EXPECT_TRUE(x->HasFlag("digits"));
    EXPECT_TRUE(x->textKey.empty());
    const DialogControl& info = form.controls.back();
    EXPECT_EQ(info.id, 1210);
    EXPECT_TRUE(info.HasFlag("multiline"));
    EXPECT_EQ(info.rect.x, 317);
}

TEST(TemplateTest, DialogTextsCaptionsAndFonts) {
    EXPECT_EQ(English()->Text(English()->Dialog(107)->captionKey),
              "Preview and select a part to convert");
    EXPECT_EQ(English()->Text(English()->Dialog(106)->captionKey),
              "Convert Video to VCD/DVD/SVCD/...");
    EXPECT_EQ(English()->Dialog(106)->Control(1025)->kind, ControlKind::kPercentBar);
    EXPECT_EQ(English()->Dialog(137)->Control(1026)->kind, ControlKind::kProgressBar);
    EXPECT_EQ(English()->Dialog(138)->fontFamily, "Arial Black");
    EXPECT_EQ(English()->Text(ControlTextKey(138, 1073)), "Hide the tooltips");
    const DialogControl& hint = English()->Dialog(107)->controls.back();
    EXPECT_TRUE(hint.privateId);
    EXPECT_EQ(English()->Text(hint.textKey),
              "? You can select a part from the full duration to convert.");
    EXPECT_EQ(English()->Dialog(100)->controls.front().imageId, 128);
}

TEST(TemplateTest, DialogUnitsScaleByTheFontsCharacterCell) {
    // An 8 point font with a 6 pixel average width and 13 pixel height.
    const DialogRect pixels = DialogUnitsToPixels({314, 173, 64, 15}, 6.0, 13);
    EXPECT_EQ(pixels.x, 471);
    EXPECT_EQ(pixels.y, 281);
    EXPECT_EQ(pixels.width, 96);
    EXPECT_EQ(pixels.height, 24);
}

class LibraryModuleTest : public ::testing::Test {
protected:
    void TearDown() override { SetCurrentResourceModule(nullptr); }
};

TEST_F(LibraryModuleTest, LibraryCatalogReplacesTextsWithoutFallback) {
    std::string error;
    const auto library = ResourceModule::FromCatalog(ReadBytes(PARTIAL_CATALOG), &error);
    ASSERT_NE(library, nullptr) << error;
    EXPECT_EQ(library->String(kIdsKeepOriginal), "Garder l'original");
    // Missing from the library: missing, even though the built-in module has it.
    EXPECT_FALSE(library->String(kIdsRecommended).has_value());
    EXPECT_FALSE(library->Text(MenuItemKey(128, 32801)).has_value());
    // The structure is the built-in one.
    ASSERT_NE(library->Dialog(101), nullptr);

    SetCurrentResourceModule(library);
    EXPECT_EQ(CurrentResourceModule(), library);
    SetCurrentResourceModule(nullptr);
    EXPECT_EQ(CurrentResourceModule(), English());
}

TEST_F(LibraryModuleTest, BadCatalogOrLayoutIsRefused) {
    std::string error;
    const std::string junk = "not a catalog at all";
    EXPECT_EQ(ResourceModule::FromCatalog(std::as_bytes(std::span(junk)), &error), nullptr);
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(ResourceModule::FromCatalog({}, &error), nullptr);

    const std::vector<std::byte> catalog = ReadBytes(PARTIAL_CATALOG);
    error.clear();
    EXPECT_EQ(ResourceModule::FromCatalog(catalog, &error, "{\"dialogs\": [{\"id\": 1}]}"),
              nullptr);
    EXPECT_NE(error.find("size"), std::string::npos) << error;
    error.clear();
    EXPECT_EQ(ResourceModule::FromCatalog(catalog, &error, "[1, 2"), nullptr);
    EXPECT_FALSE(error.empty());
    const char* const unknownKind =
        R"({"dialogs": [{"id": 5, "size": [10, 10], "font": ["A", 8],
            "controls": [{"id": 1, "kind": "spinner", "rect": [0, 0, 1, 1]}]}]})";
    EXPECT_EQ(ResourceModule::FromCatalog(catalog, &error, unknownKind), nullptr);
    EXPECT_NE(error.find("spinner"), std::string::npos) << error;
}

TEST_F(LibraryModuleTest, LibraryMayBringItsOwnTemplates) {
    const char* const layout =
        R"({"dialogs": [{"id": 101, "size": [300, 200], "font": ["Noto Sans", 9],
            "controls": [{"id": 1004, "kind": "radio", "rect": [1, 2, 3, 4], "text": true},
                         {"id": 1004, "kind": "label", "rect": [1, 2, 3, 4]}]}]})";
    std::string error;
    // A repeated control id is refused: look-ups by id must be unambiguous.
    EXPECT_EQ(ResourceModule::FromCatalog(ReadBytes(PARTIAL_CATALOG), &error, layout), nullptr);
    EXPECT_NE(error.find("1004"), std::string::npos) << error;

    const char* const valid =
        R"({"dialogs": [{"id": 101, "size": [300, 200], "font": ["Noto Sans", 9],
            "controls": [{"id": 1004, "kind": "radio", "rect": [1, 2, 3, 4], "text": true}]}]})";
    const auto module = ResourceModule::FromCatalog(ReadBytes(PARTIAL_CATALOG), &error, valid);
    ASSERT_NE(module, nullptr) << error;
    EXPECT_EQ(module->Dialog(101)->width, 300);
    EXPECT_EQ(module->Dialog(101)->controls.size(), 1u);
    EXPECT_FALSE(module->Menu(128).has_value());
}

}  // namespace
}  // namespace clipwright
