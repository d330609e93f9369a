#include "platform/ComponentCatalog.h"

#include <gtest/gtest.h>

#include "support/ErrorOf.h"

#include "platform/ErrorInfo.h"
#include "platform/Platform.h"
#include "telephony/PbxFinder.h"

namespace zelwiz {
namespace {

class CountingPbxFinder : public ComObject<PbxFinder> {
  public:
    explicit CountingPbxFinder(int* alive) : alive_(alive) { ++*alive_; }
    ~CountingPbxFinder() override { --*alive_; }
    HRESULT DiscoverPbx(std::int32_t, std::int32_t* status) override { return *status = 0, S_OK; }
    HRESULT InitFinder(std::int32_t* status) override { return *status = 0, S_OK; }
    HRESULT get_FirstAddress(std::string* a) override { return *a = "10.0.0.1", S_OK; }
    HRESULT get_NextAddress(std::string*) override { return E_FAIL; }
    HRESULT get_PbxCount(std::int32_t* c) override { return *c = 1, S_OK; }

  protected:
    std::vector<std::string> DispatchNames() const override { return {"Echo"}; }
    HRESULT InvokeByName(const std::string&, std::vector<Variant>& args, Variant& result) override {
        if (args.size() != 1)
            return DISP_E_BADPARAMCOUNT;
        result = args[0];
        args[0] = std::string("written back");
        return S_OK;
    }

  private:
    int* alive_;
};

TEST(ComponentCatalog, CreatesRegisteredObjectsAndAnswersNotRegisteredOtherwise) {
    ComponentCatalog catalog;
    Platform previous = InstallPlatform(Platform{nullptr, nullptr, nullptr, &catalog});
    int alive = 0;
    catalog.Register(kCLSID_PbxFinder, [&] { return new CountingPbxFinder(&alive); });
    {
        auto finder = CreateComponent<PbxFinder>(kCLSID_PbxFinder);
        EXPECT_EQ(alive, 1);
        std::string first;
        EXPECT_EQ(finder->get_FirstAddress(&first), S_OK);
        EXPECT_EQ(first, "10.0.0.1");
        std::string next;
        EXPECT_EQ(ErrorOf([&] { CheckHr(finder->get_NextAddress(&next)); }), E_FAIL);

        std::vector<Variant> args{std::string("in")};
        EXPECT_EQ(VariantText(CallByName(*finder, "echo", args)), "in")
            << "names match without regard to case";
        EXPECT_EQ(VariantText(args[0]), "written back");
        EXPECT_EQ(ErrorOf([&] { CallByName(*finder, "Missing"); }), 438);
        EXPECT_EQ(ErrorOf([&] { CallByName(*finder, "Echo"); }), DISP_E_BADPARAMCOUNT);
    }
    EXPECT_EQ(alive, 0) << "the last reference released the object";

    IDispatchObject* object = nullptr;
    EXPECT_EQ(catalog.CreateObject("{unknown}", &object), REGDB_E_CLASSNOTREG);
    EXPECT_EQ(ErrorOf([] { CreateComponent<PbxFinder>("{unknown}"); }), kErrCannotCreateObject);
    InstallPlatform(previous);
}

}  // namespace
}  // namespace zelwiz
