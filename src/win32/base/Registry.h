#pragma once
// The registry of the current user, where the history list can keep its entries.
#include <memory>

#include "components/Registry.h"

namespace zerbo::win32 {

// The current user's part of the registry.
class TWinRegistry : public IRegistry {
public:
    std::unique_ptr<IRegistryKey> OpenKey(const std::u16string& path) override;
};

} // namespace zerbo::win32
