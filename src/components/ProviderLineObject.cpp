#include "components/ProviderLineObject.h"

#include <charconv>
#include <cmath>

#include "components/ComponentErrors.h"

namespace zelwiz {
namespace {

// The index the caller passed: a number, or a text holding a whole number (the wizard passes
// the text it got from "Preferredline").
HRESULT IndexOf(const Variant& value, std::int64_t* index) {
    if (const auto* n = std::get_if<std::int32_t>(&value)) {
        *index = *n;
        return S_OK;
    }
    if (const auto* d = std::get_if<double>(&value)) {
        if (!std::isfinite(*d) || std::fabs(*d) > 2147483647.0)
            return DISP_E_OVERFLOW;
        *index = std::llround(*d);
        return S_OK;
    }
    if (const auto* s = std::get_if<std::string>(&value)) {
        std::string_view text = *s;
        while (!text.empty() && text.front() == ' ')
            text.remove_prefix(1);
        while (!text.empty() && text.back() == ' ')
            text.remove_suffix(1);
        std::int32_t n = 0;
        auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
        if (ec == std::errc::result_out_of_range)
            return DISP_E_OVERFLOW;
        if (ec != std::errc() || ptr != text.data() + text.size() || text.empty())
            return DISP_E_TYPEMISMATCH;
        *index = n;
        return S_OK;
    }
    return DISP_E_TYPEMISMATCH;
}

}  // namespace

ProviderLineObject::ProviderLineObject(Registry& registry, AllUsersFlag allUsers)
    : registry_(registry), allUsers_(std::move(allUsers)) {}

std::vector<std::string> ProviderLineObject::DispatchNames() const {
    return {"Initialize", "Preferredline", "LineAddress", "Terminate"};
}

HRESULT ProviderLineObject::InvokeByName(const std::string& name, std::vector<Variant>& args,
                                         Variant& result) {
    result = std::monostate{};
    if (name == "Initialize") {
        if (!args.empty())
            return DISP_E_BADPARAMCOUNT;
        lines_ = ReadProviderLines(registry_, ProviderHiveFor(allUsers_));
        return S_OK;
    }
    if (!lines_)
        return E_FAIL;  // not initialized
    if (name == "Preferredline") {
        if (!args.empty())
            return DISP_E_BADPARAMCOUNT;
        result = lines_->PreferredIndex();
        return S_OK;
    }
    if (name == "LineAddress")
        return LineAddress(args, result);
    if (name == "Terminate") {
        if (!args.empty())
            return DISP_E_BADPARAMCOUNT;
        lines_.reset();
        return S_OK;
    }
    return DISP_E_MEMBERNOTFOUND;
}

HRESULT ProviderLineObject::LineAddress(std::vector<Variant>& args, Variant& result) const {
    if (args.size() != 1)
        return DISP_E_BADPARAMCOUNT;
    std::int64_t index = 0;
    if (HRESULT hr = IndexOf(args[0], &index); FAILED(hr))
        return hr;
    if (index < 0 || index >= static_cast<std::int64_t>(lines_->numbers.size()))
        return E_INVALIDARG;
    result = lines_->numbers[static_cast<size_t>(index)];
    return S_OK;
}

}  // namespace zelwiz
