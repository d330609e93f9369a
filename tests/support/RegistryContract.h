#pragma once
// The registry contract that every store passes (memory, file store, Windows registry): the
// fixture and the factory of a store. The cases live in platform/RegistryContract_test.cpp; each
// store instantiates them where it is built.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/Registry.h"

namespace zelwiz {

struct RegistryFactory {
    const char* name;
    // Makes a registry; `readOnlyMachine` makes HKLM a hive the user may not write.
    std::function<std::unique_ptr<Registry>(bool readOnlyMachine)> make;
    // Whether the registries it makes share their data, as processes share the system's.
    bool shared;
    // Wine's registry deletes a key through a handle opened without DELETE, which Windows
    // refuses: a departure of Wine's, not of the program's.
    bool deletesWithoutDeleteRight = false;
};

class RegistryContract : public ::testing::TestWithParam<RegistryFactory> {
  protected:
    void SetUp() override { reg = GetParam().make(false); }

    HKEY Create(HKEY hive, std::string_view path, REGSAM sam = KEY_ALL_ACCESS) {
        HKEY key = 0;
        EXPECT_EQ(reg->CreateKey(hive, path, sam, &key), ERROR_SUCCESS) << path;
        return key;
    }
    std::string ReadBytes(HKEY key, std::string_view name, DWORD* type = nullptr) {
        DWORD size = 0;
        if (reg->QueryValue(key, name, type, nullptr, &size) != ERROR_SUCCESS)
            return "<missing>";
        std::string buf(size, '\0');
        EXPECT_EQ(
            reg->QueryValue(key, name, type, reinterpret_cast<std::uint8_t*>(buf.data()), &size),
            ERROR_SUCCESS);
        buf.resize(size);
        return buf;
    }

    std::unique_ptr<Registry> reg;
};

}  // namespace zelwiz
