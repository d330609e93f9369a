#include <gtest/gtest.h>

#include <algorithm>

#include "platform/ErrorInfo.h"
#include "support/TelephonyTestPlatform.h"
#include "telephony/frmEditSettings.h"

namespace zelwiz {
namespace {

class DetectionTest : public TelephonyTest {
  protected:
    // What the user saw when the selection dialog opened.
    struct Seen {
        std::vector<std::string> items;
        int selected;
        int wizardPointer;
    };
    // A modal answer: records the dialog, then acts on it.
    void Answer(std::function<void(frmEditSettings&)> act) {
        toolkit.modalAnswers.push_back([this, act](Form& form) {
            auto& dialog = static_cast<frmEditSettings&>(form);
            seen.push_back({dialog.lstIPAdds->Items(), dialog.lstIPAdds->SelectedIndex(),
                            wiz->MousePointer()});
            act(dialog);
        });
    }
    void Pick(int index) {
        Answer([index](frmEditSettings& d) {
            d.lstIPAdds->SetSelectedIndex(index);
            d.cmdOk->Click();
        });
    }
    void CancelDialog() {
        Answer([](frmEditSettings& d) { d.cmdCancel->Click(); });
    }
    void CloseDialogOtherwise() {
        Answer([](frmEditSettings&) {});
    }
    std::string DetectPbx() {
        std::string message = "Please select a PBX";
        return wiz->DetectCstaAddress(message);
    }
    std::int32_t DetectBoard(std::string address) { return wiz->DetectIPLANBoard(address); }

    std::vector<Seen> seen;
};

std::vector<std::string> Numbered(const char* prefix, int count) {
    std::vector<std::string> all;
    for (int i = 1; i <= count; ++i)
        all.push_back(prefix + std::to_string(i));
    return all;
}

TEST_F(DetectionTest, ThePbxesFoundAreConfirmedInTheDialogTenAtMost) {
    for (const auto& [found, listed] : {std::pair{1, 1}, std::pair{3, 3}, std::pair{12, 10}}) {
        seen.clear();
        pointers.clear();
        fakes.pbx.addresses = Numbered("pbx-", found);
        Pick(listed - 1);
        EXPECT_EQ(DetectPbx(), "pbx-" + std::to_string(listed)) << found;
        ASSERT_EQ(seen.size(), 1u) << "the user confirms even a single address";
        EXPECT_EQ(seen[0].items, Numbered("pbx-", listed));
        EXPECT_EQ(seen[0].wizardPointer, vbDefault) << "no hourglass while the user chooses";
        EXPECT_EQ(pointers, (std::vector<int>{vbHourglass, vbDefault}));
        EXPECT_TRUE(bVoipSelection);
    }
    EXPECT_EQ(fakes.pbx.discoverModes, (std::vector<std::int32_t>{2, 2, 2}));
}

TEST_F(DetectionTest, DiscoveringBoardsLetsTheUserPickOneOfAllFound) {
    fakes.voip.boards = Numbered("voip-", 15);
    fakes.voip.ednText = "7200";
    Pick(14);
    EXPECT_EQ(DetectBoard(""), 0);
    EXPECT_EQ(wiz->mvarIPLANAdd, "voip-15");
    EXPECT_EQ(wiz->mvarIP_EDN, "7200");
    EXPECT_EQ(wiz->lIPLANBoardCount, 15);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].items, fakes.voip.boards) << "no limit of ten for the boards";
    EXPECT_EQ(seen[0].selected, 0) << "the first address is selected when the dialog opens";
    EXPECT_EQ(seen[0].wizardPointer, vbHourglass);
    EXPECT_EQ(pointers, (std::vector<int>{vbHourglass, vbDefault}));
}

