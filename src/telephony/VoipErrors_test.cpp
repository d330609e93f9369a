#include <gtest/gtest.h>

#include "environment/mCustom.h"
#include "support/TelephonyTestPlatform.h"

namespace zelwiz {
namespace {

class VoipErrorsTest : public TelephonyTest {
  protected:
    // The text of the one message box shown for the code.
    std::string Show(std::int32_t code) {
        toolkit.messageBoxes.clear();
        EXPECT_EQ(wiz->ShowIPLANError(code), 0);
        if (toolkit.messageBoxes.size() != 1) {
            ADD_FAILURE() << toolkit.messageBoxes.size() << " message boxes for " << code;
            return {};
        }
        EXPECT_EQ(toolkit.messageBoxes[0].style, vbExclamation | vbOKOnly);
        EXPECT_EQ(toolkit.messageBoxes[0].title, "Parlova Configuration Wizard");
        return toolkit.messageBoxes[0].prompt;
    }
};

constexpr const char* kGeneral =
    "The Wizard can not find all VoIP parameters. The Multimedia Pc based Set can not be used.";

TEST_F(VoipErrorsTest, CodesOfTheBoardHaveTheirOwnMessageAndTheRestTheGeneralOneInHex) {
    struct Case {
        std::int32_t code;
        std::string text;
    };
    g7316ShortName = "Zephyr";  // the test platform puts the product's names back
    const Case cases[] = {
        {11,
         "The sound driver is HALF DUPLEX, re-install your sound driver with FULL DUPLEX drive"},
        {148,
         "Zephyr is in use. This operation is not authorised. Please close Zephyr and try again."},
        {149,
         "All the licenses for VoIP are currently used. Please check with you administrator for "
         "new licenses."},
        {157,
         "PBX does not respond in time (can be a licence problem). Please check with your "
         "administrator."},
        {32, std::string(kGeneral) + " (20)"},
        {-1, std::string(kGeneral) + " (FFFFFFFF)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Show(c.code), c.text) << c.code;

    // Translated by the message's identifier, before the name and the code go in.
    fakes.translator.translations = {{"01040", "Le PBX ne répond pas à temps."},
                                     {"01038", "%1 (et %0) est déjà ouvert."},
                                     {"01034", "Paramètres VoIP introuvables."}};
    EXPECT_EQ(Show(157), "Le PBX ne répond pas à temps.");
    EXPECT_EQ(Show(148), "Zephyr (et Zephyr) est déjà ouvert.");
    EXPECT_EQ(Show(18), "Paramètres VoIP introuvables. (12)");
}

}  // namespace
}  // namespace zelwiz
