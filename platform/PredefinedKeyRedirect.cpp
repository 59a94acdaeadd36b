#include "platform/PredefinedKeyRedirect.h"

#include <iterator>

#include "platform/RegistryTree.h"

namespace qn {

bool PredefinedKeyRedirect::MoveTo(HKEY into) {
    // Every target is opened before the first root moves: once HKEY_CURRENT_USER is redirected,
    // no path below it means what it meant.
    UniqueHKey targets[std::size(kRedirectedRoots)];
    for (size_t i = 0; i < std::size(kRedirectedRoots); ++i) {
        if (::RegCreateKeyExW(into, RootKeyName(kRedirectedRoots[i]).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, targets[i].put(), nullptr) != ERROR_SUCCESS) {
            return false;
        }
    }
    for (size_t i = 0; i < std::size(kRedirectedRoots); ++i) {
        if (::RegOverridePredefKey(kRedirectedRoots[i], targets[i].get()) != ERROR_SUCCESS) {
            // Roots that were redirected stay so: code that ran with them may still be running.
            if (!active_) {
                for (size_t moved = 0; moved < i; ++moved) ::RegOverridePredefKey(kRedirectedRoots[moved], nullptr);
            }
            return false;
        }
        targets_[i] = std::move(targets[i]);
    }
    active_ = true;
    return true;
}

PredefinedKeyRedirect::~PredefinedKeyRedirect() {
    if (!active_) return;
    for (const HKEY root : kRedirectedRoots) ::RegOverridePredefKey(root, nullptr);
}

}  // namespace qn
