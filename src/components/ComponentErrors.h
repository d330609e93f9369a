#pragma once
// The HRESULTs the built-in components answer besides those every component shares, so that a
// failing call says why it failed: access refused, an index past the end, a number too large.

#include "platform/Com.h"
#include "platform/Registry.h"

namespace zelwiz {

inline constexpr HRESULT E_UNEXPECTED = static_cast<HRESULT>(0x8000FFFF);
inline constexpr HRESULT E_ACCESSDENIED = static_cast<HRESULT>(0x80070005);
inline constexpr HRESULT DISP_E_TYPEMISMATCH = static_cast<HRESULT>(0x80020005);
inline constexpr HRESULT DISP_E_OVERFLOW = static_cast<HRESULT>(0x8002000A);
inline constexpr HRESULT DISP_E_BADINDEX = static_cast<HRESULT>(0x8002000B);

// A Win32 status code as an HRESULT (facility 7), as the platform macro gives it.
constexpr HRESULT HResultFromWin32(LONG status) {
    return status <= 0
               ? static_cast<HRESULT>(status)
               : static_cast<HRESULT>((static_cast<std::uint32_t>(status) & 0xFFFFu) | 0x80070000u);
}

}  // namespace zelwiz
