#pragma once
// Component binding: objects called through a table of slots in a fixed order, every call
// answering an HRESULT with output arguments. Slots 0 to 2 manage the object's life, 3 to 6 are
// the dispatch calls (late binding by name); a component's own calls start at slot 7. Contracts
// list their slots in order, unused slots included, so an object made elsewhere to the same
// layout can be bound by class identifier without an adapter.

#include <atomic>
#include <cstdint>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace zelwiz {

using HRESULT = std::int32_t;
inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT S_FALSE = 1;
inline constexpr HRESULT E_NOTIMPL = static_cast<HRESULT>(0x80004001);
inline constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002);
inline constexpr HRESULT E_POINTER = static_cast<HRESULT>(0x80004003);
inline constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005);
inline constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057);
inline constexpr HRESULT DISP_E_MEMBERNOTFOUND = static_cast<HRESULT>(0x80020003);
inline constexpr HRESULT DISP_E_UNKNOWNNAME = static_cast<HRESULT>(0x80020006);
inline constexpr HRESULT DISP_E_BADPARAMCOUNT = static_cast<HRESULT>(0x8002000E);
inline constexpr HRESULT REGDB_E_CLASSNOTREG = static_cast<HRESULT>(0x80040154);
inline constexpr bool FAILED(HRESULT hr) {
    return hr < 0;
}
inline constexpr bool SUCCEEDED(HRESULT hr) {
    return hr >= 0;
}

// The values a late-bound call passes and answers.
using Variant = std::variant<std::monostate, bool, std::int32_t, double, std::string>;
using DISPID = std::int32_t;

class IDispatchObject {
  public:
    virtual HRESULT QueryInterface(const std::string& interfaceId, void** object) = 0;  // 0
    virtual std::uint32_t AddRef() = 0;                                                 // 1
    virtual std::uint32_t Release() = 0;                                                // 2
    virtual HRESULT GetTypeInfoCount(std::uint32_t* count) = 0;                         // 3
    virtual HRESULT GetTypeInfo(std::uint32_t index, void** typeInfo) = 0;              // 4
    virtual HRESULT GetIDsOfNames(const std::string& name, DISPID* dispId) = 0;         // 5
    // Arguments in call order; a by-reference argument may be written back.
    virtual HRESULT Invoke(DISPID dispId, std::vector<Variant>& args, Variant* result) = 0;  // 6

  protected:
    ~IDispatchObject() = default;  // objects end through Release
};

// The life and dispatch slots for objects of this build: reference counting, and by-name calls
// answered from the table the object gives (an object without late-bound calls gives none).
template <class Interface>
class ComObject : public Interface {
  public:
    HRESULT QueryInterface(const std::string&, void** object) override {
        if (object == nullptr)
            return E_POINTER;
        *object = nullptr;
        return E_NOINTERFACE;
    }
    std::uint32_t AddRef() override { return ++refs_; }
    std::uint32_t Release() override {
        const std::uint32_t left = --refs_;
        if (left == 0)
            delete this;
        return left;
    }
    HRESULT GetTypeInfoCount(std::uint32_t* count) override {
        if (count == nullptr)
            return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT GetTypeInfo(std::uint32_t, void**) override { return E_NOTIMPL; }
    HRESULT GetIDsOfNames(const std::string& name, DISPID* dispId) override {
        const auto names = DispatchNames();
        for (size_t i = 0; i < names.size(); ++i) {
            if (EqualsIgnoringCase(names[i], name)) {
                *dispId = static_cast<DISPID>(i + 1);
                return S_OK;
            }
        }
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT Invoke(DISPID dispId, std::vector<Variant>& args, Variant* result) override {
        const auto names = DispatchNames();
        if (dispId < 1 || static_cast<size_t>(dispId) > names.size())
            return DISP_E_MEMBERNOTFOUND;
        Variant ignored;
        return InvokeByName(names[static_cast<size_t>(dispId - 1)], args,
                            result != nullptr ? *result : ignored);
    }

  protected:
    virtual ~ComObject() = default;
    // The names callable late-bound; their DISPIDs are their positions from 1.
    virtual std::vector<std::string> DispatchNames() const { return {}; }
    virtual HRESULT InvokeByName(const std::string& name, std::vector<Variant>& args,
                                 Variant& result) {
        (void)name;
        (void)args;
        (void)result;
        return DISP_E_MEMBERNOTFOUND;
    }

  private:
    static bool EqualsIgnoringCase(const std::string& a, const std::string& b) {
        if (a.size() != b.size())
            return false;
        for (size_t i = 0; i < a.size(); ++i) {
            auto lower = [](char c) {
                return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
            };
            if (lower(a[i]) != lower(b[i]))
                return false;
        }
        return true;
    }
    std::atomic<std::uint32_t> refs_{1};
};

// Holds one reference to a component object and releases it at the end of its scope.
template <class T>
class ComPtr {
  public:
    ComPtr() = default;
    explicit ComPtr(T* adopted) : p_(adopted) {}
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            Reset();
            p_ = std::exchange(other.p_, nullptr);
        }
        return *this;
    }
    ~ComPtr() { Reset(); }
    void Reset() {
        if (p_ != nullptr)
            std::exchange(p_, nullptr)->Release();
    }
    T* get() const { return p_; }
    T* operator->() const { return p_; }
    T& operator*() const { return *p_; }
    explicit operator bool() const { return p_ != nullptr; }

  private:
    T* p_ = nullptr;
};

}  // namespace zelwiz
