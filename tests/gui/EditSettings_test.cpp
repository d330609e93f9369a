// The program's address selection dialog on the Qt toolkit: translated, in the character set of
// the user's language, answered with the keyboard.
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "GuiTest.h"
#include "components/translator/RegisterTextTranslator.h"
#include "environment/Translation.h"
#include "platform/ComponentCatalog.h"
#include "support/ScopedTestPlatform.h"
#include "telephony/frmEditSettings.h"
#include "ui_qt/ControlWidgets.h"

namespace zelwiz::testing {
namespace {

class EditSettingsGuiTest : public GuiTest {
  protected:
    void SetUp() override {
        // Hungarian: the language whose fonts take the Eastern European character set.
        installed.SetText(HKEY_CURRENT_USER, "Software\\Korvane\\7316\\ZELPhone\\Settings", "lang",
                          "4");
        RegisterTextTranslator(catalog);
        Platform platform = CurrentPlatform();
        platform.components = &catalog;
        InstallPlatform(platform);
        GuiTest::SetUp();
        LoadCharset();
        gTextTranslator() = CreateComponent<TextTranslator>(kCLSID_TextTranslator);
    }
    void TearDown() override {
        gTextTranslator().Reset();
        bVoipSelection = true;
        GuiTest::TearDown();
    }

    ScopedTestPlatform installed;
    ComponentCatalog catalog;
};

TEST_F(EditSettingsGuiTest, PbxSelectionAnsweredWithTheKeyboard) {
    bVoipSelection = false;
    frmEditSettings& dialog = frmEditSettings::Default();
    dialog.lbIPAddsMsg->SetCaption(Translate(
        "#01046#The Wizard has found several PBX IP Addresses. Please select an IP address and "
        "click OK to continue."));
    for (const char* address : {"10.1.0.10", "10.1.0.11", "pbx-north.example"})
        dialog.lstIPAdds->AddItem(address);

    QString title, ok;
    int charset = -1;
    bool firstSelected = false;
    WhenModal([&](QWidget* modal) {
        title = modal->windowTitle();
        auto* list = modal->findChild<QListWidget*>();
        firstSelected = list != nullptr && list->selectedItems().size() == 1 &&
                        list->selectedItems()[0]->text() == "10.1.0.10";
        charset = list != nullptr ? list->property(qt::kFontCharsetProperty).toInt() : -1;
        ok = Widget<QPushButton>(dialog, *dialog.cmdOk)->text();
        Screenshot(modal, "frmEditSettings");
        Press(Qt::Key_Down);
        Press(Qt::Key_Tab);
        Press(Qt::Key_Return);
    });
    dialog.ShowModal();

    EXPECT_EQ(title.toStdString(), Translate("#01047#PBX selection"));
    EXPECT_FALSE(title.contains('#')) << "the title is translated";
    EXPECT_EQ(ok.toStdString(), dialog.cmdOk->Caption());
    EXPECT_FALSE(ok.contains('#')) << "the form is translated before it shows";
    EXPECT_TRUE(firstSelected) << "the dialog opens with the first address selected";
    EXPECT_EQ(charset, 238);
    EXPECT_FALSE(frmEditSettings::Instance().bIsUnload());
    EXPECT_EQ(frmEditSettings::Instance().GetSelectedIPAdd(), "10.1.0.11");
    frmEditSettings::Instance().Unload();
}

}  // namespace
}  // namespace zelwiz::testing