// Nothing found, a finder that fails, Cancel or a dialog closed otherwise: no PBX address, and a
// board detection that reached nothing (32), both silently.
TEST_F(DetectionTest, NothingFoundOrNothingChosen) {
    struct Case {
        const char* what;
        bool pbx;
        std::function<void()> arrange;
        size_t dialogs;
    };
    const Case cases[] = {
        {"no PBX found", true, [&] { fakes.pbx.addresses.clear(); }, 0},
        {"a PBX discovery that failed", true, [&] { fakes.pbx.discoverStatus = 3; }, 0},
        {"a PBX finder that is not ready", true, [&] { fakes.pbx.initStatus = 1; }, 0},
        {"a failing InitFinder", true, [&] { fakes.failures["PbxFinder.InitFinder"] = E_FAIL; }, 0},
        {"a failing count", true, [&] { fakes.failures["PbxFinder.get_PbxCount"] = E_FAIL; }, 0},
        {"no PBX finder registered", true, [&] { catalog.Unregister(kCLSID_PbxFinder); }, 0},
        {"PBX dialog cancelled", true, [&] { CancelDialog(); }, 1},
        {"PBX dialog closed otherwise", true, [&] { CloseDialogOtherwise(); }, 1},
        {"no board found", false, [&] { fakes.voip.boards.clear(); }, 0},
        {"a board discovery that failed", false, [&] { fakes.voip.discoverStatus = 9; }, 0},
        {"a board finder that is not ready", false, [&] { fakes.voip.initStatus = 1; }, 0},
        {"board dialog cancelled", false, [&] { CancelDialog(); }, 1},
        {"board dialog closed otherwise", false, [&] { CloseDialogOtherwise(); }, 1},
    };
    for (const auto& c : cases) {
        fakes = FakeComponents();
        fakes.Register(catalog);
        fakes.pbx.addresses = {"pbx-1", "pbx-2"};
        fakes.voip.boards = {"voip-1", "voip-2"};
        seen.clear();
        c.arrange();
        if (c.pbx)
            EXPECT_EQ(DetectPbx(), "") << c.what;
        else
            EXPECT_EQ(DetectBoard(""), 32) << c.what;
        EXPECT_EQ(seen.size(), c.dialogs) << c.what;
        EXPECT_EQ(wiz->MousePointer(), vbDefault) << c.what;
        EXPECT_TRUE(bVoipSelection) << c.what;
        EXPECT_EQ(fakes.LiveOperationObjects(), 0) << c.what;
        const auto calls = fakes.CallsOf("VoipBoardFinder");
        EXPECT_EQ(std::count(calls.begin(), calls.end(), "Connect"), 0) << c.what;
        EXPECT_EQ(wiz->lIPLANBoardCount, 0) << c.what;
        EXPECT_EQ(wiz->mvarIPLANAdd, "") << c.what;
    }
    EXPECT_TRUE(LoggedSources().empty());
}

TEST_F(DetectionTest, AFailingConnectRepeatsTheWholeDetectionTheOlderWay) {
    fakes.voip.boards = {"voip-1", "voip-2"};
    fakes.voip.ednNumber = 7300;
    fakes.failures["VoipBoardFinder.Connect"] = E_NOTIMPL;
    Pick(1);
    Pick(1);
    EXPECT_EQ(DetectBoard(""), 0);
    EXPECT_EQ(seen.size(), 2u) << "the selection dialog is shown a second time";
    EXPECT_EQ(wiz->mvarIPLANAdd, "voip-2");
    EXPECT_EQ(wiz->mvarIP_EDN, "7300");
    EXPECT_EQ(fakes.Created("VoipBoardFinder"), 2);
    const auto calls = fakes.CallsOf("VoipBoardFinder");
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "ConnectV1"), 1);
    EXPECT_EQ(wiz->MousePointer(), vbDefault);
}

TEST_F(DetectionTest, AMissingBoardFinderReachesTheCallerFromTheFallback) {
    catalog.Unregister(kCLSID_VoipBoardFinder);
    try {
        DetectBoard("");
        ADD_FAILURE() << "the fallback's failure must reach the caller";
    } catch (const BasicError& e) {
        EXPECT_EQ(e.record().Number, kErrCannotCreateObject);
    }
    EXPECT_EQ(wiz->MousePointer(), vbDefault);

    wiz->txtIPLANAdd->SetText("typed");
    wiz->cmdVoIpDetect->Click();
    EXPECT_EQ(LoggedSources(), (std::vector<std::string>{"frmWizard.cmdVoIpDetect_Click"}));
    EXPECT_EQ(wiz->txtIPLANAdd->Text(), "typed");
    EXPECT_EQ(wiz->mvarIPLANAdd, "");
}

// Never empty in a detection, the selection dialog still offers OK only with an address to choose.
TEST_F(DetectionTest, TheSelectionDialogWithoutAnAddressHasNoOk) {
    bool okEnabled = true;
    Answer([&](frmEditSettings& d) { okEnabled = d.cmdOk->Enabled(); });
    frmEditSettings::Default().ShowModal();
    frmEditSettings::Instance().Unload();
    EXPECT_FALSE(okEnabled);
}

}  // namespace
}  // namespace zelwiz
